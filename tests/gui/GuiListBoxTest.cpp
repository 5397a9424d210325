// SPDX-License-Identifier: MIT
#include "GuiTestSupport.h"

#include "gui/GuiListBox.h"
#include "gui/GuiScroll.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Numbered(int Count) {
    std::vector<std::string> items;
    for (int i = 0; i < Count; ++i) {
        items.push_back("Item " + std::to_string(i));
    }
    return items;
}

TEST(GuiListBox, RowsScrollBarAndTopIndexFollowItemsAndPosition) {
    struct TCase {
        int Items;
        double Position;
        int32_t Rows;
        bool ScrollShown;
        int32_t TopIndex;
    };
    const TCase cases[] = {
        {20, 0.5, 8, true, 6}, {20, 0.0, 8, true, 0}, {20, 1.0, 8, true, 12},
        {8, 1.0, 8, false, 0}, {3, 0.5, 3, false, 0}, {0, 0.5, 0, false, 0},
    };
    for (const TCase& c : cases) {
        TGuiTaskbar root;
        TGuiListBox& list = root.Add<TGuiListBox>();
        ASSERT_EQ(list.Height(), 150);
        list.Items = Numbered(c.Items);
        list.TopIndex = 5;
        list.Scroll().Position = c.Position;
        list.UpdateLayout();
        EXPECT_EQ(list.RowCount(), c.Rows) << c.Items;
        EXPECT_EQ(list.Scroll().Visible(), c.ScrollShown) << c.Items;
        EXPECT_EQ(list.TopIndex, c.TopIndex) << c.Items << " " << c.Position;
    }
}

TEST(GuiListBox, ItemIndexOutsideTheListIsClearedAndItemsTextRoundTrips) {
    TGuiTaskbar root;
    TGuiListBox& list = root.Add<TGuiListBox>();
    list.ItemIndex = 5;
    list.UpdateLayout();
    EXPECT_EQ(list.ItemIndex, -1);
    ASSERT_TRUE(list.SetValueByName("items", std::string("one\r\ntwo\nthree\r\n")));
    EXPECT_EQ(list.Items, (std::vector<std::string>{"one", "two", "three"}));
    EXPECT_EQ(std::get<std::string>(list.GetValueByName("Items")), "one\r\ntwo\r\nthree\r\n");
    ASSERT_TRUE(list.SetValueByName("BorderColor", std::string("4278190335")));
    EXPECT_EQ(list.Scroll().BorderColor, 0xFF0000FFu);
}

class GuiListBoxMouseTest : public testing::Test {
protected:
    void SetUp() override {
        root.SetBounds(0, 0, 800, 600);
        list.Items = Numbered(20);
        list.Scroll().Position = 0.0;
        list.UpdateLayout();
        list.OnSelect = [this](TGuiControl&) { ++selects; };
    }
    TGuiTaskbar root;
    TGuiListBox& list = root.Add<TGuiListBox>();
    int selects = 0;
};

TEST_F(GuiListBoxMouseTest, HoverFollowsTheMouseAndAPressSelects) {
    root.WindowMouseMove(0, {50, 1 + 18 * 2 + 5});
    EXPECT_EQ(list.HoverIndex, 2);
    root.WindowMouseDown(mbLeft, 0, {50, 1 + 18 * 3});
    root.WindowMouseUp(mbLeft, 0, {50, 1 + 18 * 3});
    EXPECT_EQ(list.ItemIndex, 3);
    EXPECT_EQ(selects, 1);
    // Moving onto the scroll bar leaves the list.
    root.WindowMouseMove(0, {195, 60});
    EXPECT_EQ(list.HoverIndex, -1);
}

TEST_F(GuiListBoxMouseTest, ThumbDragFollowsTheMouseUntilItStraysSideways) {
    TGuiScroll& scroll = list.Scroll();
    const TRect thumb = scroll.ThumbRect();
    const int32_t length = scroll.TrackLength();
    ASSERT_EQ(length, 150 - 3 * 14 - 4);
    root.WindowMouseDown(mbLeft, 0, {thumb.Left + 2, thumb.Top + 2});
    EXPECT_TRUE(scroll.ThumbPressed);
    root.WindowMouseMove(ssLeft, {thumb.Left + 2, thumb.Top + 2 + length / 2});
    EXPECT_NEAR(scroll.Position, 0.5, 0.01);
    root.WindowMouseMove(ssLeft, {thumb.Left + 2 - 4 * 16, thumb.Top + 2 + length / 2});
    EXPECT_EQ(scroll.Position, 0.0);
    root.WindowMouseUp(mbLeft, 0, {thumb.Left, thumb.Top});
    EXPECT_FALSE(scroll.ThumbPressed);
}

TEST_F(GuiListBoxMouseTest, ButtonsAndTrackStepThePositionWithinZeroToOne) {
    TGuiScroll& scroll = list.Scroll();
    const auto press = [&](TRect r, int32_t dy = 0) {
        root.WindowMouseDown(mbLeft, 0, {r.Left + 1, r.Top + 1 + dy});
        root.WindowMouseUp(mbLeft, 0, {r.Left + 1, r.Top + 1 + dy});
        return scroll.Position;
    };
    EXPECT_NEAR(press(scroll.DownButtonRect()), 1.0 / 12, 1e-9);
    EXPECT_NEAR(press(scroll.ThumbRect(), 30), 5.0 / 12, 1e-9);
    EXPECT_NEAR(press(scroll.UpButtonRect()), 4.0 / 12, 1e-9);
    for (int i = 0; i < 5; ++i) {
        press(scroll.UpButtonRect());
    }
    EXPECT_EQ(scroll.Position, 0.0);
}

} // namespace
