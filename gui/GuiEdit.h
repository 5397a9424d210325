// SPDX-License-Identifier: MIT
#pragma once

#include "gui/GuiControl.h"

#include <string>

// A one-line text box with a blinking block caret that scrolls its text to keep the caret in
// view. With Tag 1 it is a key box: it shows the name of one control key and reserves that
// key in the main window's key sets, so no other key box can take it.
class TGuiEdit final : public TGuiControl {
public:
    explicit TGuiEdit(TGuiControl* Parent);

    [[nodiscard]] TGuiValue GetValue(uint32_t Id) const override;
    [[nodiscard]] bool SetValue(uint32_t Id, const TGuiValue& Value) override;

    [[nodiscard]] const std::string& Text() const { return Text_; }
    // Stores the text (cut to MaxLength), puts the caret at its end and raises OnChange when it
    // differs from the previous text.
    void SetText(std::string Value);
    [[nodiscard]] int32_t MaxLength() const { return MaxLength_; }
    // 0 is unlimited; a shorter limit cuts the text.
    void SetMaxLength(int32_t Value);
    [[nodiscard]] int32_t TabOrder() const { return TabOrder_; }
    // Sibling edit boxes holding the same order move up by one, in a chain.
    void SetTabOrder(int32_t Value);
    // Focuses the sibling edit box next in tab order, wrapping to the lowest.
    void FocusNextEdit();

    // The caret block before character Index, relative to the control; empty without a font.
    [[nodiscard]] TRect CaretRect(int32_t Index) const;
    [[nodiscard]] int32_t CaretPos() const { return CaretPos_; }
    void SetCaretPos(int32_t Value);
    [[nodiscard]] int32_t ScrollX() const { return ScrollX_; }
    // Clamps to the scrollable range when the font resolves.
    void SetScrollX(int32_t Value);
    // The display name of a key code ("Space", "Left", "A"), or empty.
    [[nodiscard]] static std::string KeyName(uint8_t Code);

    bool ReadOnly = false;
    int32_t TextAdjust = 0;
    int32_t BlinkTicks = 8;
    TGuiFill Selector = TGuiFill::All(0x80D67563);
    int64_t BlinkCount = 0;
    uint8_t KeyCode = 0;
    TControlEvent OnChange;

protected:
    void DoUpdate() override;
    void DoDraw() override;
    void DoMouse(TPoint Position, uint8_t Kind, uint8_t Button, TGuiShift Shift) override;
    void DoKey(uint8_t Key, uint8_t Kind, TGuiShift Shift) override;

private:
    [[nodiscard]] bool CaretOutOfView() const;
    void ShowCaretAtRight();
    void ShowCaretAtLeft();
    void KeepCaretInView();
    void Changed();
    void InsertAtCaret(const std::string& Part);
    void CutToMaxLength();
    void NormalKeyDown(uint8_t Key, TGuiShift Shift);
    void NormalKeyPress(uint8_t Char);
    void Paste();
    void PlaceCaret(TPoint Position);
    void KeyBoxKeyDown(uint8_t Key);
    void KeyBoxKeyPress(uint8_t Char);
    void GiveKeyBack();
    void ReserveKey(uint8_t Code);
    void DrawBox(bool KeyBox);

    std::string Text_;
    int32_t MaxLength_ = 0;
    int32_t TabOrder_ = 0;
    int32_t CaretPos_ = 0;
    int32_t ScrollX_ = 0;
};
