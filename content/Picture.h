// SPDX-License-Identifier: MIT
#pragma once

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// A generated picture: Width x Height pixels of straight-alpha 0xAARRGGBB, rows from the
// top. Every image pattern and preview the generator makes is one of these.
class TPicture {
public:
    TPicture() = default;
    TPicture(int Width, int Height, uint32_t Fill = 0);

    [[nodiscard]] int Width() const { return W; }
    [[nodiscard]] int Height() const { return H; }
    [[nodiscard]] bool IsEmpty() const { return W <= 0 || H <= 0; }
    // Pixel outside the picture reads as transparent black.
    [[nodiscard]] uint32_t Pixel(int X, int Y) const;
    void SetPixel(int X, int Y, uint32_t Colour);
    [[nodiscard]] const std::vector<uint32_t>& Pixels() const { return Data; }
    [[nodiscard]] std::vector<uint32_t>& Pixels() { return Data; }

    // A Width x Height part starting at (X, Y); parts outside the picture are transparent.
    [[nodiscard]] TPicture Crop(int X, int Y, int Width, int Height) const;
    // Draws Source over this picture with its top-left corner at (X, Y), alpha-blended.
    void Blend(const TPicture& Source, int X, int Y);

    // A premultiplied ARGB32 cairo surface holding a copy of the picture; the caller
    // destroys it (cairo_surface_destroy).
    [[nodiscard]] cairo_surface_t* MakeSurface() const;
    // Reads a premultiplied ARGB32 image surface back into straight alpha.
    [[nodiscard]] static TPicture FromSurface(cairo_surface_t* Surface);
    // Writes the picture as a PNG file; false when the file cannot be written.
    [[nodiscard]] bool SavePng(const std::string& Path) const;

    friend bool operator==(const TPicture&, const TPicture&) = default;

private:
    int W = 0;
    int H = 0;
    std::vector<uint32_t> Data;
};

// Paints on a fresh transparent Width x Height cairo surface and returns the result as a
// picture. The usual way to draw one pattern: DrawPicture(44, 44, [&](cairo_t* cr) {...}).
[[nodiscard]] TPicture DrawPicture(int Width, int Height, const std::function<void(cairo_t*)>& Paint);

// Draws Source on cr with its top-left corner at (X, Y), scaled by Scale, at Alpha.
void PaintPicture(cairo_t* cr, const TPicture& Source, double X, double Y, double Scale = 1.0,
                  double Alpha = 1.0);
