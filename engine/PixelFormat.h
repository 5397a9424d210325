// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

// Pixel format codes: the layout of stored rows in an image record and the format of a
// device texture. Names list the components from the highest bits down; a stored pixel is a
// little-endian integer of BytesPerPixel bytes.
enum TPixelFormat : uint8_t {
    pfR2G3B3 = 0,
    pfR5G6B5 = 1,
    pfX8R8G8B8 = 2,
    pfX1R5G5B5 = 3,
    pfX4R4G4B4 = 4,
    pfA8R8G8B8 = 5, // the working 32-bit ARGB format
    pfA1R5G5B5 = 6,
    pfA4R4G4B4 = 7,
    pfA8R2G3B3 = 8,
    pfA2R2G2B2 = 9,
    pfA8 = 10,
    pfUnknown = 11, // no texture can be made in it
};

// True for the codes 0..10 that name a real layout.
[[nodiscard]] bool IsKnownFormat(int32_t Code);
// 1, 2 or 4 for the known codes, 0 for pfUnknown and anything out of range.
[[nodiscard]] int32_t BytesPerPixel(TPixelFormat Format);

// Row conversions between a stored pixel format and 32-bit ARGB (0xAARRGGBB). Narrow
// components widen as round(v * 255 / (2^n - 1)); a missing colour or alpha reads as 255.
// Encoding keeps the top bits of each component and leaves unused bits 0, except that
// X8R8G8B8 writes its unused byte as 255. An unknown format decodes to 0 and encodes nothing.
void DecodeRow(TPixelFormat Format, const uint8_t* Source, uint32_t* Argb, int32_t Width);
void EncodeRow(TPixelFormat Format, const uint32_t* Argb, uint8_t* Dest, int32_t Width);
