// SPDX-License-Identifier: MIT
#include "GuiTestSupport.h"

#include "gui/GuiButton.h"
#include "gui/GuiTaskbar.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Two buttons side by side under the root, with every mouse event written to a log.
class GuiTaskbarTest : public testing::Test {
protected:
    void SetUp() override {
        root.SetBounds(0, 0, 800, 600);
        for (TGuiButton* b : {&a, &b}) {
            b->OnMouse = [this](TGuiControl& sender, TPoint, uint8_t kind, uint8_t, TGuiShift) {
                static const char* const kinds[] = {"down", "up", "move", "click", "dbl", "enter", "leave"};
                log.push_back(sender.Name + ":" + kinds[kind]);
            };
            b->OnClick = [this](TGuiControl& sender) { log.push_back(sender.Name + ":OnClick"); };
        }
    }
    std::vector<std::string> Take() { return std::exchange(log, {}); }

    TGuiTaskbar root;
    TGuiButton& a = Make("a", 0);
    TGuiButton& b = Make("b", 100);
    std::vector<std::string> log;

private:
    TGuiButton& Make(const char* name, int32_t left) {
        TGuiButton& button = root.Add<TGuiButton>();
        button.Name = name;
        button.SetBounds(left, 0, 90, 24);
        return button;
    }
};

using TLog = std::vector<std::string>;

TEST_F(GuiTaskbarTest, HoverSendsEnterBeforeAndLeaveAfterTheEvent) {
    root.WindowMouseMove(0, {10, 10});
    EXPECT_EQ(Take(), (TLog{"a:enter", "a:move"}));
    EXPECT_TRUE(a.MouseOver);
    root.WindowMouseMove(0, {110, 10});
    EXPECT_EQ(Take(), (TLog{"b:enter", "b:move", "a:leave"}));
    root.WindowMouseMove(0, {500, 500});
    EXPECT_EQ(Take(), (TLog{"b:leave"}));
    EXPECT_EQ(root.Hover, nullptr);
}

TEST_F(GuiTaskbarTest, DraggingOffAButtonKeepsEventsOnItAndClickGoesUnderTheRelease) {
    root.WindowMouseMove(0, {10, 10});
    root.WindowMouseDown(mbLeft, ssLeft, {10, 10});
    EXPECT_TRUE(a.Pressed);
    EXPECT_EQ(root.Capture, &a);
    Take();
    root.WindowMouseMove(ssLeft, {110, 10});
    root.WindowMouseUp(mbLeft, 0, {110, 10});
    EXPECT_EQ(Take(), (TLog{"a:move", "b:enter", "a:up", "a:leave"}));
    EXPECT_FALSE(a.Pressed);
    EXPECT_EQ(root.CaptureCount, 0);
    root.WindowClick();
    EXPECT_EQ(Take(), (TLog{"b:click", "b:OnClick"}));
}

TEST_F(GuiTaskbarTest, ReleaseWithoutPressLeavesCaptureCountBelowZero) {
    root.WindowMouseUp(mbLeft, 0, {10, 10});
    EXPECT_EQ(root.CaptureCount, -1);
    root.WindowMouseDown(mbLeft, ssLeft, {10, 10});
    EXPECT_EQ(root.CaptureCount, 0);
    EXPECT_EQ(root.Capture, &a);
    Take();
    // With a count of 0 the hover still follows the mouse while the button is held.
    root.WindowMouseMove(ssLeft, {110, 10});
    EXPECT_EQ(Take(), (TLog{"b:enter", "a:move", "a:leave"}));
}

TEST_F(GuiTaskbarTest, PressFocusesTheTargetAndDisabledControlsGetNothing) {
    root.WindowMouseDown(mbLeft, 0, {110, 10});
    EXPECT_TRUE(b.IsFocused());
    root.WindowMouseUp(mbLeft, 0, {110, 10});
    a.SetEnabled(false);
    Take();
    root.WindowMouseDown(mbLeft, 0, {10, 10});
    root.WindowMouseUp(mbLeft, 0, {10, 10});
    root.WindowClick();
    // Enter and leave still track the mouse; the disabled button gets no press, release or click.
    EXPECT_EQ(Take(), (TLog{"a:enter", "b:leave"}));
    EXPECT_FALSE(a.Pressed);
}

TEST_F(GuiTaskbarTest, ClickUnderAHiddenAncestorDoesNotReachTheControl) {
    TGuiButton& inner = b.Add<TGuiButton>();
    inner.SetBounds(0, 0, 20, 20);
    int clicks = 0;
    inner.OnClick = [&](TGuiControl&) { ++clicks; };
    b.SetVisible(false);
    inner.MouseEvent({105, 5}, mkClick, mbLeft, 0);
    b.SetVisible(true);
    inner.MouseEvent({105, 5}, mkClick, mbLeft, 0);
    // A click outside the control's own rectangle runs no OnClick either.
    inner.MouseEvent({300, 5}, mkClick, mbLeft, 0);
    EXPECT_EQ(clicks, 1);
}

TEST(GuiBaseInput, WindowPixelsAreScaledToGuiPointsRoundingHalvesToEven) {
    TGfxDevice device(
        [](const TDisplaySettings&) { return std::make_unique<TRecordingBackend>(1600, 1200); });
    ASSERT_TRUE(device.Initialize());
    TGuiBase gui;
    gui.SetDevice(&device);
    const std::pair<TPoint, TPoint> cases[] = {
        {{200, 100}, {100, 50}},
        {{201, 101}, {100, 50}},
        {{203, 105}, {102, 52}},
        {{1599, 0}, {800, 0}},
    };
    for (const auto& [window, expected] : cases) {
        EXPECT_EQ(gui.ToGuiPoint(window.X, window.Y), expected) << window.X;
    }
    gui.OnMouseDown(mbLeft, 0, 200, 100);
    EXPECT_EQ(gui.Root().LastPos, (TPoint{100, 50}));
    EXPECT_EQ(gui.Root().LastButton, mbLeft);
    gui.OnMouseMove(ssShift, 10, 10);
    EXPECT_EQ(gui.Root().LastButton, mbNone);
    EXPECT_EQ(gui.Root().LastShift, ssShift);
}

} // namespace
