// SPDX-License-Identifier: MIT
#include "gui/GuiValue.h"

#include <gtest/gtest.h>

namespace {

struct TIntCase {
    TGuiValue Value;
    std::optional<int32_t> Expected;
};

TEST(GuiValue, IntegersFromDecimalText) {
    const TIntCase cases[] = {
        {std::string("42"), 42},
        {std::string(" -7 "), -7},
        {std::string("+3"), 3},
        {std::string(""), {}},
        {std::string("12a"), {}},
        {std::string("1.5"), {}},
        {std::string("4294967296"), {}},
        {true, 1},
        {2.5, 2},
        {int64_t{-2147483648LL}, INT32_MIN},
    };
    for (const TIntCase& c : cases) {
        EXPECT_EQ(ValueToInt32(c.Value), c.Expected) << ValueToString(c.Value);
    }
}

TEST(GuiValue, ColoursKeepTheLow32Bits) {
    EXPECT_EQ(ValueToLow32(std::string("4278190080")), 0xFF000000u);
    EXPECT_EQ(ValueToLow32(std::string("-1")), 0xFFFFFFFFu);
    EXPECT_EQ(ValueToLow32(std::string("4294967297")), 1u);
    EXPECT_FALSE(ValueToLow32(std::string("red")).has_value());
}

TEST(GuiValue, BooleansFromWordsOrNumbers) {
    const std::pair<std::string, std::optional<bool>> cases[] = {
        {"true", true}, {"False", false}, {"TRUE", true}, {"0", false}, {"-1", true}, {"yes", {}}, {"", {}},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(ValueToBool(text), expected) << text;
    }
}

} // namespace
