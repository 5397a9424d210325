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
    const size_t bits = Text.size() * 8;
    const size_t padding = (5 - bits % 5) % 5;
    std::string out;
    out.reserve((bits + padding) / 5);
    // Walk the bit string (zeros in front, then the text's bits) five bits at a time.
    uint32_t group = 0;
    size_t inGroup = padding;
    for (const char ch : Text) {
        const auto byte = static_cast<uint8_t>(ch);
        for (int b = 7; b >= 0; --b) {
            group = (group << 1) | ((byte >> b) & 1u);
            if (++inGroup == 5) {
                out.push_back(ConfigAlphabet[group]);
                group = 0;
                inGroup = 0;
            }
        }
    }
    return out;
}

std::string DecodeLine(std::string_view Line) {
    std::string bits;
    bits.reserve(Line.size() * 5);
    for (const char ch : Line) {
        const int8_t v = kReverse[static_cast<uint8_t>(ch)];
        if (v < 0) {
            continue;
        }
        for (int b = 4; b >= 0; --b) {
            bits.push_back(((v >> b) & 1) ? '1' : '0');
        }
    }
    bits.insert(0, (8 - bits.size() % 8) % 8, '0');
    std::string out;
    out.reserve(bits.size() / 8);
    for (size_t i = 0; i < bits.size(); i += 8) {
        uint32_t byte = 0;
        for (size_t j = 0; j < 8; ++j) {
            byte = (byte << 1) | (bits[i + j] == '1' ? 1u : 0u);
        }
        out.push_back(static_cast<char>(byte));
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
