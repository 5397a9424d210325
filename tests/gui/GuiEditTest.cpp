// SPDX-License-Identifier: MIT
#include "GuiTestSupport.h"

#include "gui/GuiEdit.h"
#include "gui/GuiForm.h"

#include <gtest/gtest.h>

namespace {

constexpr uint8_t VkBack = 8, VkDelete = 46, VkEnd = 35, VkHome = 36, VkLeft = 37, VkRight = 39, VkSpace = 32;

class GuiEditTest : public testing::Test {
protected:
    TGuiEdit& NewEdit(TGuiControl& Parent, const std::string& Text = {}) {
        TGuiEdit& edit = Parent.Add<TGuiEdit>();
        edit.SetText(Text);
        edit.OnChange = [this](TGuiControl&) { ++changes; };
        return edit;
    }
    void Keys(TGuiEdit& Edit, const std::vector<uint8_t>& Codes) {
        for (const uint8_t c : Codes) {
            Edit.KeyEvent(c, kkDown, 0);
        }
    }
    void Type(TGuiEdit& Edit, const std::string& Text) {
        for (const char c : Text) {
            Edit.KeyEvent(static_cast<uint8_t>(c), kkPress, 0);
        }
    }

    TGuiBase gui;
    TGuiForm& form = gui.Root().Add<TGuiForm>();
    int changes = 0;
};

TEST_F(GuiEditTest, EditingKeysMoveTheCaretAndChangeTheText) {
    struct TCase {
        const char* Text;
        std::vector<uint8_t> Keys;
        const char* Typed;
        const char* Expected;
        int32_t Caret;
    };
    const TCase cases[] = {
        {"abc", {VkBack}, "", "ab", 2},
        {"abc", {VkHome, VkBack}, "", "abc", 0}, // Backspace at the start deletes nothing
        {"abc", {VkDelete}, "", "abc", 3},       // Delete at the end deletes nothing
        {"abc", {VkHome, VkDelete}, "", "bc", 0},
        {"abc", {VkLeft, VkLeft}, "X", "aXbc", 2},
        {"abc", {VkHome, VkRight, VkEnd, VkRight}, "!", "abc!", 4},
        {"", {VkLeft}, "hi", "hi", 2},
        {"ab", {}, "\x01\x1f", "ab", 2}, // control characters are not typed
    };
    for (const TCase& c : cases) {
        TGuiEdit& edit = NewEdit(form, c.Text);
        Keys(edit, c.Keys);
        Type(edit, c.Typed);
        EXPECT_EQ(edit.Text(), c.Expected) << c.Text;
        EXPECT_EQ(edit.CaretPos(), c.Caret) << c.Text;
    }
}

TEST_F(GuiEditTest, MaxLengthLimitsTypingPastingAndSetting) {
    gui.Context().ClipboardText = [] { return std::string("  0123456789abcdefghij\t\r\n"); };
    TGuiEdit& edit = NewEdit(form);
    edit.SetMaxLength(8);
    Type(edit, "12345678");
    Type(edit, "9");
    EXPECT_EQ(edit.Text(), "12345678");
    edit.SetText({});
    edit.KeyEvent('V', kkDown, ssCtrl);
    EXPECT_EQ(edit.Text(), "01234567");
    EXPECT_EQ(edit.CaretPos(), 8);
    edit.SetMaxLength(3);
    EXPECT_EQ(edit.Text(), "012");
    EXPECT_EQ(edit.CaretPos(), 3);
    edit.SetText("abcdef");
    EXPECT_EQ(edit.Text(), "abc");
}

TEST_F(GuiEditTest, PasteInsertsCleanedTextAtTheCaretAndReadOnlyIgnoresEditing) {
    gui.Context().ClipboardText = [] { return std::string(" x\ty\n "); };
    TGuiEdit& edit = NewEdit(form, "ab");
    Keys(edit, {VkLeft});
    edit.KeyEvent('V', kkDown, ssCtrl);
    EXPECT_EQ(edit.Text(), "axyb");
    EXPECT_EQ(edit.CaretPos(), 3);
    edit.KeyEvent('V', kkDown, 0);
    EXPECT_EQ(edit.Text(), "axyb");
    edit.ReadOnly = true;
    changes = 0;
    Keys(edit, {VkBack, VkDelete});
    Type(edit, "q");
    edit.KeyEvent('V', kkDown, ssCtrl);
    EXPECT_EQ(edit.Text(), "axyb");
    EXPECT_EQ(changes, 0);
}

TEST_F(GuiEditTest, SetTextRaisesOnChangeOnlyForANewText) {
    TGuiEdit& edit = NewEdit(form, "same");
    changes = 0;
    edit.SetText("same");
    edit.SetText("other");
    EXPECT_EQ(changes, 1);
}

TEST_F(GuiEditTest, TabCyclesThroughSiblingEditBoxesInTabOrder) {
    TGuiEdit& a = NewEdit(form);
    TGuiEdit& b = NewEdit(form);
    TGuiEdit& c = NewEdit(form);
    EXPECT_EQ(c.TabOrder(), 2);
    b.SetTabOrder(5);
    a.SetFocus();
    const std::vector<TGuiEdit*> expected = {&c, &b, &a, &c};
    for (TGuiEdit* next : expected) {
        gui.Root().WindowKeyPress('\t');
        EXPECT_TRUE(next->IsFocused()) << next->TabOrder();
    }
}

TEST_F(GuiEditTest, KeyBoxReservesTheKeyAndGivesItBackWhenCleared) {
    TGuiEdit& first = NewEdit(form);
    TGuiEdit& keyBox = NewEdit(form);
    TGuiEdit& otherBox = NewEdit(form);
    for (TGuiEdit* box : {&keyBox, &otherBox}) {
        box->Tag = std::string("1");
    }
    TGuiCharSet& editKeys = *gui.Context().EditKeys;
    keyBox.SetFocus();
    keyBox.KeyEvent(VkSpace, kkDown, 0);
    EXPECT_EQ(keyBox.Text(), "Space");
    EXPECT_EQ(keyBox.KeyCode, VkSpace);
    EXPECT_FALSE(editKeys.test(VkSpace));
    // The form's focus has moved on to its first control.
    EXPECT_TRUE(first.IsFocused());
    otherBox.KeyEvent(VkSpace, kkDown, 0);
    EXPECT_EQ(otherBox.Text(), "");
    // A click clears the box and gives Space back.
    keyBox.MouseEvent({keyBox.ScreenRect().Left + 1, keyBox.ScreenRect().Top + 1}, mkDown, mbLeft, 0);
    EXPECT_EQ(keyBox.Text(), "");
    EXPECT_TRUE(editKeys.test(VkSpace));
    // Left unfocused without a new key, it shows and reserves Space again when drawn.
    first.SetFocus();
    gui.Render();
    EXPECT_EQ(keyBox.Text(), "Space");
    EXPECT_FALSE(editKeys.test(VkSpace));
}

TEST_F(GuiEditTest, KeyBoxTakesTypeableCharactersUpperCased) {
    TGuiEdit& keyBox = NewEdit(form);
    keyBox.Tag = int64_t{1};
    TGuiCharSet& typeable = *gui.Context().TypeableChars;
    keyBox.KeyEvent('w', kkPress, 0);
    EXPECT_EQ(keyBox.Text(), "W");
    EXPECT_EQ(keyBox.KeyCode, 'W');
    EXPECT_FALSE(typeable.test('W'));
    keyBox.KeyEvent('!', kkPress, 0);
    EXPECT_EQ(keyBox.Text(), "W");
    keyBox.MouseEvent({keyBox.ScreenRect().Left, keyBox.ScreenRect().Top}, mkDown, mbLeft, 0);
    EXPECT_TRUE(typeable.test('W'));
}

TEST(GuiEditKeyName, NamesKeysAndTypeableCharacters) {
    const std::pair<uint8_t, const char*> cases[] = {
        {9, "Tab"}, {32, "Space"}, {34, "PageDown"}, {46, "Delete"},
        {'A', "A"}, {'`', "`"},    {'a', ""},        {13, ""},
    };
    for (const auto& [code, name] : cases) {
        EXPECT_EQ(TGuiEdit::KeyName(code), name) << int(code);
    }
}

class GuiEditDrawTest : public TGuiDrawTest {};

TEST_F(GuiEditDrawTest, CaretBlocksAndScrollingFollowTheFont) {
    TGuiEdit& edit = Gui.Root().Add<TGuiEdit>();
    edit.SetBounds(0, 0, 100, 20);
    EXPECT_EQ(edit.CaretRect(0), (TRect{2, 2, 12, 18}));
    edit.SetText("abc");
    // A block over the character after the caret, or half the height wide at the end.
    EXPECT_EQ(edit.CaretRect(1), (TRect{9, 2, 16, 18}));
    EXPECT_EQ(edit.CaretRect(3), (TRect{23, 2, 33, 18}));
    EXPECT_EQ(edit.ScrollX(), 0);
    edit.SetText(std::string(20, 'x'));
    // 140 wide text: the caret at the end is scrolled to the right edge.
    EXPECT_EQ(edit.ScrollX(), 54);
    edit.KeyEvent(VkHome, kkDown, 0);
    EXPECT_EQ(edit.ScrollX(), 0);
    // A click in the right half of the box places the caret under it.
    edit.MouseEvent({52, 10}, mkDown, mbLeft, 0);
    EXPECT_EQ(edit.CaretPos(), 7);
}

TEST_F(GuiEditDrawTest, CaretBlinksUnlessBlinkTicksIsZero) {
    TGuiEdit& edit = Gui.Root().Add<TGuiEdit>();
    edit.SetFocus();
    const auto caretDrawn = [&] {
        for (const auto& batch : Render()) {
            for (const TVertex& v : batch.Vertices) {
                // The selector colour 0x80D67563 in the device's channel order.
                if (v.Color == 0x806375D6u) {
                    return true;
                }
            }
        }
        return false;
    };
    const std::pair<int32_t, std::vector<bool>> cases[] = {{8, {true, true, false, true}},
                                                           {0, {true, true, true, true}}};
    for (const auto& [ticks, expected] : cases) {
        edit.BlinkTicks = ticks;
        std::vector<bool> shown;
        for (const int64_t count : {0, 7, 8, 16}) {
            edit.BlinkCount = count;
            shown.push_back(caretDrawn());
        }
        EXPECT_EQ(shown, expected) << ticks;
    }
}

} // namespace
