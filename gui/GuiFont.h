// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

class TGfxFont;

// A control's text settings: which bitmap font of the font list to use (by list position),
// its two colours and the scale, style and spacing to apply before drawing.
class TGuiFont {
public:
    TGuiFont() = default;
    TGuiFont(uint32_t Color, uint32_t Color2) : Color(Color), Color2(Color2) {}

    void Assign(const TGuiFont& Source) { *this = Source; }

    // The bitmap font at FontIndex of the current font list with Scale, Style and Interleave
    // written into it; nullptr without a current font list or canvas, or when the index is
    // outside the list.
    [[nodiscard]] TGfxFont* Resolve() const;
    // Draws Text at (X, Y) with Color at the top and Color2 at the bottom of the glyphs.
    void TextOut(const std::string& Text, float X, float Y, uint32_t Effect = 1284) const;

    // Measurements of a resolved font.
    [[nodiscard]] static double TextWidth(const TGfxFont& Font, const std::string& Text);
    [[nodiscard]] static double TextHeight(const TGfxFont& Font, const std::string& Text);
    // The visible height of the font's glyph image: the height of one text line.
    [[nodiscard]] static int32_t LineHeight(const TGfxFont& Font);

    int32_t FontIndex = 0;
    uint32_t Color = 0xFFA0A0A0;
    uint32_t Color2 = 0xFFFFFFFF;
    double Scale = 1.0;
    uint8_t Style = 0;
    double Interleave = 0.0;
};
