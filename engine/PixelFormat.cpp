// SPDX-License-Identifier: MIT
#include "engine/PixelFormat.h"

#include <array>
#include <bit>
#include <cstring>

namespace {

// Bit widths from bit 0 upward: blue, green, red, then alpha (0 when the top bits are unused
// or absent).
struct TLayout {
    int32_t Bytes;
    int32_t Blue;
    int32_t Green;
    int32_t Red;
    int32_t Alpha;
};

constexpr std::array<TLayout, 12> Layouts{{
    {1, 3, 3, 2, 0},
    {2, 5, 6, 5, 0},
    {4, 8, 8, 8, 0},
    {2, 5, 5, 5, 0},
    {2, 4, 4, 4, 0},
    {4, 8, 8, 8, 8},
    {2, 5, 5, 5, 1},
    {2, 4, 4, 4, 4},
    {2, 3, 3, 2, 8},
    {1, 2, 2, 2, 2},
    {1, 0, 0, 0, 8},
    {0, 0, 0, 0, 0},
}};

uint32_t LoadPixel(const uint8_t* P, int32_t Bytes) {
    uint32_t Value = 0;
    for (int32_t i = 0; i < Bytes; ++i) {
        Value |= static_cast<uint32_t>(P[i]) << (8 * i);
    }
    return Value;
}

void StorePixel(uint8_t* P, int32_t Bytes, uint32_t Value) {
    for (int32_t i = 0; i < Bytes; ++i) {
        P[i] = static_cast<uint8_t>(Value >> (8 * i));
    }
}

// Widens an n-bit component to 8 bits with rounding; a component of 0 bits reads as 255.
uint32_t Widen(uint32_t Value, int32_t Bits) {
    if (Bits == 0) {
        return 255;
    }
    const uint32_t Max = (1u << Bits) - 1;
    return (Value * 255 * 2 + Max) / (2 * Max);
}

uint32_t DecodePixel(const TLayout& L, uint32_t Packed) {
    int32_t Shift = 0;
    auto Take = [&](int32_t Bits) {
        const uint32_t Value = Bits == 0 ? 0 : (Packed >> Shift) & ((1u << Bits) - 1);
        Shift += Bits;
        return Widen(Value, Bits);
    };
    const uint32_t B = Take(L.Blue);
    const uint32_t G = Take(L.Green);
    const uint32_t R = Take(L.Red);
    const uint32_t A = Take(L.Alpha);
    return A << 24 | R << 16 | G << 8 | B;
}

uint32_t EncodePixel(const TLayout& L, uint32_t Argb) {
    uint32_t Packed = 0;
    int32_t Shift = 0;
    auto Put = [&](uint32_t Component, int32_t Bits) {
        if (Bits > 0) {
            Packed |= (Component >> (8 - Bits)) << Shift;
        }
        Shift += Bits;
    };
    Put(Argb & 0xFF, L.Blue);
    Put((Argb >> 8) & 0xFF, L.Green);
    Put((Argb >> 16) & 0xFF, L.Red);
    Put(Argb >> 24, L.Alpha);
    return Packed;
}

} // namespace

bool IsKnownFormat(int32_t Code) {
    return Code >= 0 && Code < pfUnknown;
}

int32_t BytesPerPixel(TPixelFormat Format) {
    return IsKnownFormat(Format) ? Layouts[Format].Bytes : 0;
}

void DecodeRow(TPixelFormat Format, const uint8_t* Source, uint32_t* Argb, int32_t Width) {
    if (Width <= 0) {
        return;
    }
    if (!IsKnownFormat(Format)) {
        std::memset(Argb, 0, static_cast<size_t>(Width) * 4);
        return;
    }
    // The working format is the ARGB layout itself: on a little-endian machine a row is copied.
    if (Format == pfA8R8G8B8 && std::endian::native == std::endian::little) {
        std::memcpy(Argb, Source, static_cast<size_t>(Width) * 4);
        return;
    }
    const TLayout& L = Layouts[Format];
    for (int32_t x = 0; x < Width; ++x) {
        const uint32_t Packed = LoadPixel(Source + static_cast<size_t>(x) * L.Bytes, L.Bytes);
        switch (Format) {
        case pfA8R8G8B8:
            Argb[x] = Packed;
            break;
        case pfX8R8G8B8:
            Argb[x] = Packed | 0xFF000000u;
            break;
        case pfA8:
            Argb[x] = Packed << 24 | 0x00FFFFFFu;
            break;
        default:
            Argb[x] = DecodePixel(L, Packed);
            break;
        }
    }
}

void EncodeRow(TPixelFormat Format, const uint32_t* Argb, uint8_t* Dest, int32_t Width) {
    if (Width <= 0 || !IsKnownFormat(Format)) {
        return;
    }
    if (Format == pfA8R8G8B8 && std::endian::native == std::endian::little) {
        std::memcpy(Dest, Argb, static_cast<size_t>(Width) * 4);
        return;
    }
    const TLayout& L = Layouts[Format];
    for (int32_t x = 0; x < Width; ++x) {
        uint32_t Packed = 0;
        switch (Format) {
        case pfA8R8G8B8:
            Packed = Argb[x];
            break;
        case pfX8R8G8B8:
            Packed = Argb[x] | 0xFF000000u;
            break;
        case pfA8:
            Packed = Argb[x] >> 24;
            break;
        default:
            Packed = EncodePixel(L, Argb[x]);
            break;
        }
        StorePixel(Dest + static_cast<size_t>(x) * L.Bytes, L.Bytes, Packed);
    }
}
