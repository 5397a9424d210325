// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

// Windows virtual-key codes the game works with.
namespace vk {
constexpr uint8_t Back = 8;
constexpr uint8_t Tab = 9;
constexpr uint8_t Return = 13;
constexpr uint8_t Shift = 16;
constexpr uint8_t Control = 17;
constexpr uint8_t Menu = 18;
constexpr uint8_t Escape = 27;
constexpr uint8_t Space = 32;
constexpr uint8_t Left = 37;
constexpr uint8_t Up = 38;
constexpr uint8_t Right = 39;
constexpr uint8_t Down = 40;
constexpr uint8_t F1 = 112;
constexpr uint8_t F11 = 122;
} // namespace vk

// The virtual-key code of a physical key (an SDL scancode), 0 for keys the game cannot know.
// Letters, digits and punctuation go by position, as Windows does for every layout of the
// Latin keyboard, so a Cyrillic layout gives the same codes.
[[nodiscard]] uint8_t VirtualKeyOfScancode(int32_t Scancode);
