// SPDX-License-Identifier: MIT
#include "engine/Font.h"

#include "archive/Archive.h"
#include "archive/ArchiveWriter.h"
#include "archive/Stream.h"
#include "engine/FontRecord.h"
#include "platform/RecordingBackend.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// Glyphs for '!' to '~' in 10 by 12 cells: every glyph 6 by 10, except 'W', 9 by 12.
constexpr int32_t First = '!';
constexpr int32_t Count = '~' - '!' + 1;

[[nodiscard]] TFontRecordSource TestFontSource() {
    TFontRecordSource Source;
    Source.FirstChar = First;
    Source.GlyphSpacing = 1;
    Source.CellSize = {10, 12};
    for (int32_t C = First; C < First + Count; ++C) {
        Source.GlyphSizes.push_back(C == 'W' ? TPoint{9, 12} : TPoint{6, 10});
        Source.Cells.emplace_back(120, 0xFFFFFFFF);
    }
    return Source;
}

[[nodiscard]] std::vector<uint8_t> TestFontRecord() {
    return WriteFontRecord(TestFontSource());
}

// A device on the recording backend with a canvas and a font list that draws on it.
class FontTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Device.Initialize());
        Fonts.SetCanvas(&Canvas);
    }

    TGfxFont& LoadedFont() {
        TGfxFont& Font = Fonts.AddFont();
        TMemoryStream Stream(TestFontRecord());
        EXPECT_TRUE(Font.LoadFromStream(Stream, aqHigh, alFull));
        return Font;
    }

    // The quads of one TextOut: each one's four vertices, in drawing order.
    [[nodiscard]] std::vector<std::vector<TVertex>> Draw(TGfxFont& Font, const std::string& Text, float X,
                                                         float Y, TColor Top, TColor Bottom) {
        Backend->Batches.clear();
        Device.OnRender = [&] { Font.TextOut(Text, X, Y, Top, Bottom, fxBlend); };
        EXPECT_TRUE(Device.Render(0, true));
        std::vector<std::vector<TVertex>> Quads;
        for (const auto& Batch : Backend->Batches) {
            EXPECT_EQ(Batch.Effect, fxBlend);
            for (size_t I = 0; I + 4 <= Batch.Vertices.size(); I += 4) {
                Quads.emplace_back(Batch.Vertices.begin() + static_cast<long>(I),
                                   Batch.Vertices.begin() + static_cast<long>(I + 4));
            }
        }
        return Quads;
    }

    TRecordingBackend* Backend = nullptr;
    TGfxDevice Device{[this](const TDisplaySettings& S) {
        auto Made = std::make_unique<TRecordingBackend>(S.Width, S.Height);
        Backend = Made.get();
        return Made;
    }};
    TGfxCanvas Canvas{Device};
    TGfxFonts Fonts{Device};
};

TEST_F(FontTest, LoadsTheRecordWritten) {
    TGfxFont& Font = LoadedFont();
    EXPECT_TRUE(Font.Loaded());
    EXPECT_EQ(Font.FirstChar(), First);
    EXPECT_EQ(Font.GlyphCount(), Count);
    EXPECT_EQ(Font.GlyphSpacing(), 1);
    ASSERT_NE(Font.GlyphImage(), nullptr);
    EXPECT_EQ(Font.GlyphImage()->VisibleSize(), (TPoint{10, 12}));
    EXPECT_EQ(Font.GlyphImage()->PatternCount(), Count);
    // A loaded font does not load again.
    TMemoryStream Again(TestFontRecord());
    EXPECT_FALSE(Font.LoadFromStream(Again, aqHigh, alFull));
}

TEST_F(FontTest, BadRecordsFailWithoutLoadingAnything) {
    const std::vector<uint8_t> Good = TestFontRecord();
    const auto WithCount = [&](int32_t Value) {
        std::vector<uint8_t> Bytes = Good;
        for (int I = 0; I < 4; ++I) {
            Bytes[static_cast<size_t>(12 + I)] =
                static_cast<uint8_t>(static_cast<uint32_t>(Value) >> (8 * I));
        }
        return Bytes;
    };
    const auto Cut = [&](size_t Size) {
        return std::vector<uint8_t>(Good.begin(), Good.begin() + static_cast<long>(Size));
    };
    struct TCase {
        const char* Name;
        std::vector<uint8_t> Bytes;
    };
    const TCase Cases[] = {
        {"empty", {}},
        {"short header", Cut(14)},
        {"negative count", WithCount(-1)},
        {"count past the end", WithCount(0x7FFFFFFF)},
        {"count one glyph too many for a cut record", Cut(FontRecordHeaderSize + 8 * 3)},
        {"glyph image cut short", Cut(Good.size() - 1)},
        {"glyph image missing", Cut(FontRecordHeaderSize + 8 * Count)},
    };
    for (const TCase& C : Cases) {
        TGfxFont Font(Device, &Fonts);
        TMemoryStream Stream(C.Bytes);
        EXPECT_FALSE(Font.LoadFromStream(Stream, aqHigh, alFull)) << C.Name;
        EXPECT_FALSE(Font.Loaded()) << C.Name;
        EXPECT_EQ(Font.GlyphImage(), nullptr) << C.Name;
        EXPECT_EQ(Font.GlyphCount(), 0) << C.Name;
        // An unloaded font draws nothing and measures every character as a blank of width 0.
        EXPECT_TRUE(Draw(Font, "ABC", 0, 0, 0xFFFFFFFF, 0xFFFFFFFF).empty()) << C.Name;
        EXPECT_EQ(Font.TextWidth("ABC"), 0.0f);
    }
}

TEST_F(FontTest, TextExtentSumsAdvancesAndTakesTheTallestGlyph) {
    struct TCase {
        const char* Text;
        double Scale;
        double Interleave;
        bool Tags;
        float Width;
        float Height;
    };
    // Advance of a glyph: width 6 + spacing 1; 'W' 9 + 1; a blank 10 * 0.3.
    const TCase Cases[] = {
        {"", 1, 0, true, 0, 0},
        {"A", 1, 0, true, 7, 10},
        {"A W", 1, 0, true, 20, 12},
        {"  ", 1, 0, true, 6, 0}, // no glyph: height 0
        {"A W", 1.2, 0, true, 24, 14.4f},
        {"A W", 1, 2, true, 26, 12},
        {"A#$FF00FF00BC", 1, 0, true, 21, 10},  // the tag takes no room
        {"A#$FF00FF00BC", 1, 0, false, 91, 10}, // without tags it is text
        {"#$FF00FF00B", 1, 0, true, 77, 10},    // only one character follows: text
        {"0xFF0000FFAB", 1, 0, true, 14, 10},
        {"#$FF00GG00AB", 1, 0, true, 14, 10}, // bad digits: still a tag
        {"#$FF00FF00&$FF0000FF0xFFFFFFFFAB", 1, 0, true, 14, 10},
        {"&$FF0000FF#$FF00FF00AB", 1, 0, true, 84, 10}, // a top tag after a bottom tag is text
    };
    TGfxFont& Font = LoadedFont();
    for (const TCase& C : Cases) {
        Font.Scale = C.Scale;
        Font.Interleave = C.Interleave;
        Font.TextTags = C.Tags;
        const TPointF Extent = Font.TextExtent(C.Text);
        EXPECT_FLOAT_EQ(Extent.X, C.Width) << C.Text;
        EXPECT_FLOAT_EQ(Extent.Y, C.Height) << C.Text;
        EXPECT_FLOAT_EQ(Font.TextWidth(C.Text), C.Width);
        EXPECT_FLOAT_EQ(Font.TextHeight(C.Text), C.Height);
    }
}

TEST_F(FontTest, ColourTagsChangeTheCornersForTheRestOfTheText) {
    // Canvas colours; the backend gets them with red and blue exchanged.
    constexpr TColor Red = 0xFF0000FF;
    constexpr TColor White = 0xFFFFFFFF;
    constexpr uint32_t DeviceRed = 0xFFFF0000;
    constexpr uint32_t DeviceWhite = 0xFFFFFFFF;
    constexpr uint32_t DeviceGreen = 0xFF00FF00;
    struct TCase {
        const char* Text;
        // Top and bottom device colour of every quad drawn.
        std::vector<std::pair<uint32_t, uint32_t>> Quads;
    };
    const TCase Cases[] = {
        {"A#$FF00FF00BC", {{DeviceRed, DeviceWhite}, {DeviceGreen, DeviceWhite}, {DeviceGreen, DeviceWhite}}},
        {"A&$ff00ff00BC", {{DeviceRed, DeviceWhite}, {DeviceRed, DeviceGreen}, {DeviceRed, DeviceGreen}}},
        {"0xFF00FF00BC", {{DeviceGreen, DeviceGreen}, {DeviceGreen, DeviceGreen}}},
        {"#$FF00XX00BC", {{DeviceRed, DeviceWhite}, {DeviceRed, DeviceWhite}}},
        {"#$FF00FF00B", std::vector<std::pair<uint32_t, uint32_t>>(11, {DeviceRed, DeviceWhite})},
    };
    TGfxFont& Font = LoadedFont();
    for (const TCase& C : Cases) {
        const auto Quads = Draw(Font, C.Text, 0, 0, Red, White);
        ASSERT_EQ(Quads.size(), C.Quads.size()) << C.Text;
        for (size_t I = 0; I < Quads.size(); ++I) {
            EXPECT_EQ(Quads[I][0].Color, C.Quads[I].first) << C.Text << " glyph " << I;
            EXPECT_EQ(Quads[I][1].Color, C.Quads[I].first) << C.Text << " glyph " << I;
            EXPECT_EQ(Quads[I][2].Color, C.Quads[I].second) << C.Text << " glyph " << I;
            EXPECT_EQ(Quads[I][3].Color, C.Quads[I].second) << C.Text << " glyph " << I;
        }
    }
}

TEST_F(FontTest, GlyphCellsScaleAndRoundAndBlanksAdvanceThePen) {
    TGfxFont& Font = LoadedFont();
    Font.Scale = 1.2;
    // Pen: 10.5, then + 8.4 for 'A', + 8.4 for 'B', + 3.6 for the blank.
    const auto Quads = Draw(Font, "AB C", 10.5f, 20.7f, 0xFFFFFFFF, 0xFFFFFFFF);
    ASSERT_EQ(Quads.size(), 3u);
    const float Lefts[] = {10, 18, 30};
    for (size_t I = 0; I < 3; ++I) {
        const auto& Q = Quads[I];
        EXPECT_FLOAT_EQ(Q[0].X + 0.5f, Lefts[I]) << I;
        EXPECT_FLOAT_EQ(Q[0].Y + 0.5f, 20.0f) << I;
        // The 10 by 12 cell becomes 12 by 14.4, rounded to 14.
        EXPECT_FLOAT_EQ(Q[2].X - Q[0].X, 12.0f) << I;
        EXPECT_FLOAT_EQ(Q[2].Y - Q[0].Y, 14.0f) << I;
    }
}

TEST_F(FontTest, StylesDrawExtraCopiesInOrder) {
    struct TQuadExpect {
        float X;
        float Y;
        uint32_t Color; // device colour of the first corner
    };
    struct TCase {
        const char* Name;
        TFontStylesFx Style;
        std::vector<TQuadExpect> Quads;
    };
    constexpr uint32_t W = 0xFFFFFFFF;
    const TCase Cases[] = {
        {"plain", 0, {{10, 20, W}}},
        {"bold", feBold, {{10, 20, W}, {9, 20, W}, {11, 20, W}}},
        {"shadow", feShadow, {{12, 22, 0x80000000}, {10, 20, W}}},
        {"bold shadow", feBold | feShadow, {{13, 22, 0x80000000}, {10, 20, W}, {9, 20, W}, {11, 20, W}}},
        {"emboss", feEmboss, {{9, 19, W}, {10, 20, 0xCC000000}}},
        {"bold emboss",
         feBold | feEmboss,
         {{9, 19, W},
          {8, 19, W},
          {10, 19, W},
          {10, 20, 0x85000000},
          {9, 20, 0x85000000},
          {11, 20, 0x85000000}}},
    };
    TGfxFont& Font = LoadedFont();
    for (const TCase& C : Cases) {
        Font.Style = C.Style;
        const auto Quads = Draw(Font, "A", 10, 20, 0xFFFFFFFF, 0xFFFFFFFF);
        ASSERT_EQ(Quads.size(), C.Quads.size()) << C.Name;
        for (size_t I = 0; I < Quads.size(); ++I) {
            EXPECT_FLOAT_EQ(Quads[I][0].X + 0.5f, C.Quads[I].X) << C.Name << " quad " << I;
            EXPECT_FLOAT_EQ(Quads[I][0].Y + 0.5f, C.Quads[I].Y) << C.Name << " quad " << I;
            EXPECT_EQ(Quads[I][0].Color, C.Quads[I].Color) << C.Name << " quad " << I;
        }
    }
}

TEST_F(FontTest, ShadowAndEmbossTakeTheirSettings) {
    TGfxFont& Font = LoadedFont();
    Font.Style = feShadow;
    Font.ShadowIntensity = 1.0;
    Font.ShadowColor = 0x12345678; // canvas colour: only the low 24 bits count
    Font.ShadowDistance = 2.0;
    Font.Scale = 1.5;
    auto Quads = Draw(Font, "A", 10, 20, 0xFFFFFFFF, 0xFFFFFFFF);
    ASSERT_EQ(Quads.size(), 2u);
    // Moved by 2 * 1.5 * 2 = 6 both ways; red and blue exchanged for the device.
    EXPECT_FLOAT_EQ(Quads[0][0].X + 0.5f, 16.0f);
    EXPECT_FLOAT_EQ(Quads[0][0].Y + 0.5f, 26.0f);
    EXPECT_EQ(Quads[0][0].Color, 0xFF785634u);

    Font.Style = feEmboss;
    Font.EmbossStrength = 2.0; // kept inside a byte
    Font.EmbossColor = 0xFF0000FF;
    Quads = Draw(Font, "A", 10, 20, 0xFFFFFFFF, 0xFFFFFFFF);
    ASSERT_EQ(Quads.size(), 2u);
    EXPECT_EQ(Quads[1][0].Color, 0xFFFF0000u);
}

TEST_F(FontTest, ItalicSlantsTheTopRightAndTheBottomLeft) {
    TGfxFont& Font = LoadedFont();
    Font.Style = feItalic;
    const auto Quads = Draw(Font, "A", 10, 20, 0xFFFFFFFF, 0xFFFFFFFF);
    ASSERT_EQ(Quads.size(), 1u);
    // A slant of 10 / 8 = 1.25, each corner truncated.
    const float Expected[4] = {11, 21, 18, 8};
    for (int I = 0; I < 4; ++I) {
        EXPECT_FLOAT_EQ(Quads[0][static_cast<size_t>(I)].X + 0.5f, Expected[I]) << I;
    }
}

TEST_F(FontTest, DrawingWithoutOwnerOrCanvasIsAnError) {
    TGfxFont Orphan(Device, nullptr);
    EXPECT_NO_THROW(Orphan.TextOut("A", 0, 0, 0, 0, fxBlend)); // not loaded: nothing at all
    TMemoryStream Stream(TestFontRecord());
    ASSERT_TRUE(Orphan.LoadFromStream(Stream, aqHigh, alFull));
    try {
        Orphan.TextOut("A", 0, 0, 0, 0, fxBlend);
        ADD_FAILURE() << "no error";
    } catch (const EFontError& Error) {
        EXPECT_STREQ(Error.what(), "TGfxFont: Unassigned Owner property.");
    }

    TGfxFont& Font = LoadedFont();
    Fonts.SetCanvas(nullptr);
    try {
        Font.TextOut("A", 0, 0, 0, 0, fxBlend);
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& Error) {
        EXPECT_STREQ(Error.what(), "TGfxFont: Unassigned Owner.Canvas property.");
    }
}

TEST_F(FontTest, ListNamesFindsAndClears) {
    EXPECT_EQ(Fonts.AddFont().Name, "Font00");
    EXPECT_EQ(Fonts.AddFont().Name, "Font01");
    EXPECT_EQ(Fonts.Items(-1), nullptr);
    EXPECT_EQ(Fonts.Items(2), nullptr);
    EXPECT_EQ(Fonts.Items(1)->Name, "Font01");
    Fonts.Items(0)->Name = "Verdana11";
    Fonts.Items(1)->Name = "VERDANA11";
    EXPECT_EQ(Fonts.Find("verdana11"), Fonts.Items(0));
    EXPECT_EQ(Fonts.Find("Verdana16"), nullptr);
    // The device's finalise event frees every font; the name counter carries on.
    EXPECT_TRUE(Fonts.DeviceNotify(devLost));
    EXPECT_EQ(Fonts.FontCount(), 2);
    EXPECT_TRUE(Fonts.DeviceNotify(devFinalize));
    EXPECT_EQ(Fonts.FontCount(), 0);
    EXPECT_EQ(Fonts.AddFont().Name, "Font02");
}

// An archive file in the test's temporary folder, removed afterwards.
class TTempArchive {
public:
    TTempArchive(const std::string& Name, const TArchiveWriter& Writer) : Path(testing::TempDir() + Name) {
        EXPECT_TRUE(Writer.SaveToFile(Path));
        Archive.SetFileName(Path);
        Archive.SetOpenMode(opReadOnly);
    }
    ~TTempArchive() { std::remove(Path.c_str()); }
    TTempArchive(const TTempArchive&) = delete;
    TTempArchive& operator=(const TTempArchive&) = delete;

    std::string Path;
    TArchive Archive;
};

TEST_F(FontTest, LoadArchiveLoadsEveryFontRecordByKey) {
    TArchiveWriter Writer;
    Writer.Add(RecordTypeFont, "Verdana11", TestFontRecord());
    Writer.Add(RecordTypeImage, "Picture", std::vector<uint8_t>(40, 0));
    Writer.Add(RecordTypeFont, "zagolovki", TestFontRecord());
    TTempArchive File("fonts_good.fgg", Writer);

    std::vector<std::string> Offered;
    Fonts.OnArchiveLoad = [&](const std::string& Key, int32_t Index, bool& Accept, std::string& Name,
                              TGfxQuality&, TAlphaLevel&) {
        Offered.push_back(Key + "@" + std::to_string(Index));
        if (Key == "zagolovki") {
            Name = "Headings";
        }
        Accept = true;
    };
    ASSERT_TRUE(Fonts.LoadArchive(File.Archive));
    EXPECT_EQ(Offered, (std::vector<std::string>{"Verdana11@0", "zagolovki@1"}));
    ASSERT_EQ(Fonts.FontCount(), 2);
    ASSERT_NE(Fonts.Find("verdana11"), nullptr);
    EXPECT_TRUE(Fonts.Find("verdana11")->Loaded());
    EXPECT_EQ(Fonts.Items(1)->Name, "Headings");

    // A single font by key: only font records of a key that exists load.
    struct TCase {
        const char* Key;
        bool Loads;
    };
    const TCase Cases[] = {{"VERDANA11", true}, {"Picture", false}, {"Missing", false}};
    for (const TCase& C : Cases) {
        TGfxFont Font(Device, &Fonts);
        EXPECT_EQ(Font.LoadFont(C.Key, File.Archive, aqHigh, alFull), C.Loads) << C.Key;
        EXPECT_EQ(Font.Loaded(), C.Loads) << C.Key;
    }
}

TEST_F(FontTest, LoadArchiveStopsAtTheFirstBadFont) {
    std::vector<uint8_t> Bad = TestFontRecord();
    Bad.resize(Bad.size() / 2);
    TArchiveWriter Writer;
    Writer.Add(RecordTypeFont, "Verdana11", TestFontRecord());
    Writer.Add(RecordTypeFont, "Broken", Bad);
    Writer.Add(RecordTypeFont, "Verdana16", TestFontRecord());
    TTempArchive File("fonts_bad.fgg", Writer);

    EXPECT_FALSE(Fonts.LoadArchive(File.Archive));
    ASSERT_EQ(Fonts.FontCount(), 2);
    EXPECT_EQ(Fonts.Items(0)->Name, "Verdana11");
    EXPECT_EQ(Fonts.Items(1)->Name, "Font01");
    EXPECT_FALSE(Fonts.Items(1)->Loaded());
    EXPECT_EQ(Fonts.Find("Verdana16"), nullptr);

    TArchive Missing;
    Missing.SetFileName(testing::TempDir() + "no_such_archive.fgg");
    Missing.SetOpenMode(opReadOnly);
    EXPECT_FALSE(Fonts.LoadArchive(Missing));
}

} // namespace
