// SPDX-License-Identifier: MIT
#include "platform/Picture.h"

#include <cstdio>

#include <jpeglib.h>
#include <png.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// The 3x2 picture every writer below stores, top row first.
const std::vector<uint32_t> Sample{0xFF102030, 0x80405060, 0x00708090, //
                                   0xFFA0B0C0, 0x40D0E0F0, 0xC0010203};
constexpr int32_t SampleWidth = 3;
constexpr int32_t SampleHeight = 2;

void PutLe16(std::vector<uint8_t>& Out, uint32_t Value) {
    Out.push_back(static_cast<uint8_t>(Value));
    Out.push_back(static_cast<uint8_t>(Value >> 8));
}

void PutLe32(std::vector<uint8_t>& Out, uint32_t Value) {
    PutLe16(Out, Value & 0xFFFF);
    PutLe16(Out, Value >> 16);
}

void PutPixel(std::vector<uint8_t>& Out, uint32_t Argb, int32_t Bits) {
    for (int32_t i = 0; i < Bits / 8; ++i) {
        Out.push_back(static_cast<uint8_t>(Argb >> (8 * i)));
    }
}

std::vector<uint8_t> TgaHeader(uint8_t Type, int32_t Width, int32_t Height, uint8_t Bits,
                               uint8_t Descriptor) {
    std::vector<uint8_t> Out{0, 0, Type, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    PutLe16(Out, static_cast<uint32_t>(Width));
    PutLe16(Out, static_cast<uint32_t>(Height));
    Out.push_back(Bits);
    Out.push_back(Descriptor);
    return Out;
}

// The sample as an uncompressed TGA in the row and column order the descriptor says.
std::vector<uint8_t> SampleTga(uint8_t Descriptor, uint8_t Bits = 32) {
    std::vector<uint8_t> Out = TgaHeader(2, SampleWidth, SampleHeight, Bits, Descriptor);
    for (int32_t Row = 0; Row < SampleHeight; ++Row) {
        const int32_t y = (Descriptor & 0x20) ? Row : SampleHeight - 1 - Row;
        for (int32_t Column = 0; Column < SampleWidth; ++Column) {
            const int32_t x = (Descriptor & 0x10) ? SampleWidth - 1 - Column : Column;
            PutPixel(Out, Sample[static_cast<size_t>(y * SampleWidth + x)], Bits);
        }
    }
    return Out;
}

std::vector<uint32_t> Opaque(std::vector<uint32_t> Pixels) {
    for (uint32_t& P : Pixels) {
        P |= 0xFF000000u;
    }
    return Pixels;
}

struct TDecoded {
    bool Ok = false;
    std::vector<uint32_t> Pixels;
    int32_t Width = 0;
    int32_t Height = 0;
};

TDecoded Decode(const std::string& Extension, const std::vector<uint8_t>& Bytes) {
    TDecoded D;
    D.Ok = DecodePictureBytes(Extension, Bytes, D.Pixels, D.Width, D.Height);
    return D;
}

TEST(Picture, TgaRowsFollowTheDescriptor) {
    for (const uint8_t Descriptor : {0x00, 0x10, 0x20, 0x30, 0x08, 0x28}) {
        const TDecoded D = Decode(".tga", SampleTga(Descriptor));
        ASSERT_TRUE(D.Ok) << int(Descriptor);
        EXPECT_EQ(D.Width, SampleWidth);
        EXPECT_EQ(D.Height, SampleHeight);
        EXPECT_EQ(D.Pixels, Sample) << int(Descriptor);
    }
    const TDecoded D = Decode(".TGA", SampleTga(0x20, 24));
    ASSERT_TRUE(D.Ok);
    EXPECT_EQ(D.Pixels, Opaque(Sample));
}

TEST(Picture, TgaRunLengthPackets) {
    // Top-down 3x2: a run of three, then a raw packet of two, then a run of one.
    std::vector<uint8_t> Bytes = TgaHeader(10, 3, 2, 24, 0x20);
    Bytes.push_back(0x82);
    PutPixel(Bytes, 0x112233, 24);
    Bytes.push_back(0x01);
    PutPixel(Bytes, 0x445566, 24);
    PutPixel(Bytes, 0x778899, 24);
    Bytes.push_back(0x80);
    PutPixel(Bytes, 0xAABBCC, 24);
    TDecoded D = Decode(".tga", Bytes);
    ASSERT_TRUE(D.Ok);
    EXPECT_EQ(D.Pixels, Opaque({0x112233, 0x112233, 0x112233, 0x445566, 0x778899, 0xAABBCC}));

    // A run longer than what is left of the picture stops at its end.
    std::vector<uint8_t> Long = TgaHeader(10, 2, 1, 32, 0x20);
    Long.push_back(0xFF);
    PutPixel(Long, 0x80FFFFFF, 32);
    D = Decode(".tga", Long);
    ASSERT_TRUE(D.Ok);
    EXPECT_EQ(D.Pixels, (std::vector<uint32_t>{0x80FFFFFF, 0x80FFFFFF}));

    // The data ends inside a raw packet.
    Bytes.resize(Bytes.size() - 5);
    EXPECT_FALSE(Decode(".tga", Bytes).Ok);
}

TEST(Picture, BrokenTgaFilesAreRefused) {
    std::vector<std::vector<uint8_t>> Cases;
    Cases.push_back({});
    Cases.push_back(std::vector<uint8_t>(17, 0));
    Cases.push_back(TgaHeader(1, 2, 2, 8, 0));          // colour-mapped
    Cases.push_back(TgaHeader(2, 2, 2, 16, 0));         // 16 bits
    Cases.push_back(TgaHeader(3, 2, 2, 32, 0));         // grey
    Cases.push_back(TgaHeader(2, 0, 2, 32, 0));         // no width
    Cases.push_back(TgaHeader(2, 65535, 65535, 32, 0)); // too large
    std::vector<uint8_t> Short = SampleTga(0);
    Short.pop_back();
    Cases.push_back(Short);
    std::vector<uint8_t> Mapped = SampleTga(0);
    Mapped[1] = 1;
    Cases.push_back(Mapped);
    // The identification field claims bytes the file does not hold.
    std::vector<uint8_t> Id = TgaHeader(2, 1, 1, 32, 0);
    Id[0] = 200;
    Cases.push_back(Id);
    for (size_t i = 0; i < Cases.size(); ++i) {
        EXPECT_FALSE(Decode(".tga", Cases[i]).Ok) << i;
    }
}

std::vector<uint8_t> SamplePng(bool Alpha) {
    png_image Image;
    std::memset(&Image, 0, sizeof Image);
    Image.version = PNG_IMAGE_VERSION;
    Image.width = SampleWidth;
    Image.height = SampleHeight;
    Image.format = Alpha ? PNG_FORMAT_BGRA : PNG_FORMAT_BGR;
    std::vector<uint8_t> Pixels;
    for (const uint32_t P : Sample) {
        PutPixel(Pixels, P, Alpha ? 32 : 24);
    }
    png_alloc_size_t Size = 0;
    EXPECT_TRUE(png_image_write_to_memory(&Image, nullptr, &Size, 0, Pixels.data(), 0, nullptr));
    std::vector<uint8_t> Out(Size);
    EXPECT_TRUE(png_image_write_to_memory(&Image, Out.data(), &Size, 0, Pixels.data(), 0, nullptr));
    Out.resize(Size);
    return Out;
}

TEST(Picture, PngWithAndWithoutAlpha) {
    TDecoded D = Decode(".png", SamplePng(true));
    ASSERT_TRUE(D.Ok);
    EXPECT_EQ(D.Width, SampleWidth);
    EXPECT_EQ(D.Height, SampleHeight);
    EXPECT_EQ(D.Pixels, Sample);
    D = Decode(".PNG", SamplePng(false));
    ASSERT_TRUE(D.Ok);
    EXPECT_EQ(D.Pixels, Opaque(Sample));

    std::vector<uint8_t> Truncated = SamplePng(true);
    Truncated.resize(Truncated.size() / 2);
    EXPECT_FALSE(Decode(".png", Truncated).Ok);
    EXPECT_FALSE(Decode(".png", std::vector<uint8_t>(64, 0x5A)).Ok);
    EXPECT_FALSE(Decode(".png", {}).Ok);
}

// An 8x8 JPEG of one colour, which survives compression nearly unchanged.
std::vector<uint8_t> SolidJpeg(uint8_t R, uint8_t G, uint8_t B) {
    jpeg_compress_struct Info;
    jpeg_error_mgr Error;
    Info.err = jpeg_std_error(&Error);
    jpeg_create_compress(&Info);
    unsigned char* Buffer = nullptr;
    unsigned long Size = 0;
    jpeg_mem_dest(&Info, &Buffer, &Size);
    Info.image_width = 8;
    Info.image_height = 8;
    Info.input_components = 3;
    Info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&Info);
    jpeg_set_quality(&Info, 95, TRUE);
    jpeg_start_compress(&Info, TRUE);
    std::vector<uint8_t> Row;
    for (int i = 0; i < 8; ++i) {
        Row.insert(Row.end(), {R, G, B});
    }
    while (Info.next_scanline < Info.image_height) {
        JSAMPROW Rows[] = {Row.data()};
        jpeg_write_scanlines(&Info, Rows, 1);
    }
    jpeg_finish_compress(&Info);
    std::vector<uint8_t> Out(Buffer, Buffer + Size);
    jpeg_destroy_compress(&Info);
    std::free(Buffer);
    return Out;
}

TEST(Picture, JpegDecodesOpaque) {
    const TDecoded D = Decode(".jpeg", SolidJpeg(200, 100, 50));
    ASSERT_TRUE(D.Ok);
    ASSERT_EQ(D.Width, 8);
    ASSERT_EQ(D.Height, 8);
    for (const uint32_t P : D.Pixels) {
        EXPECT_EQ(P >> 24, 0xFFu);
        EXPECT_NEAR(static_cast<int>((P >> 16) & 0xFF), 200, 3);
        EXPECT_NEAR(static_cast<int>((P >> 8) & 0xFF), 100, 3);
        EXPECT_NEAR(static_cast<int>(P & 0xFF), 50, 3);
    }
    EXPECT_TRUE(Decode(".JPG", SolidJpeg(1, 2, 3)).Ok);

    std::vector<uint8_t> Truncated = SolidJpeg(200, 100, 50);
    Truncated.resize(Truncated.size() - 40);
    EXPECT_FALSE(Decode(".jpg", Truncated).Ok);
    EXPECT_FALSE(Decode(".jpg", std::vector<uint8_t>(64, 0x5A)).Ok);
    EXPECT_FALSE(Decode(".jpg", {}).Ok);
}

// The sample as a 24-bit bottom-up Windows bitmap, rows padded to four bytes.
std::vector<uint8_t> SampleBmp(int32_t Width = SampleWidth, int32_t Height = SampleHeight) {
    const uint32_t RowBytes = (SampleWidth * 3 + 3) & ~3u;
    std::vector<uint8_t> Out{'B', 'M'};
    PutLe32(Out, 54 + RowBytes * SampleHeight);
    PutLe32(Out, 0);
    PutLe32(Out, 54);
    PutLe32(Out, 40);
    PutLe32(Out, static_cast<uint32_t>(Width));
    PutLe32(Out, static_cast<uint32_t>(Height));
    PutLe16(Out, 1);
    PutLe16(Out, 24);
    for (int i = 0; i < 6; ++i) {
        PutLe32(Out, 0);
    }
    for (int32_t y = SampleHeight - 1; y >= 0; --y) {
        for (int32_t x = 0; x < SampleWidth; ++x) {
            PutPixel(Out, Sample[static_cast<size_t>(y * SampleWidth + x)], 24);
        }
        Out.resize(Out.size() + RowBytes - SampleWidth * 3, 0);
    }
    return Out;
}

TEST(Picture, WindowsBitmapsAreTheFallback) {
    for (const char* Extension : {".bmp", ".dat", ""}) {
        const TDecoded D = Decode(Extension, SampleBmp());
        ASSERT_TRUE(D.Ok) << Extension;
        EXPECT_EQ(D.Width, SampleWidth);
        EXPECT_EQ(D.Height, SampleHeight);
        EXPECT_EQ(D.Pixels, Opaque(Sample));
    }
    EXPECT_FALSE(Decode(".bmp", SampleBmp(100000, 2)).Ok);
    EXPECT_FALSE(Decode(".bmp", SampleBmp(3, -100000)).Ok);
    std::vector<uint8_t> Short = SampleBmp();
    Short.resize(40);
    EXPECT_FALSE(Decode(".bmp", Short).Ok);
    EXPECT_FALSE(Decode(".bmp", std::vector<uint8_t>(64, 0x5A)).Ok);
}

TEST(Picture, FilesAreDecodedByTheirExtension) {
    const std::filesystem::path Dir =
        std::filesystem::path(testing::TempDir()) / ("zibo_pictures_" + std::to_string(getpid()));
    std::filesystem::create_directories(Dir);
    auto Save = [&](const std::string& Name, const std::vector<uint8_t>& Bytes) {
        std::ofstream(Dir / Name, std::ios::binary)
            .write(reinterpret_cast<const char*>(Bytes.data()), static_cast<std::streamsize>(Bytes.size()));
        return (Dir / Name).string();
    };
    std::vector<uint32_t> Pixels;
    int32_t Width = 0;
    int32_t Height = 0;
    EXPECT_TRUE(DecodePicture(Save("Picture.Tga", SampleTga(0x20)), Pixels, Width, Height));
    EXPECT_EQ(Pixels, Sample);
    EXPECT_TRUE(DecodePicture(Save("link.png", SamplePng(true)), Pixels, Width, Height));
    EXPECT_TRUE(DecodePicture(Save("back.ground", SampleBmp()), Pixels, Width, Height));
    // The name decides: a bitmap called .png is a broken PNG.
    EXPECT_FALSE(DecodePicture(Save("fake.png", SampleBmp()), Pixels, Width, Height));
    EXPECT_FALSE(DecodePicture((Dir / "missing.png").string(), Pixels, Width, Height));
    EXPECT_FALSE(DecodePicture(Dir.string(), Pixels, Width, Height));
    std::filesystem::remove_all(Dir);
}

} // namespace
