// SPDX-License-Identifier: MIT
#include "content/share/ShareData.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string GameDir = ZIBO_GAME_DIR;

std::vector<std::string> Lines(const std::string& Text) {
    std::vector<std::string> Result;
    std::istringstream In(Text);
    std::string Line;
    while (std::getline(In, Line)) {
        if (!Line.empty() && Line.back() == '\r') {
            Line.pop_back();
        }
        Result.push_back(Line);
    }
    return Result;
}

std::vector<int> Numbers(const std::string& Line) {
    std::vector<int> Result;
    std::istringstream In(Line);
    int Value = 0;
    while (In >> Value) {
        Result.push_back(Value);
    }
    return Result;
}

// The width and height of a PNG file, from its header.
bool PngSize(const std::string& Path, int& Width, int& Height) {
    std::ifstream In(Path, std::ios::binary);
    unsigned char Head[24] = {};
    if (!In.read(reinterpret_cast<char*>(Head), sizeof Head) || Head[1] != 'P' || Head[2] != 'N' ||
        Head[3] != 'G') {
        return false;
    }
    Width = (Head[16] << 24) | (Head[17] << 16) | (Head[18] << 8) | Head[19];
    Height = (Head[20] << 24) | (Head[21] << 16) | (Head[22] << 8) | Head[23];
    return true;
}

// Reads the shipped settings file line by line, in the order the share screen does, and
// checks every file it names exists: a single missing one would skip the whole screen.
TEST(ShareData, SettingsFileNamesTwoLinksAndAnExitButton) {
    std::ifstream In(GameDir + "/wdata/config.ini", std::ios::binary);
    ASSERT_TRUE(In);
    std::stringstream Text;
    Text << In.rdbuf();
    const std::vector<std::string> L = Lines(Text.str());
    size_t At = 0;
    const auto Next = [&]() -> std::string { return At < L.size() ? L[At++] : std::string(); };
    const auto Exists = [](const std::string& Name) { return std::filesystem::exists(GameDir + "/" + Name); };

    ASSERT_EQ(Numbers(Next()), std::vector<int>{3});
    int Width = 0;
    int Height = 0;
    const std::string Background = Next();
    ASSERT_TRUE(PngSize(GameDir + "/" + Background, Width, Height)) << Background;
    EXPECT_EQ(Width, 800);
    EXPECT_EQ(Height, 600);
    for (int Button = 1; Button <= 3; ++Button) {
        SCOPED_TRACE(Button);
        EXPECT_EQ(Numbers(Next()).size(), 4u);
        const std::vector<int> Rect = Numbers(Next());
        ASSERT_EQ(Rect.size(), 4u);
        if (Button == 3) {
            EXPECT_EQ(Numbers(Next()).size(), 4u);
        }
        for (int Picture = 0; Picture < (Button == 3 ? 3 : 2); ++Picture) {
            const std::string Name = Next();
            ASSERT_TRUE(PngSize(GameDir + "/" + Name, Width, Height)) << Name;
            EXPECT_LE(Width, 256);
            EXPECT_LE(Height, 256);
            if (Picture == 0) {
                EXPECT_EQ(Width, Rect[2]);
                EXPECT_EQ(Height, Rect[3]);
            }
        }
        if (Button < 3) {
            const std::string Link = Next();
            EXPECT_TRUE(Exists(Link)) << Link;
            EXPECT_EQ(Link.substr(Link.size() - 4), ".url");
        }
    }
    const std::vector<int> Centre = Numbers(Next());
    ASSERT_EQ(Centre.size(), 2u);
    EXPECT_TRUE(Centre[0] > 0 && Centre[0] < 800 && Centre[1] > 0 && Centre[1] < 600);
    EXPECT_EQ(Numbers(Next()), std::vector<int>{5});
    EXPECT_EQ(Numbers(Next()).size(), 3u);
    EXPECT_EQ(Next(), "TRUE");
    const std::vector<int> Digit = Numbers(Next());
    ASSERT_EQ(Digit.size(), 1u);
    EXPECT_GT(Digit[0], 0);
    EXPECT_EQ(At, L.size());
    EXPECT_TRUE(Exists("website.url"));
    // Every number line is single-spaced: the share screen reads a doubled space as a bad number.
    EXPECT_EQ(Text.str().find("  "), std::string::npos);
}

// The colour line lists blue, green and red, in that order.
TEST(ShareData, CountdownColourIsWrittenBlueFirst) {
    TShareLayout Layout = GameShareLayout();
    Layout.Red = 10;
    Layout.Green = 20;
    Layout.Blue = 30;
    const std::vector<std::string> L = Lines(ShareConfigText(Layout));
    ASSERT_GE(L.size(), 3u);
    EXPECT_EQ(L[L.size() - 3], "30 20 10");
}

} // namespace
