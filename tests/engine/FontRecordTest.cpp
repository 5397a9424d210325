// SPDX-License-Identifier: MIT
#include "engine/FontRecord.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

[[nodiscard]] TFontRecordSource TwoGlyphs() {
    TFontRecordSource Source;
    Source.FirstChar = 0x1C0; // only the low byte is the character code; the writer keeps all
    Source.GlyphSpacing = -2;
    Source.CellSize = {4, 3};
    Source.GlyphSizes = {{3, 3}, {4, 2}};
    Source.Cells.assign(2, std::vector<uint32_t>(12, 0x80FF0000));
    return Source;
}

[[nodiscard]] int32_t Int32At(const std::vector<uint8_t>& Bytes, size_t Offset) {
    uint32_t Value = 0;
    for (size_t I = 0; I < 4; ++I) {
        Value |= static_cast<uint32_t>(Bytes[Offset + I]) << (8 * I);
    }
    return static_cast<int32_t>(Value);
}

TEST(FontRecordTest, HeaderAndGlyphTableComeBeforeTheImageRecord) {
    const TFontRecordSource Source = TwoGlyphs();
    const std::vector<uint8_t> Bytes = WriteFontRecord(Source);
    ASSERT_GT(Bytes.size(), static_cast<size_t>(FontRecordHeaderSize + 16));
    const int32_t Expected[] = {0x1C0, -2, 0, 2, 3, 3, 4, 2};
    for (size_t I = 0; I < std::size(Expected); ++I) {
        EXPECT_EQ(Int32At(Bytes, 4 * I), Expected[I]) << "field " << I;
    }
    TImageRecordSource Image;
    Image.PatternSize = Source.CellSize;
    Image.PatternCount = 2;
    Image.Patterns = Source.Cells;
    const std::vector<uint8_t> ImageBytes = WriteImageRecord(Image);
    ASSERT_EQ(Bytes.size(), FontRecordHeaderSize + 16 + ImageBytes.size());
    EXPECT_EQ(std::memcmp(Bytes.data() + FontRecordHeaderSize + 16, ImageBytes.data(), ImageBytes.size()), 0);
}

TEST(FontRecordTest, SourcesThatDisagreeWriteNothing) {
    struct TCase {
        const char* Name;
        void (*Break)(TFontRecordSource&);
    };
    const TCase Cases[] = {
        {"no glyphs", [](TFontRecordSource& S) { S.GlyphSizes.clear(), S.Cells.clear(); }},
        {"fewer cells than sizes", [](TFontRecordSource& S) { S.Cells.pop_back(); }},
        {"a cell of the wrong size", [](TFontRecordSource& S) { S.Cells[1].push_back(0); }},
        {"an empty cell size",
         [](TFontRecordSource& S) {
             S.CellSize = {0, 3};
         }},
        {"a visible size larger than the cell",
         [](TFontRecordSource& S) {
             S.VisibleSize = {5, 3};
         }},
    };
    for (const TCase& C : Cases) {
        TFontRecordSource Source = TwoGlyphs();
        C.Break(Source);
        EXPECT_TRUE(WriteFontRecord(Source).empty()) << C.Name;
    }
}

} // namespace
