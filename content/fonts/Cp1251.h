// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

// The Unicode code point of a code page 1251 byte; 0 for the one unused byte (0x98).
[[nodiscard]] char32_t Cp1251ToUnicode(uint8_t Code);
