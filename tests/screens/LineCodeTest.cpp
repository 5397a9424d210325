// SPDX-License-Identifier: MIT
#include "screens/LineCode.h"

#include <gtest/gtest.h>

#include <set>

TEST(LineCode, AlphabetIsThirtyTwoDistinctUrlSafeCharacters) {
    const std::set<char> distinct(ConfigAlphabet.begin(), ConfigAlphabet.end());
    EXPECT_EQ(distinct.size(), 32u);
    for (const char c : ConfigAlphabet) {
        EXPECT_TRUE((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) << c;
    }
}

TEST(LineCode, MultiplesOfFiveRoundTripOthersGainALeadingZero) {
    for (const std::string& text : {std::string(""), std::string("12345"), std::string("true%%%%%%"),
                                   std::string("\xC2\xF3\xEB\xEA\xEE"), std::string("\0\xFF\x80 a%", 6) + "bcd3"}) {
        ASSERT_EQ(text.size() % 5, 0u);
        EXPECT_EQ(DecodeLine(EncodeLine(text)), text);
    }
    EXPECT_EQ(DecodeLine(EncodeLine("true")), std::string("\0true", 5));
    EXPECT_EQ(EncodeLine("A").size(), 2u); // 8 bits padded to 10
    // Encoding into a string that held something else leaves only the new code.
    std::string reused = "an older and much longer line";
    EncodeLineInto("12345", reused);
    EXPECT_EQ(DecodeLine(reused), "12345");
    // A lone group: five bits behind three zero bits.
    EXPECT_EQ(DecodeLine("u"), "\x1F");
    EXPECT_EQ(EncodeLine("12345").size(), 8u);
}

TEST(LineCode, CharactersOutsideTheAlphabetContributeNothing) {
    const std::string line = EncodeLine("hello");
    std::string noisy;
    for (const char c : line) {
        noisy += c;
        noisy += "!\n ";
    }
    EXPECT_EQ(DecodeLine(noisy), "hello");
}

TEST(LineCode, PercentPadding) {
    EXPECT_EQ(PadPercent("1234567", 10), "1234567%%%");
    EXPECT_EQ(PadPercent("", 10), "");
    EXPECT_EQ(PadPercent("abcde", 5), "abcde");
    EXPECT_EQ(StripPercent("Ivan%%%"), "Ivan");
    EXPECT_EQ(StripPercent("%%"), "");
}
