// SPDX-License-Identifier: MIT
#include "ImageFixture.h"

#include "engine/ImageRecord.h"
#include "engine/TextureAtlas.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <limits>
#include <unistd.h>

namespace {

using ImageTest = ImageFixture;

struct TGeometryCase {
    const char* What;
    TRawHeader Header;
    bool Loads;
    TPoint PatternSize{};
    TPoint VisibleSize{};
    int32_t PatternCount = 0;
    int32_t PatternsPerTexture = 0;
};

const TGeometryCase GeometryCases[] = {
    {"0x0 sizes make one pattern the size of the texture",
     {pfA8R8G8B8, {0, 0}, {0, 0}, 0, {8, 4}, 2},
     true,
     {8, 4},
     {8, 4},
     2,
     1},
    {"pattern count 0 fills every cell of every texture",
     {pfA8R8G8B8, {2, 2}, {2, 1}, 0, {8, 4}, 3},
     true,
     {2, 2},
     {2, 1},
     24,
     8},
    {"a given pattern count is kept", {pfA8R8G8B8, {2, 2}, {1, 1}, 5, {8, 4}, 1}, true, {2, 2}, {1, 1}, 5, 8},
    {"a cell smaller than the texture with no visible size fails",
     {pfA8R8G8B8, {2, 2}, {0, 0}, 0, {8, 4}, 1},
     false},
    {"visible larger than the cell fails", {pfA8R8G8B8, {2, 2}, {3, 2}, 0, {8, 4}, 1}, false},
    {"cell larger than the texture fails", {pfA8R8G8B8, {8, 8}, {8, 8}, 0, {8, 4}, 1}, false},
    {"a texture of no width fails", {pfA8R8G8B8, {0, 0}, {0, 0}, 0, {0, 4}, 1}, false},
    {"a negative texture height fails", {pfA8R8G8B8, {0, 0}, {0, 0}, 0, {4, -4}, 1}, false},
    {"textures above the size limit fail", {pfA8, {0, 0}, {0, 0}, 0, {16384, 1}, 1}, false},
    {"a negative texture count fails", {pfA8R8G8B8, {0, 0}, {0, 0}, 0, {4, 4}, -1}, false},
    {"an unknown stored format fails", {pfUnknown, {0, 0}, {0, 0}, 0, {4, 4}, 1}, false},
    {"a stored format beyond the table fails", {200, {0, 0}, {0, 0}, 0, {4, 4}, 1}, false},
};

TEST_F(ImageTest, RecordGeometryFollowsTheGridRules) {
    for (const TGeometryCase& C : GeometryCases) {
        SCOPED_TRACE(C.What);
        TGfxImage Image(Device);
        const bool Loaded = LoadRecord(Image, RawRecord(C.Header));
        ASSERT_EQ(Loaded, C.Loads);
        if (!Loaded) {
            EXPECT_EQ(Image.State(), tsEmpty);
            continue;
        }
        EXPECT_EQ(Image.State(), tsReady);
        EXPECT_EQ(Image.PatternSize(), C.PatternSize);
        EXPECT_EQ(Image.VisibleSize(), C.VisibleSize);
        EXPECT_EQ(Image.PatternCount(), C.PatternCount);
        EXPECT_EQ(Image.PatternsPerTexture(), C.PatternsPerTexture);
        EXPECT_EQ(Image.Format(), pfA8R8G8B8);
    }
    // Nothing failed left a texture behind.
    EXPECT_TRUE(Backend->Textures.empty());
}

// A record claiming far more texture data than it carries is refused before any texture is
// made, however large the claim.
TEST_F(ImageTest, RefusesCountsTheStreamCannotHold) {
    for (const int32_t Count : {2, 1000, std::numeric_limits<int32_t>::max()}) {
        TRawHeader H;
        H.TextureSize = {8192, 8192};
        H.TextureCount = Count;
        std::vector<uint8_t> Bytes = RawRecord(H, std::vector<uint8_t>(16, 0));
        TGfxImage Image(Device);
        EXPECT_FALSE(LoadRecord(Image, Bytes)) << Count;
        EXPECT_TRUE(Backend->Textures.empty());
    }
}

TEST_F(ImageTest, TruncatedRecordsFailAndLeaveTheImageEmpty) {
    TRawHeader H;
    H.TextureCount = 2;
    const std::vector<uint8_t> Whole = RawRecord(H);
    ASSERT_EQ(Whole.size(), 33u + 2 * 4 * 4 * 4);
    for (const size_t Length : {size_t{0}, size_t{1}, size_t{32}, size_t{33}, Whole.size() - 1}) {
        TGfxImage Image(Device);
        EXPECT_FALSE(LoadRecord(Image, {Whole.begin(), Whole.begin() + static_cast<ptrdiff_t>(Length)}))
            << Length;
        EXPECT_EQ(Image.State(), tsEmpty);
        EXPECT_TRUE(Backend->Textures.empty());
    }
    TGfxImage Image(Device);
    EXPECT_TRUE(LoadRecord(Image, Whole));
}

struct TConversionCase {
    const char* What;
    TPixelFormat Stored;
    TGfxQuality Quality;
    TAlphaLevel Alpha;
    TPixelFormat Texture;
    std::vector<uint8_t> Row; // one pixel
    uint32_t Uploaded;
};

TEST_F(ImageTest, StoredRowsConvertToTheTextureFormat) {
    const TConversionCase Cases[] = {
        // Compatible pairs are copied byte for byte, the unused top bits becoming alpha.
        {"2 into 5 is copied", pfX8R8G8B8, aqHigh, alFull, pfA8R8G8B8, {0x11, 0x22, 0x33, 0x44}, 0x44332211},
        {"4 into 7 is copied", pfX4R4G4B4, aqLow, alFull, pfA4R4G4B4, {0x21, 0x43}, 0x44332211},
        // 5 into 7 keeps the top four bits of every component.
        {"5 into 7 keeps the top bits",
         pfA8R8G8B8,
         aqMedium,
         alFull,
         pfA4R4G4B4,
         {0x17, 0x2C, 0x4A, 0x8F},
         0x88442211},
        {"5 into 2 loses alpha",
         pfA8R8G8B8,
         aqHigh,
         alNone,
         pfX8R8G8B8,
         {0x17, 0x2C, 0x4A, 0x00},
         0xFF4A2C17},
        {"1 into 5 widens", pfR5G6B5, aqHigh, alFull, pfA8R8G8B8, {0x1F, 0xF8}, 0xFFFF00FF},
        {"10 into 6 keeps the top alpha bit", pfA8, aqHigh, alMask, pfA1R5G5B5, {0x80}, 0xFFFFFFFF},
        {"5 into 10 keeps only alpha",
         pfA8R8G8B8,
         aqHigh,
         alExclusive,
         pfA8,
         {0x17, 0x2C, 0x4A, 0x8F},
         0x8FFFFFFF},
    };
    for (const TConversionCase& C : Cases) {
        SCOPED_TRACE(C.What);
        TGfxImage Image(Device);
        Image.SetQuality(C.Quality);
        Image.SetAlphaLevel(C.Alpha);
        TRawHeader H;
        H.Format = C.Stored;
        H.TextureSize = {1, 1};
        ASSERT_TRUE(LoadRecord(Image, RawRecord(H, C.Row)));
        EXPECT_EQ(Image.Format(), C.Texture);
        ASSERT_EQ(Uploaded(Image, 0).size(), 1u);
        EXPECT_EQ(Uploaded(Image, 0)[0], C.Uploaded);
    }
}

// The content tools' writer and the loader agree: each pattern comes back where the grid
// puts it, on the texture it belongs to.
TEST_F(ImageTest, WrittenRecordsLoadBack) {
    TImageRecordSource Source;
    Source.PatternSize = {3, 2};
    Source.TextureSize = {8, 4};
    for (uint32_t i = 0; i < 5; ++i) {
        Source.Patterns.emplace_back(6, 0xFF000000u + i * 0x010101u);
        Source.Patterns.back()[5] = 0x80000000u | i;
    }
    TGfxImage Image(Device);
    ASSERT_TRUE(LoadRecord(Image, WriteImageRecord(Source)));
    ASSERT_EQ(Image.TextureCount(), 2);
    EXPECT_EQ(Image.PatternCount(), 5);
    EXPECT_EQ(Image.PatternsPerTexture(), 4);
    const std::vector<uint32_t>& Second = Uploaded(Image, 1);
    ASSERT_EQ(Second.size(), 32u);
    EXPECT_EQ(Second[0], 0xFF040404u);
    EXPECT_EQ(Second[1 * 8 + 2], 0x80000004u);
    EXPECT_EQ(Second[3], 0u);
    const std::vector<uint32_t>& First = Uploaded(Image, 0);
    // Pattern 3: second row of cells, second column.
    EXPECT_EQ(First[2 * 8 + 3], 0xFF030303u);
    EXPECT_EQ(First[3 * 8 + 5], 0x80000003u);
}

// Stored textures padded beyond their cells reach the device at the power-of-two size the
// patterns use (a lone picture too large for the atlas at its own size); textures stored at the
// size their cells use get the same power of two, unless a wider or taller texture would move
// cells to other places. The texture coordinates follow, so every pattern shows its texels.
TEST_F(ImageTest, PaddedTexturesAreUploadedAtTheSizeTheirPatternsUse) {
    struct TCase {
        TPoint Cell;
        int32_t Patterns;
        TPoint Stored;
        TPoint Used;
        int32_t Textures = 1;
    };
    const TCase Cases[] = {
        {{5, 3}, 1, {16, 16}, {8, 4}}, // one picture in a texture twice its size
        {{2, 2}, 3, {8, 8}, {8, 2}},   // one row of cells, partly filled
        {{2, 2}, 5, {8, 8}, {8, 4}},   // two rows of cells
        {{2, 2}, 16, {8, 8}, {8, 8}},  // a full sheet
        // one picture too large for the atlas pages: exactly its size, not 2048 wide
        {{TTextureAtlas::MaxPieceSide + 76, 2}, 1, {2048, 2}, {TTextureAtlas::MaxPieceSide + 76, 2}},
        {{5, 3}, 1, {5, 3}, {8, 4}},   // one picture stored at its own size
        {{2, 2}, 3, {6, 2}, {8, 2}},   // one row stored at its used size
        // two rows of three cells: 8 wide would hold a fourth cell per row, so it stays 9
        {{3, 2}, 5, {9, 4}, {9, 4}},
        // two textures of 2x3 cells: 8 tall would hold a fourth row per texture, so it stays 6
        {{3, 2}, 12, {6, 6}, {8, 6}, 2},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(testing::Message() << C.Patterns << " cells of " << C.Cell.X << "x" << C.Cell.Y);
        TImageRecordSource Source;
        Source.PatternSize = C.Cell;
        Source.TextureSize = C.Stored;
        for (int32_t i = 0; i < C.Patterns; ++i) {
            Source.Patterns.emplace_back(static_cast<size_t>(C.Cell.X * C.Cell.Y), 0xFF000000u + static_cast<uint32_t>(i));
        }
        TGfxImage Image(Device);
        ASSERT_TRUE(LoadRecord(Image, WriteImageRecord(Source)));
        ASSERT_EQ(Image.TextureCount(), C.Textures);
        EXPECT_EQ(Image.TextureSize(), C.Used);
        for (int32_t p = 0; p < C.Patterns; ++p) {
            TTexCorners Corners;
            int32_t Texture = -1;
            ASSERT_TRUE(Image.PatternCoords({p, 0, 0, 0, 0, false, false}, Corners, Texture));
            const std::vector<uint32_t>& Pixels = Uploaded(Image, Texture);
            ASSERT_EQ(Pixels.size(), static_cast<size_t>(C.Used.X * C.Used.Y));
            const auto X = static_cast<int32_t>(Corners.P[0].X * static_cast<float>(C.Used.X) + 0.5f);
            const auto Y = static_cast<int32_t>(Corners.P[0].Y * static_cast<float>(C.Used.Y) + 0.5f);
            EXPECT_EQ(Pixels[static_cast<size_t>(Y * C.Used.X + X)], 0xFF000000u + static_cast<uint32_t>(p)) << p;
        }
    }
}

// Older archives stored every sheet padded to the power-of-two texture its patterns were laid
// out on; the content tools now store only the part the patterns use. Both records give the
// same texture, the same texture coordinates and, on an atlas page, the same texels with the
// same ring around them.
TEST_F(ImageTest, RecordsAtTheirUsedSizeLoadLikePaddedOnes) {
    struct TCase {
        TPoint Cell;
        int32_t Patterns;
    };
    const TCase Cases[] = {{{5, 3}, 1}, {{7, 5}, 3}, {{7, 5}, 11}, {{12, 10}, 1}, {{1100, 3}, 1}};
    TTextureAtlas Atlas(Device);
    for (const TCase& C : Cases) {
        SCOPED_TRACE(testing::Message() << C.Patterns << " cells of " << C.Cell.X << "x" << C.Cell.Y);
        TImageRecordSource Source;
        Source.PatternSize = C.Cell;
        for (int32_t p = 0; p < C.Patterns; ++p) {
            Source.Patterns.emplace_back();
            for (int32_t i = 0; i < C.Cell.X * C.Cell.Y; ++i) {
                Source.Patterns.back().push_back(0xFF000000u | static_cast<uint32_t>(p << 16 | i));
            }
        }
        const std::vector<uint8_t> Trimmed = WriteImageRecord(Source);
        Source.TextureSize = ChooseTextureSize(C.Cell, C.Patterns);
        const std::vector<uint8_t> Padded = WriteImageRecord(Source);
        EXPECT_LT(Trimmed.size(), Padded.size());

        TGfxImage Old(Device);
        TGfxImage New(Device);
        Old.SetKeepPixels(true);
        New.SetKeepPixels(true);
        ASSERT_TRUE(LoadRecord(Old, Padded));
        ASSERT_TRUE(LoadRecord(New, Trimmed));
        EXPECT_EQ(New.TextureSize(), Old.TextureSize());
        EXPECT_EQ(New.PatternsPerTexture(), Old.PatternsPerTexture());
        EXPECT_EQ(Uploaded(New, 0), Uploaded(Old, 0));
        for (int32_t p = 0; p < C.Patterns; ++p) {
            TTexCorners A;
            TTexCorners B;
            int32_t TextureA = -1;
            int32_t TextureB = -2;
            ASSERT_TRUE(Old.PatternCoords({p, 0, 0, 0, 0, false, false}, A, TextureA));
            ASSERT_TRUE(New.PatternCoords({p, 0, 0, 0, 0, false, false}, B, TextureB));
            EXPECT_EQ(TextureA, TextureB);
            for (int k = 0; k < 4; ++k) {
                EXPECT_EQ(A.P[k].X, B.P[k].X) << p;
                EXPECT_EQ(A.P[k].Y, B.P[k].Y) << p;
            }
        }
        if (!Atlas.Add(Old)) {
            continue; // too large for a page, as the space backdrop
        }
        ASSERT_TRUE(Atlas.Add(New));
        ASSERT_TRUE(Atlas.Finish());
        // The slot of each picture on its page, with the ring of one texel around it.
        const auto Slot = [&](const TGfxImage& Image) {
            const auto& Page = Backend->Textures.at(Image.Handle(0));
            TTexCorners Corners;
            int32_t Texture = 0;
            EXPECT_TRUE(Image.PatternCoords({0, 0, 0, 0, 0, false, false}, Corners, Texture));
            const auto Left = static_cast<int32_t>(Corners.P[0].X * static_cast<float>(Page.Width) + 0.5f);
            const auto Top = static_cast<int32_t>(Corners.P[0].Y * static_cast<float>(Page.Height) + 0.5f);
            const TPoint Used = Image.UsedExtent();
            std::vector<uint32_t> Texels;
            for (int32_t y = Top - 1; y <= Top + Used.Y; ++y) {
                for (int32_t x = Left - 1; x <= Left + Used.X; ++x) {
                    Texels.push_back(Page.Pixels.at(static_cast<size_t>(y * Page.Width + x)));
                }
            }
            return Texels;
        };
        EXPECT_EQ(Slot(New), Slot(Old));
    }
}

struct TCoordsCase {
    const char* What;
    TPatternRequest Request;
    int32_t Texture;
    float U0, V0, U1, V1;
};

// A 64x64 cell drawn at 60x60 on 256x128 textures, 8 cells per texture, 12 patterns.
TEST_F(ImageTest, PatternCoordsCentreClampAndMirror) {
    TRawHeader H;
    H.PatternSize = {64, 64};
    H.VisibleSize = {60, 60};
    H.PatternCount = 12;
    H.TextureSize = {256, 128};
    H.TextureCount = 2;
    TGfxImage Image(Device);
    ASSERT_TRUE(LoadRecord(Image, RawRecord(H)));

    const TCoordsCase Cases[] = {
        {"cell 0 starts 2 pixels in, far edge half a texel inside",
         {},
         0,
         2 / 256.f,
         2 / 128.f,
         61.5f / 256,
         61.5f / 128},
        {"cell 5 is on the second row", {5}, 0, 66 / 256.f, 66 / 128.f, 125.5f / 256, 125.5f / 128},
        {"pattern 9 is on the second texture", {9}, 1, 66 / 256.f, 2 / 128.f, 125.5f / 256, 61.5f / 128},
        {"below 0 draws pattern 0", {-7}, 0, 2 / 256.f, 2 / 128.f, 61.5f / 256, 61.5f / 128},
        {"beyond the count draws the last", {400}, 1, 194 / 256.f, 2 / 128.f, 253.5f / 256, 61.5f / 128},
        {"a source part inside the pattern",
         {0, 10, 4, 20, 8},
         0,
         12 / 256.f,
         6 / 128.f,
         31.5f / 256,
         13.5f / 128},
        {"mirror exchanges left and right",
         {0, 0, 0, 0, 0, true, false},
         0,
         61.5f / 256,
         2 / 128.f,
         2 / 256.f,
         61.5f / 128},
        {"flip exchanges top and bottom",
         {0, 0, 0, 0, 0, false, true},
         0,
         2 / 256.f,
         61.5f / 128,
         61.5f / 256,
         2 / 128.f},
    };
    for (const TCoordsCase& C : Cases) {
        SCOPED_TRACE(C.What);
        TTexCorners Corners;
        int32_t Texture = -1;
        ASSERT_TRUE(Image.PatternCoords(C.Request, Corners, Texture));
        EXPECT_EQ(Texture, C.Texture);
        EXPECT_FLOAT_EQ(Corners.P[0].X, C.U0);
        EXPECT_FLOAT_EQ(Corners.P[0].Y, C.V0);
        EXPECT_FLOAT_EQ(Corners.P[1].X, C.U1);
        EXPECT_FLOAT_EQ(Corners.P[1].Y, C.V0);
        EXPECT_FLOAT_EQ(Corners.P[2].X, C.U1);
        EXPECT_FLOAT_EQ(Corners.P[2].Y, C.V1);
        EXPECT_FLOAT_EQ(Corners.P[3].X, C.U0);
        EXPECT_FLOAT_EQ(Corners.P[3].Y, C.V1);
    }
}

TEST_F(ImageTest, PatternCoordsNeedPatternsOnTextures) {
    TTexCorners Corners;
    int32_t Texture = 0;
    TGfxImage Empty(Device);
    EXPECT_FALSE(Empty.PatternCoords({}, Corners, Texture));

    // More patterns claimed than the one texture holds: the extra ones have nothing to draw.
    TRawHeader H;
    H.PatternSize = {2, 2};
    H.VisibleSize = {2, 2};
    H.PatternCount = 6;
    TGfxImage Image(Device);
    ASSERT_TRUE(LoadRecord(Image, RawRecord(H)));
    EXPECT_TRUE(Image.PatternCoords({3}, Corners, Texture));
    EXPECT_FALSE(Image.PatternCoords({4}, Corners, Texture));
}

TEST_F(ImageTest, BitmapsAreCutIntoTheSheetGrid) {
    // A 6x4 picture of 2x2 cells: six patterns, four to a 4x4 texture.
    std::vector<uint32_t> Picture(24);
    for (int32_t y = 0; y < 4; ++y) {
        for (int32_t x = 0; x < 6; ++x) {
            Picture[static_cast<size_t>(y * 6 + x)] =
                0xFF000000u | static_cast<uint32_t>((y / 2) * 3 + x / 2);
        }
    }
    TGfxImage Image(Device);
    Image.SetTextureSize({4, 4});
    Image.SetSize(1, {2, 2});
    Image.SetSize(0, {2, 2});
    ASSERT_TRUE(Image.LoadFromBitmap(Picture, 6, 4));
    ASSERT_EQ(Image.TextureCount(), 2);
    EXPECT_EQ(Image.PatternCount(), 8);
    const std::vector<uint32_t>& First = Uploaded(Image, 0);
    EXPECT_EQ(First[0], 0xFF000000u);
    EXPECT_EQ(First[2], 0xFF000001u);
    EXPECT_EQ(First[2 * 4 + 0], 0xFF000002u);
    EXPECT_EQ(First[3 * 4 + 3], 0xFF000003u);
    const std::vector<uint32_t>& Second = Uploaded(Image, 1);
    EXPECT_EQ(Second[1], 0xFF000004u);
    EXPECT_EQ(Second[2], 0xFF000005u);
    // Cells with no pattern stay transparent black.
    EXPECT_EQ(Second[2 * 4], 0u);

    // Refilling a ready image keeps its textures and geometry.
    const TTextureHandle Handle = Image.Handle(0);
    const std::vector<uint32_t> Red(24, 0xFFFF0000u);
    ASSERT_TRUE(Image.LoadFromBitmap(Red, 6, 4));
    EXPECT_EQ(Image.Handle(0), Handle);
    EXPECT_EQ(Uploaded(Image, 0)[3 * 4 + 3], 0xFFFF0000u);
    EXPECT_EQ(Uploaded(Image, 1)[2 * 4], 0u);
}

TEST_F(ImageTest, BitmapsSmallerThanACellFillPartOfIt) {
    TGfxImage Image(Device);
    Image.SetTextureSize({4, 4});
    Image.SetSize(1, {4, 4});
    ASSERT_TRUE(Image.LoadFromBitmap(std::vector<uint32_t>(2 * 3, 0xFF123456u), 2, 3));
    EXPECT_EQ(Image.TextureCount(), 1);
    const std::vector<uint32_t>& Pixels = Uploaded(Image, 0);
    EXPECT_EQ(Pixels[2 * 4 + 1], 0xFF123456u);
    EXPECT_EQ(Pixels[2 * 4 + 2], 0u);
    EXPECT_EQ(Pixels[3 * 4 + 0], 0u);
}

// A picture file reaches the textures through its decoder: a 2x1 top-down 24-bit TGA.
TEST_F(ImageTest, PictureFilesFillTheImage) {
    const std::string FileName =
        (std::filesystem::path(testing::TempDir()) / ("zibo_link_" + std::to_string(getpid()) + ".TGA"))
            .string();
    const uint8_t Tga[] = {0, 0, 2, 0, 0,  0,    0,    0,    0,    0,    0,    0,
                           2, 0, 1, 0, 24, 0x20, 0x30, 0x20, 0x10, 0x60, 0x50, 0x40};
    std::ofstream(FileName, std::ios::binary).write(reinterpret_cast<const char*>(Tga), sizeof Tga);
    TGfxImage Image(Device);
    Image.SetTextureSize({2, 2});
    Image.SetSize(1, {2, 1});
    Image.SetSize(0, {2, 1});
    const bool Loaded = Image.LoadFromFile(FileName);
    std::filesystem::remove(FileName);
    ASSERT_TRUE(Loaded);
    EXPECT_EQ(Uploaded(Image, 0), (std::vector<uint32_t>{0xFF102030u, 0xFF405060u, 0, 0}));
}

TEST_F(ImageTest, BadBitmapsAreRefused) {
    const std::vector<uint32_t> Four(4, 0xFFFFFFFFu);
    TGfxImage Image(Device);
    Image.SetTextureSize({2, 2});
    EXPECT_FALSE(Image.LoadFromBitmap(Four, 3, 2));
    EXPECT_FALSE(Image.LoadFromBitmap(Four, 0, 2));
    EXPECT_FALSE(Image.LoadFromBitmap(Four, -2, -2));
    Image.SetSize(1, {4, 4});
    EXPECT_FALSE(Image.LoadFromBitmap(Four, 2, 2));
    EXPECT_FALSE(Image.LoadFromFile("no such picture.png"));
    EXPECT_EQ(Image.State(), tsEmpty);
}

TEST_F(ImageTest, SettersOnlyActWhileEmpty) {
    TGfxImage Image(Device);
    ASSERT_TRUE(LoadRecord(Image, RawRecord({})));
    Image.SetTextureSize({64, 64});
    Image.SetTextureCount(3);
    Image.SetMipMapping(false);
    Image.SetPatternCount(9);
    Image.SetQuality(aqLow);
    Image.SetAlphaLevel(alNone);
    Image.SetSize(1, {1, 1});
    Image.SetSize(0, {2, 2});
    EXPECT_EQ(Image.TextureSize(), (TPoint{4, 4}));
    EXPECT_EQ(Image.TextureCount(), 1);
    EXPECT_TRUE(Image.MipMapping());
    EXPECT_EQ(Image.PatternCount(), 1);
    EXPECT_EQ(Image.Quality(), aqHigh);
    EXPECT_EQ(Image.AlphaLevel(), alFull);
    EXPECT_EQ(Image.PatternSize(), (TPoint{4, 4}));
    // The visible size may change at any time.
    EXPECT_EQ(Image.VisibleSize(), (TPoint{2, 2}));
}

// A set that gives its textures up when the device is lost.
class TLostCapableImage : public TGfxImage {
public:
    explicit TLostCapableImage(TGfxDevice& Device) : TGfxImage(Device) { LostCapable = true; }
};

TEST_F(ImageTest, StateChangesFollowTheLifecycle) {
    TGfxImage Plain(Device);
    TLostCapableImage Capable(Device);
    ASSERT_TRUE(LoadRecord(Plain, RawRecord({})));
    ASSERT_TRUE(LoadRecord(Capable, RawRecord({})));
    ASSERT_EQ(Backend->Textures.size(), 2u);

    Plain.ChangeState(tsLost);
    Capable.ChangeState(tsLost);
    EXPECT_EQ(Plain.State(), tsReady);
    EXPECT_EQ(Capable.State(), tsLost);
    EXPECT_EQ(Capable.Handle(0), 0u);
    EXPECT_EQ(Backend->Textures.size(), 1u);

    Capable.ChangeState(tsReady);
    EXPECT_EQ(Capable.State(), tsReady);
    EXPECT_NE(Capable.Handle(0), 0u);

    Plain.ChangeState(tsEmpty);
    EXPECT_EQ(Plain.State(), tsEmpty);
    EXPECT_EQ(Plain.Handle(0), 0u);
    EXPECT_EQ(Backend->Textures.size(), 1u);
}

TEST_F(ImageTest, ImagesWithoutADeviceNeverGetReady) {
    TGfxDevice Offline{[](const TDisplaySettings&) { return std::unique_ptr<TRenderBackend>(); }};
    TGfxImage Image(Offline);
    EXPECT_FALSE(LoadRecord(Image, RawRecord({})));
    EXPECT_EQ(Image.State(), tsEmpty);
}

TEST_F(ImageTest, ImagesThatKeepNoPixelsAllowOnlyAWholeRebuild) {
    TGfxImage Image(Device);
    Image.SetKeepPixels(false);
    ASSERT_TRUE(LoadRecord(Image, RawRecord({})));
    const std::vector<uint32_t> Before = Uploaded(Image, 0);
    TLockedRect Locked;
    EXPECT_FALSE(Image.Lock(0, LockReadOnly, Locked));
    EXPECT_FALSE(Image.LockRect(0, {1, 2, 3, 4}, Locked, LockReadWrite));
    // The device's copy is untouched by the refused locks.
    EXPECT_EQ(Uploaded(Image, 0), Before);
    ASSERT_TRUE(Image.Lock(0, LockReadWrite, Locked));
    Locked.Bits[0] = 0x44;
    Locked.Bits[3] = 0xFF;
    ASSERT_TRUE(Image.Unlock(0));
    EXPECT_EQ(Uploaded(Image, 0)[0], 0xFF000044u);
    EXPECT_EQ(Uploaded(Image, 0)[1], 0u);
}

TEST_F(ImageTest, LocksGuardTheCpuCopy) {
    TGfxImage Image(Device);
    ASSERT_TRUE(LoadRecord(Image, RawRecord({})));
    const int Updates = Backend->Textures.at(Image.Handle(0)).Updates;

    TLockedRect Locked;
    ASSERT_TRUE(Image.Lock(0, LockReadOnly, Locked));
    EXPECT_EQ(Locked.Pitch, 16);
    EXPECT_EQ(Locked.Format, pfA8R8G8B8);
    EXPECT_FALSE(Image.Lock(0, LockReadOnly, Locked));
    EXPECT_TRUE(Image.Unlock(0));
    EXPECT_FALSE(Image.Unlock(0));
    // A read-only lock uploads nothing.
    EXPECT_EQ(Backend->Textures.at(Image.Handle(0)).Updates, Updates);

    ASSERT_TRUE(Image.LockRect(0, {1, 2, 3, 4}, Locked, LockReadWrite));
    Locked.Bits[0] = 0x44;
    Locked.Bits[3] = 0xFF;
    ASSERT_TRUE(Image.Unlock(0));
    EXPECT_EQ(Backend->Textures.at(Image.Handle(0)).Updates, Updates + 1);
    EXPECT_EQ(Uploaded(Image, 0)[2 * 4 + 1], 0xFF000044u);

    EXPECT_FALSE(Image.LockRect(0, {2, 2, 5, 3}, Locked, LockReadWrite));
    EXPECT_FALSE(Image.LockRect(0, {2, 2, 2, 3}, Locked, LockReadWrite));
    EXPECT_FALSE(Image.Lock(1, LockReadWrite, Locked));
    EXPECT_FALSE(Image.Lock(-1, LockReadWrite, Locked));
}

} // namespace
