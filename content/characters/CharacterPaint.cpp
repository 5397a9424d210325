// SPDX-License-Identifier: MIT
#include "content/characters/CharacterPaint.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace CharacterPaint {

namespace {

double Channel(uint32_t Colour, int Shift) { return ((Colour >> Shift) & 0xFF) / 255.0; }

// One horizontal or vertical pass of a running-sum box blur over premultiplied channels.
void BlurPass(std::vector<double>& Data, int Width, int Height, int Radius, bool Horizontal) {
    const int length = Horizontal ? Width : Height;
    const int lines = Horizontal ? Height : Width;
    std::vector<double> line(static_cast<size_t>(length) * 4);
    for (int l = 0; l < lines; ++l) {
        auto at = [&](int i) -> size_t {
            const int x = Horizontal ? i : l;
            const int y = Horizontal ? l : i;
            return (static_cast<size_t>(y) * Width + x) * 4;
        };
        for (int i = 0; i < length; ++i) {
            double sum[4] = {0, 0, 0, 0};
            const int from = std::max(0, i - Radius);
            const int to = std::min(length - 1, i + Radius);
            for (int k = from; k <= to; ++k) {
                for (int c = 0; c < 4; ++c) {
                    sum[c] += Data[at(k) + c];
                }
            }
            for (int c = 0; c < 4; ++c) {
                line[static_cast<size_t>(i) * 4 + c] = sum[c] / (2 * Radius + 1);
            }
        }
        for (int i = 0; i < length; ++i) {
            for (int c = 0; c < 4; ++c) {
                Data[at(i) + c] = line[static_cast<size_t>(i) * 4 + c];
            }
        }
    }
}

} // namespace

void SetColour(cairo_t* cr, uint32_t Colour) {
    cairo_set_source_rgba(cr, Channel(Colour, 16), Channel(Colour, 8), Channel(Colour, 0),
                          Channel(Colour, 24));
}

void AddStop(cairo_pattern_t* Pattern, double Offset, uint32_t Colour) {
    cairo_pattern_add_color_stop_rgba(Pattern, Offset, Channel(Colour, 16), Channel(Colour, 8),
                                      Channel(Colour, 0), Channel(Colour, 24));
}

uint32_t Shade(uint32_t Colour, double Amount) {
    const double target = Amount > 0 ? 255.0 : 0.0;
    const double t = std::clamp(std::abs(Amount), 0.0, 1.0);
    uint32_t result = Colour & 0xFF000000u;
    for (int shift = 0; shift <= 16; shift += 8) {
        const double c = (Colour >> shift) & 0xFF;
        const auto v = static_cast<uint32_t>(std::lround(c + (target - c) * t));
        result |= std::min<uint32_t>(v, 255) << shift;
    }
    return result;
}

void UsePlacement(cairo_t* cr, const TSpritePlacement& Placement) {
    cairo_translate(cr, Placement.Width / 2.0, Placement.Height / 2.0);
    cairo_scale(cr, 1.0 / Placement.Scale, 1.0 / Placement.Scale);
    cairo_translate(cr, -(Placement.DrawX() + Placement.Width / 2.0), -(Placement.DrawY() + Placement.Height / 2.0));
}

void EllipsePath(cairo_t* cr, double CentreX, double CentreY, double RadiusX, double RadiusY) {
    cairo_save(cr);
    cairo_translate(cr, CentreX, CentreY);
    cairo_scale(cr, RadiusX, RadiusY);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * std::numbers::pi);
    cairo_close_path(cr);
    cairo_restore(cr);
}

void RoundedRectPath(cairo_t* cr, double X, double Y, double Width, double Height, double Radius) {
    const double r = std::min({Radius, Width / 2, Height / 2});
    const double pi = std::numbers::pi;
    cairo_new_sub_path(cr);
    cairo_arc(cr, X + Width - r, Y + r, r, -pi / 2, 0);
    cairo_arc(cr, X + Width - r, Y + Height - r, r, 0, pi / 2);
    cairo_arc(cr, X + r, Y + Height - r, r, pi / 2, pi);
    cairo_arc(cr, X + r, Y + r, r, pi, 3 * pi / 2);
    cairo_close_path(cr);
}

void FillLit(cairo_t* cr, uint32_t Colour, double CentreX, double CentreY, double Radius) {
    cairo_pattern_t* pattern = cairo_pattern_create_radial(CentreX - Radius * 0.35, CentreY - Radius * 0.4,
                                                           Radius * 0.05, CentreX, CentreY, Radius * 1.15);
    AddStop(pattern, 0.0, Shade(Colour, 0.45));
    AddStop(pattern, 0.45, Colour);
    AddStop(pattern, 1.0, Shade(Colour, -0.45));
    cairo_set_source(cr, pattern);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(pattern);
}

void FillVertical(cairo_t* cr, uint32_t Top, uint32_t Bottom, double Y0, double Y1) {
    cairo_pattern_t* pattern = cairo_pattern_create_linear(0, Y0, 0, Y1);
    AddStop(pattern, 0.0, Top);
    AddStop(pattern, 1.0, Bottom);
    cairo_set_source(cr, pattern);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(pattern);
}

void Outline(cairo_t* cr, double Width, uint32_t Colour) {
    SetColour(cr, Colour);
    cairo_set_line_width(cr, Width);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
}

void Gloss(cairo_t* cr, double CentreX, double CentreY, double RadiusX, double RadiusY, double Alpha) {
    cairo_save(cr);
    cairo_translate(cr, CentreX, CentreY);
    cairo_scale(cr, RadiusX, RadiusY);
    cairo_pattern_t* pattern = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
    cairo_pattern_add_color_stop_rgba(pattern, 0, 1, 1, 1, Alpha);
    cairo_pattern_add_color_stop_rgba(pattern, 1, 1, 1, 1, 0);
    cairo_set_source(cr, pattern);
    cairo_arc(cr, 0, 0, 1, 0, 2 * std::numbers::pi);
    cairo_fill(cr);
    cairo_pattern_destroy(pattern);
    cairo_restore(cr);
}

void SoftShadow(cairo_t* cr, double CentreX, double CentreY, double RadiusX, double RadiusY, double Alpha) {
    cairo_save(cr);
    cairo_translate(cr, CentreX, CentreY);
    cairo_scale(cr, RadiusX, RadiusY);
    cairo_pattern_t* pattern = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
    cairo_pattern_add_color_stop_rgba(pattern, 0, 0.05, 0.02, 0.12, Alpha);
    cairo_pattern_add_color_stop_rgba(pattern, 0.6, 0.05, 0.02, 0.12, Alpha * 0.5);
    cairo_pattern_add_color_stop_rgba(pattern, 1, 0.05, 0.02, 0.12, 0);
    cairo_set_source(cr, pattern);
    cairo_arc(cr, 0, 0, 1, 0, 2 * std::numbers::pi);
    cairo_fill(cr);
    cairo_pattern_destroy(pattern);
    cairo_restore(cr);
}

void Iris(cairo_t* cr, double CentreX, double CentreY, double Radius, uint32_t Colour, double GlossAngle) {
    EllipsePath(cr, CentreX, CentreY, Radius, Radius);
    cairo_pattern_t* pattern =
        cairo_pattern_create_radial(CentreX + Radius * 0.2, CentreY, Radius * 0.1, CentreX, CentreY, Radius);
    AddStop(pattern, 0.0, Shade(Colour, 0.5));
    AddStop(pattern, 0.6, Colour);
    AddStop(pattern, 1.0, Shade(Colour, -0.55));
    cairo_set_source(cr, pattern);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(pattern);
    Outline(cr, std::max(1.0, Radius * 0.12), 0xFF1A1030);
    // The pupil leans toward angle 0 so the turned eye points at what it watches.
    EllipsePath(cr, CentreX + Radius * 0.25, CentreY, Radius * 0.5, Radius * 0.5);
    SetColour(cr, 0xFF0E0818);
    cairo_fill(cr);
    const double gx = CentreX + std::cos(GlossAngle) * Radius * 0.45;
    const double gy = CentreY + std::sin(GlossAngle) * Radius * 0.45;
    EllipsePath(cr, gx, gy, Radius * 0.26, Radius * 0.26);
    SetColour(cr, 0xF0FFFFFF);
    cairo_fill(cr);
    EllipsePath(cr, CentreX - (gx - CentreX) * 0.6, CentreY - (gy - CentreY) * 0.6, Radius * 0.1, Radius * 0.1);
    SetColour(cr, 0xB0FFFFFF);
    cairo_fill(cr);
}

double TextWidth(cairo_t* cr, const char* Text) {
    cairo_text_extents_t extents;
    cairo_text_extents(cr, Text, &extents);
    return extents.x_advance;
}

TPicture Blur(const TPicture& Source, int Radius) {
    const int w = Source.Width();
    const int h = Source.Height();
    if (Source.IsEmpty() || Radius <= 0) {
        return Source;
    }
    std::vector<double> data(static_cast<size_t>(w) * h * 4);
    for (size_t i = 0; i < static_cast<size_t>(w) * h; ++i) {
        const uint32_t p = Source.Pixels()[i];
        const double a = (p >> 24) / 255.0;
        data[i * 4 + 0] = a;
        for (int c = 0; c < 3; ++c) {
            data[i * 4 + 1 + c] = ((p >> (16 - 8 * c)) & 0xFF) * a;
        }
    }
    BlurPass(data, w, h, Radius, true);
    BlurPass(data, w, h, Radius, false);
    TPicture result(w, h);
    for (size_t i = 0; i < static_cast<size_t>(w) * h; ++i) {
        const double a = data[i * 4];
        uint32_t p = static_cast<uint32_t>(std::lround(std::clamp(a, 0.0, 1.0) * 255)) << 24;
        for (int c = 0; c < 3 && a > 0; ++c) {
            const double v = std::clamp(data[i * 4 + 1 + c] / a, 0.0, 255.0);
            p |= static_cast<uint32_t>(std::lround(v)) << (16 - 8 * c);
        }
        result.Pixels()[i] = p;
    }
    return result;
}

} // namespace CharacterPaint
