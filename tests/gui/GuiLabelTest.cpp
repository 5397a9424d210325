// SPDX-License-Identifier: MIT
#include "GuiTestSupport.h"

#include "gui/GuiLabel.h"

#include <gtest/gtest.h>

namespace {

TEST(GuiLabel, WordsSplitAtSpacesReturnsAndBackspacesButNotLineFeeds) {
    EXPECT_EQ(TGuiLabel::SplitWords("  one two\r\nthree\bfour  "),
              (std::vector<std::string>{"one", "two", "\nthree", "four"}));
    EXPECT_EQ(TGuiLabel::SplitWords("left\nright"), (std::vector<std::string>{"left\nright"}));
    EXPECT_TRUE(TGuiLabel::SplitWords(" \r ").empty());
}

// A label's words are split again into the strings it already has: longer and shorter texts
// than before leave exactly the new words.
TEST(GuiLabel, WordsSplitIntoTheOldOnesLeaveOnlyTheNewWords) {
    struct TCase {
        std::string_view Text;
        std::vector<std::string> Words;
    };
    const TCase cases[] = {{"one two three", {"one", "two", "three"}},
                           {"a much longer first-word", {"a", "much", "longer", "first-word"}},
                           {"x", {"x"}},
                           {"", {}},
                           {"7 8", {"7", "8"}}};
    std::vector<std::string> words;
    for (const TCase& c : cases) {
        TGuiLabel::SplitWordsInto(c.Text, words);
        EXPECT_EQ(words, c.Words) << c.Text;
    }
}

TEST(GuiLabel, LineFillingPlacesWordsThatFitAndStopsAfterALineFeedWord) {
    struct TCase {
        std::vector<std::string> Words;
        std::vector<double> Widths;
        size_t First;
        double Avail;
        size_t Count;
        bool Feed;
        bool Last;
    };
    // Spaces are 5 wide; every word but the last of the text counts a space after it.
    const TCase cases[] = {
        {{"aa", "bb", "cc"}, {10, 10, 10}, 0, 100, 3, false, true},
        {{"aa", "bb", "cc"}, {10, 10, 10}, 0, 30, 1, false, false}, // 15 + 15 = 30 is not below 30
        {{"aa", "bb", "cc"}, {10, 10, 10}, 1, 31, 2, false, true},
        {{"aa", "b\nb", "cc"}, {10, 10, 10}, 0, 100, 2, true, false},
        {{"a\na", "bb"}, {10, 10}, 0, 100, 2, false, true}, // first on its line: no break
        {{"wide", "x"}, {200, 5}, 0, 100, 0, false, false},
    };
    for (const TCase& c : cases) {
        const TGuiLabel::TLine line = TGuiLabel::FillLine(c.Words, c.Widths, 5.0, c.First, c.Avail);
        EXPECT_EQ(line.Count, c.Count) << c.Words[0] << " " << c.Avail;
        EXPECT_EQ(line.EndedByLineFeed, c.Feed) << c.Words[0];
        EXPECT_EQ(line.Last, c.Last) << c.Words[0] << " " << c.Avail;
    }
}

TEST(GuiLabel, ProgressiveTypingRevealsACharacterEveryShowDelayFrames) {
    TGuiTaskbar root;
    TGuiLabel& label = root.Add<TGuiLabel>();
    label.SetProgressive(true);
    label.SetText("ab cd");
    EXPECT_TRUE(label.Words.empty());
    std::vector<size_t> wordCounts;
    for (int frame = 0; frame < 8; ++frame) {
        root.UpdateTree();
        wordCounts.push_back(label.Words.size());
    }
    EXPECT_EQ(wordCounts, (std::vector<size_t>{0, 1, 1, 1, 1, 1, 1, 2}));
    EXPECT_EQ(label.VisibleChars, 4);
    label.SetText("new");
    EXPECT_EQ(label.VisibleChars, 0);
    EXPECT_TRUE(label.Words.empty());
}

class GuiLabelDrawTest : public TGuiDrawTest {
protected:
    TGuiLabel& NewLabel(int32_t Alignment, bool Wrap, const std::string& Text) {
        TGuiLabel& label = Gui.Root().Add<TGuiLabel>();
        label.SetBounds(0, 0, 100, 40);
        label.Alignment = Alignment;
        label.WordWrap = Wrap;
        label.SetText(Text);
        return label;
    }
};

TEST_F(GuiLabelDrawTest, SingleLineAlignments) {
    const std::pair<int32_t, float> cases[] = {{0, 4}, {1, 100 - 21 - 4}, {2, (100 - 21) / 2}};
    for (const auto& [alignment, x] : cases) {
        NewLabel(alignment, false, "abc");
        EXPECT_EQ(GlyphLefts().front(), x) << alignment;
        Gui.Root().ClearChildren();
    }
    NewLabel(9, false, "abc");
    EXPECT_TRUE(GlyphLefts().empty());
}

TEST_F(GuiLabelDrawTest, JustifiedWordsSpreadOverTheWidth) {
    NewLabel(3, false, "ab cd ef");
    // Three words of 14 over 92 points: gaps of (92 - 42) / 2 = 25.
    const std::vector<float> lefts = GlyphLefts();
    ASSERT_EQ(lefts.size(), 6u);
    EXPECT_EQ(lefts[0], 4);
    EXPECT_EQ(lefts[2], 4 + 14 + 25);
    EXPECT_EQ(lefts[4], 4 + 2 * (14 + 25));
}

TEST_F(GuiLabelDrawTest, WrappedJustifiedLabelLeavesTheLastLineAndLineFeedLinesLeftAligned) {
    // 100 wide: "aaaa" is 28 and a space 7, so two words fill a line (3 * 35 would not fit).
    TGuiLabel& label = NewLabel(3, true, "aaaa bbbb cccc dd\nee ff");
    label.SetBounds(0, 0, 100, 100);
    const std::vector<std::pair<float, float>> starts = GlyphCorners();
    // "aaaa" "bbbb", then "cccc dd\nee" (the line feed has no glyph), then "ff".
    ASSERT_EQ(starts.size(), 8u + 9 + 2);
    // Line 1 "aaaa bbbb" justified: 2 words of 28 over 92, gap 36.
    EXPECT_EQ(starts[4], (std::pair<float, float>{4 + 28 + 36, 0}));
    // Line 2 "cccc dd\nee" ends with the line feed word: left aligned, one line down.
    EXPECT_EQ(starts[8], (std::pair<float, float>{4, 12}));
    // Line 3 "ff" is the last line: left aligned.
    EXPECT_EQ(starts.back().second, 24);
    EXPECT_EQ(starts[starts.size() - 2].first, 4);
}

} // namespace
