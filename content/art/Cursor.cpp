// SPDX-License-Identifier: MIT
#include "content/art/ArtKit.h"
#include "content/art/ArtModules.h"

#include <cmath>

using namespace ArtKit;

namespace {

// The pointer's hot spot is (5, 5) of the picture (TCursor::HotSpot): the game places the
// sprite 5 px left of and above the pointer, so the arrow's tip sits there.
constexpr int CursorSize = 32;
constexpr double TipX = 5;
constexpr double TipY = 5;

void ArrowPath(cairo_t* cr) {
    cairo_new_path(cr);
    cairo_move_to(cr, TipX, TipY);
    cairo_line_to(cr, TipX + 1, TipY + 21);
    cairo_line_to(cr, TipX + 6.5, TipY + 16);
    cairo_line_to(cr, TipX + 10.5, TipY + 24.5);
    cairo_curve_to(cr, TipX + 11.5, TipY + 26.5, TipX + 15.5, TipY + 25, TipX + 14.5, TipY + 22.5);
    cairo_line_to(cr, TipX + 10.5, TipY + 14.5);
    cairo_line_to(cr, TipX + 18, TipY + 14);
    cairo_close_path(cr);
}

// Pattern 0 is the normal pointer; pattern 1 (pressed) is pushed in and lit.
TPicture DrawCursor(bool Pressed) {
    return DrawPicture(CursorSize, CursorSize, [&](cairo_t* cr) {
        if (!Pressed) {
            SoftShadow(
                cr, [&] { ArrowPath(cr); }, 2, 2.5, 1.5, 0.5);
        }
        cairo_save(cr);
        if (Pressed) {
            // Shrunk a little toward the tip, so the hot spot stays put.
            cairo_translate(cr, TipX, TipY);
            cairo_scale(cr, 0.9, 0.9);
            cairo_translate(cr, -TipX, -TipY);
        }
        ArrowPath(cr);
        cairo_restore(cr);
        cairo_pattern_t* g = cairo_pattern_create_linear(TipX, TipY, TipX + 14, TipY + 24);
        AddStop(g, 0, Pressed ? Rgb(0xffffff) : Rgb(0xfff0b0));
        AddStop(g, 0.5, Pressed ? Rgb(0xffd040) : Rgb(0xffa020));
        AddStop(g, 1, Pressed ? Rgb(0xff8a10) : Rgb(0xd05a00));
        cairo_set_source(cr, g);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(g);
        cairo_set_source_rgb(cr, 0.2, 0.06, 0.25);
        cairo_set_line_width(cr, 1.6);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke(cr);
        if (Pressed) {
            Sparkle(cr, TipX, TipY, 5, 0.9);
        }
    });
}

// Particles are tinted by their systems, so the texture is white and light.
constexpr int ParticleSize = 32;
constexpr double P = ParticleSize / 2.0;

TPicture ParticlePattern(int Index) {
    return DrawPicture(ParticleSize, ParticleSize, [&](cairo_t* cr) {
        switch (Index) {
        case 0: // soft round glow
            Glow(cr, P, P, P, {1, 1, 1, 1});
            break;
        case 2: // five-point star with a halo
            Glow(cr, P, P, P, {1, 1, 1, 0.35});
            Star(cr, P, P + 1, 12, 5, 5);
            cairo_set_source_rgb(cr, 1, 1, 1);
            cairo_fill(cr);
            break;
        case 3: { // spark: a bright streak
            cairo_save(cr);
            cairo_translate(cr, P, P);
            cairo_scale(cr, 1.0, 0.22);
            Glow(cr, 0, 0, P, {1, 1, 1, 1});
            cairo_restore(cr);
            Glow(cr, P, P, 4, {1, 1, 1, 1});
            break;
        }
        case 4: { // ring
            cairo_arc(cr, P, P, 11, 0, 2 * M_PI);
            cairo_set_source_rgba(cr, 1, 1, 1, 0.35);
            cairo_set_line_width(cr, 6);
            cairo_stroke_preserve(cr);
            cairo_set_source_rgba(cr, 1, 1, 1, 0.95);
            cairo_set_line_width(cr, 2.5);
            cairo_stroke(cr);
            break;
        }
        case 5: { // smoke puff: overlapping soft blobs
            TRandom rnd(77);
            for (int i = 0; i < 7; ++i) {
                Glow(cr, P + rnd.Range(-6, 6), P + rnd.Range(-6, 6), rnd.Range(7, 11),
                     {0.92, 0.92, 0.95, 0.5});
            }
            break;
        }
        case 6: // small hard dot
            Glow(cr, P, P, 9, {1, 1, 1, 0.6});
            cairo_arc(cr, P, P, 3.5, 0, 2 * M_PI);
            cairo_set_source_rgb(cr, 1, 1, 1);
            cairo_fill(cr);
            break;
        case 1: // four-point sparkle
            Sparkle(cr, P, P, 15, 1.0);
            break;
        default: // flare: glow with a cross of rays
            Glow(cr, P, P, 12, {1, 1, 1, 0.9});
            for (int i = 0; i < 2; ++i) {
                cairo_save(cr);
                cairo_translate(cr, P, P);
                cairo_rotate(cr, i * M_PI / 2);
                cairo_scale(cr, 1.0, 0.08);
                Glow(cr, 0, 0, P, {1, 1, 1, 1});
                cairo_restore(cr);
            }
            break;
        }
    });
}

} // namespace

void AddCursorImages(TManifest& Manifest) {
    Manifest.AddImage(TArchiveId::GData, "cursor", {DrawCursor(false), DrawCursor(true)});
}

// Pattern order (the particle templates name them by number): 0 glow, 1 sparkle, 2 star,
// 3 spark, 4 ring, 5 smoke, 6 dot, 7 flare.
void AddParticleImages(TManifest& Manifest) {
    std::vector<TPicture> patterns;
    for (int i = 0; i < 8; ++i) {
        patterns.push_back(ParticlePattern(i));
    }
    Manifest.AddImage(TArchiveId::Data, "particles", std::move(patterns));
}
