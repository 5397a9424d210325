// SPDX-License-Identifier: MIT
#include "content/Manifest.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

std::vector<TPicture> Patterns(int Count, int Size = 4) {
    return std::vector<TPicture>(Count, TPicture(Size, Size));
}

// List positions follow the game's loading order: Data's images, then GData's, whatever
// order they were registered in; fonts run Data, GData, Data1; Data1 images have none.
TEST(Manifest, PositionsFollowLoadingOrder) {
    TManifest m;
    m.AddImage(TArchiveId::GData, "back", Patterns(1));
    m.AddImage(TArchiveId::Data, "RedCircle.piece", Patterns(8));
    m.AddFont(TArchiveId::Data1, "Big", {1});
    m.AddRecord(TArchiveId::Data, 0, "explode-red.pss", {1, 2});
    m.AddImage(TArchiveId::Data, "board", Patterns(1));
    m.AddFont(TArchiveId::Data, "Small", {1});
    m.AddImage(TArchiveId::Data1, "unused", Patterns(1));

    const struct {
        const char* Name;
        int Image;
        int Font;
    } cases[] = {
        {"redcircle.PIECE", 0, -1}, {"board", 1, -1}, {"BACK", 2, -1},     {"unused", -1, -1},
        {"Small", -1, 0},           {"big", -1, 1},   {"missing", -1, -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(m.ImageIndex(c.Name), c.Image) << c.Name;
        EXPECT_EQ(m.FontIndex(c.Name), c.Font) << c.Name;
    }
    ASSERT_NE(m.FindImage("Board"), nullptr);
    EXPECT_EQ(m.FindImage("Board")->Patterns.size(), 1u);
}

TEST(Manifest, RejectsMalformedImagesAndDuplicateKeys) {
    TManifest m;
    m.AddImage(TArchiveId::Data, "a", Patterns(2));
    EXPECT_THROW(m.AddImage(TArchiveId::Data, "A", Patterns(1)), std::invalid_argument);
    EXPECT_NO_THROW(m.AddImage(TArchiveId::GData, "a", Patterns(1)));
    EXPECT_THROW(m.AddImage(TArchiveId::Data, "empty", {}), std::invalid_argument);
    EXPECT_THROW(m.AddImage(TArchiveId::Data, "big", {4, 4}, {5, 4}, Patterns(1)), std::invalid_argument);
    std::vector<TPicture> mixed{TPicture(4, 4), TPicture(3, 4)};
    EXPECT_THROW(m.AddImage(TArchiveId::Data, "mixed", {4, 4}, {4, 4}, mixed), std::invalid_argument);
    EXPECT_THROW(m.AddRecord(TArchiveId::Data, RecordTypeImage, "raw", {}), std::invalid_argument);
}

// cairo works premultiplied; pictures are straight alpha, and a round trip keeps them.
TEST(Picture, SurfaceRoundTripKeepsStraightAlpha) {
    TPicture p(3, 1);
    p.SetPixel(0, 0, 0xFF102030u);
    p.SetPixel(1, 0, 0x80FF8000u);
    p.SetPixel(2, 0, 0x00000000u);
    cairo_surface_t* s = p.MakeSurface();
    const TPicture back = TPicture::FromSurface(s);
    cairo_surface_destroy(s);
    EXPECT_EQ(back.Pixel(0, 0), 0xFF102030u);
    EXPECT_EQ(back.Pixel(1, 0), 0x80FF8000u);
    EXPECT_EQ(back.Pixel(2, 0), 0u);
    EXPECT_EQ(back.Pixel(5, 0), 0u);
}

} // namespace
