// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

// Name lookups throughout the game lower-case the ASCII letters A to Z only and compare
// the results exactly.
[[nodiscard]] std::string LowerAscii(std::string_view Text);
[[nodiscard]] bool SameName(std::string_view A, std::string_view B);

// The game's texts are single-byte code page 1251 inside; conversion happens only at the
// platform's edge (window caption, typed text, clipboard, message boxes, trace output).
[[nodiscard]] std::string Cp1251ToUtf8(std::string_view Text);
// Characters that code page 1251 cannot hold become '?'.
[[nodiscard]] std::string Utf8ToCp1251(std::string_view Text);
// Characters that code page 1251 cannot hold are left out (typed and pasted text: the game can
// store only what its code page holds, and a '?' in a name is no letter the player typed).
[[nodiscard]] std::string Utf8ToCp1251Dropping(std::string_view Text);

// Marks a (UTF-8) text for the message catalogues' template where it is written, without
// translating it there; the game translates it where it is shown.
constexpr const char* N_(const char* Text) { return Text; }
