// SPDX-License-Identifier: MIT
#include "screens/LineCode.h"

#include <array>
#include <cstdint>

namespace {
// Position of every byte in the alphabet, -1 when it is not there.
constexpr std::array<int8_t, 256> MakeReverse() {
    std::array<int8_t, 256> table{};
    for (auto& v : table) {
        v = -1;
    }
    for (size_t i = 0; i < ConfigAlphabet.size(); ++i) {
        table[static_cast<uint8_t>(ConfigAlphabet[i])] = static_cast<int8_t>(i);
    }
    return table;
}
constexpr std::array<int8_t, 256> kReverse = MakeReverse();
static_assert(ConfigAlphabet.size() == 32);
} // namespace

std::string EncodeLine(std::string_view Text) {
    std::string out;
    EncodeLineInto(Text, out);
    return out;
}

void EncodeLineInto(std::string_view Text, std::string& Out) {
    const size_t bits = Text.size() * 8;
    const size_t padding = (5 - bits % 5) % 5;
    Out.clear();
    Out.reserve((bits + padding) / 5);
    // Walk the bit string (zeros in front, then the text's bits) five bits at a time.
    uint32_t group = 0;
    size_t inGroup = padding;
    for (const char ch : Text) {
        const auto byte = static_cast<uint8_t>(ch);
        for (int b = 7; b >= 0; --b) {
            group = (group << 1) | ((byte >> b) & 1u);
            if (++inGroup == 5) {
                Out.push_back(ConfigAlphabet[group]);
                group = 0;
                inGroup = 0;
            }
        }
    }
}

std::string DecodeLine(std::string_view Line) {
    size_t groups = 0;
    for (const char ch : Line) {
        groups += kReverse[static_cast<uint8_t>(ch)] >= 0 ? 1 : 0;
    }
    // Zero bits in front make whole bytes; the bytes come out as the groups go in, so the
    // running score decodes without a buffer of its own.
    const size_t padding = (8 - groups * 5 % 8) % 8;
    std::string out;
    out.reserve((groups * 5 + padding) / 8);
    uint32_t pending = 0;
    size_t pendingBits = padding;
    for (const char ch : Line) {
        const int8_t v = kReverse[static_cast<uint8_t>(ch)];
        if (v < 0) {
            continue;
        }
        pending = (pending << 5) | static_cast<uint32_t>(v);
        pendingBits += 5;
        if (pendingBits >= 8) {
            pendingBits -= 8;
            out.push_back(static_cast<char>((pending >> pendingBits) & 0xFFu));
            pending &= (1u << pendingBits) - 1u;
        }
    }
    return out;
}

std::string PadPercent(std::string Text, size_t Multiple) {
    while (Text.size() % Multiple != 0) {
        Text.push_back('%');
    }
    return Text;
}

std::string StripPercent(std::string Text) {
    while (!Text.empty() && Text.back() == '%') {
        Text.pop_back();
    }
    return Text;
}
