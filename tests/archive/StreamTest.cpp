// SPDX-License-Identifier: MIT
#include "archive/Stream.h"

#include "TestFiles.h"

#include <limits>

namespace {

TEST(StreamTest, FieldsRoundTripLittleEndian) {
    TMemoryStream stream;
    ASSERT_TRUE(WriteWord(stream, 0x1234));
    ASSERT_TRUE(WriteInt32(stream, -2));
    ASSERT_TRUE(WriteDouble(stream, 0.25));
    ASSERT_TRUE(WriteString(stream, "Key"));
    EXPECT_EQ(stream.Bytes()[0], 0x34);
    EXPECT_EQ(stream.Bytes()[2], 0xFE);
    ASSERT_TRUE(stream.Seek(0));
    uint16_t word = 0;
    int32_t number = 0;
    double real = 0;
    std::string text;
    EXPECT_TRUE(ReadWord(stream, word) && ReadInt32(stream, number) && ReadDouble(stream, real) &&
                ReadString(stream, text));
    EXPECT_EQ(word, 0x1234);
    EXPECT_EQ(number, -2);
    EXPECT_EQ(real, 0.25);
    EXPECT_EQ(text, "Key");
    EXPECT_FALSE(ReadWord(stream, word));
    EXPECT_EQ(word, 0x1234);
}

TEST(StreamTest, ReadStringRefusesImpossibleLengths) {
    const int32_t lengths[] = {-1, -5, std::numeric_limits<int32_t>::min(), 4,
                               std::numeric_limits<int32_t>::max()};
    for (const int32_t length : lengths) {
        SCOPED_TRACE(length);
        TMemoryStream stream;
        ASSERT_TRUE(WriteInt32(stream, length));
        ASSERT_EQ(stream.Write("abc", 3), 3u);
        ASSERT_TRUE(stream.Seek(0));
        std::string text = "unchanged";
        EXPECT_FALSE(ReadString(stream, text));
        EXPECT_EQ(text, "unchanged");
    }
}

TEST(StreamTest, MemoryStreamWritesAtItsPosition) {
    TMemoryStream stream(BytesOf("abcdef"));
    ASSERT_TRUE(stream.Seek(4));
    ASSERT_EQ(stream.Write("XYZ", 3), 3u);
    EXPECT_EQ(stream.Bytes(), BytesOf("abcdXYZ"));
    EXPECT_FALSE(stream.Seek(-1));
    ASSERT_TRUE(stream.Seek(9));
    char byte = 0;
    EXPECT_EQ(stream.Read(&byte, 1), 0u);
    ASSERT_EQ(stream.Write("!", 1), 1u);
    EXPECT_EQ(stream.Bytes(), (std::vector<uint8_t>{'a', 'b', 'c', 'd', 'X', 'Y', 'Z', 0, 0, '!'}));
}

TEST(StreamTest, FileStreamReportsMissingFilesAndSizes) {
    TScratchDir scratch;
    TFileStream missing(scratch.Path("none"), TFileStream::TMode::Read);
    EXPECT_FALSE(missing.IsOpen());
    char byte = 0;
    EXPECT_EQ(missing.Read(&byte, 1), 0u);
    {
        TFileStream out(scratch.Path("f"), TFileStream::TMode::Create);
        ASSERT_TRUE(out.IsOpen());
        ASSERT_TRUE(WriteInt32(out, 7));
        EXPECT_TRUE(out.Close());
    }
    TFileStream in(scratch.Path("f"), TFileStream::TMode::Read);
    EXPECT_EQ(in.Size(), 4);
    int32_t value = 0;
    EXPECT_TRUE(ReadInt32(in, value));
    EXPECT_EQ(value, 7);
    EXPECT_EQ(in.Remaining(), 0);
}

} // namespace
