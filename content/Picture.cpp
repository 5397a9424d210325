// SPDX-License-Identifier: MIT
#include "content/Picture.h"

#include <algorithm>

namespace {

uint32_t Premultiply(uint32_t c) {
    const uint32_t a = c >> 24;
    if (a == 255) {
        return c;
    }
    const auto mul = [a](uint32_t v) { return (v * a + 127) / 255; };
    return (a << 24) | (mul((c >> 16) & 255) << 16) | (mul((c >> 8) & 255) << 8) | mul(c & 255);
}

uint32_t Unpremultiply(uint32_t c) {
    const uint32_t a = c >> 24;
    if (a == 255) {
        return c;
    }
    if (a == 0) {
        return 0;
    }
    const auto div = [a](uint32_t v) { return std::min<uint32_t>(255, (v * 255 + a / 2) / a); };
    return (a << 24) | (div((c >> 16) & 255) << 16) | (div((c >> 8) & 255) << 8) | div(c & 255);
}

// Straight-alpha "source over" of one pixel.
uint32_t Over(uint32_t dst, uint32_t src) {
    const uint32_t sa = src >> 24;
    if (sa == 255) {
        return src;
    }
    if (sa == 0) {
        return dst;
    }
    const uint32_t da = dst >> 24;
    const uint32_t outA = sa * 255 + da * (255 - sa);
    if (outA == 0) {
        return 0;
    }
    uint32_t result = ((outA + 127) / 255) << 24;
    for (int shift = 0; shift <= 16; shift += 8) {
        const uint32_t s = (src >> shift) & 255;
        const uint32_t d = (dst >> shift) & 255;
        const uint32_t v = (s * sa * 255 + d * da * (255 - sa) + outA / 2) / outA;
        result |= std::min<uint32_t>(v, 255) << shift;
    }
    return result;
}

} // namespace

TPicture::TPicture(int Width, int Height, uint32_t Fill)
    : W(std::max(Width, 0)), H(std::max(Height, 0)), Data(static_cast<size_t>(W) * H, Fill) {}

uint32_t TPicture::Pixel(int X, int Y) const {
    if (X < 0 || Y < 0 || X >= W || Y >= H) {
        return 0;
    }
    return Data[static_cast<size_t>(Y) * W + X];
}

void TPicture::SetPixel(int X, int Y, uint32_t Colour) {
    if (X >= 0 && Y >= 0 && X < W && Y < H) {
        Data[static_cast<size_t>(Y) * W + X] = Colour;
    }
}

TPicture TPicture::Crop(int X, int Y, int Width, int Height) const {
    TPicture part(Width, Height);
    for (int y = 0; y < part.H; ++y) {
        for (int x = 0; x < part.W; ++x) {
            part.Data[static_cast<size_t>(y) * part.W + x] = Pixel(X + x, Y + y);
        }
    }
    return part;
}

void TPicture::Blend(const TPicture& Source, int X, int Y) {
    for (int y = 0; y < Source.H; ++y) {
        for (int x = 0; x < Source.W; ++x) {
            const int tx = X + x;
            const int ty = Y + y;
            if (tx >= 0 && ty >= 0 && tx < W && ty < H) {
                uint32_t& d = Data[static_cast<size_t>(ty) * W + tx];
                d = Over(d, Source.Data[static_cast<size_t>(y) * Source.W + x]);
            }
        }
    }
}

cairo_surface_t* TPicture::MakeSurface() const {
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, std::max(W, 1), std::max(H, 1));
    cairo_surface_flush(surface);
    unsigned char* bits = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < H; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(bits + static_cast<size_t>(y) * stride);
        for (int x = 0; x < W; ++x) {
            row[x] = Premultiply(Data[static_cast<size_t>(y) * W + x]);
        }
    }
    cairo_surface_mark_dirty(surface);
    return surface;
}

TPicture TPicture::FromSurface(cairo_surface_t* Surface) {
    cairo_surface_flush(Surface);
    const int width = cairo_image_surface_get_width(Surface);
    const int height = cairo_image_surface_get_height(Surface);
    const int stride = cairo_image_surface_get_stride(Surface);
    const unsigned char* bits = cairo_image_surface_get_data(Surface);
    TPicture picture(width, height);
    if (bits == nullptr || cairo_image_surface_get_format(Surface) != CAIRO_FORMAT_ARGB32) {
        return picture;
    }
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(bits + static_cast<size_t>(y) * stride);
        for (int x = 0; x < width; ++x) {
            picture.Data[static_cast<size_t>(y) * width + x] = Unpremultiply(row[x]);
        }
    }
    return picture;
}

bool TPicture::SavePng(const std::string& Path) const {
    cairo_surface_t* surface = MakeSurface();
    const bool ok = cairo_surface_write_to_png(surface, Path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return ok;
}

TPicture DrawPicture(int Width, int Height, const std::function<void(cairo_t*)>& Paint) {
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, std::max(Width, 1), std::max(Height, 1));
    cairo_t* cr = cairo_create(surface);
    try {
        Paint(cr);
    } catch (...) {
        // A painter that gives up (words too wide for their place) leaves nothing behind.
        cairo_destroy(cr);
        cairo_surface_destroy(surface);
        throw;
    }
    cairo_destroy(cr);
    TPicture picture = TPicture::FromSurface(surface);
    cairo_surface_destroy(surface);
    return picture;
}

void PaintPicture(cairo_t* cr, const TPicture& Source, double X, double Y, double Scale, double Alpha) {
    if (Source.IsEmpty()) {
        return;
    }
    cairo_surface_t* surface = Source.MakeSurface();
    cairo_save(cr);
    cairo_translate(cr, X, Y);
    cairo_scale(cr, Scale, Scale);
    cairo_set_source_surface(cr, surface, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_paint_with_alpha(cr, Alpha);
    cairo_restore(cr);
    cairo_surface_destroy(surface);
}
