// SPDX-License-Identifier: MIT
#include "content/art/ArtKit.h"
#include "content/art/ArtModules.h"

#include <cmath>
#include <string>

using namespace ArtKit;

namespace {

// Level targets: the parts of four machines, one machine per chapter, about 90 px across;
// drawn at 0.78 in the upper panel and at full size in the middle of the screen.
constexpr int TargetSize = 90;
constexpr double M = TargetSize / 2.0;
constexpr int TargetPatterns = 8;

// The element picture at the lower left shows a chapter's machine filling up part by part.
constexpr int ElementSize = 76;
constexpr int ElementCount = 17;

// Which target each stage 1..16 collects: {machine, part}.
constexpr int StageTargets[16][2] = {{1, 1}, {1, 3}, {1, 2}, {1, 4}, {3, 1}, {3, 2}, {3, 3}, {3, 4},
                                     {4, 1}, {4, 2}, {4, 3}, {4, 4}, {2, 4}, {2, 2}, {2, 3}, {2, 1}};

const TColour Steel = Rgb(0xb8c4d8);
const TColour DarkSteel = Rgb(0x4a5670);

// Metal fill of the current path: a light sheen over the given base.
void Metal(cairo_t* cr, const TColour& Base, double Y0, double Y1) {
    cairo_pattern_t* g = cairo_pattern_create_linear(0, Y0, 0, Y1);
    AddStop(g, 0, Shade(Base, 0.6));
    AddStop(g, 0.45, Base);
    AddStop(g, 0.55, Shade(Base, -0.2));
    AddStop(g, 1, Shade(Base, -0.5));
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    cairo_set_source_rgba(cr, 0.08, 0.06, 0.15, 0.9);
    cairo_set_line_width(cr, 2.0);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

void Rivet(cairo_t* cr, double X, double Y, double R = 2.2) {
    cairo_arc(cr, X, Y, R, 0, 2 * M_PI);
    Metal(cr, Steel, Y - R, Y + R);
}

// Machine 1: the ship's engine.
void EngineNozzle(cairo_t* cr) {
    RoundedRect(cr, 30, 10, 30, 22, 4);
    Metal(cr, Steel, 10, 32);
    cairo_move_to(cr, 32, 32);
    cairo_line_to(cr, 58, 32);
    cairo_curve_to(cr, 62, 50, 72, 66, 80, 78);
    cairo_line_to(cr, 10, 78);
    cairo_curve_to(cr, 18, 66, 28, 50, 32, 32);
    cairo_close_path(cr);
    Metal(cr, Rgb(0xff8a30), 32, 78);
    cairo_save(cr);
    cairo_translate(cr, M, 78);
    cairo_scale(cr, 1, 0.22);
    cairo_arc(cr, 0, 0, 35, 0, 2 * M_PI);
    cairo_restore(cr);
    Metal(cr, Rgb(0x602010), 70, 86);
    Rivet(cr, 36, 21);
    Rivet(cr, 54, 21);
}

void EngineTank(cairo_t* cr) {
    RoundedRect(cr, 20, 12, 50, 68, 24);
    cairo_pattern_t* g = cairo_pattern_create_linear(20, 0, 70, 0);
    AddStop(g, 0, Rgb(0x1a8a50));
    AddStop(g, 0.3, Rgb(0x8affc0));
    AddStop(g, 1, Rgb(0x0a4a2a));
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    cairo_set_source_rgba(cr, 0.05, 0.1, 0.08, 0.9);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    for (const double y : {30.0, 62.0}) {
        cairo_rectangle(cr, 19, y, 52, 6);
        Metal(cr, Steel, y, y + 6);
    }
    RoundedRect(cr, 38, 4, 14, 10, 3);
    Metal(cr, Steel, 4, 14);
    // Fuel gauge window.
    RoundedRect(cr, 40, 40, 10, 18, 4);
    cairo_set_source_rgb(cr, 1, 0.85, 0.2);
    cairo_fill(cr);
}

void EngineTurbine(cairo_t* cr) {
    cairo_arc(cr, M, M, 38, 0, 2 * M_PI);
    Metal(cr, Steel, 7, 83);
    cairo_arc(cr, M, M, 31, 0, 2 * M_PI);
    cairo_set_source_rgb(cr, 0.1, 0.1, 0.2);
    cairo_fill(cr);
    for (int i = 0; i < 8; ++i) {
        cairo_save(cr);
        cairo_translate(cr, M, M);
        cairo_rotate(cr, i * M_PI / 4);
        cairo_move_to(cr, 0, -6);
        cairo_curve_to(cr, 10, -14, 12, -24, 4, -30);
        cairo_curve_to(cr, -2, -22, -4, -12, 0, -6);
        cairo_restore(cr);
        Metal(cr, Rgb(0xffb040), 15, 75);
    }
    cairo_arc(cr, M, M, 9, 0, 2 * M_PI);
    Metal(cr, Steel, 36, 54);
}

void EngineCore(cairo_t* cr) {
    Glow(cr, M, 40, 36, Rgb(0x60e0ff, 0.6));
    Polygon(cr, M, 38, 24, 6, 0);
    cairo_pattern_t* g = cairo_pattern_create_radial(M - 6, 30, 2, M, 38, 26);
    AddStop(g, 0, Rgb(0xffffff));
    AddStop(g, 0.4, Rgb(0x80f8ff));
    AddStop(g, 1, Rgb(0x1060c0));
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    cairo_set_source_rgba(cr, 0.05, 0.1, 0.3, 0.9);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    cairo_move_to(cr, 18, 86);
    cairo_line_to(cr, 28, 58);
    cairo_line_to(cr, 62, 58);
    cairo_line_to(cr, 72, 86);
    cairo_close_path(cr);
    Metal(cr, Rgb(0xff8a30), 58, 86);
}

// Machine 2: the radio.
void RadioDish(cairo_t* cr) {
    cairo_move_to(cr, M, 52);
    cairo_line_to(cr, 28, 86);
    cairo_line_to(cr, 62, 86);
    cairo_close_path(cr);
    Metal(cr, DarkSteel, 52, 86);
    // The dish seen three-quarters on: a full ellipse, lit on its hollow side.
    cairo_save(cr);
    cairo_translate(cr, 42, 38);
    cairo_rotate(cr, -0.6);
    cairo_scale(cr, 1, 0.62);
    cairo_arc(cr, 0, 0, 34, 0, 2 * M_PI);
    cairo_restore(cr);
    cairo_pattern_t* g = cairo_pattern_create_radial(50, 30, 4, 42, 38, 36);
    AddStop(g, 0, Rgb(0xffffff));
    AddStop(g, 0.6, Rgb(0xc8d0e8));
    AddStop(g, 1, Rgb(0x6a7898));
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    cairo_set_source_rgba(cr, 0.08, 0.06, 0.15, 0.9);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    cairo_move_to(cr, 42, 38);
    cairo_line_to(cr, 62, 16);
    cairo_set_source_rgb(cr, 0.2, 0.2, 0.3);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    Glow(cr, 62, 16, 10, Rgb(0xff4060, 1));
}

void RadioSpeaker(cairo_t* cr) {
    RoundedRect(cr, 12, 16, 66, 62, 12);
    Metal(cr, Rgb(0xd04040), 16, 78);
    cairo_arc(cr, 38, 47, 20, 0, 2 * M_PI);
    Metal(cr, DarkSteel, 27, 67);
    for (int r = 5; r <= 17; r += 6) {
        cairo_arc(cr, 38, 47, r, 0, 2 * M_PI);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.5);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
    }
    for (int i = 0; i < 3; ++i) {
        RoundedRect(cr, 64, 26 + i * 14, 8, 8, 2);
        Metal(cr, i == 0 ? Rgb(0x40ff80) : Steel, 26 + i * 14, 34 + i * 14);
    }
    cairo_move_to(cr, 20, 16);
    cairo_line_to(cr, 14, 2);
    cairo_set_source_rgb(cr, 0.3, 0.3, 0.4);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
}

void RadioBoard(cairo_t* cr) {
    RoundedRect(cr, 10, 14, 70, 62, 6);
    Metal(cr, Rgb(0x2a9a4a), 14, 76);
    cairo_set_source_rgba(cr, 1, 0.85, 0.4, 0.9);
    cairo_set_line_width(cr, 1.6);
    const double lines[][4] = {{16, 26, 40, 26}, {40, 26, 48, 34}, {16, 62, 34, 62},
                               {58, 56, 74, 56}, {66, 20, 66, 40}, {48, 66, 72, 66}};
    for (const auto& l : lines) {
        cairo_move_to(cr, l[0], l[1]);
        cairo_line_to(cr, l[2], l[3]);
    }
    cairo_stroke(cr);
    RoundedRect(cr, 32, 34, 26, 22, 3);
    Metal(cr, Rgb(0x303040), 34, 56);
    for (int i = 0; i < 4; ++i) {
        cairo_rectangle(cr, 35 + i * 6, 31, 2.5, 3);
        cairo_rectangle(cr, 35 + i * 6, 56, 2.5, 3);
    }
    cairo_set_source_rgb(cr, 0.85, 0.85, 0.9);
    cairo_fill(cr);
    Glow(cr, 22, 44, 6, Rgb(0xff4040, 1));
    Glow(cr, 70, 46, 5, Rgb(0x40c0ff, 1));
}

void RadioBattery(cairo_t* cr) {
    RoundedRect(cr, 22, 16, 46, 66, 8);
    cairo_pattern_t* g = cairo_pattern_create_linear(22, 0, 68, 0);
    AddStop(g, 0, Rgb(0xc09000));
    AddStop(g, 0.35, Rgb(0xfff080));
    AddStop(g, 1, Rgb(0x805000));
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    cairo_set_source_rgba(cr, 0.15, 0.08, 0, 0.9);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    RoundedRect(cr, 36, 8, 18, 10, 3);
    Metal(cr, Steel, 8, 18);
    cairo_move_to(cr, 50, 28);
    cairo_line_to(cr, 36, 52);
    cairo_line_to(cr, 46, 52);
    cairo_line_to(cr, 40, 72);
    cairo_line_to(cr, 56, 44);
    cairo_line_to(cr, 46, 44);
    cairo_close_path(cr);
    cairo_set_source_rgb(cr, 0.25, 0.12, 0.0);
    cairo_fill(cr);
}

// Machine 3: the navigation device.
void NavCompass(cairo_t* cr) {
    cairo_arc(cr, M, M, 38, 0, 2 * M_PI);
    Metal(cr, Rgb(0xe0b040), 7, 83);
    cairo_arc(cr, M, M, 31, 0, 2 * M_PI);
    cairo_set_source_rgb(cr, 0.95, 0.95, 0.88);
    cairo_fill(cr);
    Star(cr, M, M, 28, 6, 4);
    cairo_set_source_rgb(cr, 0.25, 0.3, 0.5);
    cairo_fill(cr);
    cairo_move_to(cr, M, M - 26);
    cairo_line_to(cr, M + 6, M);
    cairo_line_to(cr, M - 6, M);
    cairo_close_path(cr);
    cairo_set_source_rgb(cr, 0.9, 0.15, 0.1);
    cairo_fill(cr);
    cairo_arc(cr, M, M, 4, 0, 2 * M_PI);
    Metal(cr, Steel, M - 4, M + 4);
}

void NavScreen(cairo_t* cr) {
    RoundedRect(cr, 8, 14, 74, 58, 8);
    Metal(cr, DarkSteel, 14, 72);
    RoundedRect(cr, 14, 20, 62, 46, 5);
    cairo_set_source_rgb(cr, 0.04, 0.08, 0.2);
    cairo_fill(cr);
    cairo_set_source_rgba(cr, 0.3, 1, 0.6, 0.5);
    cairo_set_line_width(cr, 1);
    for (int i = 1; i < 4; ++i) {
        cairo_move_to(cr, 14 + i * 15.5, 20);
        cairo_line_to(cr, 14 + i * 15.5, 66);
    }
    for (int i = 1; i < 3; ++i) {
        cairo_move_to(cr, 14, 20 + i * 15.3);
        cairo_line_to(cr, 76, 20 + i * 15.3);
    }
    cairo_stroke(cr);
    const double stars[][2] = {{26, 30}, {40, 52}, {58, 34}, {66, 56}, {50, 26}};
    cairo_set_source_rgba(cr, 0.6, 1, 0.8, 0.9);
    cairo_set_line_width(cr, 1.5);
    for (const auto& s : stars) {
        cairo_line_to(cr, s[0], s[1]);
    }
    cairo_stroke(cr);
    for (const auto& s : stars) {
        Sparkle(cr, s[0], s[1], 4, 1);
    }
    cairo_rectangle(cr, 34, 72, 22, 10);
    Metal(cr, DarkSteel, 72, 82);
}

void NavGyroscope(cairo_t* cr) {
    cairo_set_line_width(cr, 6);
    const double tilts[] = {0.0, 1.1, -1.1};
    for (int i = 0; i < 3; ++i) {
        cairo_save(cr);
        cairo_translate(cr, M, M);
        cairo_rotate(cr, tilts[i]);
        cairo_scale(cr, 1, i == 0 ? 1 : 0.35);
        cairo_arc(cr, 0, 0, 34, 0, 2 * M_PI);
        cairo_restore(cr);
        cairo_set_source_rgba(cr, 0.08, 0.06, 0.15, 0.9);
        cairo_set_line_width(cr, 7);
        cairo_stroke_preserve(cr);
        SetColour(cr, i == 0 ? Rgb(0xe0b040) : Rgb(0x60b0ff));
        cairo_set_line_width(cr, 4);
        cairo_stroke(cr);
    }
    cairo_arc(cr, M, M, 10, 0, 2 * M_PI);
    Metal(cr, Rgb(0xff6040), M - 10, M + 10);
}

void NavLens(cairo_t* cr) {
    cairo_save(cr);
    cairo_translate(cr, M, M);
    cairo_rotate(cr, -0.6);
    RoundedRect(cr, -36, -12, 56, 24, 5);
    Metal(cr, Rgb(0x3a6ad0), -12, 12);
    RoundedRect(cr, 18, -16, 18, 32, 5);
    Metal(cr, Rgb(0xe0b040), -16, 16);
    cairo_restore(cr);
    const double lx = M + 27 * std::cos(-0.6);
    const double ly = M + 27 * std::sin(-0.6);
    cairo_arc(cr, lx, ly, 11, 0, 2 * M_PI);
    cairo_pattern_t* g = cairo_pattern_create_radial(lx - 3, ly - 3, 1, lx, ly, 11);
    AddStop(g, 0, Rgb(0xffffff));
    AddStop(g, 1, Rgb(0x60c0ff));
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_move_to(cr, 30, 60);
    cairo_line_to(cr, 20, 86);
    cairo_move_to(cr, 34, 60);
    cairo_line_to(cr, 48, 86);
    cairo_set_source_rgb(cr, 0.25, 0.25, 0.35);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
}

// Machine 4: the hull.
void HullPlate(cairo_t* cr) {
    cairo_move_to(cr, 10, 20);
    cairo_line_to(cr, 80, 10);
    cairo_line_to(cr, 76, 78);
    cairo_line_to(cr, 14, 82);
    cairo_close_path(cr);
    Metal(cr, Steel, 10, 82);
    for (int i = 0; i < 4; ++i) {
        Rivet(cr, 18 + i * 18, 24 - i * 2.4);
        Rivet(cr, 20 + i * 17, 74 - i * 0.6);
    }
    cairo_move_to(cr, 24, 46);
    cairo_line_to(cr, 66, 42);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.6);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
}

void HullPorthole(cairo_t* cr) {
    cairo_arc(cr, M, M, 38, 0, 2 * M_PI);
    Metal(cr, Rgb(0xe0a040), 7, 83);
    for (int i = 0; i < 8; ++i) {
        const double a = i * M_PI / 4;
        Rivet(cr, M + 33 * std::cos(a), M + 33 * std::sin(a), 2.0);
    }
    cairo_arc(cr, M, M, 27, 0, 2 * M_PI);
    cairo_pattern_t* g = cairo_pattern_create_radial(M - 8, M - 8, 2, M, M, 28);
    AddStop(g, 0, Rgb(0xa0e8ff));
    AddStop(g, 1, Rgb(0x1a3a8a));
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_move_to(cr, M - 16, M + 4);
    cairo_line_to(cr, M + 4, M - 16);
    cairo_move_to(cr, M - 8, M + 12);
    cairo_line_to(cr, M + 12, M - 8);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.7);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
}

void HullFin(cairo_t* cr) {
    cairo_move_to(cr, 14, 80);
    cairo_curve_to(cr, 24, 50, 44, 18, 72, 8);
    cairo_curve_to(cr, 66, 34, 64, 60, 78, 80);
    cairo_close_path(cr);
    Metal(cr, Rgb(0xe04040), 8, 80);
    cairo_move_to(cr, 40, 78);
    cairo_curve_to(cr, 46, 56, 56, 36, 70, 18);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.5);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    cairo_rectangle(cr, 10, 78, 72, 8);
    Metal(cr, Steel, 78, 86);
}

void HullGear(cairo_t* cr) {
    Star(cr, M, M, 38, 30, 10);
    Metal(cr, Steel, 7, 83);
    cairo_arc(cr, M, M, 24, 0, 2 * M_PI);
    Metal(cr, Rgb(0x8a9ab8), 21, 69);
    Polygon(cr, M, M, 11, 6, M_PI / 6);
    cairo_set_source_rgb(cr, 0.1, 0.1, 0.2);
    cairo_fill(cr);
}

using TPartFn = void (*)(cairo_t*);
// [machine - 1][part - 1]
constexpr TPartFn Parts[4][4] = {
    {EngineNozzle, EngineTank, EngineTurbine, EngineCore},
    {RadioDish, RadioSpeaker, RadioBoard, RadioBattery},
    {NavCompass, NavScreen, NavGyroscope, NavLens},
    {HullPlate, HullPorthole, HullFin, HullGear},
};

// Pattern 0 rests; 1..7 pass a gleam over the part and brighten its halo.
TPicture DrawTarget(int Machine, int Part, int Pattern) {
    const TPicture shape =
        DrawPicture(TargetSize, TargetSize, [&](cairo_t* cr) { Parts[Machine][Part](cr); });
    return DrawPicture(TargetSize, TargetSize, [&](cairo_t* cr) {
        const double pulse = Pattern == 0 ? 0 : std::sin(M_PI * Pattern / 8.0);
        Glow(cr, M, M, 44, Rgb(0xffe080, 0.25 + 0.3 * pulse));
        PaintPicture(cr, shape, 1.5, 2.5, 1.0, 0.35);
        PaintPicture(cr, shape, 0, 0);
        if (Pattern > 0) {
            // The gleam is masked by the part's own shape.
            cairo_surface_t* mask = shape.MakeSurface();
            cairo_push_group(cr);
            const double pos = -60 + 120 * (Pattern - 1) / 6.0;
            cairo_translate(cr, M + pos, M + pos);
            cairo_rotate(cr, -M_PI / 4);
            cairo_pattern_t* band = cairo_pattern_create_linear(-12, 0, 12, 0);
            AddStop(band, 0, {1, 1, 1, 0});
            AddStop(band, 0.5, {1, 1, 1, 0.7});
            AddStop(band, 1, {1, 1, 1, 0});
            cairo_set_source(cr, band);
            cairo_rectangle(cr, -12, -80, 24, 160);
            cairo_fill(cr);
            cairo_pattern_destroy(band);
            cairo_identity_matrix(cr);
            cairo_pop_group_to_source(cr);
            cairo_mask_surface(cr, mask, 0, 0);
            cairo_surface_destroy(mask);
            Sparkle(cr, 70, 18, 5 + 5 * pulse, 0.9);
        }
    });
}

// The element picture: a panel of four slots, each holding a collected part of the chapter's
// machine or a question mark; Parts lists the machine's parts collected so far.
TPicture DrawElement(int Machine, const bool (&Collected)[4], bool Complete) {
    return DrawPicture(ElementSize, ElementSize, [&](cairo_t* cr) {
        RoundedRect(cr, 2, 2, 72, 72, 12);
        cairo_pattern_t* frame = cairo_pattern_create_linear(0, 0, 0, 76);
        AddStop(frame, 0, Rgb(0xffd070));
        AddStop(frame, 1, Rgb(0xb05a10));
        cairo_set_source(cr, frame);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(frame);
        cairo_set_source_rgb(cr, 0.3, 0.12, 0.02);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
        for (int part = 0; part < 4; ++part) {
            const double x = 6 + (part % 2) * 33;
            const double y = 6 + (part / 2) * 33;
            RoundedRect(cr, x, y, 31, 31, 6);
            cairo_pattern_t* well = cairo_pattern_create_linear(0, y, 0, y + 31);
            AddStop(well, 0, Rgb(0x120a30));
            AddStop(well, 1, Rgb(0x2a1a60));
            cairo_set_source(cr, well);
            cairo_fill(cr);
            cairo_pattern_destroy(well);
            if (Machine >= 0 && Collected[part]) {
                const TPicture thumb =
                    DrawPicture(TargetSize, TargetSize, [&](cairo_t* c) { Parts[Machine][part](c); });
                PaintPicture(cr, thumb, x + 1.5, y + 1.5, 28.0 / TargetSize);
            } else {
                cairo_set_source_rgba(cr, 0.6, 0.55, 0.9, 0.6);
                cairo_set_line_width(cr, 2.2);
                cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
                cairo_arc(cr, x + 15.5, y + 12, 5, M_PI, 2.4 * M_PI);
                cairo_line_to(cr, x + 15.5, y + 20);
                cairo_stroke(cr);
                cairo_arc(cr, x + 15.5, y + 25, 1.4, 0, 2 * M_PI);
                cairo_fill(cr);
            }
        }
        if (Complete) {
            RoundedRect(cr, 3, 3, 70, 70, 11);
            cairo_set_source_rgba(cr, 0.6, 1, 0.5, 0.9);
            cairo_set_line_width(cr, 2.5);
            cairo_stroke(cr);
            Sparkle(cr, 66, 10, 8, 1);
            Sparkle(cr, 10, 66, 6, 1);
        }
    });
}

} // namespace

void AddTargetImages(TManifest& Manifest) {
    for (int machine = 0; machine < 4; ++machine) {
        for (int part = 0; part < 4; ++part) {
            std::vector<TPicture> patterns;
            for (int p = 0; p < TargetPatterns; ++p) {
                patterns.push_back(DrawTarget(machine, part, p));
            }
            const std::string name =
                std::to_string(machine + 1) + "_" + std::to_string(part + 1) + ".LevelTarget";
            Manifest.AddImage(TArchiveId::Data, name, std::move(patterns));
        }
    }
    // Index 0: the empty frame shown at the start of each chapter; index k: stage k's target
    // and the ones before it in its chapter collected.
    for (int index = 0; index < ElementCount; ++index) {
        bool collected[4] = {false, false, false, false};
        int machine = -1;
        if (index > 0) {
            const int first = (index - 1) / 4 * 4 + 1;
            machine = StageTargets[first - 1][0] - 1;
            for (int stage = first; stage <= index; ++stage) {
                collected[StageTargets[stage - 1][1] - 1] = true;
            }
        }
        const bool complete = index > 0 && index % 4 == 0;
        Manifest.AddImage(TArchiveId::Data, std::to_string(index) + "_el",
                          {DrawElement(machine, collected, complete)});
    }
}
