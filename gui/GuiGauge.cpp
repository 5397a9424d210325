// SPDX-License-Identifier: MIT
#include "gui/GuiGauge.h"

#include "engine/Image.h"
#include "gui/GuiContext.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr uint32_t Id = TGuiControl::IdOwn;
constexpr TGuiPropertyInfo GaugeProperties[] = {
    {"Caption", pkString, Id + 0, "The caption of gauge"},
    {"Theta", pkInteger, Id + 1, "The current position of gauge"},
    {"MinValue", pkInteger, Id + 2, "The minimal allowed value for the gauge"},
    {"MaxValue", pkInteger, Id + 3, "The maximum allowed value for the gauge"},
    {"ShowText", pkBoolean, Id + 4, "The visible style of text selector"},
    {"Alignment", pkAlignment, Id + 5, "The alignment of gauge's caption"},
};

// The slider's knob is placed by the pattern height of the image at this list position.
constexpr int32_t KnobMeasureImage = 18;

int32_t ClampToInt32(int64_t Value) {
    return static_cast<int32_t>(std::clamp<int64_t>(Value, INT32_MIN, INT32_MAX));
}

} // namespace

TGuiGauge::TGuiGauge(TGuiControl* Parent) : TGuiControl(Parent) {
    SetTypeName("TGuiGauge", "This component is a simple progress bar");
    AddStandardProperty("Bkgrnd");
    AddStandardProperty("Border");
    AddStandardProperty("Selected");
    AddStandardProperty("Font");
    AddStandardProperty("DisabledFont");
    AddProperties(GaugeProperties);
    Bind(Id + 0, &Caption);
    Bind(Id + 1, &Theta);
    Bind(Id + 2, &MinValue);
    Bind(Id + 3, &MaxValue);
    Bind(Id + 4, &ShowText);
    Bind(Id + 5, &Alignment);
    SetBounds(0, 0, 120, 20);
    Bkgrnd = TGuiFill(0xFFFFEAD5, 0xFFFFEAD5, 0xFFFFFFFF, 0xFFFFFFFF);
    Selected = TGuiFill(0xFFFFEEDD, 0xFFFFEEDD, 0xFFFFAE5E, 0xFFFFAE5E);
    Border = TGuiFill::All(0xFFB99D7F);
    Font = TGuiFont(0xFFC56A31, 0xFFC56A31);
    DisabledFont = TGuiFont(0xFF5F6B70, 0xFF5F6B70);
}

int32_t TGuiGauge::BarWidth() const {
    const int64_t range = int64_t{MaxValue} - MinValue;
    if (range == 0) {
        return 0;
    }
    return ClampToInt32((int64_t{Theta} - MinValue) * (Width() - 2) / range);
}

std::string TGuiGauge::GaugeText() const {
    std::string text = std::to_string(Theta);
    if (!Caption.empty()) {
        text += ": " + Caption;
    }
    return text;
}

void TGuiGauge::DoDraw() {
    if (TagNumber() == 0) {
        DrawNormal();
    } else {
        DrawSlider();
    }
}

void TGuiGauge::DrawNormal() {
    const TGuiContext& context = Context();
    const TRect r = ScreenRect();
    if (Bkgrnd.Shown) {
        context.FillRect(r, Bkgrnd, DrawFx);
        context.OutlineReversed({r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1}, Bkgrnd, DrawFx);
    }
    const int32_t d = BarWidth();
    if (Selected.Shown && d > 0) {
        const TRect bar = RectOfSize(r.Left + 1, r.Top, d, r.Height());
        context.FillRect(bar, Selected, DrawFx);
        const auto right = static_cast<float>(bar.Right - 1), left = static_cast<float>(bar.Left);
        const auto top = static_cast<float>(bar.Top), bottom = static_cast<float>(bar.Bottom);
        context.Line({right, top}, {right, bottom}, Selected.Colors[2], DrawFx);
        context.Line({left, top}, {left, bottom}, Selected.Colors[0], DrawFx);
    }
    const TGuiFont& font = StateFont();
    const TGfxFont* resolved = ShowText ? font.Resolve() : nullptr;
    if (resolved != nullptr) {
        const std::string text = GaugeText();
        const auto w = static_cast<int32_t>(std::lround(TGuiFont::TextWidth(*resolved, text)));
        const auto h = static_cast<int32_t>(std::lround(TGuiFont::TextHeight(*resolved, text)));
        const int32_t y = r.Top + (r.Height() - h) / 2;
        int32_t x = r.Left + 5;
        if (Alignment == 1) {
            x = r.Right - w - 5;
        } else if (Alignment == 2) {
            x = r.Left + (r.Width() - w) / 2;
        }
        font.TextOut(text, static_cast<float>(x), static_cast<float>(y), 1284);
    }
    if (Border.Shown) {
        context.Outline(r, Border, DrawFx);
    }
}

void TGuiGauge::DrawSlider() {
    const TGuiContext& context = Context();
    const TRect r = ScreenRect();
    const uint32_t white[4] = {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF};
    if (TGfxImage* track = context.Image(Bkgrnd.Colors[0])) {
        context.StretchImage(*track, 0, r, white, 1284);
    }
    const int64_t range = int64_t{MaxValue} - MinValue;
    TGfxImage* knob = context.Image(Selected.Colors[0]);
    if (range == 0 || knob == nullptr) {
        return;
    }
    const TGfxImage* measure = context.Image(KnobMeasureImage);
    const int32_t k = measure != nullptr ? measure->PatternSize().Y : 0;
    const double offset = double(r.Width() - k) * double(int64_t{Theta} - MinValue) / double(range);
    context.DrawImage(*knob, 0, ClampToInt32(r.Left + std::llround(offset)), r.Top);
}
