// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

// The game's own line encoding, used for the settings file, the running score and the online
// score text: the text's bits, most significant first, are cut into groups of five, and each
// group becomes one character of a 32-character alphabet that is safe in a URL query.
// A text whose length is a multiple of 5 decodes back exactly; any other text comes back with
// one extra character of code 0 in front.

// The 32 characters, entry 0 first.
inline constexpr std::string_view ConfigAlphabet = "Q7mK2xRb9TfWz4HcN8pLd3GvJs6YeA5u";

[[nodiscard]] std::string EncodeLine(std::string_view Text);
// The same into Out (not a view of Out itself), whose storage is reused: the running score
// changes every frame while the seconds left are counted into it.
void EncodeLineInto(std::string_view Text, std::string& Out);
// Characters outside the alphabet contribute nothing.
[[nodiscard]] std::string DecodeLine(std::string_view Line);

// Fills Text at its end with '%' until its length is a multiple of Multiple.
[[nodiscard]] std::string PadPercent(std::string Text, size_t Multiple);
// Removes every '%' at the end.
[[nodiscard]] std::string StripPercent(std::string Text);
