// SPDX-License-Identifier: MIT
#pragma once

#include <string>

class TGuiControl;

// A text picture of a control tree for tools and tests: one line per control below Root, depth
// first with children in index order, indented by two spaces per level:
//   CLASS NAME LEFT TOP WIDTH HEIGHT visible=0|1 enabled=0|1 [caption="..."|text="..."]
// An empty name shows as "-". Captions and texts are converted from the game's code page to
// UTF-8; quotes, backslashes and control characters are escaped C-style so each control
// stays on one line.
[[nodiscard]] std::string DescribeGuiTree(const TGuiControl& Root);
