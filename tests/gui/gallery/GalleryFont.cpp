// SPDX-License-Identifier: MIT
#include "GalleryFont.h"

#include "engine/FontRecord.h"
#include "platform/Text.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>

namespace {

// The Unicode code point of one code page 1251 character.
uint32_t CodePoint(uint8_t C) {
    const std::string utf8 = Cp1251ToUtf8(std::string(1, static_cast<char>(C)));
    if (utf8.size() == 1) {
        return static_cast<uint8_t>(utf8[0]);
    }
    if (utf8.size() == 2) {
        return (static_cast<uint32_t>(utf8[0] & 0x1F) << 6) | (utf8[1] & 0x3F);
    }
    if (utf8.size() == 3) {
        return (static_cast<uint32_t>(utf8[0] & 0x0F) << 12) | (static_cast<uint32_t>(utf8[1] & 0x3F) << 6) |
               (utf8[2] & 0x3F);
    }
    return '?';
}

void Blit(const FT_GlyphSlot Slot, int32_t Baseline, TPoint Cell, std::vector<uint32_t>& Pixels) {
    const FT_Bitmap& bitmap = Slot->bitmap;
    for (unsigned row = 0; row < bitmap.rows; ++row) {
        for (unsigned col = 0; col < bitmap.width; ++col) {
            const int32_t x = Slot->bitmap_left + static_cast<int32_t>(col);
            const int32_t y = Baseline - Slot->bitmap_top + static_cast<int32_t>(row);
            if (x < 0 || y < 0 || x >= Cell.X || y >= Cell.Y) {
                continue;
            }
            const uint8_t alpha = bitmap.buffer[row * static_cast<unsigned>(bitmap.pitch) + col];
            Pixels[static_cast<size_t>(y * Cell.X + x)] = static_cast<uint32_t>(alpha) << 24 | 0xFFFFFF;
        }
    }
}

} // namespace

std::vector<uint8_t> RenderFontRecord(const std::string& FaceFile, int PixelSize) {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    if (FT_Init_FreeType(&library) != 0) {
        return {};
    }
    std::vector<uint8_t> record;
    if (FT_New_Face(library, FaceFile.c_str(), 0, &face) == 0 &&
        FT_Set_Pixel_Sizes(face, 0, PixelSize) == 0) {
        const int32_t ascender = static_cast<int32_t>(face->size->metrics.ascender >> 6);
        const int32_t descender = static_cast<int32_t>(-face->size->metrics.descender >> 6);
        const TPoint cell{PixelSize + PixelSize / 2, ascender + descender};
        TFontRecordSource source;
        source.FirstChar = 32;
        source.CellSize = cell;
        for (int c = 32; c <= 255; ++c) {
            std::vector<uint32_t> pixels(static_cast<size_t>(cell.X * cell.Y), 0x00FFFFFF);
            int32_t advance = PixelSize / 3;
            if (FT_Load_Char(face, CodePoint(static_cast<uint8_t>(c)), FT_LOAD_RENDER) == 0) {
                Blit(face->glyph, ascender, cell, pixels);
                advance = static_cast<int32_t>(face->glyph->advance.x >> 6);
            }
            source.GlyphSizes.push_back({std::min(advance, cell.X), cell.Y});
            source.Cells.push_back(std::move(pixels));
        }
        record = WriteFontRecord(source);
    }
    if (face != nullptr) {
        FT_Done_Face(face);
    }
    FT_Done_FreeType(library);
    return record;
}
