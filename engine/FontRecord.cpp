// SPDX-License-Identifier: MIT
#include "engine/FontRecord.h"

namespace {

void PutInt32(std::vector<uint8_t>& Bytes, int32_t Value) {
    const auto U = static_cast<uint32_t>(Value);
    for (int Shift = 0; Shift < 32; Shift += 8) {
        Bytes.push_back(static_cast<uint8_t>(U >> Shift));
    }
}

[[nodiscard]] bool CellsMatch(const TFontRecordSource& Source) {
    if (Source.GlyphSizes.empty() || Source.Cells.size() != Source.GlyphSizes.size()) {
        return false;
    }
    if (Source.CellSize.X < 1 || Source.CellSize.Y < 1) {
        return false;
    }
    const size_t CellPixels = static_cast<size_t>(Source.CellSize.X) * static_cast<size_t>(Source.CellSize.Y);
    for (const auto& Cell : Source.Cells) {
        if (Cell.size() != CellPixels) {
            return false;
        }
    }
    return true;
}

} // namespace

std::vector<uint8_t> WriteFontRecord(const TFontRecordSource& Source) {
    if (!CellsMatch(Source)) {
        return {};
    }
    TImageRecordSource Image;
    Image.Format = Source.Format;
    Image.PatternSize = Source.CellSize;
    Image.VisibleSize = Source.VisibleSize;
    Image.PatternCount = static_cast<int32_t>(Source.Cells.size());
    Image.TextureSize = Source.TextureSize;
    Image.Patterns = Source.Cells;
    const std::vector<uint8_t> ImageBytes = WriteImageRecord(Image);
    if (ImageBytes.empty()) {
        return {};
    }

    std::vector<uint8_t> Bytes;
    Bytes.reserve(FontRecordHeaderSize + Source.GlyphSizes.size() * 8 + ImageBytes.size());
    PutInt32(Bytes, Source.FirstChar);
    PutInt32(Bytes, Source.GlyphSpacing);
    // The reader skips these four bytes; they are written as zero.
    PutInt32(Bytes, 0);
    PutInt32(Bytes, static_cast<int32_t>(Source.GlyphSizes.size()));
    for (const TPoint& Size : Source.GlyphSizes) {
        PutInt32(Bytes, Size.X);
        PutInt32(Bytes, Size.Y);
    }
    Bytes.insert(Bytes.end(), ImageBytes.begin(), ImageBytes.end());
    return Bytes;
}
