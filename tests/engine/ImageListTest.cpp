// SPDX-License-Identifier: MIT
#include "ImageFixture.h"

#include "archive/Archive.h"
#include "archive/ArchiveWriter.h"
#include "engine/ImageRecord.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// A 2x2 image record whose one pattern is filled with Color.
std::vector<uint8_t> SolidImage(uint32_t Color) {
    TImageRecordSource Source;
    Source.PatternSize = {2, 2};
    Source.Patterns.emplace_back(4, Color);
    return WriteImageRecord(Source);
}

class ImageListTest : public ImageFixture {
protected:
    void TearDown() override {
        std::error_code Ignored;
        std::filesystem::remove(FileName, Ignored);
    }

    // Writes the archive and points Archive at it.
    void SaveArchive(const TArchiveWriter& Writer) {
        ASSERT_TRUE(Writer.SaveToFile(FileName));
        Archive.SetFileName(FileName);
        Archive.SetOpenMode(opReadOnly);
    }

    // Image records "Piece", a font record, a broken image record, then "Cursor".
    void SaveMixedArchive() {
        TArchiveWriter Writer;
        Writer.Add(RecordTypeImage, "Piece", SolidImage(0xFF0000FFu));
        Writer.Add(RecordTypeFont, "Verdana11", SolidImage(0xFF00FF00u));
        // Its visible size is larger than its cell.
        TRawHeader Broken;
        Broken.PatternSize = {2, 2};
        Broken.VisibleSize = {3, 2};
        Writer.Add(RecordTypeImage, "Broken", RawRecord(Broken));
        Writer.Add(RecordTypeImage, "Cursor", SolidImage(0xFFFF0000u));
        SaveArchive(Writer);
    }

    std::string FileName =
        (std::filesystem::path(testing::TempDir()) / ("zibo_images_" + std::to_string(getpid()) + ".fgg"))
            .string();
    TArchive Archive;
    TGfxImages Images{Device};
};

TEST_F(ImageListTest, LoadArchiveStopsAtTheFirstBrokenImage) {
    SaveMixedArchive();
    EXPECT_FALSE(Images.LoadArchive(Archive));
    // The image before the broken one stays; the broken one is removed; fonts are skipped.
    ASSERT_EQ(Images.ImageCount(), 1);
    EXPECT_EQ(Images.Items(0)->Name(), "Piece");
    EXPECT_EQ(Images.Find("Broken"), nullptr);
    EXPECT_FALSE(Images.Items(0)->MipMapping());
    EXPECT_EQ(Uploaded(*Images.Items(0), 0)[0], 0xFF0000FFu);
}

TEST_F(ImageListTest, ArchiveLoadEventRenamesAndSkips) {
    SaveMixedArchive();
    std::vector<int32_t> Indexes;
    Images.OnArchiveLoad = [&](const std::string& Key, int32_t Index, bool& Accept, std::string& Name,
                               TGfxQuality& Quality, TAlphaLevel& Alpha) {
        EXPECT_EQ(Name, Key);
        EXPECT_EQ(Quality, aqHigh);
        EXPECT_EQ(Alpha, alFull);
        Indexes.push_back(Index);
        Accept = Key != "Broken";
        Name = "my" + Key;
        Quality = aqMedium;
    };
    ASSERT_TRUE(Images.LoadArchive(Archive));
    EXPECT_EQ(Indexes, (std::vector<int32_t>{0, 1, 1}));
    ASSERT_EQ(Images.ImageCount(), 2);
    EXPECT_EQ(Images.Items(1)->Name(), "myCursor");
    EXPECT_EQ(Images.Items(1)->Format(), pfA4R4G4B4);
}

TEST_F(ImageListTest, LoadImageTakesOnlyImageRecords) {
    SaveMixedArchive();
    EXPECT_FALSE(Images.LoadImage("Verdana11", Archive, aqHigh, alFull));
    EXPECT_FALSE(Images.LoadImage("Missing", Archive, aqHigh, alFull));
    EXPECT_FALSE(Images.LoadImage("broken", Archive, aqHigh, alFull));
    EXPECT_EQ(Images.ImageCount(), 0);
    ASSERT_TRUE(Images.LoadImage("CURSOR", Archive, aqLow, alNone));
    EXPECT_EQ(Images.Items(0)->Name(), "CURSOR");
    EXPECT_EQ(Images.Items(0)->Format(), pfR2G3B3);

    TArchive Missing;
    Missing.SetFileName(FileName + ".absent");
    Missing.SetOpenMode(opReadOnly);
    EXPECT_FALSE(Images.LoadImage("Cursor", Missing, aqHigh, alFull));
    EXPECT_FALSE(Images.LoadArchive(Missing));
}

TEST_F(ImageListTest, FindIgnoresCaseAndTakesTheFirst) {
    TGfxImage& First = Images.AddImage();
    First.SetName("Particles");
    TGfxImage& Second = Images.AddImage();
    Second.SetName("PARTICLES");
    for (const char* Name : {"particles", "PARTICLES", "pArTiClEs"}) {
        EXPECT_EQ(Images.Find(Name), &First) << Name;
    }
    EXPECT_EQ(Images.Find("particle"), nullptr);
    // Only ASCII letters fold: a code page 1251 capital is not its small letter.
    Second.SetName("\xC0");
    EXPECT_EQ(Images.Find("\xE0"), nullptr);
}

TEST_F(ImageListTest, PositionsCloseUpOnDelete) {
    TGfxImage& A = Images.AddImage();
    TGfxImage& B = Images.AddImage();
    TGfxImage& C = Images.AddImage();
    EXPECT_EQ(Images.IndexOfImage(&C), 2);
    Images.DeleteImage(5);
    Images.DeleteImage(-1);
    Images.DeleteImage(1);
    ASSERT_EQ(Images.ImageCount(), 2);
    EXPECT_EQ(Images.Items(0), &A);
    EXPECT_EQ(Images.Items(1), &C);
    EXPECT_EQ(Images.Items(2), nullptr);
    EXPECT_EQ(Images.Items(-1), nullptr);
    EXPECT_EQ(Images.IndexOfImage(&B), -1);
    Images.ClearImages();
    EXPECT_EQ(Images.ImageCount(), 0);
}

TEST_F(ImageListTest, DeviceEventsReachTheImages) {
    SaveMixedArchive();
    ASSERT_TRUE(Images.LoadImage("Cursor", Archive, aqHigh, alFull));
    TGfxImage& Image = *Images.Items(0);
    const TTextureHandle Handle = Image.Handle(0);
    // The game's images are not lost-capable: a lost device leaves their textures alone.
    Images.DeviceNotify(devLost);
    Images.DeviceNotify(devReset);
    EXPECT_EQ(Image.State(), tsReady);
    EXPECT_EQ(Image.Handle(0), Handle);

    Device.Finalize();
    EXPECT_EQ(Images.ImageCount(), 0);
}

} // namespace
