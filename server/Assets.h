// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

// Pictures built into the program from the game's content generator: the game's logo and
// its icon, both PNG.
namespace Assets {
[[nodiscard]] std::string_view LogoPng();
[[nodiscard]] std::string_view IconPng();
} // namespace Assets
