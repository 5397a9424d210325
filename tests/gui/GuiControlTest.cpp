// SPDX-License-Identifier: MIT
#include "GuiTestSupport.h"

#include "gui/GuiForm.h"
#include "gui/GuiTaskbar.h"

#include <gtest/gtest.h>

namespace {

// A plain control that counts its updates and draws.
class TProbe final : public TGuiControl {
public:
    explicit TProbe(TGuiControl* Parent, TRect Bounds = RectOfSize(0, 0, 100, 100)) : TGuiControl(Parent) {
        SetBounds(Bounds);
    }
    int Updates = 0;
    int Draws = 0;

protected:
    void DoUpdate() override { ++Updates; }
    void DoDraw() override { ++Draws; }
};

TEST(GuiControl, AddRemoveAndFocusIndex) {
    TGuiTaskbar root;
    TProbe& a = root.Add<TProbe>();
    TProbe& b = root.Add<TProbe>();
    EXPECT_EQ(root.FocusIndex(), 0);
    EXPECT_EQ(root.IndexOfChild(&b), 1);
    EXPECT_EQ(root.Child(2), nullptr);
    EXPECT_EQ(root.Child(-1), nullptr);
    b.SetFocus();
    EXPECT_TRUE(b.IsFocused());
    EXPECT_FALSE(a.IsFocused());
    // Removing the focused child focuses the first visible and enabled one.
    a.SetEnabled(false);
    std::unique_ptr<TGuiControl> removed = root.RemoveChild(b);
    EXPECT_EQ(removed.get(), &b);
    EXPECT_EQ(root.FocusIndex(), -1);
    root.ClearChildren();
    EXPECT_EQ(root.ChildCount(), 0);
}

TEST(GuiControl, BringToFrontAndSendToBackKeepTheFocusNumberUnlessTheMovedOneHadIt) {
    struct TCase {
        int Moved;
        bool ToFront;
        int FocusBefore;
        int FocusAfter;
        const char* Order;
    };
    const TCase cases[] = {
        {1, true, 0, 0, "BAC"}, // A focused at 0: index 0 now designates B
        {1, true, 1, 0, "BAC"},  {2, true, 1, 1, "CAB"},  {0, false, 0, 2, "BCA"},
        {0, false, 2, 2, "BCA"}, {1, false, 0, 0, "ACB"},
    };
    for (const TCase& c : cases) {
        TGuiTaskbar root;
        for (const char* name : {"A", "B", "C"}) {
            root.Add<TProbe>().Name = name;
        }
        root.Child(c.FocusBefore)->SetFocus();
        TGuiControl* moved = root.Child(c.Moved);
        c.ToFront ? moved->BringToFront() : moved->SendToBack();
        std::string order;
        for (int i = 0; i < 3; ++i) {
            order += root.Child(i)->Name;
        }
        EXPECT_EQ(order, c.Order);
        EXPECT_EQ(root.FocusIndex(), c.FocusAfter);
    }
}

TEST(GuiControl, FocusingInsideAFormBringsTheFormToTheFront) {
    TGuiTaskbar root;
    TGuiForm& a = root.Add<TGuiForm>();
    TGuiForm& b = root.Add<TGuiForm>();
    TProbe& inner = b.Add<TProbe>();
    inner.SetFocus();
    EXPECT_EQ(root.Child(0), &b);
    EXPECT_TRUE(inner.IsFocused());
    EXPECT_FALSE(a.IsFocused());
}

TEST(GuiControl, HidingTheFocusedControlMovesFocusToTheFirstVisibleEnabled) {
    TGuiTaskbar root;
    TProbe& a = root.Add<TProbe>();
    TProbe& b = root.Add<TProbe>();
    TProbe& c = root.Add<TProbe>();
    a.SetEnabled(false);
    c.SetFocus();
    c.SetVisible(false);
    EXPECT_EQ(root.FocusIndex(), 1);
    b.SetVisible(false);
    EXPECT_EQ(root.FocusIndex(), -1);
    // Showing a control again when nothing has the focus focuses the first one that can.
    c.SetVisible(true);
    EXPECT_EQ(root.FocusIndex(), 2);
}

TEST(GuiControl, FindControlIsDepthFirstIgnoringCase) {
    TGuiTaskbar root;
    TProbe& form = root.Add<TProbe>();
    form.Name = "scr_mainmenu";
    TProbe& inside = form.Add<TProbe>();
    inside.Name = "twin";
    root.Add<TProbe>().Name = "twin";
    EXPECT_EQ(root.FindControl("SCR_MAINMENU"), &form);
    EXPECT_EQ(root.FindControl("Twin"), &inside);
    EXPECT_EQ(root.FindControl("missing"), nullptr);
}

TEST(GuiControl, ScreenAndClipRectanglesAndHitTestsIncludeEdges) {
    TGuiTaskbar root;
    root.SetBounds(0, 0, 800, 600);
    TProbe& form = root.Add<TProbe>(RectOfSize(100, 100, 200, 100));
    TProbe& front = form.Add<TProbe>(RectOfSize(10, 10, 50, 50));
    TProbe& back = form.Add<TProbe>(RectOfSize(30, 30, 50, 50));
    TProbe& outside = form.Add<TProbe>(RectOfSize(250, 0, 20, 20));
    EXPECT_EQ(front.ScreenRect(), RectOfSize(110, 110, 50, 50));
    EXPECT_EQ(front.ScreenToClient({115, 120}), (TPoint{5, 10}));
    EXPECT_TRUE(outside.ClipRect().IsEmpty());
    const std::pair<TPoint, TGuiControl*> hits[] = {
        {{140, 140}, &front},                                              // overlap: the lower index wins
        {{160, 160}, &front},                                              // right and bottom edges included
        {{170, 170}, &back},   {{300, 200}, &form}, {{355, 105}, nullptr}, // clipped away
        {{301, 100}, nullptr},
    };
    for (const auto& [point, expected] : hits) {
        EXPECT_EQ(root.ControlAt(point), expected) << point.X << "," << point.Y;
    }
    back.SetVisible(false);
    EXPECT_EQ(root.ControlAt({170, 170}), &form);
}

TEST(GuiControl, HiddenAndClippedControlsAreUpdatedButNotDrawn) {
    TGuiBase gui;
    TProbe& shown = gui.Root().Add<TProbe>();
    TProbe& hidden = gui.Root().Add<TProbe>();
    TProbe& underHidden = hidden.Add<TProbe>();
    TProbe& clipped = shown.Add<TProbe>(RectOfSize(200, 0, 10, 10));
    TProbe& clippedChild = clipped.Add<TProbe>(RectOfSize(-200, 0, 10, 10));
    hidden.SetVisible(false);
    gui.Update();
    gui.Render();
    for (const TProbe* p : {&shown, &hidden, &underHidden, &clipped, &clippedChild}) {
        EXPECT_EQ(p->Updates, 1);
    }
    EXPECT_EQ(shown.Draws, 1);
    EXPECT_EQ(hidden.Draws + underHidden.Draws + clipped.Draws + clippedChild.Draws, 0);
}

TEST(GuiControl, KeysReachTheDeepestControlOfTheFocusChain) {
    TGuiTaskbar root;
    TProbe& form = root.Add<TProbe>();
    TProbe& other = root.Add<TProbe>();
    TProbe& field = form.Add<TProbe>();
    std::vector<TGuiControl*> got;
    for (TProbe* p : {&form, &other, &field}) {
        p->OnKey = [&](TGuiControl& sender, uint8_t, uint8_t, TGuiShift) { got.push_back(&sender); };
    }
    root.WindowKeyDown(0x141, 0);
    other.SetFocus();
    root.WindowKeyPress('a');
    EXPECT_EQ(got, (std::vector<TGuiControl*>{&field, &other}));
}

// A control that notes the canvas clip rectangle it is drawn with.
class TClipProbe final : public TGuiControl {
public:
    using TGuiControl::TGuiControl;
    TRect Seen;

protected:
    void DoDraw() override { Seen = Context().GetClipRect(); }
};

class GuiRenderTest : public TGuiDrawTest {};

TEST_F(GuiRenderTest, EachControlDrawsClippedToItsParentAndTheClipIsRestored) {
    Canvas.SetClipRect({10, 20, 30, 40});
    TClipProbe& form = Gui.Root().Add<TClipProbe>();
    form.SetBounds(100, 100, 200, 100);
    TClipProbe& child = form.Add<TClipProbe>();
    child.SetBounds(150, 50, 100, 100);
    Render();
    EXPECT_EQ(form.Seen, RectOfSize(100, 100, 200, 100));
    EXPECT_EQ(child.Seen, (TRect{250, 150, 300, 200}));
    EXPECT_EQ(Canvas.GetClipRect(), (TRect{10, 20, 30, 40}));
}

TEST(GuiBase, OnlyOneMayExist) {
    TGuiBase first;
    EXPECT_THROW(TGuiBase second, std::logic_error);
}

} // namespace
