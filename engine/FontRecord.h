// SPDX-License-Identifier: MIT
#pragma once

#include "engine/ImageRecord.h"
#include "platform/Types.h"

#include <cstdint>
#include <vector>

// What the content tools hand to the font record writer: one glyph per character code from
// FirstChar upward. Every glyph cell is CellSize.X * CellSize.Y pixels of 0xAARRGGBB, row by
// row; GlyphSizes[k] is the width and height the text layout gives glyph k.
struct TFontRecordSource {
    int32_t FirstChar = 32;
    int32_t GlyphSpacing = 0;
    std::vector<TPoint> GlyphSizes;
    TPoint CellSize;
    // The drawn size of a cell, centred in it; 0 takes the cell size.
    TPoint VisibleSize;
    // 0x0 lets the image writer choose.
    TPoint TextureSize;
    TPixelFormat Format = pfA8R8G8B8;
    std::vector<std::vector<uint32_t>> Cells;
};

// Size in bytes of the font record's fixed header in front of the glyph table.
constexpr int32_t FontRecordHeaderSize = 16;

// The bytes of a font record: FirstChar, GlyphSpacing, four zero bytes, the glyph count, the
// glyph table and then an image record whose pattern k is glyph k. Empty when the source
// cannot be written (no glyphs, sizes and cells that disagree, or an image that cannot be
// written).
[[nodiscard]] std::vector<uint8_t> WriteFontRecord(const TFontRecordSource& Source);
