// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The score text the game sends with "hs": "type=D|name=N|score=S|key=K|p=P|add=C|z=" and the
// difficulty digit repeated until the length is a multiple of 5, encoded with the settings
// file's line code.

// The fixed key letter the game puts after "|key=" (screens/ScoreSubmit.h holds the game's copy).
inline constexpr char ExpectedKeyLetter = 'Z';
inline constexpr size_t MaxNameLength = 10;
inline constexpr size_t MaxCountryLength = 40;
inline constexpr size_t MaxScoreDigits = 9;
// The longest encoded text a valid score can make is about 200 characters.
inline constexpr size_t MaxEncodedLength = 512;

// A submission that passed every check of its text; names in code page 1251, trimmed.
struct TScoreFields {
    int32_t Type = 0;
    std::string Name;
    int64_t Score = 0;
    std::string Ticket;
    std::string Country;
};

// The outcome of reading one text: Reason is empty when it was accepted, else a short
// key word ("bad-name", "wrong-key", ...) for the reply and the log.
struct TScoreTextResult {
    std::string Reason;
    TScoreFields Fields;
    [[nodiscard]] bool Ok() const { return Reason.empty(); }
};

// Decodes the "inf" value and checks every field and the padding.
[[nodiscard]] TScoreTextResult ReadScoreText(std::string_view Encoded);

// Removes spaces at both ends.
[[nodiscard]] std::string TrimSpaces(std::string_view Text);
