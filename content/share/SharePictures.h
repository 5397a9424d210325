// SPDX-License-Identifier: MIT
#pragma once

#include "content/Picture.h"

// Pictures of the share screen (files, not archive images).

// Where the countdown digits go inside the waiting exit button, from its left edge.
inline constexpr int ShareWaitDialX = 164;

// 800 x 600: a farewell over deep space, thanking the player.
[[nodiscard]] TPicture DrawShareBackground();
// A glossy link or exit button with its caption; Hover lights it up.
[[nodiscard]] TPicture DrawShareButton(int Width, int Height, const char* Utf8Caption, bool Hover);
// The exit button while the countdown runs: dimmed, with a round window for the digits.
[[nodiscard]] TPicture DrawShareWaiting(int Width, int Height);
