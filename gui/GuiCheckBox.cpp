// SPDX-License-Identifier: MIT
#include "gui/GuiCheckBox.h"

#include "gui/GuiContext.h"
#include "gui/GuiValue.h"

#include <cmath>

namespace {

constexpr uint32_t Id = TGuiControl::IdOwn;
constexpr uint32_t IdChecked = Id + 0;
constexpr TGuiPropertyInfo CheckBoxProperties[] = {
    {"Checked", pkBoolean, Id + 0, "Whether this box is checked or not"},
    {"Caption", pkString, Id + 1, "The caption for this check button"},
    {"TextAdjust", pkInteger, Id + 2, "The vertical adjustment of visible caption"},
    {"CheckColor", pkColor, Id + 3, "The color of inner circle for checked state"},
    {"HorizSpace", pkInteger, Id + 4, "The horizontal space between check box and caption text"},
};

constexpr int32_t BoxSize = 13;

TRect Inset(const TRect& R, int32_t D) {
    return {R.Left + D, R.Top + D, R.Right - D, R.Bottom - D};
}

} // namespace

TGuiCheckBox::TGuiCheckBox(TGuiControl* Parent) : TGuiControl(Parent) {
    SetTypeName("TGuiCheckBox", "This component represents a simple checkable box");
    AddStandardProperty("Bkgrnd");
    AddStandardProperty("Border");
    AddStandardProperty("Selected");
    AddStandardProperty("Font");
    AddStandardProperty("DisabledFont");
    AddProperties(CheckBoxProperties);
    Bind(Id + 1, &Caption);
    Bind(Id + 2, TGuiOffset{&TextAdjust});
    Bind(Id + 3, &CheckColor);
    Bind(Id + 4, &HorizSpace);
    SetBounds(0, 0, 100, 15);
    Bkgrnd = TGuiFill(0xFFFFFFFF, 0xFFFCFCFC, 0xFFDEE5E6, 0xFFE6EBEC);
    Border = TGuiFill::All(0xFFB99D7F);
    Selected = TGuiFill(0x80FFCFDE, 0x80FB6399, 0x80F8307D, 0x80FB6395);
    Font = TGuiFont(0xFFC56A31, 0xFFC56A31);
}

void TGuiCheckBox::SetChecked(bool Value) {
    const bool changed = Value != Checked_;
    Checked_ = Value;
    if (changed && OnChange) {
        OnChange(*this, true);
    }
}

TGuiValue TGuiCheckBox::GetValue(uint32_t Id) const {
    return Id == IdChecked ? TGuiValue{Checked_} : TGuiControl::GetValue(Id);
}

bool TGuiCheckBox::SetValue(uint32_t Id, const TGuiValue& Value) {
    if (Id != IdChecked) {
        return TGuiControl::SetValue(Id, Value);
    }
    const auto v = ValueToBool(Value);
    if (v) {
        SetChecked(*v);
    }
    return v.has_value();
}

void TGuiCheckBox::DoMouse(TPoint Position, uint8_t Kind, uint8_t Button, TGuiShift) {
    if (Button != mbLeft) {
        return;
    }
    const bool inside = ScreenRect().ContainsInclusive(Position);
    if (Kind == mkDown && inside) {
        Pressed = true;
    } else if (Kind == mkUp && Pressed) {
        Pressed = false;
        if (inside) {
            SetChecked(!Checked_);
        }
    }
}

void TGuiCheckBox::DrawCheckMark(int32_t X, int32_t Y) {
    const TGuiContext& context = Context();
    // A short stroke down to the bottom of the left third, then a long one up to the right edge.
    for (int32_t t = 0; t < 3; ++t) {
        const TPointF start{static_cast<float>(X), static_cast<float>(Y + 2 + t)};
        const TPointF corner{static_cast<float>(X + 2), static_cast<float>(Y + 4 + t)};
        const TPointF end{static_cast<float>(X + 7), static_cast<float>(Y - 1 + t)};
        context.Line(start, corner, CheckColor, DrawFx);
        context.Line(corner, end, CheckColor, DrawFx);
    }
}

void TGuiCheckBox::DoDraw() {
    const TGuiContext& context = Context();
    const TRect r = ScreenRect();
    const int32_t k = (r.Height() - BoxSize) / 2;
    const TRect box = RectOfSize(r.Left + k, r.Top + k, BoxSize, BoxSize);
    if (Bkgrnd.Shown) {
        Pressed ? context.FillRect(
                      box, {Bkgrnd.Colors[3], Bkgrnd.Colors[2], Bkgrnd.Colors[1], Bkgrnd.Colors[0]}, DrawFx)
                : context.FillRect(box, Bkgrnd, DrawFx);
    }
    if (Border.Shown) {
        context.Outline(box, Border, DrawFx);
    }
    if (Checked_) {
        DrawCheckMark(box.Left + 3, box.Top + 3);
    }
    if (Pressed && Selected.Shown) {
        const uint32_t effect = DrawFx == 1 ? 1284 : DrawFx;
        context.Outline(Inset(box, 1), Selected, effect);
        context.Outline(Inset(box, 2), Selected, effect);
    }
    const TGuiFont& font = StateFont();
    if (const TGfxFont* resolved = font.Resolve()) {
        const double h = TGuiFont::TextHeight(*resolved, Caption);
        const auto x = static_cast<float>(r.Left + k + HorizSpace + 15);
        const auto y = static_cast<float>(TextAdjust + std::lround((r.Top + r.Bottom - h) / 2));
        font.TextOut(Caption, x, y, 1284);
    }
}
