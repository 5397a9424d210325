// SPDX-License-Identifier: MIT
#include "content/fonts/FontRenderer.h"

#include "content/fonts/Cp1251.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>

namespace {

constexpr int FirstCode = 32;
constexpr int LastCode = 255;

// One glyph as FreeType rendered it: coverage bytes, placed relative to the pen and baseline.
struct TRawGlyph {
    int Advance = 0;
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Rows = 0;
    std::vector<uint8_t> Coverage;
};

TRawGlyph RenderGlyph(FT_Face Face, char32_t Code) {
    TRawGlyph Raw;
    // The delete control code has no picture; it advances like a space.
    if (Code == 0 || Code == 0x7F || FT_Load_Char(Face, Code, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT) != 0) {
        return Raw;
    }
    const FT_GlyphSlot Slot = Face->glyph;
    Raw.Advance = static_cast<int>((Slot->advance.x + 32) >> 6);
    Raw.Left = Slot->bitmap_left;
    Raw.Top = Slot->bitmap_top;
    Raw.Width = static_cast<int>(Slot->bitmap.width);
    Raw.Rows = static_cast<int>(Slot->bitmap.rows);
    Raw.Coverage.resize(static_cast<size_t>(Raw.Width) * Raw.Rows);
    for (int y = 0; y < Raw.Rows; ++y) {
        const uint8_t* Row = Slot->bitmap.buffer + static_cast<ptrdiff_t>(y) * Slot->bitmap.pitch;
        std::copy(Row, Row + Raw.Width, Raw.Coverage.begin() + static_cast<ptrdiff_t>(y) * Raw.Width);
    }
    return Raw;
}

// Coverage of the glyph body and of its dark rim on the cell grid.
struct TCellMasks {
    std::vector<float> Body;
    std::vector<float> Rim;
};

void PlaceBody(const TRawGlyph& Raw, int Shift, int Baseline, int CellWidth, int CellHeight,
               std::vector<float>& Body) {
    for (int y = 0; y < Raw.Rows; ++y) {
        for (int x = 0; x < Raw.Width; ++x) {
            const int cx = Raw.Left + Shift + x;
            const int cy = Baseline - Raw.Top + y;
            if (cx < 0 || cy < 0 || cx >= CellWidth || cy >= CellHeight) {
                continue;
            }
            Body[static_cast<size_t>(cy) * CellWidth + cx] =
                Raw.Coverage[static_cast<size_t>(y) * Raw.Width + x] / 255.0f;
        }
    }
}

// The rim is the body grown by Radius pixels with a round brush, softened at its edge.
// Each inked pixel stamps the brush around itself, so blank cells cost nothing.
std::vector<float> GrowRim(const std::vector<float>& Body, int CellWidth, int CellHeight, int Radius) {
    std::vector<float> Rim(Body.size(), 0.0f);
    if (Radius <= 0) {
        return Rim;
    }
    struct TTap {
        int DX, DY;
        float Weight;
    };
    std::vector<TTap> Brush;
    const float Reach = static_cast<float>(Radius) + 0.5f;
    for (int dy = -Radius; dy <= Radius; ++dy) {
        for (int dx = -Radius; dx <= Radius; ++dx) {
            const float Weight = std::clamp(Reach + 0.5f - std::hypot(float(dx), float(dy)), 0.0f, 1.0f);
            if (Weight > 0.0f) {
                Brush.push_back({dx, dy, Weight});
            }
        }
    }
    // A fully inked pixel whose four neighbours are fully inked adds nothing their brushes
    // do not already cover.
    const auto Full = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < CellWidth && y < CellHeight &&
               Body[static_cast<size_t>(y) * CellWidth + x] >= 1.0f;
    };
    const auto Solid = [&](int x, int y) {
        return Full(x, y) && Full(x - 1, y) && Full(x + 1, y) && Full(x, y - 1) && Full(x, y + 1);
    };
    for (int y = 0; y < CellHeight; ++y) {
        for (int x = 0; x < CellWidth; ++x) {
            const float Ink = Body[static_cast<size_t>(y) * CellWidth + x];
            if (Ink <= 0.0f || Solid(x, y)) {
                continue;
            }
            for (const TTap& Tap : Brush) {
                const int tx = x + Tap.DX;
                const int ty = y + Tap.DY;
                if (tx >= 0 && ty >= 0 && tx < CellWidth && ty < CellHeight) {
                    float& Target = Rim[static_cast<size_t>(ty) * CellWidth + tx];
                    Target = std::max(Target, Ink * Tap.Weight);
                }
            }
        }
    }
    return Rim;
}

// White body over a near-black rim, as straight-alpha 0xAARRGGBB.
uint32_t Compose(float Body, float Rim) {
    constexpr float RimShade = 24.0f;
    const float Alpha = Body + (1.0f - Body) * Rim;
    if (Alpha <= 0.0f) {
        return 0;
    }
    const float Shade = (Body * 255.0f + (1.0f - Body) * Rim * RimShade) / Alpha;
    const auto A = static_cast<uint32_t>(std::lround(Alpha * 255.0f));
    const auto C = static_cast<uint32_t>(std::lround(std::clamp(Shade, 0.0f, 255.0f)));
    return (A << 24) | (C << 16) | (C << 8) | C;
}

} // namespace

TFontRenderer::TFontRenderer(std::string FontFolder) : Folder(std::move(FontFolder)) {
    FT_Library Lib = nullptr;
    if (FT_Init_FreeType(&Lib) == 0) {
        Library = Lib;
    }
}

TFontRenderer::~TFontRenderer() {
    if (Library != nullptr) {
        FT_Done_FreeType(static_cast<FT_Library>(Library));
    }
}

std::optional<TFontBitmap> TFontRenderer::Render(const TFontSpec& Wanted) const {
    if (Library == nullptr) {
        return std::nullopt;
    }
    FT_Face Face = nullptr;
    const std::string Path = Folder + Wanted.FaceFile;
    if (FT_New_Face(static_cast<FT_Library>(Library), Path.c_str(), 0, &Face) != 0) {
        return std::nullopt;
    }
    if (FT_Set_Pixel_Sizes(Face, 0, static_cast<FT_UInt>(Wanted.PixelSize)) != 0) {
        FT_Done_Face(Face);
        return std::nullopt;
    }
    const int Rim = std::max(0, Wanted.Outline);
    const int Ascender = static_cast<int>((Face->size->metrics.ascender + 63) >> 6);
    const int Descender = static_cast<int>((-Face->size->metrics.descender + 63) >> 6);

    std::vector<TRawGlyph> Raw;
    for (int Code = FirstCode; Code <= LastCode; ++Code) {
        Raw.push_back(RenderGlyph(Face, Cp1251ToUnicode(static_cast<uint8_t>(Code))));
    }
    FT_Done_Face(Face);

    // Glyphs that hang left of the pen are shifted right by the largest overhang, so no
    // pixel is lost; the cell is wide enough for the widest ink and advance.
    int Shift = Rim;
    int CellWidth = 1;
    for (const TRawGlyph& G : Raw) {
        Shift = std::max(Shift, Rim - G.Left);
    }
    for (const TRawGlyph& G : Raw) {
        CellWidth = std::max({CellWidth, G.Left + Shift + G.Width + Rim, G.Advance + 2 * Rim});
    }
    const int CellHeight = Ascender + Descender + 2 * Rim;
    const int Baseline = Ascender + Rim;
    const int SpaceAdvance = std::max(1, Raw[0].Advance);

    TFontBitmap Font;
    Font.Name = Wanted.Name;
    Font.FirstChar = FirstCode;
    Font.GlyphSpacing = Wanted.GlyphSpacing;
    Font.CellWidth = CellWidth;
    Font.CellHeight = CellHeight;
    for (size_t i = 0; i < Raw.size(); ++i) {
        const bool Unused = Cp1251ToUnicode(static_cast<uint8_t>(FirstCode + i)) == 0;
        // Characters that take no room in the face (the soft hyphen) still advance like a
        // space, so no printable code is lost in a name.
        int Advance = Raw[i].Advance > 0 ? Raw[i].Advance : SpaceAdvance;
        if (Unused) {
            Advance = 0;
        }
        // Half the rim widens the advance: rims of neighbours may touch, letters never do.
        Font.Glyphs.push_back({Advance + (Advance > 0 ? Rim / 2 : 0), CellHeight});
        std::vector<float> Body(static_cast<size_t>(CellWidth) * CellHeight, 0.0f);
        PlaceBody(Raw[i], Shift, Baseline, CellWidth, CellHeight, Body);
        const std::vector<float> RimMask = GrowRim(Body, CellWidth, CellHeight, Rim);
        std::vector<uint32_t> Pixels(Body.size());
        for (size_t p = 0; p < Body.size(); ++p) {
            Pixels[p] = Compose(Body[p], RimMask[p]);
        }
        Font.Patterns.push_back(std::move(Pixels));
    }
    return Font;
}
