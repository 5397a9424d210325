// SPDX-License-Identifier: MIT
#include "Shot.h"

#include "platform/Picture.h"

#include <gtest/gtest.h>

TShot LoadShot(const std::filesystem::path& File) {
    TShot shot;
    EXPECT_TRUE(DecodePicture(File.string(), shot.Pixels, shot.Width, shot.Height)) << File;
    EXPECT_EQ(shot.Width, 800) << File;
    EXPECT_EQ(shot.Height, 600) << File;
    shot.Width = 800;
    shot.Height = 600;
    shot.Pixels.resize(800 * 600);
    return shot;
}

int CountPixels(const TShot& Shot, int Left, int Top, int Right, int Bottom,
                const std::function<bool(int, int, int)>& Test) {
    int count = 0;
    for (int y = Top; y < Bottom; ++y) {
        for (int x = Left; x < Right; ++x) {
            const uint32_t p = Shot.At(x, y);
            count += Test(static_cast<int>((p >> 16) & 255), static_cast<int>((p >> 8) & 255),
                          static_cast<int>(p & 255))
                         ? 1
                         : 0;
        }
    }
    return count;
}
