// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A font record of code page 1251 characters 32 to 255 rendered from an outline face at
// PixelSize, white glyphs with alpha; empty when the face cannot be used.
[[nodiscard]] std::vector<uint8_t> RenderFontRecord(const std::string& FaceFile, int PixelSize);
