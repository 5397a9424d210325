// SPDX-License-Identifier: MIT
#include "server/ScoreText.h"

#include "screens/LineCode.h"
#include "server/Cp1251.h"

#include <array>

namespace {
constexpr size_t FieldCount = 7;
constexpr std::array<std::string_view, FieldCount> kFieldNames = {"type=", "name=", "score=", "key=",
                                                                   "p=",    "add=",  "z="};
// The bits of five text bytes make eight code characters.
constexpr size_t EncodedGroup = 8;

bool IsEncoded(std::string_view Encoded) {
    if (Encoded.empty() || Encoded.size() % EncodedGroup != 0) {
        return false;
    }
    for (const char c : Encoded) {
        if (ConfigAlphabet.find(c) == std::string_view::npos) {
            return false;
        }
    }
    return true;
}

// Cuts the text at "|" into exactly the seven fields, each without its "name=" prefix.
bool SplitFields(std::string_view Text, std::array<std::string_view, FieldCount>& Values) {
    size_t start = 0;
    for (size_t i = 0; i < FieldCount; ++i) {
        const size_t bar = i + 1 < FieldCount ? Text.find('|', start) : Text.size();
        if (bar == std::string_view::npos) {
            return false;
        }
        const std::string_view field = Text.substr(start, bar - start);
        if (!field.starts_with(kFieldNames[i])) {
            return false;
        }
        Values[i] = field.substr(kFieldNames[i].size());
        start = bar + 1;
    }
    return true;
}

bool IsDigits(std::string_view Text) {
    return !Text.empty() && Text.find_first_not_of("0123456789") == std::string_view::npos;
}

// The padding: up to four copies of the difficulty digit, bringing the length to a multiple of 5.
bool PaddingFits(std::string_view Text, std::string_view Padding, char Digit) {
    return Text.size() % 5 == 0 && Padding.size() < 5 &&
           Padding.find_first_not_of(Digit) == std::string_view::npos;
}

// Markup has no place in a name or a country: it is refused outright, whatever the pages
// would make of it.
bool HasMarkup(std::string_view Text) { return Text.find_first_of("<>") != std::string_view::npos; }

std::string CheckName(std::string_view Raw, std::string& Name) {
    Name = TrimSpaces(Raw);
    if (Name.empty() || Name.size() > MaxNameLength || !Cp1251::IsPrintable(Name) || HasMarkup(Name)) {
        return "bad-name";
    }
    return {};
}

std::string CheckCountry(std::string_view Raw, std::string& Country) {
    Country = TrimSpaces(Raw);
    if (Raw.size() > MaxCountryLength || !Cp1251::IsPrintable(Raw) || HasMarkup(Raw)) {
        return "bad-country";
    }
    return {};
}

std::string CheckFields(const std::array<std::string_view, FieldCount>& V, std::string_view Text,
                        TScoreFields& Fields) {
    if (V[0].size() != 1 || V[0][0] < '0' || V[0][0] > '2') {
        return "bad-type";
    }
    Fields.Type = V[0][0] - '0';
    if (std::string reason = CheckName(V[1], Fields.Name); !reason.empty()) {
        return reason;
    }
    if (!IsDigits(V[2]) || V[2].size() > MaxScoreDigits) {
        return "bad-score";
    }
    Fields.Score = std::stoll(std::string(V[2]));
    if (V[3].size() != 1 || V[3][0] != ExpectedKeyLetter) {
        return "wrong-key";
    }
    Fields.Ticket = std::string(V[4]);
    if (std::string reason = CheckCountry(V[5], Fields.Country); !reason.empty()) {
        return reason;
    }
    if (!PaddingFits(Text, V[6], V[0][0])) {
        return "bad-padding";
    }
    return {};
}
} // namespace

std::string TrimSpaces(std::string_view Text) {
    const size_t first = Text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    const size_t last = Text.find_last_not_of(' ');
    return std::string(Text.substr(first, last - first + 1));
}

TScoreTextResult ReadScoreText(std::string_view Encoded) {
    TScoreTextResult result;
    if (Encoded.size() > MaxEncodedLength) {
        result.Reason = "too-long";
        return result;
    }
    if (!IsEncoded(Encoded)) {
        result.Reason = "bad-encoding";
        return result;
    }
    const std::string text = DecodeLine(Encoded);
    std::array<std::string_view, FieldCount> values;
    if (!SplitFields(text, values)) {
        result.Reason = "bad-format";
        return result;
    }
    result.Reason = CheckFields(values, text, result.Fields);
    return result;
}
