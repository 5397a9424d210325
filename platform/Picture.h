// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The largest picture side the decoders accept; larger pictures are refused before any
// pixel memory is allocated.
constexpr int32_t MaxPictureSide = 8192;

// Decodes a picture file into 32-bit pixels 0xAARRGGBB, rows top to bottom (alpha 255 when
// the file has none). The decoder follows the extension, ignoring letter case: ".tga",
// ".jpg" or ".jpeg", ".png", and anything else as a Windows bitmap. False when the file is
// missing, corrupt, of an unsupported kind or too large; the outputs then hold nothing
// the caller may use.
[[nodiscard]] bool DecodePicture(const std::string& FileName, std::vector<uint32_t>& Pixels, int32_t& Width,
                                 int32_t& Height);

// The same decoders over bytes already in memory; Extension selects one as above (".png").
[[nodiscard]] bool DecodePictureBytes(const std::string& Extension, const std::vector<uint8_t>& Bytes,
                                      std::vector<uint32_t>& Pixels, int32_t& Width, int32_t& Height);
