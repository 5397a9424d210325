// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <vector>

// A screenshot of the 800x600 screen, read back from its PNG.
struct TShot {
    std::vector<uint32_t> Pixels;
    int32_t Width = 0;
    int32_t Height = 0;

    [[nodiscard]] uint32_t At(int X, int Y) const { return Pixels[static_cast<size_t>(Y * Width + X)]; }
};

// Reads File (a test failure when it is no 800x600 picture; the pixels are then blank).
[[nodiscard]] TShot LoadShot(const std::filesystem::path& File);

// The pixels of the rectangle [Left, Right) x [Top, Bottom) whose red, green and blue pass Test.
[[nodiscard]] int CountPixels(const TShot& Shot, int Left, int Top, int Right, int Bottom,
                              const std::function<bool(int, int, int)>& Test);
