// SPDX-License-Identifier: MIT
#include "archive/ArchiveWriter.h"

#include "TestFiles.h"

namespace {

TEST(ArchiveWriterTest, LaysOutHeaderRecordsThenKeyTable) {
    TArchiveWriter writer;
    writer.Add(RecordTypeImage, "abc", BytesOf("abc"));
    std::vector<uint8_t> file;
    ASSERT_TRUE(writer.Build(file));
    EXPECT_EQ(Get<uint32_t>(file, 0), ArchiveSignature);
    EXPECT_EQ(Get<int32_t>(file, 4), 1);
    // The key table (length, "abc", offset) closes the file and points back at offset 12.
    const int32_t table = Get<int32_t>(file, 8);
    ASSERT_EQ(static_cast<size_t>(table) + 4 + 3 + 4, file.size());
    EXPECT_EQ(Get<int32_t>(file, static_cast<size_t>(table) + 7), 12);
    EXPECT_EQ(Get<uint16_t>(file, 12), RecordTypeImage);
    EXPECT_EQ(Get<int32_t>(file, 14), 3);
    EXPECT_EQ(static_cast<size_t>(Get<int32_t>(file, 18)), file.size() - 12 - 44 - 11);
    EXPECT_EQ(Get<double>(file, 22), TArchiveWriter::DefaultStamp);
    // MD5 of "abc".
    const std::vector<uint8_t> digest(file.begin() + 30, file.begin() + 46);
    EXPECT_EQ(digest, (std::vector<uint8_t>{0x90, 0x01, 0x50, 0x98, 0x3c, 0xd2, 0x4f, 0xb0, 0xd6, 0x96, 0x3f,
                                            0x7d, 0x28, 0xe1, 0x7f, 0x72}));
    EXPECT_EQ(Get<uint16_t>(file, 46), 0);
}

TEST(ArchiveWriterTest, SameInputGivesSameBytes) {
    TScratchDir scratch;
    auto make = [] {
        TArchiveWriter writer;
        for (int i = 0; i < 20; ++i) {
            writer.Add(RecordTypeFont, "font" + std::to_string(i),
                       std::vector<uint8_t>(100 + i * 50, 'a' + i));
        }
        return writer;
    };
    std::vector<uint8_t> first;
    std::vector<uint8_t> second;
    ASSERT_TRUE(make().Build(first));
    ASSERT_TRUE(make().Build(second));
    EXPECT_EQ(first, second);
    ASSERT_TRUE(make().SaveToFile(scratch.Path("out.fgg")));
    EXPECT_EQ(ReadFileBytes(scratch.Path("out.fgg")), first);
}

TEST(ArchiveWriterTest, StampsAndRefusals) {
    TScratchDir scratch;
    TArchiveWriter writer;
    writer.SetStamp(1.5);
    writer.Add(RecordTypeImage, "Default", BytesOf("x"));
    writer.Add(TArchiveWriterRecord{RecordTypeImage, "Given", BytesOf("y"), 2.5, {}, {}});
    ASSERT_TRUE(writer.SaveToFile(scratch.Path("a.fgg")));
    TArchive archive;
    archive.SetFileName(scratch.Path("a.fgg"));
    ASSERT_TRUE(archive.Open());
    EXPECT_EQ(archive.RecordAt(0)->Stamp, 1.5);
    EXPECT_EQ(archive.RecordAt(1)->Stamp, 2.5);

    EXPECT_FALSE(writer.SaveToFile(scratch.Path("missing-dir/a.fgg")));
    writer.Add(TArchiveWriterRecord{RecordTypeImage, "BadKey", BytesOf("z"), {}, std::string(57, 'k'), {}});
    std::vector<uint8_t> file;
    EXPECT_FALSE(writer.Build(file));
}

} // namespace
