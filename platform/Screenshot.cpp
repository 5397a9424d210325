// SPDX-License-Identifier: MIT
#include "platform/Screenshot.h"

#include <png.h>

#include <cstdio>
#include <memory>

namespace {

struct TFileCloser {
    void operator()(FILE* File) const { std::fclose(File); }
};

// libpng reports errors by longjmp; everything it touches lives outside this frame.
bool WriteRows(FILE* File, const std::vector<uint8_t>& Rgba, int Width, int Height) {
    png_structp Png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (Png == nullptr) {
        return false;
    }
    png_infop Info = png_create_info_struct(Png);
    if (Info == nullptr || setjmp(png_jmpbuf(Png))) {
        png_destroy_write_struct(&Png, &Info);
        return false;
    }
    png_init_io(Png, File);
    png_set_IHDR(Png, Info, static_cast<png_uint_32>(Width), static_cast<png_uint_32>(Height), 8,
                 PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(Png, Info);
    const size_t Stride = static_cast<size_t>(Width) * 4;
    for (int y = 0; y < Height; ++y) {
        png_write_row(Png, Rgba.data() + Stride * static_cast<size_t>(y));
    }
    png_write_end(Png, nullptr);
    png_destroy_write_struct(&Png, &Info);
    return true;
}

} // namespace

bool WritePng(const std::string& FileName, const std::vector<uint32_t>& Pixels, int Width, int Height) {
    if (Width <= 0 || Height <= 0 ||
        Pixels.size() != static_cast<size_t>(Width) * static_cast<size_t>(Height)) {
        return false;
    }
    std::vector<uint8_t> Rgba(Pixels.size() * 4);
    for (size_t i = 0; i < Pixels.size(); ++i) {
        const uint32_t P = Pixels[i];
        Rgba[i * 4 + 0] = static_cast<uint8_t>(P >> 16);
        Rgba[i * 4 + 1] = static_cast<uint8_t>(P >> 8);
        Rgba[i * 4 + 2] = static_cast<uint8_t>(P);
        Rgba[i * 4 + 3] = static_cast<uint8_t>(P >> 24);
    }
    bool Ok = false;
    {
        std::unique_ptr<FILE, TFileCloser> File(std::fopen(FileName.c_str(), "wb"));
        if (!File) {
            return false;
        }
        Ok = WriteRows(File.get(), Rgba, Width, Height);
        Ok = std::fflush(File.get()) == 0 && Ok;
    }
    if (!Ok) {
        std::remove(FileName.c_str());
    }
    return Ok;
}

bool SaveScreenshot(TRenderBackend& Backend, const std::string& FileName) {
    std::vector<uint32_t> Pixels;
    if (!Backend.ReadPixels(Pixels)) {
        return false;
    }
    return WritePng(FileName, Pixels, Backend.Width(), Backend.Height());
}
