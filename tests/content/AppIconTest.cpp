// SPDX-License-Identifier: MIT
#include "content/icons/AppIcon.h"

#include "generated/Version.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

// Every size is the same round badge: solid inside, clear in the corners, and the build put it
// in the icon theme beside the game's data (the PNG header names the size).
TEST(AppIcon, EveryThemeSizeIsARoundBadgeInTheGameFolder) {
    for (const int size : AppIcon::Sizes) {
        SCOPED_TRACE(size);
        const TPicture icon = AppIcon::Picture(size);
        ASSERT_EQ(icon.Width(), size);
        ASSERT_EQ(icon.Height(), size);
        EXPECT_EQ(icon.Pixel(size / 2, size / 2) >> 24, 0xFFu);
        EXPECT_EQ(icon.Pixel(size / 4, size / 4) >> 24, 0xFFu);
        EXPECT_EQ(icon.Pixel(0, 0) >> 24, 0u);
        EXPECT_EQ(icon.Pixel(size - 1, size - 1) >> 24, 0u);

        const std::string side = std::to_string(size);
        const fs::path file = fs::path(ZIBO_GAME_DIR) / "icons" / "hicolor" / (side + "x" + side) / "apps" /
                              (std::string(ZIBO_APP_ID) + ".png");
        std::ifstream in(file, std::ios::binary);
        unsigned char header[24] = {};
        ASSERT_TRUE(in.read(reinterpret_cast<char*>(header), sizeof header)) << file;
        EXPECT_EQ((header[16] << 24) | (header[17] << 16) | (header[18] << 8) | header[19], size);
        EXPECT_EQ((header[20] << 24) | (header[21] << 16) | (header[22] << 8) | header[23], size);
    }
    const fs::path svg =
        fs::path(ZIBO_GAME_DIR) / "icons" / "hicolor" / "scalable" / "apps" / (std::string(ZIBO_APP_ID) + ".svg");
    std::ifstream in(svg);
    std::string first;
    std::getline(in, first);
    EXPECT_EQ(first, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
}

} // namespace
