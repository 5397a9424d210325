// SPDX-License-Identifier: MIT
#include "GalleryImages.h"

#include "engine/Image.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace {

using TShader = std::function<uint32_t(int32_t Pattern, int32_t X, int32_t Y)>;

uint32_t Mix(uint32_t A, uint32_t B, double T) {
    uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const double a = (A >> shift) & 0xFF, b = (B >> shift) & 0xFF;
        out |= static_cast<uint32_t>(std::lround(a + (b - a) * std::clamp(T, 0.0, 1.0))) << shift;
    }
    return out;
}

uint32_t WithAlpha(uint32_t Color, double Alpha) {
    const auto a = static_cast<uint32_t>(std::lround(((Color >> 24) & 0xFF) * std::clamp(Alpha, 0.0, 1.0)));
    return (Color & 0xFFFFFF) | a << 24;
}

// Distance inside a rounded rectangle: negative outside, positive inside, in pixels.
double Inside(double X, double Y, double W, double H, double R) {
    const double dx = std::max({R - X, X - (W - R), 0.0});
    const double dy = std::max({R - Y, Y - (H - R), 0.0});
    if (dx > 0 && dy > 0) {
        return R - std::hypot(dx, dy);
    }
    return std::min({X, Y, W - X, H - Y});
}

// A rounded panel with a vertical gradient and a rim of Rim colour.
uint32_t Panel(int32_t X, int32_t Y, int32_t W, int32_t H, double R, uint32_t Top, uint32_t Bottom,
               uint32_t Rim) {
    const double d = Inside(X + 0.5, Y + 0.5, W, H, R);
    if (d <= 0) {
        return 0;
    }
    const uint32_t body = Mix(Top, Bottom, static_cast<double>(Y) / std::max(H - 1, 1));
    const uint32_t color = d < 1.5 ? Mix(Rim, body, d - 0.5) : body;
    return WithAlpha(color, std::min(d, 1.0));
}

int32_t AddImage(TGfxImages& Images, TPoint Pattern, int32_t Count, const TShader& Shader) {
    TGfxImage& image = Images.AddImage();
    int32_t side = 16;
    while (side < Pattern.X * Count || side < Pattern.Y) {
        side *= 2;
    }
    image.SetTextureSize({std::max(side, Pattern.X), std::max(side / 2, Pattern.Y)});
    image.SetSize(1, Pattern);
    image.SetSize(0, Pattern);
    image.SetPatternCount(Count);
    const int32_t width = Pattern.X * Count;
    std::vector<uint32_t> pixels(static_cast<size_t>(width * Pattern.Y));
    for (int32_t p = 0; p < Count; ++p) {
        for (int32_t y = 0; y < Pattern.Y; ++y) {
            for (int32_t x = 0; x < Pattern.X; ++x) {
                pixels[static_cast<size_t>(y * width + p * Pattern.X + x)] = Shader(p, x, y);
            }
        }
    }
    if (!image.LoadFromBitmap(pixels, width, Pattern.Y)) {
        return -1;
    }
    return Images.IndexOfImage(&image);
}

} // namespace

TGalleryImages AddGalleryImages(TGfxImages& Images) {
    TGalleryImages g;
    g.FormBody = AddImage(Images, {256, 256}, 1, [](int32_t, int32_t x, int32_t y) {
        return Panel(x, y, 256, 256, 18, 0xF02A2F6B, 0xF0171A40, 0xFFE7A94B);
    });
    g.Button = AddImage(Images, {140, 36}, 3, [](int32_t p, int32_t x, int32_t y) {
        const uint32_t tops[] = {0xFFFFC766, 0xFFFFE08F, 0xFFE08A2C};
        const uint32_t bottoms[] = {0xFFE0781E, 0xFFF39A35, 0xFFB25B12};
        uint32_t c = Panel(x, y, 140, 36, 12, tops[p], bottoms[p], 0xFF7A3A08);
        // A soft highlight over the upper half.
        if (p != 2 && y < 15 && (c >> 24) != 0) {
            c = Mix(c, 0xFFFFFFFF | (c & 0xFF000000), 0.25 * (1.0 - y / 15.0));
        }
        return c;
    });
    g.SliderTrack = AddImage(Images, {200, 16}, 1, [](int32_t, int32_t x, int32_t y) {
        return y < 4 || y > 11 ? 0u : Panel(x, y - 4, 200, 8, 4, 0xFF101330, 0xFF3A3F7A, 0xFF8088D0);
    });
    g.SliderKnob = AddImage(Images, {16, 16}, 1, [](int32_t, int32_t x, int32_t y) {
        return Panel(x, y, 16, 16, 8, 0xFFFFE9B0, 0xFFE0781E, 0xFF7A3A08);
    });
    g.ListBody = AddImage(Images, {200, 150}, 1, [](int32_t, int32_t x, int32_t y) {
        return Panel(x, y, 200, 150, 8, 0xE0202552, 0xE0141735, 0xFF6A70B8);
    });
    g.RowHover = AddImage(Images, {198, 16}, 2, [](int32_t p, int32_t x, int32_t y) {
        return x >= (p == 1 ? 198 - 16 : 198)
                   ? 0u
                   : Panel(x, y, p == 1 ? 182 : 198, 16, 5, 0x60FFFFFF, 0x30FFFFFF, 0x80FFFFFF);
    });
    g.RowSelected = AddImage(Images, {198, 16}, 2, [](int32_t p, int32_t x, int32_t y) {
        return x >= (p == 1 ? 198 - 16 : 198)
                   ? 0u
                   : Panel(x, y, p == 1 ? 182 : 198, 16, 5, 0xFFFFC766, 0xFFE0781E, 0xFF7A3A08);
    });
    g.ScrollTrack = AddImage(Images, {16, 150}, 1, [](int32_t, int32_t x, int32_t y) {
        return Panel(x, y, 16, 150, 7, 0xFF101330, 0xFF2A2F6B, 0xFF6A70B8);
    });
    const auto arrowButton = [](bool Up) {
        return [Up](int32_t p, int32_t x, int32_t y) {
            uint32_t c =
                Panel(x, y, 16, 16, 5, p ? 0xFFE08A2C : 0xFFFFC766, p ? 0xFFB25B12 : 0xFFE0781E, 0xFF7A3A08);
            const int32_t row = Up ? y - 5 : 10 - y;
            if (row >= 0 && row <= 5 && std::abs(x - 8) <= row) {
                c = 0xFF3A1C04;
            }
            return c;
        };
    };
    g.ScrollUp = AddImage(Images, {16, 16}, 2, arrowButton(true));
    g.ScrollDown = AddImage(Images, {16, 16}, 2, arrowButton(false));
    g.ScrollThumb = AddImage(Images, {14, 24}, 1, [](int32_t, int32_t x, int32_t y) {
        return Panel(x, y, 14, 24, 6, 0xFFFFE9B0, 0xFFE0781E, 0xFF7A3A08);
    });
    return g;
}
