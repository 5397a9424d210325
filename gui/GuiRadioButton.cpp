// SPDX-License-Identifier: MIT
#include "gui/GuiRadioButton.h"

#include "gui/GuiContext.h"
#include "gui/GuiValue.h"

#include <cmath>

namespace {

constexpr uint32_t Id = TGuiControl::IdOwn;
constexpr uint32_t IdChecked = Id + 0;
constexpr TGuiPropertyInfo RadioProperties[] = {
    {"Checked", pkBoolean, Id + 0, "Whether the radio button is checked or not"},
    {"Caption", pkString, Id + 1, "The caption for this radio button"},
    {"TextAdjust", pkInteger, Id + 2, "The vertical adjustment of visible caption"},
    {"BorderColor", pkColor, Id + 3, "The color of radio button's outer border"},
    {"CheckColor", pkColor, Id + 4, "The color of inner circle for checked state"},
    {"OverColor", pkColor, Id + 5, "The color of inner circle for pressed button"},
    {"HorizSpace", pkInteger, Id + 6, "The horizontal space between outer circe and caption text"},
    {"GroupIndex", pkInteger, Id + 7, "The group to which this button belongs"},
};

} // namespace

TGuiRadioButton::TGuiRadioButton(TGuiControl* Parent) : TGuiControl(Parent) {
    SetTypeName("TGuiRadioButton", "This component represents a simple radio button");
    AddStandardProperty("Bkgrnd");
    AddStandardProperty("Font");
    AddStandardProperty("DisabledFont");
    AddProperties(RadioProperties);
    Bind(Id + 1, &Caption);
    Bind(Id + 2, TGuiOffset{&TextAdjust});
    Bind(Id + 3, &BorderColor);
    Bind(Id + 4, &CheckColor);
    Bind(Id + 5, &OverColor);
    Bind(Id + 6, &HorizSpace);
    Bind(Id + 7, &GroupIndex);
    SetBounds(0, 0, 120, 15);
    DrawFx = 1284;
    Bkgrnd = TGuiFill(0xFFFFFFFF, 0xFFFCFCFC, 0xFFDEE5E6, 0xFFE6EBEC);
    Font = TGuiFont(0xFFC56A31, 0xFFC56A31);
}

void TGuiRadioButton::SetChecked(bool Value) {
    const bool changed = Value != Checked_;
    Checked_ = Value;
    if (Value) {
        for (TGuiRadioButton* other : SiblingsOf<TGuiRadioButton>()) {
            if (other->GroupIndex == GroupIndex) {
                other->SetChecked(false);
            }
        }
    }
    if (changed && OnChange) {
        OnChange(*this);
    }
}

TGuiValue TGuiRadioButton::GetValue(uint32_t Id) const {
    return Id == IdChecked ? TGuiValue{Checked_} : TGuiControl::GetValue(Id);
}

bool TGuiRadioButton::SetValue(uint32_t Id, const TGuiValue& Value) {
    if (Id != IdChecked) {
        return TGuiControl::SetValue(Id, Value);
    }
    const auto v = ValueToBool(Value);
    if (v) {
        SetChecked(*v);
    }
    return v.has_value();
}

void TGuiRadioButton::DoMouse(TPoint Position, uint8_t Kind, uint8_t Button, TGuiShift) {
    if (Button != mbLeft) {
        return;
    }
    const bool inside = ScreenRect().ContainsInclusive(Position);
    if (Kind == mkDown && inside) {
        Pressed = true;
    } else if (Kind == mkUp && Pressed) {
        Pressed = false;
        SetChecked(inside || Checked_);
    }
}

void TGuiRadioButton::DoDraw() {
    const TGuiContext& context = Context();
    const TRect r = ScreenRect();
    const int32_t h = r.Height();
    const int32_t b = (h - 2) / 2;
    const TPointF centre{static_cast<float>(r.Left + b + 1), static_cast<float>(r.Top + b + 1)};
    const auto radius = static_cast<float>(b);
    if (Bkgrnd.Shown) {
        const uint32_t reversed[4] = {Bkgrnd.Colors[3], Bkgrnd.Colors[2], Bkgrnd.Colors[1], Bkgrnd.Colors[0]};
        context.GradientCircle(centre, radius, Pressed ? reversed : Bkgrnd.Colors, DrawFx);
    }
    context.Circle(centre, radius, BorderColor, DrawFx);
    context.Circle(centre, radius - 0.15f, BorderColor, DrawFx);
    if (Pressed && !Checked_) {
        for (const float less : {0.0f, 0.5f, 1.0f, 1.5f}) {
            context.Circle(centre, 0.8f * radius - less, OverColor, DrawFx);
        }
    }
    if (Checked_) {
        const auto inner = static_cast<float>(b / 3);
        context.FillCircle(centre, inner, CheckColor, DrawFx);
        context.Circle(centre, inner, CheckColor, DrawFx);
    }
    const TGuiFont& font = StateFont();
    if (const TGfxFont* resolved = font.Resolve()) {
        const double th = TGuiFont::TextHeight(*resolved, Caption);
        const auto x = static_cast<float>(r.Left + h + HorizSpace);
        const auto y = static_cast<float>(r.Top + std::lround((h - th) / 2) + TextAdjust);
        font.TextOut(Caption, x, y, DrawFx);
    }
}
