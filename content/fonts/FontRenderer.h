// SPDX-License-Identifier: MIT
#pragma once

#include "content/fonts/FontBitmap.h"

#include <optional>
#include <string>

// Renders the game's bitmap fonts from outline faces: every code page 1251 character from
// 32 to 255, anti-aliased, white with alpha, one cell per glyph. Glyph widths are the
// rounded advances, so text set with the bitmap font keeps the face's spacing.
class TFontRenderer {
public:
    // FontFolder holds the DejaVu faces the font specs name.
    explicit TFontRenderer(std::string FontFolder = "/usr/share/fonts/truetype/dejavu/");
    ~TFontRenderer();
    TFontRenderer(const TFontRenderer&) = delete;
    TFontRenderer& operator=(const TFontRenderer&) = delete;

    // Nothing when the face cannot be opened or sized.
    [[nodiscard]] std::optional<TFontBitmap> Render(const TFontSpec& Wanted) const;

private:
    std::string Folder;
    // FreeType's library handle, kept opaque so no FreeType header leaks out.
    void* Library = nullptr;
};
