// SPDX-License-Identifier: MIT
#include "content/FontFace.h"
#include "content/art/ArtKit.h"
#include "content/art/ArtModules.h"

#include <cmath>
#include <functional>
#include <string>

using namespace ArtKit;

namespace {

// A bonus is centred on the piece's gem (cell corner + (20, 22)) and grows with it.
constexpr int IconSize = 28;
constexpr double C = IconSize / 2.0;
constexpr int BonusPatterns = 8;

// Phase 0..1 of pattern p of the loop.
double Phase(int p) {
    return p / static_cast<double>(BonusPatterns);
}

// A dark halo behind every icon so it reads over any gem colour.
void Backdrop(cairo_t* cr, double Radius) {
    Glow(cr, C, C + 0.5, Radius, {0.05, 0.02, 0.12, 0.75});
}

void Outline(cairo_t* cr, double Width = 1.6) {
    cairo_set_source_rgba(cr, 0.12, 0.06, 0.02, 0.95);
    cairo_set_line_width(cr, Width);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
}

void Clock(cairo_t* cr, int p) {
    Backdrop(cr, 14);
    cairo_arc(cr, C, C, 10.5, 0, 2 * M_PI);
    cairo_pattern_t* g = cairo_pattern_create_radial(C - 3, C - 3, 1, C, C, 11);
    AddStop(g, 0, Rgb(0xffffff));
    AddStop(g, 1, Rgb(0xbfe6ff));
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    cairo_set_source_rgb(cr, 0.1, 0.45, 0.95);
    cairo_set_line_width(cr, 2.6);
    cairo_stroke(cr);
    for (int i = 0; i < 12; i += 3) {
        const double a = i * M_PI / 6;
        cairo_move_to(cr, C + 7.2 * std::sin(a), C - 7.2 * std::cos(a));
        cairo_line_to(cr, C + 8.8 * std::sin(a), C - 8.8 * std::cos(a));
    }
    cairo_set_source_rgb(cr, 0.1, 0.2, 0.4);
    cairo_set_line_width(cr, 1.3);
    cairo_stroke(cr);
    // The minute hand runs round once per loop; the hour hand creeps.
    const double minute = 2 * M_PI * Phase(p);
    const double hour = M_PI / 3 + minute / 12;
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, C, C);
    cairo_line_to(cr, C + 4.5 * std::sin(hour), C - 4.5 * std::cos(hour));
    cairo_set_line_width(cr, 2.0);
    cairo_stroke(cr);
    cairo_move_to(cr, C, C);
    cairo_line_to(cr, C + 7.5 * std::sin(minute), C - 7.5 * std::cos(minute));
    cairo_set_source_rgb(cr, 0.9, 0.15, 0.1);
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
    // Bell knobs on top.
    cairo_arc(cr, C - 6, C - 10.5, 2.3, 0, 2 * M_PI);
    cairo_arc(cr, C + 6, C - 10.5, 2.3, 0, 2 * M_PI);
    cairo_set_source_rgb(cr, 0.1, 0.45, 0.95);
    cairo_fill(cr);
}

void Money(cairo_t* cr, int p, const TFontFace& Font) {
    Backdrop(cr, 14);
    // The coin spins: its width follows a cosine, its face shows while it faces us.
    const double w = std::max(0.15, std::abs(std::cos(M_PI * Phase(p))));
    cairo_save(cr);
    cairo_translate(cr, C, C);
    cairo_scale(cr, w, 1.0);
    cairo_arc(cr, 0, 0, 10.5, 0, 2 * M_PI);
    cairo_pattern_t* g = cairo_pattern_create_linear(-10, -10, 10, 10);
    AddStop(g, 0, Rgb(0xfff2a0));
    AddStop(g, 0.5, Rgb(0xffc20e));
    AddStop(g, 1, Rgb(0xb86e00));
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    cairo_restore(cr);
    Outline(cr, 1.4);
    cairo_new_path(cr);
    if (w > 0.45) {
        cairo_save(cr);
        cairo_translate(cr, C, C);
        cairo_scale(cr, w, 1.0);
        Font.Select(cr, 15);
        CentredTextPath(cr, "$", 0, 5.5);
        cairo_set_source_rgb(cr, 0.55, 0.3, 0.0);
        cairo_fill(cr);
        cairo_restore(cr);
    }
    Sparkle(cr, C - 5, C - 6, p % 4 == 0 ? 5 : 2.5, 0.9);
}

void Dynamite(cairo_t* cr, int p) {
    Backdrop(cr, 14);
    cairo_save(cr);
    cairo_translate(cr, C, C + 2);
    cairo_rotate(cr, -0.35);
    for (int i = -1; i <= 1; ++i) {
        RoundedRect(cr, i * 5.2 - 2.6, -8, 5.2, 16, 2);
    }
    FillVertical(cr, -8, 8, Rgb(0xff5a40), Rgb(0xa01010));
    Outline(cr, 1.2);
    cairo_new_path(cr);
    cairo_rectangle(cr, -8, -2, 16, 3.5);
    cairo_set_source_rgb(cr, 0.2, 0.15, 0.1);
    cairo_fill(cr);
    // Fuse.
    cairo_move_to(cr, 0, -8);
    cairo_curve_to(cr, 1, -11, 4, -10, 5, -13);
    cairo_set_source_rgb(cr, 0.3, 0.25, 0.2);
    cairo_set_line_width(cr, 1.3);
    cairo_stroke(cr);
    cairo_restore(cr);
    // A flickering spark at the fuse tip (the fuse ends at (5, -13) in the tilted frame).
    const double flick = 0.6 + 0.4 * std::abs(std::sin(p * 1.9));
    const double a = -0.35;
    const double sx = C + 5 * std::cos(a) + 13 * std::sin(a);
    const double sy = C + 2 + 5 * std::sin(a) - 13 * std::cos(a);
    Glow(cr, sx, sy, 6 * flick, Rgb(0xffd040, 0.9));
    Sparkle(cr, sx, sy, 4.5 * flick, 1.0);
}

void StarIcon(cairo_t* cr, int p) {
    Backdrop(cr, 14);
    const double a = 2 * M_PI / 5 * Phase(p);
    const double s = 1.0 + 0.08 * std::sin(2 * M_PI * Phase(p));
    Star(cr, C, C + 0.5, 12 * s, 5.2 * s, 5, a);
    cairo_pattern_t* g = cairo_pattern_create_radial(C - 2, C - 3, 1, C, C, 12);
    AddStop(g, 0, Rgb(0xffffd0));
    AddStop(g, 0.5, Rgb(0xffe020));
    AddStop(g, 1, Rgb(0xff9a00));
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    Outline(cr, 1.3);
    cairo_new_path(cr);
    Sparkle(cr, C + 7, C - 8, p % 2 == 0 ? 4 : 2, 0.9);
}

void Flash(cairo_t* cr, int p) {
    // A bolt lying across the icon, with arrows at both ends: it sweeps a whole row.
    Glow(cr, C, C, 14, Rgb(0x2060ff, 0.45 + 0.3 * std::abs(std::sin(p * 0.9))));
    Backdrop(cr, 12);
    cairo_move_to(cr, 2, C - 1);
    cairo_line_to(cr, 12, C - 9);
    cairo_line_to(cr, 13, C - 2);
    cairo_line_to(cr, 26, C + 1);
    cairo_line_to(cr, 16, C + 9);
    cairo_line_to(cr, 15, C + 2);
    cairo_close_path(cr);
    FillVertical(cr, C - 9, C + 9, Rgb(0xffffa0), Rgb(0xffb000));
    Outline(cr, 1.3);
    cairo_new_path(cr);
    const double x = 3 + 22 * Phase(p);
    Sparkle(cr, x, C + (x - C) * 0.08, 4.5, 1.0);
}

void EnergyBall(cairo_t* cr, int p) {
    // A glowing orb with arcs circling it up and down: it sweeps a whole column.
    Glow(cr, C, C, 14, Rgb(0x40e0ff, 0.6));
    cairo_arc(cr, C, C, 7.5, 0, 2 * M_PI);
    cairo_pattern_t* g = cairo_pattern_create_radial(C - 2, C - 2, 0.5, C, C, 8);
    AddStop(g, 0, Rgb(0xffffff));
    AddStop(g, 0.4, Rgb(0x80f0ff));
    AddStop(g, 1, Rgb(0x1070e0));
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int i = 0; i < 2; ++i) {
        const double a = 2 * M_PI * Phase(p) + i * M_PI;
        cairo_save(cr);
        cairo_translate(cr, C, C);
        cairo_scale(cr, 0.45, 1.0);
        cairo_arc(cr, 0, 0, 12.5, a, a + 1.9);
        cairo_restore(cr);
        cairo_set_source_rgba(cr, 0.85, 1, 1, 0.95);
        cairo_set_line_width(cr, 1.8);
        cairo_stroke(cr);
    }
}

void TimesTwo(cairo_t* cr, int p, const TFontFace& Font) {
    const double s = 1.0 + 0.1 * std::sin(2 * M_PI * Phase(p));
    cairo_save(cr);
    cairo_translate(cr, C, C);
    cairo_scale(cr, s, s);
    Backdrop(cr, 0);
    Polygon(cr, 0, 0, 12.5, 8, M_PI / 8);
    FillVertical(cr, -12, 12, Rgb(0xff70d0), Rgb(0xb01890));
    Outline(cr, 1.3);
    cairo_new_path(cr);
    Font.Select(cr, 12);
    CentredTextPath(cr, "x2", 0, 4.3);
    cairo_set_source_rgb(cr, 0.3, 0.0, 0.2);
    cairo_set_line_width(cr, 2.2);
    cairo_stroke_preserve(cr);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_fill(cr);
    cairo_restore(cr);
}

void Rainbow(cairo_t* cr, int p) {
    Backdrop(cr, 14);
    const uint32_t bands[] = {0xff3030, 0xff9a20, 0xffe020, 0x40d040, 0x30a0ff, 0x9a50ff};
    cairo_set_line_width(cr, 2.2);
    for (int i = 0; i < 6; ++i) {
        // The colours travel outward through the arc.
        const uint32_t colour = bands[(i + 6 - p % 6) % 6];
        cairo_arc(cr, C, C + 5, 12 - i * 2.0, M_PI, 2 * M_PI);
        SetColour(cr, Rgb(colour));
        cairo_stroke(cr);
    }
    // Small clouds at the feet of the arc.
    for (const double x : {C - 9.0, C + 9.0}) {
        cairo_arc(cr, x - 2.5, C + 6, 3, 0, 2 * M_PI);
        cairo_arc(cr, x + 2.5, C + 6, 3, 0, 2 * M_PI);
        cairo_arc(cr, x, C + 4, 3.2, 0, 2 * M_PI);
        cairo_set_source_rgb(cr, 1, 1, 1);
        cairo_fill(cr);
    }
}

void Mix(cairo_t* cr, int p) {
    Backdrop(cr, 14);
    // Two arrows chasing each other round: the board is shuffled.
    const double spin = 2 * M_PI * Phase(p) / 2;
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int i = 0; i < 2; ++i) {
        const double a0 = spin + i * M_PI + 0.35;
        const double a1 = a0 + M_PI - 0.9;
        cairo_arc(cr, C, C, 8.5, a0, a1);
        cairo_set_source_rgb(cr, 0.12, 0.06, 0.02);
        cairo_set_line_width(cr, 4.6);
        cairo_stroke_preserve(cr);
        SetColour(cr, i == 0 ? Rgb(0x40e060) : Rgb(0xffa020));
        cairo_set_line_width(cr, 2.8);
        cairo_stroke(cr);
        const double hx = C + 8.5 * std::cos(a1);
        const double hy = C + 8.5 * std::sin(a1);
        const double tx = -std::sin(a1);
        const double ty = std::cos(a1);
        cairo_move_to(cr, hx + tx * 5, hy + ty * 5);
        cairo_line_to(cr, hx + std::cos(a1) * 4.5, hy + std::sin(a1) * 4.5);
        cairo_line_to(cr, hx - std::cos(a1) * 4.5, hy - std::sin(a1) * 4.5);
        cairo_close_path(cr);
        SetColour(cr, i == 0 ? Rgb(0x40e060) : Rgb(0xffa020));
        cairo_fill_preserve(cr);
        Outline(cr, 1.0);
        cairo_new_path(cr);
    }
}

} // namespace

void AddBonusImages(TManifest& Manifest) {
    const TFontFace bold("DejaVuSans-Bold.ttf");
    // In the order of the bonus kinds 1..9.
    const std::pair<const char*, std::function<void(cairo_t*, int)>> icons[] = {
        {"clock.bonus", Clock},
        {"money.bonus", [&](cairo_t* cr, int p) { Money(cr, p, bold); }},
        {"dinamit.bonus", Dynamite},
        {"star.bonus", StarIcon},
        {"flash.bonus", Flash},
        {"energy_ball.bonus", EnergyBall},
        {"x2.bonus", [&](cairo_t* cr, int p) { TimesTwo(cr, p, bold); }},
        {"rainbow.bonus", Rainbow},
        {"mix.bonus", Mix},
    };
    for (const auto& icon : icons) {
        std::vector<TPicture> patterns;
        for (int p = 0; p < BonusPatterns; ++p) {
            patterns.push_back(DrawPicture(IconSize, IconSize, [&](cairo_t* cr) { icon.second(cr, p); }));
        }
        Manifest.AddImage(TArchiveId::Data, icon.first, std::move(patterns));
    }
}
