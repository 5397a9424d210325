// SPDX-License-Identifier: MIT
#include "platform/Picture.h"

// jpeglib.h needs FILE declared first, and jerror.h needs jpeglib.h.
#include <cstdio>

#include <SDL.h>
#include <jpeglib.h>

#include <jerror.h>
#include <png.h>

#include <algorithm>
#include <bit>
#include <csetjmp>
#include <cstdlib>
#include <cstring>
#include <fstream>

// The decoders write pixels as the bytes blue, green, red, alpha, which are 0xAARRGGBB only
// on a little-endian machine.
static_assert(std::endian::native == std::endian::little);

namespace {

// No picture file of the game comes near this; anything larger is refused unread.
constexpr std::streamoff MaxFileBytes = 256 * 1024 * 1024;

bool SizeAcceptable(int64_t Width, int64_t Height) {
    return Width > 0 && Height > 0 && Width <= MaxPictureSide && Height <= MaxPictureSide;
}

uint32_t Le16(const uint8_t* P) {
    return static_cast<uint32_t>(P[0]) | static_cast<uint32_t>(P[1]) << 8;
}

uint32_t Le32(const uint8_t* P) {
    return Le16(P) | Le16(P + 2) << 16;
}

std::string LowerExtension(const std::string& FileName) {
    const size_t Slash = FileName.find_last_of("/\\");
    const size_t Dot = FileName.find_last_of('.');
    if (Dot == std::string::npos || (Slash != std::string::npos && Dot < Slash)) {
        return {};
    }
    std::string Extension = FileName.substr(Dot);
    for (char& c : Extension) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return Extension;
}

// ---- TGA: uncompressed (type 2) and run-length (type 10) true colour, 24 or 32 bits.

constexpr size_t TgaHeaderSize = 18;
constexpr uint8_t TgaRightToLeft = 0x10;
constexpr uint8_t TgaTopToBottom = 0x20;

// Reads the next pixel of BytesPerPixel bytes at Pos; false when the file ends first.
bool TgaPixel(const std::vector<uint8_t>& Bytes, size_t& Pos, size_t BytesPerPixel, uint32_t& Pixel) {
    if (Bytes.size() - Pos < BytesPerPixel) {
        return false;
    }
    const uint8_t* P = Bytes.data() + Pos;
    const uint32_t Alpha = BytesPerPixel == 4 ? P[3] : 0xFFu;
    Pixel = Alpha << 24 | static_cast<uint32_t>(P[2]) << 16 | static_cast<uint32_t>(P[1]) << 8 | P[0];
    Pos += BytesPerPixel;
    return true;
}

// Run-length packets: a header byte whose top bit marks a run of one repeated pixel and
// whose low seven bits hold the count minus one. A packet running past the picture's end is
// cut there.
bool TgaUnpackRle(const std::vector<uint8_t>& Bytes, size_t Pos, size_t BytesPerPixel,
                  std::vector<uint32_t>& Out) {
    size_t Done = 0;
    while (Done < Out.size()) {
        if (Pos >= Bytes.size()) {
            return false;
        }
        const uint8_t Packet = Bytes[Pos++];
        const size_t Count = std::min<size_t>((Packet & 0x7F) + 1u, Out.size() - Done);
        uint32_t Pixel = 0;
        if (Packet & 0x80) {
            if (!TgaPixel(Bytes, Pos, BytesPerPixel, Pixel)) {
                return false;
            }
            std::fill_n(Out.begin() + static_cast<ptrdiff_t>(Done), Count, Pixel);
            Done += Count;
            continue;
        }
        for (size_t i = 0; i < Count; ++i) {
            if (!TgaPixel(Bytes, Pos, BytesPerPixel, Pixel)) {
                return false;
            }
            Out[Done++] = Pixel;
        }
    }
    return true;
}

bool TgaUnpackRaw(const std::vector<uint8_t>& Bytes, size_t Pos, size_t BytesPerPixel,
                  std::vector<uint32_t>& Out) {
    for (uint32_t& Pixel : Out) {
        if (!TgaPixel(Bytes, Pos, BytesPerPixel, Pixel)) {
            return false;
        }
    }
    return true;
}

// Turns the file's row order into top-to-bottom, left-to-right.
void TgaOrient(std::vector<uint32_t>& Pixels, int32_t Width, int32_t Height, uint8_t Descriptor) {
    const auto Row = [&](int32_t y) { return Pixels.begin() + static_cast<ptrdiff_t>(y) * Width; };
    if (Descriptor & TgaRightToLeft) {
        for (int32_t y = 0; y < Height; ++y) {
            std::reverse(Row(y), Row(y) + Width);
        }
    }
    if (!(Descriptor & TgaTopToBottom)) {
        for (int32_t y = 0; y < Height / 2; ++y) {
            std::swap_ranges(Row(y), Row(y) + Width, Row(Height - 1 - y));
        }
    }
}

bool DecodeTga(const std::vector<uint8_t>& Bytes, std::vector<uint32_t>& Pixels, int32_t& Width,
               int32_t& Height) {
    if (Bytes.size() < TgaHeaderSize) {
        return false;
    }
    const uint8_t* H = Bytes.data();
    const uint8_t IdLength = H[0];
    const uint8_t ColorMapType = H[1];
    const uint8_t ImageType = H[2];
    const uint8_t Depth = H[16];
    const uint8_t Descriptor = H[17];
    if (ColorMapType != 0 || (ImageType != 2 && ImageType != 10) || (Depth != 24 && Depth != 32)) {
        return false;
    }
    const int32_t W = static_cast<int32_t>(Le16(H + 12));
    const int32_t Ht = static_cast<int32_t>(Le16(H + 14));
    if (!SizeAcceptable(W, Ht)) {
        return false;
    }
    const size_t BytesPerPixel = Depth / 8u;
    const size_t Start = TgaHeaderSize + IdLength;
    const size_t Count = static_cast<size_t>(W) * static_cast<size_t>(Ht);
    // Even a run-length file needs one header byte and one pixel for every 128 pixels, so a
    // file too short for that is refused before the picture is allocated.
    const size_t Least = ImageType == 2 ? Count * BytesPerPixel : (Count + 127) / 128 * (1 + BytesPerPixel);
    if (Bytes.size() < Start || Bytes.size() - Start < Least) {
        return false;
    }
    Pixels.assign(Count, 0);
    const bool Unpacked = ImageType == 2 ? TgaUnpackRaw(Bytes, Start, BytesPerPixel, Pixels)
                                         : TgaUnpackRle(Bytes, Start, BytesPerPixel, Pixels);
    if (!Unpacked) {
        return false;
    }
    TgaOrient(Pixels, W, Ht, Descriptor);
    Width = W;
    Height = Ht;
    return true;
}

// ---- PNG through libpng's simplified reader, which keeps its error handling inside libpng.

bool DecodePng(const std::vector<uint8_t>& Bytes, std::vector<uint32_t>& Pixels, int32_t& Width,
               int32_t& Height) {
    png_image Image;
    std::memset(&Image, 0, sizeof Image);
    Image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&Image, Bytes.data(), Bytes.size())) {
        return false;
    }
    if (!SizeAcceptable(Image.width, Image.height)) {
        png_image_free(&Image);
        return false;
    }
    Image.format = PNG_FORMAT_BGRA;
    Pixels.assign(static_cast<size_t>(Image.width) * Image.height, 0);
    // The stride counts components, four per pixel here, not pixels.
    const auto Stride = static_cast<png_int_32>(PNG_IMAGE_ROW_STRIDE(Image));
    if (!png_image_finish_read(&Image, nullptr, Pixels.data(), Stride, nullptr)) {
        png_image_free(&Image);
        return false;
    }
    Width = static_cast<int32_t>(Image.width);
    Height = static_cast<int32_t>(Image.height);
    return true;
}

// ---- JPEG through libjpeg. Its errors leave through longjmp back into DecodeJpegFrames,
// which holds nothing with a destructor; the pixel vector belongs to the caller.

struct TJpegError {
    jpeg_error_mgr Manager;
    std::jmp_buf Jump;
};

[[noreturn]] void JpegErrorExit(j_common_ptr Info) {
    std::longjmp(reinterpret_cast<TJpegError*>(Info->err)->Jump, 1);
}

// A file that ends early is only a warning to libjpeg, which would fill the rest with grey;
// the game treats it as the broken file it is.
void JpegEmitMessage(j_common_ptr Info, int Level) {
    if (Level < 0 && Info->err->msg_code == JWRN_JPEG_EOF) {
        JpegErrorExit(Info);
    }
}

void JpegOutputMessage(j_common_ptr) {}

bool DecodeJpegFrames(const std::vector<uint8_t>& Bytes, std::vector<uint32_t>& Pixels, int32_t& Width,
                      int32_t& Height) {
    jpeg_decompress_struct Info;
    TJpegError Error;
    Info.err = jpeg_std_error(&Error.Manager);
    Error.Manager.error_exit = JpegErrorExit;
    Error.Manager.emit_message = JpegEmitMessage;
    Error.Manager.output_message = JpegOutputMessage;
    if (setjmp(Error.Jump)) {
        jpeg_destroy_decompress(&Info);
        return false;
    }
    jpeg_create_decompress(&Info);
    jpeg_mem_src(&Info, Bytes.data(), static_cast<unsigned long>(Bytes.size()));
    jpeg_read_header(&Info, TRUE);
    if (!SizeAcceptable(Info.image_width, Info.image_height)) {
        jpeg_destroy_decompress(&Info);
        return false;
    }
    Info.out_color_space = JCS_EXT_BGRA;
    jpeg_start_decompress(&Info);
    const size_t RowPixels = Info.output_width;
    Pixels.assign(RowPixels * Info.output_height, 0);
    while (Info.output_scanline < Info.output_height) {
        JSAMPROW Row = reinterpret_cast<JSAMPROW>(Pixels.data() + RowPixels * Info.output_scanline);
        jpeg_read_scanlines(&Info, &Row, 1);
    }
    Width = static_cast<int32_t>(Info.output_width);
    Height = static_cast<int32_t>(Info.output_height);
    jpeg_finish_decompress(&Info);
    jpeg_destroy_decompress(&Info);
    return true;
}

bool DecodeJpeg(const std::vector<uint8_t>& Bytes, std::vector<uint32_t>& Pixels, int32_t& Width,
                int32_t& Height) {
    return !Bytes.empty() && DecodeJpegFrames(Bytes, Pixels, Width, Height);
}

// ---- Windows bitmap through SDL, after our own look at the size fields.

bool BmpSizeAcceptable(const std::vector<uint8_t>& Bytes) {
    constexpr size_t FileHeader = 14;
    if (Bytes.size() < FileHeader + 12 || Bytes[0] != 'B' || Bytes[1] != 'M') {
        return false;
    }
    const uint8_t* Info = Bytes.data() + FileHeader;
    const uint32_t InfoSize = Le32(Info);
    if (InfoSize == 12) {
        return SizeAcceptable(Le16(Info + 4), Le16(Info + 6));
    }
    if (InfoSize < 40 || Bytes.size() < FileHeader + 16) {
        return false;
    }
    const auto W = static_cast<int32_t>(Le32(Info + 4));
    const auto H = static_cast<int32_t>(Le32(Info + 8));
    // A negative height marks a top-down bitmap.
    return SizeAcceptable(W, H == INT32_MIN ? 0 : std::abs(static_cast<int64_t>(H)));
}

bool DecodeBmp(const std::vector<uint8_t>& Bytes, std::vector<uint32_t>& Pixels, int32_t& Width,
               int32_t& Height) {
    if (!BmpSizeAcceptable(Bytes) || Bytes.size() > static_cast<size_t>(INT32_MAX)) {
        return false;
    }
    SDL_RWops* Source = SDL_RWFromConstMem(Bytes.data(), static_cast<int>(Bytes.size()));
    if (Source == nullptr) {
        return false;
    }
    SDL_Surface* Loaded = SDL_LoadBMP_RW(Source, 1);
    if (Loaded == nullptr) {
        return false;
    }
    SDL_Surface* Argb = SDL_ConvertSurfaceFormat(Loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(Loaded);
    if (Argb == nullptr) {
        return false;
    }
    const bool Fits = SizeAcceptable(Argb->w, Argb->h);
    if (Fits && SDL_LockSurface(Argb) == 0) {
        Pixels.resize(static_cast<size_t>(Argb->w) * Argb->h);
        for (int y = 0; y < Argb->h; ++y) {
            const auto* Row =
                static_cast<const uint8_t*>(Argb->pixels) + static_cast<ptrdiff_t>(y) * Argb->pitch;
            std::memcpy(Pixels.data() + static_cast<size_t>(y) * Argb->w, Row,
                        static_cast<size_t>(Argb->w) * 4);
        }
        SDL_UnlockSurface(Argb);
        Width = Argb->w;
        Height = Argb->h;
        SDL_FreeSurface(Argb);
        return true;
    }
    SDL_FreeSurface(Argb);
    return false;
}

bool ReadWholeFile(const std::string& FileName, std::vector<uint8_t>& Bytes) {
    std::ifstream File(FileName, std::ios::binary | std::ios::ate);
    if (!File) {
        return false;
    }
    const std::streamoff Size = File.tellg();
    if (Size < 0 || Size > MaxFileBytes) {
        return false;
    }
    Bytes.resize(static_cast<size_t>(Size));
    File.seekg(0);
    return static_cast<bool>(File.read(reinterpret_cast<char*>(Bytes.data()), Size));
}

} // namespace

bool DecodePictureBytes(const std::string& Extension, const std::vector<uint8_t>& Bytes,
                        std::vector<uint32_t>& Pixels, int32_t& Width, int32_t& Height) {
    const std::string Kind = LowerExtension(Extension);
    if (Kind == ".tga") {
        return DecodeTga(Bytes, Pixels, Width, Height);
    }
    if (Kind == ".jpg" || Kind == ".jpeg") {
        return DecodeJpeg(Bytes, Pixels, Width, Height);
    }
    if (Kind == ".png") {
        return DecodePng(Bytes, Pixels, Width, Height);
    }
    return DecodeBmp(Bytes, Pixels, Width, Height);
}

bool DecodePicture(const std::string& FileName, std::vector<uint32_t>& Pixels, int32_t& Width,
                   int32_t& Height) {
    std::vector<uint8_t> Bytes;
    return ReadWholeFile(FileName, Bytes) &&
           DecodePictureBytes(LowerExtension(FileName), Bytes, Pixels, Width, Height);
}
