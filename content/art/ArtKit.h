// SPDX-License-Identifier: MIT
#pragma once

#include "content/Picture.h"

#include <cairo.h>

#include <cstdint>
#include <vector>

// Small drawing helpers shared by the board and scene art.
namespace ArtKit {

// A colour as 0xRRGGBB plus alpha 0..1.
struct TColour {
    double R = 0, G = 0, B = 0, A = 1;
};

[[nodiscard]] TColour Rgb(uint32_t Hex, double Alpha = 1.0);
// Mixes toward white (Amount > 0) or black (Amount < 0), Amount in -1..1.
[[nodiscard]] TColour Shade(const TColour& C, double Amount);
[[nodiscard]] TColour WithAlpha(const TColour& C, double Alpha);
void SetColour(cairo_t* cr, const TColour& C);
void AddStop(cairo_pattern_t* Pattern, double Offset, const TColour& C);

// Paths (appended to the current path).
void RoundedRect(cairo_t* cr, double X, double Y, double W, double H, double R);
// A regular polygon of Sides corners on a circle of Radius, first corner at Rotation
// radians (0 = straight up).
void Polygon(cairo_t* cr, double Cx, double Cy, double Radius, int Sides, double Rotation = 0.0);
// A star of Points tips between radii Outer and Inner, first tip straight up plus Rotation.
void Star(cairo_t* cr, double Cx, double Cy, double Outer, double Inner, int Points, double Rotation = 0.0);

// A soft round glow: radial gradient from C at the centre to transparent at Radius.
void Glow(cairo_t* cr, double Cx, double Cy, double Radius, const TColour& C);
// A four-point sparkle of the given size at (Cx, Cy).
void Sparkle(cairo_t* cr, double Cx, double Cy, double Size, double Alpha);

// Fills the current path with a vertical gradient from Top to Bottom colours (keeps the path).
void FillVertical(cairo_t* cr, double Y0, double Y1, const TColour& Top, const TColour& Bottom);

// A blurred drop shadow of any path: Path is replayed, offset by (Dx, Dy), several times
// with growing line width and falling alpha.
template <typename TPathFn>
void SoftShadow(cairo_t* cr, TPathFn Path, double Dx, double Dy, double Spread, double Alpha) {
    cairo_save(cr);
    cairo_translate(cr, Dx, Dy);
    const int steps = 4;
    for (int i = steps; i >= 1; --i) {
        Path();
        cairo_set_source_rgba(cr, 0, 0, 0, Alpha / steps);
        cairo_set_line_width(cr, Spread * i / steps * 2);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke_preserve(cr);
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

// A deterministic random sequence (the same numbers on every run and machine).
class TRandom {
public:
    explicit TRandom(uint32_t Seed) : State(Seed) {}
    // 0 <= value < 1.
    double Next();
    double Range(double Lo, double Hi) { return Lo + (Hi - Lo) * Next(); }

private:
    uint32_t State;
};

// A starfield with nebulae on a Width x Height picture; Seed picks the sky.
void PaintSpace(cairo_t* cr, int Width, int Height, uint32_t Seed, double StarDensity = 1.0);

} // namespace ArtKit
