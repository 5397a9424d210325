// SPDX-License-Identifier: MIT
#include "gui/GuiEdit.h"

#include "gui/GuiContext.h"
#include "gui/GuiValue.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr uint32_t Id = TGuiControl::IdOwn;
constexpr uint32_t IdText = Id + 0;
constexpr uint32_t IdMaxLength = Id + 5;
constexpr uint32_t IdTabOrder = Id + 6;
constexpr TGuiPropertyInfo EditProperties[] = {
    {"Text", pkString, Id + 0, "The initial text"},
    {"ReadOnly", pkBoolean, Id + 1, "Whether the text can be edited by user"},
    {"TextAdjust", pkInteger, Id + 2, "The vertical adjustment of visible text"},
    {"BlinkTicks", pkInteger, Id + 3, "The interval at which the selector blinks"},
    {"Selector", pkFill, Id + 4, "The visible style of text selector"},
    {"MaxLength", pkInteger, Id + 5, "The maximum length of editable text"},
    {"TabOrder", pkInteger, Id + 6, "The order in which this control is selected by TAB key"},
};

constexpr uint8_t VkBack = 8;
constexpr uint8_t VkTab = 9;
constexpr uint8_t VkEnd = 35;
constexpr uint8_t VkHome = 36;
constexpr uint8_t VkLeft = 37;
constexpr uint8_t VkRight = 39;
constexpr uint8_t VkDelete = 46;
constexpr uint8_t VkV = 86;

struct TKeyNameRow {
    uint8_t Code;
    const char* Name;
};
constexpr TKeyNameRow KeyNames[] = {
    {9, "Tab"},       {16, "Shift"}, {17, "Ctrl"},   {32, "Space"},  {33, "PageUp"},
    {34, "PageDown"}, {35, "End"},   {36, "Home"},   {37, "Left"},   {38, "Up"},
    {39, "Right"},    {40, "Down"},  {45, "Insert"}, {46, "Delete"},
};

uint8_t UpperAscii(uint8_t C) {
    return C >= 'a' && C <= 'z' ? static_cast<uint8_t>(C - 'a' + 'A') : C;
}

bool IsEditKeyCode(uint8_t Code) {
    return TGuiContext::DefaultEditKeys().test(Code);
}

int32_t Length(const std::string& Text) {
    return static_cast<int32_t>(std::min<size_t>(Text.size(), std::numeric_limits<int32_t>::max()));
}

// Trimmed of spaces and control characters at both ends, then without any character below 32.
std::string CleanPaste(const std::string& Text) {
    size_t first = 0, last = Text.size();
    while (first < last && static_cast<uint8_t>(Text[first]) <= 32) {
        ++first;
    }
    while (last > first && static_cast<uint8_t>(Text[last - 1]) <= 32) {
        --last;
    }
    std::string result;
    for (size_t i = first; i < last; ++i) {
        if (static_cast<uint8_t>(Text[i]) >= 32) {
            result += Text[i];
        }
    }
    return result;
}

} // namespace

TGuiEdit::TGuiEdit(TGuiControl* Parent) : TGuiControl(Parent) {
    SetTypeName("TGuiEdit", "TGuiEdit is a simple box with editable text.");
    AddStandardProperty("Bkgrnd");
    AddStandardProperty("Border");
    AddStandardProperty("Font");
    AddStandardProperty("DisabledFont");
    AddProperties(EditProperties);
    Bind(Id + 1, &ReadOnly);
    Bind(Id + 2, TGuiOffset{&TextAdjust});
    Bind(Id + 3, &BlinkTicks);
    Bind(Id + 4, &Selector);
    SetBounds(0, 0, 100, 20);
    Bkgrnd = TGuiFill(0xFFF3E7E4, 0xFFF5E4DF, 0xFFFFF3EF, 0xFFFFFFFF);
    Border = TGuiFill::All(0xFFB99D7F);
    Selected = TGuiFill(0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFD5D5, 0xFFFFD5D5, false);
    Font = TGuiFont(0xFFC56A31, 0xFFC56A31);
    DisabledFont = TGuiFont(0xFF5F6B70, 0xFF5F6B70);
    // A new box goes after the edit boxes already beside it.
    for (const TGuiEdit* sibling : SiblingsOf<TGuiEdit>()) {
        if (sibling->TabOrder_ < std::numeric_limits<int32_t>::max()) {
            TabOrder_ = std::max(TabOrder_, sibling->TabOrder_ + 1);
        }
    }
}

TGuiValue TGuiEdit::GetValue(uint32_t Id) const {
    switch (Id) {
    case IdText:
        return Text_;
    case IdMaxLength:
        return int64_t{MaxLength_};
    case IdTabOrder:
        return int64_t{TabOrder_};
    default:
        return TGuiControl::GetValue(Id);
    }
}

bool TGuiEdit::SetValue(uint32_t Id, const TGuiValue& Value) {
    if (Id == IdText) {
        SetText(ValueToString(Value));
        return true;
    }
    if (Id == IdMaxLength || Id == IdTabOrder) {
        const auto v = ValueToInt32(Value);
        if (v) {
            Id == IdMaxLength ? SetMaxLength(*v) : SetTabOrder(*v);
        }
        return v.has_value();
    }
    return TGuiControl::SetValue(Id, Value);
}

void TGuiEdit::SetText(std::string Value) {
    const std::string previous = std::move(Text_);
    Text_ = std::move(Value);
    CutToMaxLength();
    CaretPos_ = Length(Text_);
    KeepCaretInView();
    if (Text_ != previous) {
        Changed();
    }
}

void TGuiEdit::CutToMaxLength() {
    if (MaxLength_ > 0 && Length(Text_) > MaxLength_) {
        Text_.resize(static_cast<size_t>(MaxLength_));
    }
}

void TGuiEdit::SetMaxLength(int32_t Value) {
    MaxLength_ = Value;
    CutToMaxLength();
    CaretPos_ = std::min(CaretPos_, Length(Text_));
}

void TGuiEdit::SetTabOrder(int32_t Value) {
    TabOrder_ = Value;
    if (Value == std::numeric_limits<int32_t>::max()) {
        return;
    }
    for (TGuiEdit* sibling : SiblingsOf<TGuiEdit>()) {
        if (sibling->TabOrder_ == Value) {
            sibling->SetTabOrder(Value + 1);
        }
    }
}

void TGuiEdit::FocusNextEdit() {
    TGuiEdit* next = nullptr;
    TGuiEdit* lowest = this;
    for (TGuiEdit* sibling : SiblingsOf<TGuiEdit>()) {
        if (sibling->TabOrder_ > TabOrder_ && (next == nullptr || sibling->TabOrder_ < next->TabOrder_)) {
            next = sibling;
        }
        if (sibling->TabOrder_ < lowest->TabOrder_) {
            lowest = sibling;
        }
    }
    (next != nullptr ? next : lowest)->SetFocus();
}

TRect TGuiEdit::CaretRect(int32_t Index) const {
    const TGfxFont* font = Font.Resolve();
    if (font == nullptr) {
        return {};
    }
    const auto i = static_cast<size_t>(std::clamp(Index, 0, Length(Text_)));
    TRect r;
    r.Left = RoundCoordinate(TGuiFont::TextWidth(*font, Text_.substr(0, i))) + 2;
    if (i < Text_.size()) {
        r.Right = RoundCoordinate(TGuiFont::TextWidth(*font, Text_.substr(0, i + 1)) - Font.Interleave) + 2;
    } else {
        r.Right = r.Left + Height() / 2;
    }
    r.Top = 2;
    r.Bottom = Height() - 2;
    return r;
}

void TGuiEdit::SetCaretPos(int32_t Value) {
    CaretPos_ = std::clamp(Value, 0, Length(Text_));
}

void TGuiEdit::SetScrollX(int32_t Value) {
    ScrollX_ = Value;
    const TGfxFont* font = Font.Resolve();
    if (font == nullptr) {
        return;
    }
    const int32_t most = RoundCoordinate(TGuiFont::TextWidth(*font, Text_)) + Height() / 2 + 4 - Width();
    ScrollX_ = std::max(std::min(ScrollX_, most), 0);
}

std::string TGuiEdit::KeyName(uint8_t Code) {
    for (const TKeyNameRow& row : KeyNames) {
        if (row.Code == Code) {
            return row.Name;
        }
    }
    if (TGuiContext::DefaultTypeableChars().test(Code)) {
        return std::string(1, static_cast<char>(UpperAscii(Code)));
    }
    return {};
}

bool TGuiEdit::CaretOutOfView() const {
    const TRect screen = ScreenRect();
    const TRect caret = CaretRect(CaretPos_).Moved(screen.Left - ScrollX_, screen.Top);
    const TRect shown = caret.Intersect(screen);
    return std::max(shown.Width(), 0) < caret.Width();
}

void TGuiEdit::ShowCaretAtRight() {
    SetScrollX(CaretRect(CaretPos_).Right - Width() + 2);
}

void TGuiEdit::ShowCaretAtLeft() {
    SetScrollX(CaretRect(CaretPos_).Left - 2);
}

void TGuiEdit::KeepCaretInView() {
    if (CaretOutOfView()) {
        ShowCaretAtRight();
    }
}

void TGuiEdit::Changed() {
    if (OnChange) {
        OnChange(*this);
    }
}

void TGuiEdit::InsertAtCaret(const std::string& Part) {
    CaretPos_ = std::clamp(CaretPos_, 0, Length(Text_));
    Text_.insert(static_cast<size_t>(CaretPos_), Part);
    CaretPos_ =
        static_cast<int32_t>(std::min<size_t>(static_cast<size_t>(CaretPos_) + Part.size(), Text_.size()));
}

void TGuiEdit::DoUpdate() {
    ++BlinkCount;
}

void TGuiEdit::DoKey(uint8_t Key, uint8_t Kind, TGuiShift Shift) {
    const int64_t tag = TagNumber();
    if (tag == 0) {
        if (Kind == kkDown) {
            NormalKeyDown(Key, Shift);
        } else if (Kind == kkPress) {
            NormalKeyPress(Key);
        }
    } else if (tag == 1) {
        if (Kind == kkDown) {
            KeyBoxKeyDown(Key);
        } else if (Kind == kkPress) {
            KeyBoxKeyPress(Key);
        }
    }
}

void TGuiEdit::NormalKeyDown(uint8_t Key, TGuiShift Shift) {
    CaretPos_ = std::clamp(CaretPos_, 0, Length(Text_));
    const auto caret = static_cast<size_t>(CaretPos_);
    if (Key == VkBack && !ReadOnly) {
        if (caret > 0) {
            Text_.erase(caret - 1, 1);
            --CaretPos_;
        }
        KeepCaretInView();
        Changed();
    } else if (Key == VkDelete && !ReadOnly) {
        if (caret < Text_.size()) {
            Text_.erase(caret, 1);
        }
        Changed();
    } else if (Key == VkEnd) {
        CaretPos_ = Length(Text_);
        KeepCaretInView();
    } else if (Key == VkHome || Key == VkLeft) {
        CaretPos_ = Key == VkHome ? 0 : std::max(CaretPos_ - 1, 0);
        if (CaretOutOfView()) {
            ShowCaretAtLeft();
        }
    } else if (Key == VkRight) {
        CaretPos_ = std::min(CaretPos_ + 1, Length(Text_));
        KeepCaretInView();
    } else if (Key == VkV && (Shift & ssCtrl) != 0 && !ReadOnly) {
        Paste();
    }
}

void TGuiEdit::Paste() {
    const TGuiContext& context = Context();
    const std::string clip = context.ClipboardText ? CleanPaste(context.ClipboardText()) : std::string();
    InsertAtCaret(clip);
    CutToMaxLength();
    CaretPos_ = std::min(CaretPos_, Length(Text_));
    KeepCaretInView();
    Changed();
}

void TGuiEdit::NormalKeyPress(uint8_t Char) {
    if (ReadOnly) {
        return;
    }
    if (Char == VkTab) {
        FocusNextEdit();
        return;
    }
    if (Char < 32 || (MaxLength_ > 0 && Length(Text_) >= MaxLength_)) {
        return;
    }
    InsertAtCaret(std::string(1, static_cast<char>(Char)));
    KeepCaretInView();
    Changed();
}

void TGuiEdit::DoMouse(TPoint Position, uint8_t Kind, uint8_t Button, TGuiShift) {
    if (Kind != mkDown || Button != mbLeft) {
        return;
    }
    const int64_t tag = TagNumber();
    if (tag == 0) {
        PlaceCaret(Position);
    } else if (tag == 1) {
        GiveKeyBack();
        SetText({});
    }
}

void TGuiEdit::PlaceCaret(TPoint Position) {
    const TPoint p = ScreenToClient(Position);
    CaretPos_ = Length(Text_);
    for (int32_t i = 0; i <= Length(Text_); ++i) {
        if (CaretRect(i).Moved(-ScrollX_, 0).ContainsInclusive(p)) {
            CaretPos_ = i;
            break;
        }
    }
    if (CaretOutOfView()) {
        p.X < Width() / 2 ? ShowCaretAtLeft() : ShowCaretAtRight();
    }
}

void TGuiEdit::ReserveKey(uint8_t Code) {
    const TGuiContext& context = Context();
    if (IsEditKeyCode(Code)) {
        context.EditKeys->reset(Code);
    } else {
        context.TypeableChars->reset(UpperAscii(Code));
    }
}

void TGuiEdit::KeyBoxKeyDown(uint8_t Key) {
    if (!Context().EditKeys->test(Key)) {
        return;
    }
    InsertAtCaret(KeyName(Key));
    KeyCode = Key;
    Context().EditKeys->reset(Key);
    // Hiding and showing again passes the parent's focus on to its first control.
    DoHide();
    DoShow();
}

void TGuiEdit::KeyBoxKeyPress(uint8_t Char) {
    const uint8_t upper = UpperAscii(Char);
    if (ReadOnly || !Context().TypeableChars->test(upper)) {
        return;
    }
    InsertAtCaret(std::string(1, static_cast<char>(upper)));
    Changed();
    Context().TypeableChars->reset(upper);
    KeyCode = upper;
    DoHide();
    DoShow();
}

void TGuiEdit::GiveKeyBack() {
    const TGuiContext& context = Context();
    if (IsEditKeyCode(KeyCode)) {
        context.EditKeys->set(KeyCode);
    } else if (TGuiContext::DefaultTypeableChars().test(UpperAscii(KeyCode))) {
        context.TypeableChars->set(UpperAscii(KeyCode));
    }
}

void TGuiEdit::DoDraw() {
    const int64_t tag = TagNumber();
    if (tag == 1 && !IsFocused() && Text_.empty()) {
        // Left without a new key: show and reserve the previous one again.
        SetText(KeyName(KeyCode));
        if (!Text_.empty()) {
            ReserveKey(KeyCode);
        }
    }
    if (tag == 0 || tag == 1) {
        DrawBox(tag == 1);
    }
}

void TGuiEdit::DrawBox(bool KeyBox) {
    const TGuiContext& context = Context();
    const TRect r = ScreenRect();
    if (Bkgrnd.Shown) {
        context.FillRect(r, Bkgrnd, 1284);
    }
    const TGuiFont& font = KeyBox ? Font : StateFont();
    const TGfxFont* resolved = font.Resolve();
    const TRect area = TRect{r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2}.Intersect(ClipRect());
    if (resolved != nullptr && !area.IsEmpty()) {
        const TRect saved = context.GetClipRect();
        context.SetClipRect(area);
        const int32_t h = RoundCoordinate(TGuiFont::TextHeight(*resolved, Text_));
        const int32_t offset = h <= 0 ? h : (r.Height() - h) / 2;
        const auto y = static_cast<float>(r.Top + offset + TextAdjust);
        float x = static_cast<float>(r.Left + 2 - ScrollX_);
        if (KeyBox) {
            x = static_cast<float>(r.Left - ScrollX_ +
                                   (r.Width() - TGuiFont::TextWidth(*resolved, Text_)) / 2);
        }
        font.TextOut(Text_, x, y, 1284);
        context.SetClipRect(saved);
        const bool blinkOn = BlinkTicks == 0 || (BlinkCount / BlinkTicks) % 2 == 0;
        if (Selector.Shown && IsFocused() && Enabled() && blinkOn) {
            const int32_t left = KeyBox ? r.Left + 4 : r.Left;
            const TRect caret = CaretRect(CaretPos_).Moved(left - ScrollX_, r.Top).Intersect(area);
            if (!caret.IsEmpty()) {
                context.FillRect(caret, Selector, 1284);
            }
        }
    }
    if (KeyBox) {
        return;
    }
    if (Bkgrnd.Shown) {
        context.OutlineReversed({r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1}, Bkgrnd, 1284);
    }
    if (Border.Shown) {
        context.Outline(r, Border, 1284);
    }
}
