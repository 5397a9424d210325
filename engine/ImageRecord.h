// SPDX-License-Identifier: MIT
#pragma once

#include "engine/PixelFormat.h"
#include "platform/Types.h"

#include <cstdint>
#include <vector>

// What the content tools hand to the image record writer: equal-size patterns of 32-bit
// ARGB pixels (0xAARRGGBB), each PatternSize.X * PatternSize.Y pixels row by row.
struct TImageRecordSource {
    TPixelFormat Format = pfA8R8G8B8;
    TPoint PatternSize;
    // The drawn size of a pattern, centred in its cell; 0 takes the pattern size.
    TPoint VisibleSize;
    // 0 stores the number of patterns given.
    int32_t PatternCount = 0;
    // 0x0 lets the writer lay the patterns out as on the texture ChooseTextureSize picks and
    // store only the part of it they use (see WriteImageRecord); a given size is stored whole.
    TPoint TextureSize;
    std::vector<std::vector<uint32_t>> Patterns;
};

// Size in bytes of the fixed header in front of the pixel rows of an image record.
constexpr int32_t ImageRecordHeaderSize = 33;

// A power-of-two texture size that holds at least one pattern, at most 2048 on a side when
// the pattern fits in that, chosen for the fewest textures and then the least area.
[[nodiscard]] TPoint ChooseTextureSize(TPoint PatternSize, int32_t PatternCount);

// The part of a texture its patterns use: the grid of whole cells and, for a single texture,
// only the rows (or, in one row, the cells) PatternCount fills. Cell sides are at least 1.
[[nodiscard]] TPoint UsedTextureExtent(TPoint TextureSize, TPoint Cell, int32_t PatternCount, int32_t TextureCount);

// The bytes of an image record: the header, then every texture's rows in Format, patterns laid
// out in the pattern grid on as many textures as they need. Without a given texture size the
// record stores the used extent of the chosen texture: no padding to a power of two is written,
// and the loader gives the picture the same power-of-two texture back. Empty when the source cannot be
// written (no patterns, a pattern size below 1, a pattern larger than the texture, a visible
// size larger than the pattern, an unknown format).
[[nodiscard]] std::vector<uint8_t> WriteImageRecord(const TImageRecordSource& Source);
