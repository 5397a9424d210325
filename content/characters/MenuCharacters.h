// SPDX-License-Identifier: MIT
#pragma once

#include "content/Picture.h"

// "ZiboAndLirra": the captain and his friend Lirra standing together at the left of every
// menu screen. Pattern 1 is the one the menus show; pattern 0 has the captain waving.
namespace MenuCharacters {

inline constexpr int Width = 300;
inline constexpr int Height = 390;
inline constexpr int Patterns = 2;

[[nodiscard]] TPicture ZiboAndLirra(int Pattern);

} // namespace MenuCharacters
