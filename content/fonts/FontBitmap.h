// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One rendered bitmap font, ready for a font record: a glyph table and one pattern per
// glyph, all patterns of one cell size. Pixels are 0xAARRGGBB with straight alpha; glyphs
// are white so that the two text colours tint them.
struct TGlyphSize {
    int32_t Width = 0;
    int32_t Height = 0;
};

struct TFontBitmap {
    std::string Name;
    uint8_t FirstChar = 32;
    int32_t GlyphSpacing = 0;
    int32_t CellWidth = 0;
    int32_t CellHeight = 0;
    std::vector<TGlyphSize> Glyphs;
    // Glyphs.size() patterns of CellWidth * CellHeight pixels, row by row.
    std::vector<std::vector<uint32_t>> Patterns;
};

// How a font of the game is made from an outline face.
struct TFontSpec {
    const char* Name;
    // A file of the DejaVu family, relative to the system's DejaVu folder.
    const char* FaceFile;
    int PixelSize;
    // A dark rim of this many pixels around every glyph (0: none); the rim stays dark
    // under any text colour, so headings read on bright and dark backgrounds alike.
    int Outline;
    // Extra advance in pixels written as the record's glyph spacing.
    int GlyphSpacing;
};
