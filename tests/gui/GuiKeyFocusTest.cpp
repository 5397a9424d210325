// SPDX-License-Identifier: MIT
#include "gui/GuiButton.h"
#include "gui/GuiCheckBox.h"
#include "gui/GuiEdit.h"
#include "gui/GuiForm.h"
#include "gui/GuiKeyFocus.h"
#include "gui/GuiTaskbar.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr uint16_t Tab = 9, Enter = 13, Space = 32, Left = 37, Up = 38, Down = 40;

// A form at (100, 100) with buttons laid out out of reading order in the child list:
// a row of two below a row of one, and a check box at the bottom.
class GuiKeyFocus : public testing::Test {
protected:
    GuiKeyFocus() {
        Back.SetBounds(0, 0, 800, 600);
        Back.Name = "back";
        Back.Add<TGuiButton>().Name = "behind"; // a form further back: never reached
        Form.SetBounds(100, 100, 300, 300);
        Form.Name = "form";
        AddButton("right", 150, 100);
        AddButton("left", 10, 104); // in the same row: centres 4 apart
        AddButton("top", 10, 20);
        auto& box = Form.Add<TGuiCheckBox>();
        box.Name = "box";
        box.SetBounds(10, 200, 100, 24);
        Root.OnKeyFocus = [this](TGuiControl& C) { Moves.push_back(C.Name); };
    }

    TGuiButton& AddButton(const std::string& Name, int32_t X, int32_t Y) {
        auto& b = Form.Add<TGuiButton>();
        b.Name = Name;
        b.SetBounds(X, Y, 90, 30);
        b.OnClick = [this, Name](TGuiControl&) { Clicks.push_back(Name); };
        return b;
    }

    std::string Focus() {
        TGuiControl* c = Root.KeyFocus();
        return c != nullptr ? c->Name : "";
    }

    TGuiTaskbar Root;
    TGuiForm& Form = Root.Add<TGuiForm>(); // front-most (index 0) once Back is added after it
    TGuiForm& Back = Root.Add<TGuiForm>();
    std::vector<std::string> Moves;
    std::vector<std::string> Clicks;
};

TEST_F(GuiKeyFocus, ArrowsAndTabWalkTheFrontFormInReadingOrderAndWrap) {
    EXPECT_EQ(Focus(), ""); // no ring until a key asks for it
    EXPECT_TRUE(Root.WindowKeyDown(Down, 0));
    EXPECT_EQ(Focus(), "top");
    for (const uint16_t key : {Down, Tab, Down, Down, Up, Left}) {
        EXPECT_TRUE(Root.WindowKeyDown(key, key == Left ? ssShift : 0));
    }
    EXPECT_EQ(Moves, (std::vector<std::string>{"top", "left", "right", "box", "top", "box", "right"}));
    Root.WindowKeyDown(Tab, ssShift);
    EXPECT_EQ(Focus(), "left");
}

TEST_F(GuiKeyFocus, HiddenAndDisabledControlsAreSkipped) {
    Form.FindControl("left")->SetEnabled(false);
    Form.FindControl("right")->SetVisible(false);
    Root.WindowKeyDown(Down, 0);
    Root.WindowKeyDown(Down, 0);
    EXPECT_EQ(Moves, (std::vector<std::string>{"top", "box"}));
}

TEST_F(GuiKeyFocus, EnterAndSpaceClickTheRingedControlAsTheMouseDoes) {
    EXPECT_FALSE(Root.WindowKeyDown(Enter, 0)); // without the ring Enter is the screen's
    EXPECT_TRUE(Clicks.empty());
    Root.WindowKeyDown(Down, 0);
    EXPECT_TRUE(Root.WindowKeyDown(Enter, 0));
    EXPECT_EQ(Clicks, (std::vector<std::string>{"top"}));
    for (int i = 0; i < 3; ++i) {
        Root.WindowKeyDown(Down, 0);
    }
    ASSERT_EQ(Focus(), "box");
    auto* box = dynamic_cast<TGuiCheckBox*>(Form.FindControl("box"));
    const bool before = box->Checked();
    EXPECT_TRUE(Root.WindowKeyDown(Space, 0));
    EXPECT_EQ(box->Checked(), !before);
}

TEST_F(GuiKeyFocus, AMouseMoveOrAHiddenFormTakesTheRingAway) {
    Root.WindowKeyDown(Down, 0);
    Root.WindowMouseMove(0, {5, 5});
    EXPECT_EQ(Focus(), "");
    EXPECT_FALSE(Root.WindowKeyDown(Enter, 0));
    Root.WindowKeyDown(Down, 0);
    EXPECT_EQ(Focus(), "top");
    Form.SetVisible(false);
    EXPECT_EQ(Focus(), ""); // the form behind has its own candidates, but the ring waits for a key
    Root.WindowKeyDown(Down, 0);
    EXPECT_EQ(Focus(), "behind");
}

TEST_F(GuiKeyFocus, AnEditBoxKeepsTheArrowsButTabLeavesIt) {
    auto& edit = Form.Add<TGuiEdit>();
    edit.Name = "edit";
    edit.SetBounds(10, 60, 200, 30);
    edit.SetText("abc");
    edit.SetFocus();
    EXPECT_FALSE(Root.WindowKeyDown(Left, 0));
    EXPECT_EQ(edit.CaretPos(), 2);
    EXPECT_TRUE(Root.WindowKeyDown(Tab, 0));
    EXPECT_EQ(Focus(), "top");
    Root.WindowKeyDown(Down, 0);
    EXPECT_EQ(Focus(), "edit");
    EXPECT_FALSE(Root.WindowKeyDown(Down, 0));
    EXPECT_EQ(Focus(), "edit");
}

TEST_F(GuiKeyFocus, WithoutNavigationTheKeysPassOn) {
    Root.KeyNavigation = false;
    EXPECT_FALSE(Root.WindowKeyDown(Down, 0));
    EXPECT_EQ(Focus(), "");
}

TEST(GuiKeyFocusOrder, NoShownFormMeansNoCandidates) {
    TGuiTaskbar root;
    root.Add<TGuiForm>().SetVisible(false);
    EXPECT_TRUE(KeyFocusCandidates(root).empty());
}

} // namespace
