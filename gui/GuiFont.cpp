// SPDX-License-Identifier: MIT
#include "gui/GuiFont.h"

#include "engine/Font.h"
#include "gui/GuiContext.h"
#include "gui/GuiTypes.h"

#include <cmath>

TGfxFont* TGuiFont::Resolve() const {
    const TGuiContext& context = TGuiContext::Current();
    if (context.Fonts == nullptr || context.Canvas == nullptr) {
        return nullptr;
    }
    TGfxFont* font = context.Fonts->Items(FontIndex);
    if (font == nullptr) {
        return nullptr;
    }
    font->Scale = Scale;
    font->Style = Style;
    font->Interleave = Interleave;
    return font;
}

void TGuiFont::TextOut(const std::string& Text, float X, float Y, uint32_t Effect) const {
    TGfxFont* font = Resolve();
    // A font list without its canvas draws nothing rather than failing.
    if (font != nullptr && font->Owner() != nullptr && font->Owner()->Canvas() != nullptr) {
        font->TextOut(Text, X, Y, Color, Color2, Effect);
    }
}

// Scales and glyph sizes come from files, so every measurement the controls lay text out
// with is kept inside the coordinate range.
double TGuiFont::TextWidth(const TGfxFont& Font, const std::string& Text) {
    return ClampMeasure(Font.TextWidth(Text));
}

double TGuiFont::TextHeight(const TGfxFont& Font, const std::string& Text) {
    return ClampMeasure(Font.TextHeight(Text));
}

int32_t TGuiFont::LineHeight(const TGfxFont& Font) {
    const TGfxImage* image = Font.GlyphImage();
    return image != nullptr ? ClampCoordinate(image->VisibleSize().Y) : 0;
}
