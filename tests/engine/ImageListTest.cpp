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

// A variant takes the plain picture's name and list place, so both lookups the game uses
// (by name for sprites, by position for GUI controls) find it; a picture without a variant
// in the chosen language stays as it is, and the plain pictures come back in order.
TEST_F(ImageListTest, AVariantStandsInForItsPictureByNameAndByPosition) {
    const std::vector<std::string> Names = {"title", "logo", "Title@en", "title@de", "help"};
    std::vector<TGfxImage*> Loaded;
    for (const std::string& Name : Names) {
        Loaded.push_back(&Images.AddImage());
        Loaded.back()->SetName(Name);
    }
    TGfxImage* const Plain = Loaded[0];
    TGfxImage* const English = Loaded[2];
    const uint64_t Before = Images.Generation();
    Images.ShowVariant("en");
    EXPECT_NE(Images.Generation(), Before);
    EXPECT_EQ(Images.Find("title"), English);
    EXPECT_EQ(Images.Items(0), English);
    EXPECT_EQ(Images.Find("title@en"), Plain);
    EXPECT_EQ(Images.Find("logo"), Loaded[1]);
    EXPECT_EQ(Images.Find("help"), Loaded[4]);
    // Straight from one language to another, and to one without variants: Russian.
    Images.ShowVariant("de");
    EXPECT_EQ(Images.Find("title"), Loaded[3]);
    EXPECT_EQ(Images.Find("title@en"), English);
    Images.ShowVariant("fr");
    for (size_t i = 0; i < Names.size(); ++i) {
        EXPECT_EQ(Images.Items(static_cast<int32_t>(i)), Loaded[i]) << i;
        EXPECT_EQ(Loaded[i]->Name(), Names[i]) << i;
    }
}

// The language is chosen before the pictures load, and a picture deleted while a variant is
// on show leaves the others standing in right.
TEST_F(ImageListTest, VariantsFollowLaterLoadsAndDeletes) {
    TArchiveWriter Writer;
    Writer.Add(RecordTypeImage, "Piece", SolidImage(0xFF0000FFu));
    Writer.Add(RecordTypeImage, "Cursor", SolidImage(0xFFFF0000u));
    Writer.Add(RecordTypeImage, "Cursor@en", SolidImage(0xFF00FF00u));
    SaveArchive(Writer);
    Images.ShowVariant("en");
    ASSERT_TRUE(Images.LoadArchive(Archive));
    TGfxImage* const English = Images.Items(1);
    ASSERT_NE(English, nullptr);
    EXPECT_EQ(English->Name(), "Cursor");
    EXPECT_EQ(Images.Items(2)->Name(), "Cursor@en");
    Images.DeleteImage(0);
    EXPECT_EQ(Images.Find("Cursor"), English);
    EXPECT_EQ(Images.Items(0), English);
    Images.ShowVariant("ru");
    EXPECT_EQ(Images.Find("Cursor@en"), English);
    EXPECT_EQ(Images.Items(1), English);
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
