// SPDX-License-Identifier: MIT
#include "engine/PixelFormat.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

namespace {

struct TFormatCase {
    TPixelFormat Format;
    int32_t Bytes;
    // A stored pixel and the ARGB value it decodes to.
    uint32_t Stored;
    uint32_t Decoded;
    // What an ARGB value encodes to.
    uint32_t Argb;
    uint32_t Encoded;
};

// Each row checks decoding and encoding against values worked out by hand from the bit layout.
const TFormatCase FormatCases[] = {
    // R2G3B3: blue 3 bits (5 -> 182), green 3 (2 -> 73), red 2 (3 -> 255); no alpha reads 255.
    {pfR2G3B3, 1, 0b11'010'101, 0xFFFF49B6, 0x12E0A5F0, 0b11'101'111},
    {pfR5G6B5, 2, 0xF81F, 0xFFFF00FF, 0x0008FC10, 0x0FE2},
    {pfX8R8G8B8, 4, 0x00123456, 0xFF123456, 0x00ABCDEF, 0xFFABCDEF},
    {pfX1R5G5B5, 2, 0xFC00, 0xFFFF0000, 0xFF0000F8, 0x001F},
    {pfX4R4G4B4, 2, 0xF123, 0xFF112233, 0x80F0E0D0, 0x0FED},
    {pfA8R8G8B8, 4, 0x80123456, 0x80123456, 0x01020304, 0x01020304},
    {pfA1R5G5B5, 2, 0x8000, 0xFF000000, 0x7FFFFFFF, 0x7FFF},
    {pfA4R4G4B4, 2, 0x1234, 0x11223344, 0xF0E0D0C0, 0xFEDC},
    {pfA8R2G3B3, 2, 0x40E0, 0x40FF9200, 0x7F00FF00, 0x7F38},
    {pfA2R2G2B2, 1, 0b10'01'11'00, 0xAA55FF00, 0x40C08040, 0b01'11'10'01},
    {pfA8, 1, 0x7F, 0x7FFFFFFF, 0xC0123456, 0xC0},
};

class PixelFormatCase : public testing::TestWithParam<TFormatCase> {};

TEST_P(PixelFormatCase, DecodesAndEncodesByTheBitLayout) {
    const TFormatCase& C = GetParam();
    ASSERT_EQ(BytesPerPixel(C.Format), C.Bytes);

    std::array<uint8_t, 4> Stored{};
    for (int32_t i = 0; i < C.Bytes; ++i) {
        Stored[i] = static_cast<uint8_t>(C.Stored >> (8 * i));
    }
    uint32_t Argb = 0;
    DecodeRow(C.Format, Stored.data(), &Argb, 1);
    EXPECT_EQ(Argb, C.Decoded);

    std::array<uint8_t, 4> Encoded{0xEE, 0xEE, 0xEE, 0xEE};
    const uint32_t In = C.Argb;
    EncodeRow(C.Format, &In, Encoded.data(), 1);
    uint32_t Packed = 0;
    for (int32_t i = 0; i < C.Bytes; ++i) {
        Packed |= static_cast<uint32_t>(Encoded[i]) << (8 * i);
    }
    EXPECT_EQ(Packed, C.Encoded);
    // Nothing is written past the pixel.
    for (int32_t i = C.Bytes; i < 4; ++i) {
        EXPECT_EQ(Encoded[i], 0xEE);
    }
}

// Encoding then decoding keeps the top bits of every component, and the widened value of the
// extreme codes is exactly 0 or 255.
TEST_P(PixelFormatCase, RoundTripKeepsTheTopBits) {
    const TFormatCase& C = GetParam();
    const std::vector<uint32_t> Row{0x00000000, 0xFFFFFFFF, 0x80402010, 0x7F3FBFDF, 0xC0FF00A0};
    std::vector<uint8_t> Stored(Row.size() * C.Bytes);
    EncodeRow(C.Format, Row.data(), Stored.data(), static_cast<int32_t>(Row.size()));
    std::vector<uint32_t> Back(Row.size());
    DecodeRow(C.Format, Stored.data(), Back.data(), static_cast<int32_t>(Row.size()));
    std::vector<uint8_t> Again(Stored.size());
    EncodeRow(C.Format, Back.data(), Again.data(), static_cast<int32_t>(Row.size()));
    EXPECT_EQ(Again, Stored);
    if (C.Format != pfA8) {
        EXPECT_EQ(Back[1] & 0x00FFFFFF, 0x00FFFFFFu);
    }
    EXPECT_EQ(Back[1] >> 24, 0xFFu);
}

INSTANTIATE_TEST_SUITE_P(AllFormats, PixelFormatCase, testing::ValuesIn(FormatCases));

TEST(PixelFormat, UnknownFormatsHaveNoPixels) {
    EXPECT_EQ(BytesPerPixel(pfUnknown), 0);
    EXPECT_EQ(BytesPerPixel(static_cast<TPixelFormat>(200)), 0);
    EXPECT_FALSE(IsKnownFormat(11));
    EXPECT_FALSE(IsKnownFormat(-1));
    uint32_t Argb = 0x12345678;
    const uint8_t Byte = 0xFF;
    DecodeRow(pfUnknown, &Byte, &Argb, 1);
    EXPECT_EQ(Argb, 0u);
}

} // namespace
