// SPDX-License-Identifier: MIT
#include "content/share/SharePictures.h"

#include "content/FontFace.h"
#include "content/ui/UiArt.h"
#include "platform/Text.h"

#include <cmath>
#include <cstring>
#include <utility>
#include <numbers>

namespace {

constexpr double Tau = 2 * std::numbers::pi;

// A face per call: cairo tears its font caches down at the end of the run, before any
// static object would let go of its face.
TFontFace BoldFace() {
    return TFontFace("DejaVuSans-Bold.ttf");
}

// Text with a dark rim and a warm fill, centred on X with its baseline at Y.
void OutlinedText(cairo_t* cr, const std::string& Utf8, double X, double Y, double Size, double Rim, double Area) {
    BoldFace().Select(cr, Size);
    RequireFit(cr, Utf8, Area - 2 * Rim, "share screen words");
    cairo_new_path(cr);
    CentredTextPath(cr, Utf8, X, Y);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, Rim * 2);
    cairo_set_source_rgba(cr, 0.12, 0.04, 0.02, 0.9);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* P = cairo_pattern_create_linear(0, Y - Size * 0.8, 0, Y);
    cairo_pattern_add_color_stop_rgb(P, 0, 1.0, 0.96, 0.7);
    cairo_pattern_add_color_stop_rgb(P, 1, 1.0, 0.66, 0.2);
    cairo_set_source(cr, P);
    cairo_fill(cr);
    cairo_pattern_destroy(P);
}

void Stars(cairo_t* cr, int Count, uint32_t Seed) {
    uint32_t State = Seed;
    const auto Next = [&State] {
        State = State * 1664525u + 1013904223u;
        return (State >> 8) / 16777216.0;
    };
    for (int i = 0; i < Count; ++i) {
        const double X = Next() * 800;
        const double Y = Next() * 600;
        const double R = 0.4 + Next() * Next() * 2.2;
        cairo_arc(cr, X, Y, R, 0, Tau);
        cairo_set_source_rgba(cr, 0.85 + Next() * 0.15, 0.88, 1.0, 0.35 + Next() * 0.65);
        cairo_fill(cr);
    }
}

void Glow(cairo_t* cr, double X, double Y, double R, double Red, double Green, double Blue, double Alpha) {
    cairo_pattern_t* P = cairo_pattern_create_radial(X, Y, 0, X, Y, R);
    cairo_pattern_add_color_stop_rgba(P, 0, Red, Green, Blue, Alpha);
    cairo_pattern_add_color_stop_rgba(P, 1, Red, Green, Blue, 0);
    cairo_set_source(cr, P);
    cairo_arc(cr, X, Y, R, 0, Tau);
    cairo_fill(cr);
    cairo_pattern_destroy(P);
}

// A ringed planet in the lower left, lit from the upper right.
void Planet(cairo_t* cr) {
    const double X = 110, Y = 520, R = 140;
    cairo_save(cr);
    cairo_translate(cr, X, Y);
    cairo_scale(cr, 1, 0.28);
    cairo_arc(cr, 0, 0, R * 1.55, std::numbers::pi, Tau);
    cairo_set_line_width(cr, 14);
    cairo_set_source_rgba(cr, 1.0, 0.75, 0.4, 0.5);
    cairo_stroke(cr);
    cairo_restore(cr);
    cairo_pattern_t* P = cairo_pattern_create_radial(X + 50, Y - 60, 10, X, Y, R);
    cairo_pattern_add_color_stop_rgb(P, 0, 0.98, 0.62, 0.38);
    cairo_pattern_add_color_stop_rgb(P, 0.6, 0.72, 0.26, 0.42);
    cairo_pattern_add_color_stop_rgb(P, 1, 0.22, 0.07, 0.25);
    cairo_arc(cr, X, Y, R, 0, Tau);
    cairo_set_source(cr, P);
    cairo_fill(cr);
    cairo_pattern_destroy(P);
    cairo_save(cr);
    cairo_translate(cr, X, Y);
    cairo_scale(cr, 1, 0.28);
    cairo_arc(cr, 0, 0, R * 1.55, 0, std::numbers::pi);
    cairo_set_line_width(cr, 14);
    cairo_set_source_rgba(cr, 1.0, 0.8, 0.45, 0.75);
    cairo_stroke(cr);
    cairo_restore(cr);
}

TPicture WithCaption(const TPicture& Body, const std::string& Utf8Caption, double Size, double CentreX) {
    return DrawPicture(Body.Width(), Body.Height(), [&](cairo_t* cr) {
        PaintPicture(cr, Body, 0, 0);
        OutlinedText(cr, Utf8Caption, CentreX, Body.Height() / 2.0 + Size * 0.36, Size, 2.0, Body.Width() - 24);
    });
}

} // namespace

TPicture DrawShareBackground(const TPictureWords& Words) {
    return DrawPicture(800, 600, [&](cairo_t* cr) {
        cairo_pattern_t* Sky = cairo_pattern_create_radial(400, 250, 40, 400, 300, 560);
        cairo_pattern_add_color_stop_rgb(Sky, 0, 0.25, 0.18, 0.52);
        cairo_pattern_add_color_stop_rgb(Sky, 0.55, 0.09, 0.08, 0.28);
        cairo_pattern_add_color_stop_rgb(Sky, 1, 0.02, 0.02, 0.09);
        cairo_set_source(cr, Sky);
        cairo_paint(cr);
        cairo_pattern_destroy(Sky);
        Glow(cr, 640, 150, 260, 0.95, 0.35, 0.55, 0.22);
        Glow(cr, 180, 260, 220, 0.25, 0.55, 1.0, 0.18);
        Stars(cr, 420, 20261210u);
        Planet(cr);
        OutlinedText(cr, Words(N_("Спасибо за игру!")), 400, 170, 64, 4, 760);
        BoldFace().Select(cr, 24);
        cairo_new_path(cr);
        for (const auto& [Text, Y] : {std::pair{N_("Капитан Зибо благодарит вас за помощь"), 240},
                                      std::pair{N_("и ждёт новых приключений!"), 274}}) {
            RequireFit(cr, Words(Text), 760, "share screen words");
            CentredTextPath(cr, Words(Text), 400, Y);
        }
        cairo_set_source_rgba(cr, 0.86, 0.9, 1.0, 0.95);
        cairo_fill(cr);
    });
}

TPicture DrawShareButton(int Width, int Height, const std::string& Utf8Caption, bool Exit, bool Hover) {
    const TPicture Body =
        DrawButton(Width, Height, Exit ? TButtonTheme::Violet : TButtonTheme::Orange)[Hover ? 1 : 0];
    return WithCaption(Body, Utf8Caption, Height * 0.4, Width / 2.0);
}

TPicture DrawShareWaiting(int Width, int Height, const TPictureWords& Words) {
    const TPicture Body = DrawButton(Width, Height, TButtonTheme::Violet)[2];
    return DrawPicture(Width, Height, [&](cairo_t* cr) {
        PaintPicture(cr, Body, 0, 0, 1.0, 0.7);
        BoldFace().Select(cr, Height * 0.3);
        cairo_new_path(cr);
        const std::string Exit = Words(N_("Выход"));
        RequireFit(cr, Exit, ShareWaitDialX - Height * 0.4 - 4, "share screen words");
        CentredTextPath(cr, Exit, (ShareWaitDialX - Height * 0.4) / 2.0 + 6, Height / 2.0 + Height * 0.11);
        cairo_set_source_rgba(cr, 0.85, 0.85, 1.0, 0.7);
        cairo_fill(cr);
        // The dial the countdown digits sit in.
        const double R = Height * 0.36;
        cairo_arc(cr, ShareWaitDialX, Height / 2.0 - 1, R, 0, Tau);
        cairo_set_source_rgba(cr, 0.05, 0.04, 0.16, 0.9);
        cairo_fill_preserve(cr);
        cairo_set_line_width(cr, 2.5);
        cairo_set_source_rgba(cr, 1.0, 0.82, 0.35, 0.95);
        cairo_stroke(cr);
    });
}
