// SPDX-License-Identifier: MIT
#include "content/fonts/Fonts.h"

#include "content/fonts/FontCatalog.h"
#include "content/fonts/FontRenderer.h"
#include "engine/FontRecord.h"

#include <stdexcept>

std::vector<uint8_t> FontRecordBytes(const TFontBitmap& Font) {
    TFontRecordSource Source;
    Source.FirstChar = Font.FirstChar;
    Source.GlyphSpacing = Font.GlyphSpacing;
    Source.CellSize = {Font.CellWidth, Font.CellHeight};
    for (const TGlyphSize& Glyph : Font.Glyphs) {
        Source.GlyphSizes.push_back({Glyph.Width, Glyph.Height});
    }
    Source.Cells = Font.Patterns;
    return WriteFontRecord(Source);
}

TPicture FontPreview(const TFontBitmap& Font) {
    constexpr int Columns = 16;
    constexpr uint32_t Paper = 0xFF202850;
    constexpr uint32_t Grid = 0xFF343C6C;
    const int Rows = (static_cast<int>(Font.Patterns.size()) + Columns - 1) / Columns;
    const int StepX = Font.CellWidth + 2;
    const int StepY = Font.CellHeight + 2;
    TPicture Sheet(Columns * StepX + 1, Rows * StepY + 1, Grid);
    for (size_t g = 0; g < Font.Patterns.size(); ++g) {
        const int Left = 1 + static_cast<int>(g % Columns) * StepX;
        const int Top = 1 + static_cast<int>(g / Columns) * StepY;
        TPicture Cell(Font.CellWidth, Font.CellHeight, Paper);
        TPicture Glyph(Font.CellWidth, Font.CellHeight);
        Glyph.Pixels() = Font.Patterns[g];
        Cell.Blend(Glyph, 0, 0);
        // The advance shows as a thin bar under the cell.
        for (int x = 0; x < std::min(Font.Glyphs[g].Width, Font.CellWidth); ++x) {
            Cell.SetPixel(x, Font.CellHeight - 1, 0xFFE8A030);
        }
        Sheet.Blend(Cell, Left, Top);
    }
    return Sheet;
}

void AddFonts(TManifest& Manifest) {
    const TFontRenderer Renderer;
    for (const TFontSpec& Wanted : GameFontSpecs()) {
        const std::optional<TFontBitmap> Font = Renderer.Render(Wanted);
        if (!Font) {
            throw std::runtime_error(std::string("cannot render the font ") + Wanted.Name);
        }
        std::vector<uint8_t> Record = FontRecordBytes(*Font);
        if (Record.empty()) {
            throw std::runtime_error(std::string("cannot write the font record ") + Wanted.Name);
        }
        Manifest.AddFont(FontArchive, Wanted.Name, std::move(Record));
        Manifest.AddPreview(std::string("font ") + Wanted.Name, FontPreview(*Font));
    }
}
