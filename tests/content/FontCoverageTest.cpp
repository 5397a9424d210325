// SPDX-License-Identifier: MIT
#include "archive/Archive.h"
#include "archive/Stream.h"
#include "content/fonts/Cp1251.h"
#include "content/fonts/FontCatalog.h"
#include "content/fonts/FontRenderer.h"
#include "content/fonts/Fonts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string GameDir = ZIBO_GAME_DIR;
constexpr uint8_t UnusedCode = 0x98;

struct TFontHeader {
    int32_t FirstChar = 0;
    int32_t GlyphCount = 0;
    std::vector<int32_t> Widths;
};

// The header and glyph table of a font record as the game reads them.
bool ReadFontHeader(std::vector<uint8_t> Bytes, TFontHeader& Header) {
    TMemoryStream S(std::move(Bytes));
    int32_t Spacing = 0;
    int32_t Unread = 0;
    if (!ReadInt32(S, Header.FirstChar) || !ReadInt32(S, Spacing) || !ReadInt32(S, Unread) ||
        !ReadInt32(S, Header.GlyphCount) || Header.GlyphCount < 0 || Header.GlyphCount > 256) {
        return false;
    }
    for (int32_t i = 0; i < Header.GlyphCount; ++i) {
        int32_t Width = 0;
        int32_t Height = 0;
        if (!ReadInt32(S, Width) || !ReadInt32(S, Height) || Height <= 0) {
            return false;
        }
        Header.Widths.push_back(Width);
    }
    // The glyph image record follows the table.
    return S.Remaining() > 0;
}

// Every font the game and the GUI name is in the archive, starts at the space and gives
// every code page 1251 character from 32 to 255 a width, but the one unused code.
TEST(Fonts, EveryGameFontCoversCodePage1251) {
    TArchive Archive;
    Archive.SetFileName(GameDir + "/" + TManifest::ArchivePath(FontArchive));
    ASSERT_TRUE(Archive.EnsureOpen());
    for (const TFontSpec& Wanted : GameFontSpecs()) {
        SCOPED_TRACE(Wanted.Name);
        const int32_t Index = Archive.IndexOf(Wanted.Name);
        ASSERT_GE(Index, 0);
        EXPECT_EQ(Archive.RecordTypeOf(Index), 3);
        TMemoryStream Record;
        ASSERT_TRUE(Archive.ReadRecord(Wanted.Name, Record));
        TFontHeader Header;
        ASSERT_TRUE(ReadFontHeader(Record.Bytes(), Header));
        EXPECT_EQ(Header.FirstChar & 0xFF, 32);
        ASSERT_EQ(Header.GlyphCount, 224);
        for (int Code = 32; Code <= 255; ++Code) {
            const int32_t Width = Header.Widths[Code - 32];
            if (Code == UnusedCode) {
                EXPECT_EQ(Width, 0);
            } else {
                EXPECT_GT(Width, 0) << "code " << Code;
            }
        }
    }
}

// Glyphs are white with smooth alpha, so the GUI's two text colours tint them; a rimmed
// heading font keeps a dark rim around the white body.
TEST(Fonts, GlyphsAreWhiteWithAntialiasedEdges) {
    const TFontRenderer Renderer;
    const TFontSpec Plain{"plain", "DejaVuSans.ttf", 12, 0, 0};
    const TFontSpec Rimmed{"rimmed", "DejaVuSans-Bold.ttf", 20, 2, 0};
    const std::optional<TFontBitmap> PlainFont = Renderer.Render(Plain);
    const std::optional<TFontBitmap> RimmedFont = Renderer.Render(Rimmed);
    ASSERT_TRUE(PlainFont && RimmedFont);
    const size_t LetterA = 'A' - 32;
    int Partial = 0;
    for (const uint32_t Pixel : PlainFont->Patterns[LetterA]) {
        if ((Pixel >> 24) != 0) {
            EXPECT_EQ(Pixel & 0xFFFFFF, 0xFFFFFFu);
        }
        Partial += (Pixel >> 24) > 0 && (Pixel >> 24) < 255 ? 1 : 0;
    }
    EXPECT_GT(Partial, 0);
    int Dark = 0;
    for (const uint32_t Pixel : RimmedFont->Patterns[LetterA]) {
        Dark += (Pixel >> 24) == 255 && (Pixel & 0xFF) < 64 ? 1 : 0;
    }
    EXPECT_GT(Dark, 0);
    EXPECT_FALSE(Renderer.Render({"missing", "NoSuchFace.ttf", 12, 0, 0}).has_value());
}

TEST(Fonts, CodePageTableMatchesKnownLetters) {
    const struct {
        uint8_t Code;
        char32_t Unicode;
    } Cases[] = {{'A', U'A'},  {0xC0, U'А'}, {0xFF, U'я'}, {0xA8, U'Ё'},   {0xB8, U'ё'},
                 {0xB9, U'№'}, {0x88, U'€'}, {0xAB, U'«'}, {UnusedCode, 0}};
    for (const auto& C : Cases) {
        EXPECT_EQ(Cp1251ToUnicode(C.Code), C.Unicode) << int(C.Code);
    }
}

} // namespace
