// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Types.h"

#include <string>
#include <string_view>

// The desktop around the game's window: screen size, message boxes, clipboard, files.

// The desktop's resolution, or 800x600 when the video system cannot tell.
[[nodiscard]] TPoint DesktopSize();
// A modal box with one OK button; title and text in code page 1251.
void ShowMessageBox(std::string_view Title, std::string_view Text);
// The clipboard's plain text in code page 1251 (empty when there is none).
[[nodiscard]] std::string ClipboardText();
// True when Path names an existing regular file.
[[nodiscard]] bool FileExists(const std::string& Path);
