// SPDX-License-Identifier: MIT
#include "gui/GuiButton.h"

#include "gui/GuiContext.h"

#include <cmath>

namespace {

constexpr uint32_t Id = TGuiControl::IdOwn;
constexpr TGuiPropertyInfo ButtonProperties[] = {
    {"OutFill", pkFill, Id + 0, "The fill style of outer border"},
    {"Caption", pkString, Id + 1, "The caption of the button"},
    {"ImageIndex", pkInteger, Id + 2, "The index of glyph image"},
    {"NormalGlyph", pkInteger, Id + 3, "The number of sub-image for normal state"},
    {"DisabledGlyph", pkInteger, Id + 4, "The sub-image number for disabled state"},
    {"ClickedGlyph", pkInteger, Id + 5, "The sub-image number for clicked glyph"},
    {"GlyphSpacer", pkInteger, Id + 6, "The space between glyph and the text"},
    {"GlyphWidth", pkInteger, Id + 7, "The width of button glyph"},
    {"GlyphHeight", pkInteger, Id + 8, "The height of button glyph"},
    {"GlyphPosition", pkGlyph, Id + 9, "The position of the glyph in relation to text"},
    {"InactiveGlyph", pkInteger, Id + 10, "The sub-image number for a disabled button, -1 for none"},
};

} // namespace

TGuiButton::TGuiButton(TGuiControl* Parent) : TGuiControl(Parent) {
    SetTypeName("TGuiButton", "This component is a clickable button.");
    AddStandardProperty("Bkgrnd");
    AddStandardProperty("Border");
    AddStandardProperty("Font");
    AddStandardProperty("DisabledFont");
    AddProperties(ButtonProperties);
    Bind(Id + 0, &OutFill);
    Bind(Id + 1, &Caption);
    Bind(Id + 2, &ImageIndex);
    Bind(Id + 3, &NormalGlyph);
    Bind(Id + 4, &DisabledGlyph);
    Bind(Id + 5, &ClickedGlyph);
    Bind(Id + 6, &GlyphSpacer);
    Bind(Id + 7, &GlyphWidth);
    Bind(Id + 8, &GlyphHeight);
    Bind(Id + 9, &GlyphPosition);
    Bind(Id + 10, &InactiveGlyph);
    SetBounds(0, 0, 90, 24);
    Font = TGuiFont(0xFFC65D21, 0xFFC65D21);
    DisabledFont = TGuiFont(0xFF5F6B70, 0xFF5F6B70);
}

int32_t TGuiButton::CurrentGlyph() const {
    if (!Enabled() && InactiveGlyph >= 0) {
        return InactiveGlyph;
    }
    if (Pressed) {
        return ClickedGlyph;
    }
    return MouseOver ? DisabledGlyph : NormalGlyph;
}

void TGuiButton::DoDraw() {
    const TGuiFont& font = StateFont();
    const TGfxFont* resolved = font.Resolve();
    if (resolved == nullptr) {
        return;
    }
    const TRect r = ScreenRect();
    const auto w = static_cast<int32_t>(std::ceil(TGuiFont::TextWidth(*resolved, Caption)));
    const auto h = static_cast<int32_t>(std::ceil(TGuiFont::TextHeight(*resolved, Caption)));
    int32_t x = (r.Left + r.Right - w) / 2;
    int32_t y = (r.Top + r.Bottom - h) / 2;
    if (Pressed) {
        ++x;
        ++y;
    }
    const TGuiContext& context = Context();
    if (TGfxImage* image = ImageIndex != -1 ? context.Image(ImageIndex) : nullptr) {
        const uint32_t white[4] = {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF};
        context.StretchImage(*image, CurrentGlyph(), r, white, 1284);
    }
    font.TextOut(Caption, static_cast<float>(x), static_cast<float>(y), 1284);
}

void TGuiButton::DoMouse(TPoint, uint8_t Kind, uint8_t Button, TGuiShift) {
    if (Button != mbLeft) {
        return;
    }
    if (Kind == mkDown) {
        Pressed = true;
    } else if (Kind == mkUp) {
        Pressed = false;
    }
}
