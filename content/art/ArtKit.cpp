// SPDX-License-Identifier: MIT
#include "content/art/ArtKit.h"

#include <algorithm>
#include <cmath>

namespace ArtKit {

TColour Rgb(uint32_t Hex, double Alpha) {
    return {((Hex >> 16) & 255) / 255.0, ((Hex >> 8) & 255) / 255.0, (Hex & 255) / 255.0, Alpha};
}

TColour Shade(const TColour& C, double Amount) {
    const double target = Amount > 0 ? 1.0 : 0.0;
    const double t = std::clamp(std::abs(Amount), 0.0, 1.0);
    return {C.R + (target - C.R) * t, C.G + (target - C.G) * t, C.B + (target - C.B) * t, C.A};
}

TColour WithAlpha(const TColour& C, double Alpha) {
    return {C.R, C.G, C.B, Alpha};
}

void SetColour(cairo_t* cr, const TColour& C) {
    cairo_set_source_rgba(cr, C.R, C.G, C.B, C.A);
}

void AddStop(cairo_pattern_t* Pattern, double Offset, const TColour& C) {
    cairo_pattern_add_color_stop_rgba(Pattern, Offset, C.R, C.G, C.B, C.A);
}

void RoundedRect(cairo_t* cr, double X, double Y, double W, double H, double R) {
    R = std::min({R, W / 2, H / 2});
    cairo_new_sub_path(cr);
    cairo_arc(cr, X + W - R, Y + R, R, -M_PI / 2, 0);
    cairo_arc(cr, X + W - R, Y + H - R, R, 0, M_PI / 2);
    cairo_arc(cr, X + R, Y + H - R, R, M_PI / 2, M_PI);
    cairo_arc(cr, X + R, Y + R, R, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void Polygon(cairo_t* cr, double Cx, double Cy, double Radius, int Sides, double Rotation) {
    cairo_new_sub_path(cr);
    for (int i = 0; i < Sides; ++i) {
        const double a = Rotation + 2 * M_PI * i / Sides - M_PI / 2;
        cairo_line_to(cr, Cx + Radius * std::cos(a), Cy + Radius * std::sin(a));
    }
    cairo_close_path(cr);
}

void Star(cairo_t* cr, double Cx, double Cy, double Outer, double Inner, int Points, double Rotation) {
    cairo_new_sub_path(cr);
    for (int i = 0; i < Points * 2; ++i) {
        const double r = (i % 2 == 0) ? Outer : Inner;
        const double a = Rotation + M_PI * i / Points - M_PI / 2;
        cairo_line_to(cr, Cx + r * std::cos(a), Cy + r * std::sin(a));
    }
    cairo_close_path(cr);
}

void Glow(cairo_t* cr, double Cx, double Cy, double Radius, const TColour& C) {
    cairo_pattern_t* g = cairo_pattern_create_radial(Cx, Cy, 0, Cx, Cy, Radius);
    AddStop(g, 0, C);
    AddStop(g, 0.35, WithAlpha(C, C.A * 0.45));
    AddStop(g, 1, WithAlpha(C, 0));
    cairo_set_source(cr, g);
    cairo_arc(cr, Cx, Cy, Radius, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

void Sparkle(cairo_t* cr, double Cx, double Cy, double Size, double Alpha) {
    if (Alpha <= 0 || Size <= 0) {
        return;
    }
    Glow(cr, Cx, Cy, Size * 0.6, {1, 1, 1, Alpha * 0.8});
    cairo_new_path(cr);
    cairo_move_to(cr, Cx, Cy - Size);
    cairo_curve_to(cr, Cx + Size * 0.08, Cy - Size * 0.08, Cx + Size * 0.08, Cy - Size * 0.08, Cx + Size, Cy);
    cairo_curve_to(cr, Cx + Size * 0.08, Cy + Size * 0.08, Cx + Size * 0.08, Cy + Size * 0.08, Cx, Cy + Size);
    cairo_curve_to(cr, Cx - Size * 0.08, Cy + Size * 0.08, Cx - Size * 0.08, Cy + Size * 0.08, Cx - Size, Cy);
    cairo_curve_to(cr, Cx - Size * 0.08, Cy - Size * 0.08, Cx - Size * 0.08, Cy - Size * 0.08, Cx, Cy - Size);
    cairo_close_path(cr);
    cairo_set_source_rgba(cr, 1, 1, 1, Alpha);
    cairo_fill(cr);
}

void FillVertical(cairo_t* cr, double Y0, double Y1, const TColour& Top, const TColour& Bottom) {
    cairo_pattern_t* g = cairo_pattern_create_linear(0, Y0, 0, Y1);
    AddStop(g, 0, Top);
    AddStop(g, 1, Bottom);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
}

double TRandom::Next() {
    State = State * 1664525u + 1013904223u;
    return (State >> 8) / 16777216.0;
}

void PaintSpace(cairo_t* cr, int Width, int Height, uint32_t Seed, double StarDensity) {
    TRandom rnd(Seed);
    cairo_pattern_t* base = cairo_pattern_create_linear(0, 0, Width * 0.3, Height);
    AddStop(base, 0, Rgb(0x0b0a2a));
    AddStop(base, 0.5, Rgb(0x140b3a));
    AddStop(base, 1, Rgb(0x070720));
    cairo_set_source(cr, base);
    cairo_paint(cr);
    cairo_pattern_destroy(base);

    // Nebulae: large soft clouds in the palette's violets, blues and a touch of rose.
    const uint32_t nebula[] = {0x5a2a9a, 0x2a4ab0, 0x9a2a7a, 0x2a7ab0, 0x6a3ac0};
    const int clouds = std::max(3, Width * Height / 90000);
    for (int i = 0; i < clouds; ++i) {
        const double x = rnd.Range(0, Width);
        const double y = rnd.Range(0, Height);
        const double r = rnd.Range(0.12, 0.35) * std::max(Width, Height);
        Glow(cr, x, y, r, Rgb(nebula[i % 5], rnd.Range(0.18, 0.35)));
    }
    const int stars = static_cast<int>(Width * Height / 900 * StarDensity);
    for (int i = 0; i < stars; ++i) {
        const double x = rnd.Range(0, Width);
        const double y = rnd.Range(0, Height);
        const double b = rnd.Next();
        const double size = b > 0.97 ? rnd.Range(1.2, 2.0) : rnd.Range(0.35, 0.9);
        const double tint = rnd.Next();
        const TColour c = tint < 0.15 ? Rgb(0xffd9a0) : (tint < 0.35 ? Rgb(0xa8c8ff) : Rgb(0xffffff));
        SetColour(cr, WithAlpha(c, 0.35 + 0.65 * b));
        cairo_arc(cr, x, y, size, 0, 2 * M_PI);
        cairo_fill(cr);
        if (b > 0.985) {
            Sparkle(cr, x, y, rnd.Range(4, 8), 0.8);
        }
    }
}

} // namespace ArtKit
