// SPDX-License-Identifier: MIT
// The game's archives store every picture and glyph sheet at the size its cells use: unpacking
// padding only to throw it away cost the start-up a large part of its loading.
#include "archive/Archive.h"
#include "archive/Stream.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

int32_t Int32At(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<int32_t>(b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (uint32_t(b[at + 3]) << 24));
}

// The grid fields of an image record starting at At.
struct TSheet {
    int32_t CellX = 0, CellY = 0, Count = 0, TextureX = 0, TextureY = 0, Textures = 0;
};

bool SheetAt(const std::vector<uint8_t>& b, size_t At, TSheet& S) {
    if (b.size() < At + 33) {
        return false;
    }
    S = {Int32At(b, At + 1), Int32At(b, At + 5), Int32At(b, At + 17),
         Int32At(b, At + 21), Int32At(b, At + 25), Int32At(b, At + 29)};
    return true;
}

TEST(StoredPictures, CarryNoPaddingBeyondTheirCells) {
    int32_t Sheets = 0;
    for (const char* Name : {"Data/data.fgg", "Data/gdata.fgg", "Data/data1.fgg"}) {
        TArchive Archive;
        Archive.SetFileName((fs::path(ZIBO_GAME_DIR) / Name).string());
        Archive.SetOpenMode(opReadOnly);
        ASSERT_TRUE(Archive.Open()) << Name;
        for (int32_t i = 0; i < Archive.RecordCount(); ++i) {
            const auto Type = Archive.RecordTypeOf(i);
            if (Type != RecordTypeImage && Type != RecordTypeFont) {
                continue;
            }
            const std::string Key = Archive.RecordKeyAt(i);
            SCOPED_TRACE(std::string(Name) + ": " + Key);
            TMemoryStream Stream;
            ASSERT_TRUE(Archive.ReadRecord(Key, Stream));
            const std::vector<uint8_t>& b = Stream.Bytes();
            // A font record: 16 bytes of header and 8 per glyph before its glyph sheet.
            const size_t At = Type == RecordTypeImage ? 0 : 16 + 8 * static_cast<size_t>(Int32At(b, 12));
            TSheet S;
            ASSERT_TRUE(SheetAt(b, At, S));
            ASSERT_GT(S.CellX, 0);
            ASSERT_GT(S.CellY, 0);
            ASSERT_EQ(S.Textures, 1) << "every picture fits one texture";
            // A whole grid of cells, in which only the last row may be partly empty.
            EXPECT_EQ(S.TextureX % S.CellX, 0) << S.TextureX << " wide for cells of " << S.CellX;
            EXPECT_EQ(S.TextureY % S.CellY, 0) << S.TextureY << " tall for cells of " << S.CellY;
            const int32_t Columns = S.TextureX / S.CellX;
            const int32_t Rows = S.TextureY / S.CellY;
            EXPECT_GE(Columns * Rows, S.Count);
            EXPECT_LT(Columns * (Rows - 1), S.Count) << "a row of cells holds no picture";
            if (Rows == 1) {
                EXPECT_EQ(Columns, S.Count) << "a column of cells holds no picture";
            }
            ++Sheets;
        }
    }
    EXPECT_GT(Sheets, 100);
}

} // namespace
