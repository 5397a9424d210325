// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

// The game's texts (player names, countries) are single bytes of code page 1251; the pages
// and the JSON are UTF-8.
namespace Cp1251 {

// Every byte is a character a player can type: no control code and no byte the code page
// leaves undefined.
[[nodiscard]] bool IsPrintable(std::string_view Text);
// The UTF-8 form; an undefined byte becomes U+FFFD.
[[nodiscard]] std::string ToUtf8(std::string_view Text);

} // namespace Cp1251
