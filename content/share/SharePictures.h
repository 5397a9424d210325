// SPDX-License-Identifier: MIT
#pragma once

#include "content/Picture.h"
#include "content/PictureWords.h"

#include <string>

// Pictures of the share screen (files, not archive images).

// Where the countdown digits go inside the waiting exit button, from its left edge.
inline constexpr int ShareWaitDialX = 164;

// 800 x 600: a farewell over deep space, thanking the player in the language of Words.
[[nodiscard]] TPicture DrawShareBackground(const TPictureWords& Words);
// A glossy link button (orange) or the exit button (violet) with its caption; Hover lights it up.
[[nodiscard]] TPicture DrawShareButton(int Width, int Height, const std::string& Utf8Caption, bool Exit, bool Hover);
// The exit button while the countdown runs: dimmed, with a round window for the digits.
[[nodiscard]] TPicture DrawShareWaiting(int Width, int Height, const TPictureWords& Words);
