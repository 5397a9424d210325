// SPDX-License-Identifier: MIT
#include "ImageFixture.h"

#include "engine/TextureAtlas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

namespace {
class TextureAtlasTest : public ImageFixture {
protected:
    // An image of Cells x Rows patterns of 3x2 pixels on a texture of Texture; pixel (x, y) of
    // the picture is 0xFF000000 + y * 256 + x, so every texel names where it came from.
    std::unique_ptr<TGfxImage> MakeImage(TPoint Texture, int32_t Columns, int32_t Rows, bool KeepPixels = true) {
        const int32_t W = Columns * 3;
        const int32_t H = Rows * 2;
        std::vector<uint32_t> Picture(static_cast<size_t>(W * H));
        for (int32_t y = 0; y < H; ++y) {
            for (int32_t x = 0; x < W; ++x) {
                Picture[static_cast<size_t>(y * W + x)] = 0xFF000000u | static_cast<uint32_t>(y * 256 + x);
            }
        }
        auto Image = std::make_unique<TGfxImage>(Device);
        Image->SetKeepPixels(KeepPixels);
        Image->SetTextureSize(Texture);
        Image->SetSize(1, {3, 2});
        Image->SetSize(0, {3, 2});
        Image->SetPatternCount(Columns * Rows);
        EXPECT_TRUE(Image->LoadFromBitmap(Picture, W, H));
        return Image;
    }

    // The texel of the page under texture coordinate (U, V), for coordinates on texel corners.
    [[nodiscard]] uint32_t PageTexel(const TGfxImage& Image, float U, float V, int32_t Dx = 0, int32_t Dy = 0) const {
        const auto& Page = Backend->Textures.at(Image.Handle(0));
        const auto X = static_cast<int32_t>(std::floor(U * static_cast<float>(Page.Width))) + Dx;
        const auto Y = static_cast<int32_t>(std::floor(V * static_cast<float>(Page.Height))) + Dy;
        return Page.Pixels.at(static_cast<size_t>(Y * Page.Width + X));
    }

    TTextureAtlas Atlas{Device};
};
} // namespace

// Every pattern samples the same texels from the page as from its own texture, and the texel
// ring around the picture repeats what its own texture gave beyond the edges.
TEST_F(TextureAtlasTest, PatternsKeepTheirTexelsAndBorders) {
    // A 4x2 grid of cells on a 14x4 texture: 12 columns used, two of padding.
    auto Image = MakeImage({14, 4}, 4, 2);
    auto Other = MakeImage({8, 2}, 2, 1);
    const int64_t Before = Backend->TextureTotals().Count;
    ASSERT_TRUE(Atlas.Add(*Image));
    ASSERT_TRUE(Atlas.Add(*Other));
    EXPECT_TRUE(Image->InAtlas());
    EXPECT_EQ(Backend->TextureTotals().Count, Before - 2) << "the images' own textures go";
    ASSERT_TRUE(Atlas.Finish());
    ASSERT_EQ(Atlas.PageCount(), 1);
    EXPECT_EQ(Image->Handle(0), Other->Handle(0));
    const auto& Page = Backend->Textures.at(Image->Handle(0));
    // One shelf: 14 + 10 texels wide with the rings, 6 tall.
    EXPECT_EQ(Page.Width, 32) << "a page is as wide as its pictures need, in a power of two";
    EXPECT_EQ(Page.Height, 8) << "a page is as tall as its pictures need, in a power of two";

    for (int32_t p = 0; p < 8; ++p) {
        TPatternRequest Request;
        Request.Pattern = p;
        TTexCorners C;
        int32_t Texture = -1;
        ASSERT_TRUE(Image->PatternCoords(Request, C, Texture));
        EXPECT_EQ(Texture, 0);
        const uint32_t Corner = 0xFF000000u | static_cast<uint32_t>((p / 4) * 2 * 256 + (p % 4) * 3);
        EXPECT_EQ(PageTexel(*Image, C.P[0].X, C.P[0].Y), Corner) << p;
        // The far corner lies half a texel inside the last texel, as on the own texture.
        EXPECT_EQ(PageTexel(*Image, C.P[2].X, C.P[2].Y), Corner + 256 + 2) << p;
    }
    TPatternRequest First;
    TTexCorners C;
    int32_t Texture = 0;
    ASSERT_TRUE(Image->PatternCoords(First, C, Texture));
    // Left of and above the texture: its mirrored wrap repeats the edge texel.
    EXPECT_EQ(PageTexel(*Image, C.P[0].X, C.P[0].Y, -1, 0), 0xFF000000u);
    EXPECT_EQ(PageTexel(*Image, C.P[0].X, C.P[0].Y, -1, -1), 0xFF000000u);
    // Right of the used columns: the texture's empty padding; below its last row: the edge.
    EXPECT_EQ(PageTexel(*Image, C.P[0].X, C.P[0].Y, 12, 0), 0u);
    EXPECT_EQ(PageTexel(*Image, C.P[0].X, C.P[0].Y, 0, 4), 0xFF000300u);
}

// Pictures placed side by side wherever the page's skyline lets them end nearest its top: four
// pictures 600 to 900 tall, loaded shortest first, go next to each other on one page 2048x1024
// (rows of pictures of one height each, as before, took two pages of 512x2048); a small one
// then takes the gap left at the top right, and every picture keeps its texels.
TEST_F(TextureAtlasTest, PicturesShareAPageSideBySide) {
    // 166 columns and 300 to 450 rows of 3x2 cells: 498 wide, 600 to 900 tall.
    std::vector<std::unique_ptr<TGfxImage>> Images;
    for (const int32_t Rows : {300, 350, 400, 450}) {
        Images.push_back(MakeImage({498, Rows * 2}, 166, Rows));
    }
    Images.push_back(MakeImage({8, 2}, 2, 1));
    for (const auto& Image : Images) {
        ASSERT_TRUE(Atlas.Add(*Image));
    }
    ASSERT_TRUE(Atlas.Finish());
    EXPECT_EQ(Atlas.PageCount(), 1);
    const auto& Page = Backend->Textures.at(Images[0]->Handle(0));
    EXPECT_EQ(Page.Width, 2048);
    EXPECT_EQ(Page.Height, 1024);
    for (size_t i = 0; i < Images.size(); ++i) {
        const TGfxImage& Image = *Images[i];
        TTexCorners C;
        int32_t Texture = -1;
        ASSERT_TRUE(Image.PatternCoords({}, C, Texture));
        const TPoint Used = Image.UsedExtent();
        EXPECT_EQ(PageTexel(Image, C.P[0].X, C.P[0].Y), 0xFF000000u) << i;
        EXPECT_EQ(PageTexel(Image, C.P[0].X, C.P[0].Y, Used.X - 1, Used.Y - 1),
                  0xFF000000u | static_cast<uint32_t>((Used.Y - 1) * 256 + Used.X - 1))
            << i;
        // Inside its one-texel ring, all in a row along the top.
        const auto X = static_cast<int32_t>(C.P[0].X * static_cast<float>(Page.Width) + 0.5f);
        const auto Y = static_cast<int32_t>(C.P[0].Y * static_cast<float>(Page.Height) + 0.5f);
        EXPECT_EQ(X, 1 + 500 * static_cast<int32_t>(i)) << i;
        EXPECT_EQ(Y, 1) << i;
    }
}

// Pictures that cannot share a page keep their own texture and stay as they were.
TEST_F(TextureAtlasTest, RefusesWhatCannotShareAPage) {
    struct TCase {
        const char* What;
        std::unique_ptr<TGfxImage> Image;
    };
    TCase Cases[] = {
        {"pixels already dropped", MakeImage({8, 2}, 2, 1, false)},
        {"two textures", MakeImage({4, 2}, 2, 1)},
        {"wider than a piece may be", MakeImage({2048, 2}, 400, 1)},
    };
    ASSERT_EQ(Cases[1].Image->TextureCount(), 2);
    for (TCase& Case : Cases) {
        const TTextureHandle Own = Case.Image->Handle(0);
        ASSERT_NE(Own, 0u) << Case.What;
        EXPECT_FALSE(Atlas.Add(*Case.Image)) << Case.What;
        EXPECT_FALSE(Case.Image->InAtlas()) << Case.What;
        EXPECT_EQ(Case.Image->Handle(0), Own) << Case.What;
    }
    EXPECT_EQ(Atlas.PageCount(), 0);
}

// Finished pages take nothing more; a picture reloaded leaves its page for a texture of its own.
TEST_F(TextureAtlasTest, FinishedPagesCloseAndReloadedImagesLeave) {
    auto First = MakeImage({8, 2}, 2, 1);
    ASSERT_TRUE(Atlas.Add(*First));
    ASSERT_TRUE(Atlas.Finish());
    auto Second = MakeImage({8, 2}, 2, 1);
    ASSERT_TRUE(Atlas.Add(*Second));
    ASSERT_TRUE(Atlas.Finish());
    EXPECT_EQ(Atlas.PageCount(), 2);
    EXPECT_NE(First->Handle(0), Second->Handle(0));

    const std::vector<uint8_t> Record = RawRecord({pfA8R8G8B8, {2, 2}, {2, 2}, 1, {2, 2}, 1});
    TMemoryStream Stream(Record);
    ASSERT_TRUE(First->LoadFromStream(Stream));
    EXPECT_FALSE(First->InAtlas());
    EXPECT_EQ(Backend->Textures.at(First->Handle(0)).Width, 2);
}

// While the data load, the memory copy of a picture that went onto a page serves the next
// picture, and it comes to it clear: a texel its own picture does not cover reads 0, not what
// the previous picture left there. Reuse off, the copy is freed and nothing is kept.
TEST_F(TextureAtlasTest, AReusedPixelBufferComesClear) {
    for (const bool Reuse : {true, false}) {
        SCOPED_TRACE(Reuse ? "reuse on" : "reuse off");
        Device.SetReusePixelBuffers(Reuse);
        auto Full = MakeImage({8, 8}, 2, 4); // its picture covers the texels x < 6, y < 8
        TLockedRect Locked;
        ASSERT_TRUE(Full->Lock(0, LockReadOnly, Locked));
        const uint8_t* FullCopy = Locked.Bits;
        ASSERT_TRUE(Full->Unlock(0));
        ASSERT_TRUE(Atlas.Add(*Full));
        if (!Reuse) {
            EXPECT_TRUE(Device.TakePixelBuffer().empty());
        }

        auto Next = MakeImage({8, 8}, 1, 1); // covers the texels x < 3, y < 2
        ASSERT_TRUE(Next->Lock(0, LockReadOnly, Locked));
        if (Reuse) {
            EXPECT_EQ(Locked.Bits, FullCopy) << "the freed copy serves the next picture";
        }
        const auto* Texels = reinterpret_cast<const uint32_t*>(Locked.Bits);
        EXPECT_EQ(Texels[0], 0xFF000000u);
        EXPECT_EQ(Texels[5 * 8 + 5], 0u) << "a texel outside the picture";
        ASSERT_TRUE(Next->Unlock(0));
    }
}
