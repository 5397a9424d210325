// SPDX-License-Identifier: MIT
#include "platform/Screenshot.h"
#include "platform/RecordingBackend.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<unsigned char> ReadAll(const std::string& Path) {
    std::ifstream File(Path, std::ios::binary);
    return {std::istreambuf_iterator<char>(File), std::istreambuf_iterator<char>()};
}

TEST(TScreenshot, WritesAPngOrNothing) {
    const std::string Path = testing::TempDir() + "zibo_shot.png";
    const std::vector<uint32_t> Pixels{0xFFFF0000u, 0x8000FF00u, 0x000000FFu, 0xFFFFFFFFu, 0, 0};
    ASSERT_TRUE(WritePng(Path, Pixels, 3, 2));
    const std::vector<unsigned char> Bytes = ReadAll(Path);
    ASSERT_GT(Bytes.size(), 8u);
    EXPECT_EQ(std::string(Bytes.begin() + 1, Bytes.begin() + 4), "PNG");
    // Width 3 and height 2 in the header, colour type 6 (RGBA).
    EXPECT_EQ(Bytes[19], 3);
    EXPECT_EQ(Bytes[23], 2);
    EXPECT_EQ(Bytes[25], 6);
    std::remove(Path.c_str());

    EXPECT_FALSE(WritePng(Path, Pixels, 4, 2));
    EXPECT_FALSE(WritePng(Path, Pixels, 0, 0));
    EXPECT_FALSE(WritePng("/nonexistent-folder/shot.png", Pixels, 3, 2));
    EXPECT_TRUE(ReadAll(Path).empty());

    TRecordingBackend Backend(16, 8);
    ASSERT_TRUE(SaveScreenshot(Backend, Path));
    EXPECT_EQ(ReadAll(Path)[19], 16);
    std::remove(Path.c_str());
}

} // namespace
