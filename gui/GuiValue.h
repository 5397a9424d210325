// SPDX-License-Identifier: MIT
#pragma once

#include "gui/GuiTypes.h"

#include <cstdint>
#include <optional>
#include <string>

// Conversions of a property value to the type a property holds. An empty result means the
// value cannot be converted, which makes a GUI file load fail.

// Integers: numbers as they are (doubles rounded), booleans as 0 or 1, strings in decimal with
// an optional sign and surrounding spaces.
[[nodiscard]] std::optional<int64_t> ValueToInt64(const TGuiValue& Value);
// As ValueToInt64, and the result must fit a signed 32-bit integer.
[[nodiscard]] std::optional<int32_t> ValueToInt32(const TGuiValue& Value);
// Colours and drawing effects keep the low 32 bits of the 64-bit value, so an opaque colour
// may be written as its unsigned decimal value.
[[nodiscard]] std::optional<uint32_t> ValueToLow32(const TGuiValue& Value);
// Booleans: true and false in any letter case, or a number (0 false, anything else true).
[[nodiscard]] std::optional<bool> ValueToBool(const TGuiValue& Value);
// Any value as text: numbers in decimal, booleans as "True"/"False".
[[nodiscard]] std::string ValueToString(const TGuiValue& Value);
