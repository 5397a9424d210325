// SPDX-License-Identifier: MIT
#include "content/FontFace.h"
#include "content/art/ArtKit.h"
#include "content/art/ArtModules.h"
#include "platform/Text.h"

#include <cmath>

using namespace ArtKit;

namespace {

constexpr int ScreenWidth = 800;
constexpr int ScreenHeight = 600;

// The space background turns about (410, 180), stretched 1.1 vertically: its radius must
// reach the farthest window corner from there at every angle.
constexpr double CosmosCx = 410;
constexpr double CosmosCy = 180;
constexpr int CosmosSize = 2 * 600;
static_assert(CosmosSize / 2 >= 590, "the space background must cover the window at every angle");

// The title is drawn at (118, 25) scaled 0.7; 800 px wide it lands centred on the screen.
constexpr int TitleWidth = 800;
constexpr int TitleHeight = 200;

constexpr int LogoWidth = 520;
constexpr int LogoHeight = 360;

// The words drawn into the menu pictures (UTF-8, translated per picture language).
constexpr const char* TitleText = N_("Капитан Зибо");
constexpr const char* CaptainText = N_("Капитан");
constexpr const char* ZiboText = N_("Зибо");
constexpr const char* TaglineText = N_("космическое приключение");
constexpr const char* HomeText = N_("Ура! Домой!");

void Planet(cairo_t* cr, double X, double Y, double R, uint32_t Light, uint32_t Dark, bool Ring) {
    Glow(cr, X, Y, R * 1.35, Rgb(Light, 0.25));
    if (Ring) {
        cairo_save(cr);
        cairo_translate(cr, X, Y);
        cairo_rotate(cr, -0.35);
        cairo_scale(cr, 1, 0.28);
        cairo_arc(cr, 0, 0, R * 1.7, M_PI, 2 * M_PI);
        cairo_restore(cr);
        cairo_set_source_rgba(cr, 1, 0.85, 0.6, 0.7);
        cairo_set_line_width(cr, R * 0.12);
        cairo_stroke(cr);
    }
    cairo_arc(cr, X, Y, R, 0, 2 * M_PI);
    cairo_pattern_t* g = cairo_pattern_create_radial(X - R * 0.4, Y - R * 0.4, R * 0.1, X, Y, R);
    AddStop(g, 0, Shade(Rgb(Light), 0.3));
    AddStop(g, 0.6, Rgb(Light));
    AddStop(g, 1, Rgb(Dark));
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    // Bands across the disc.
    cairo_save(cr);
    cairo_arc(cr, X, Y, R, 0, 2 * M_PI);
    cairo_clip(cr);
    for (int i = -2; i <= 2; ++i) {
        cairo_rectangle(cr, X - R, Y + i * R * 0.33 - R * 0.06, 2 * R, R * 0.12);
    }
    SetColour(cr, Rgb(Dark, 0.25));
    cairo_fill(cr);
    cairo_restore(cr);
    if (Ring) {
        cairo_save(cr);
        cairo_translate(cr, X, Y);
        cairo_rotate(cr, -0.35);
        cairo_scale(cr, 1, 0.28);
        cairo_arc(cr, 0, 0, R * 1.7, 0, M_PI);
        cairo_restore(cr);
        cairo_set_source_rgba(cr, 1, 0.85, 0.6, 0.85);
        cairo_set_line_width(cr, R * 0.12);
        cairo_stroke(cr);
    }
}

TPicture DrawCosmos() {
    return DrawPicture(CosmosSize, CosmosSize, [](cairo_t* cr) {
        PaintSpace(cr, CosmosSize, CosmosSize, 0x5EED01, 0.8);
        // A few distant planets that wander past as the sky turns.
        Planet(cr, 300, 260, 46, 0xff9a60, 0x7a2a20, true);
        Planet(cr, 930, 420, 28, 0x60c0ff, 0x1a3a8a, false);
        Planet(cr, 800, 980, 60, 0xa070ff, 0x301070, true);
        Planet(cr, 220, 900, 20, 0x80ff90, 0x1a6a3a, false);
    });
}

TPicture DrawMenuBack() {
    return DrawPicture(ScreenWidth, ScreenHeight, [](cairo_t* cr) {
        PaintSpace(cr, ScreenWidth, ScreenHeight, 0xBAC4, 1.2);
        Planet(cr, 690, 500, 120, 0xff9a60, 0x6a1a30, true);
        Planet(cr, 90, 110, 38, 0x60c0ff, 0x1a3a8a, false);
        // Soft vignette draws the eye to the middle, where the menu forms stand.
        cairo_rectangle(cr, 0, 0, ScreenWidth, ScreenHeight);
        cairo_pattern_t* v = cairo_pattern_create_radial(400, 300, 180, 400, 300, 560);
        AddStop(v, 0, {0, 0, 0, 0});
        AddStop(v, 1, {0.02, 0, 0.06, 0.7});
        cairo_set_source(cr, v);
        cairo_fill(cr);
        cairo_pattern_destroy(v);
    });
}

// Playful lettering: a thick dark outline, a warm gradient, a white gloss on the top half;
// the letters with their outline stay within Area pixels across.
void Lettering(cairo_t* cr, const TFontFace& Font, const std::string& Text, double Size, double X, double Y,
               double Area, const TColour& Top, const TColour& Bottom) {
    Font.Select(cr, Size);
    RequireFit(cr, Text, Area - Size * 0.14, "menu picture lettering");
    cairo_new_path(cr);
    CentredTextPath(cr, Text, X + 3, Y + 5);
    cairo_set_source_rgba(cr, 0, 0, 0.1, 0.45);
    cairo_set_line_width(cr, Size * 0.16);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    CentredTextPath(cr, Text, X, Y);
    cairo_set_source_rgb(cr, 0.18, 0.05, 0.25);
    cairo_set_line_width(cr, Size * 0.14);
    cairo_stroke_preserve(cr);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_set_line_width(cr, Size * 0.05);
    cairo_stroke_preserve(cr);
    FillVertical(cr, Y - Size * 0.75, Y, Top, Bottom);
    cairo_save(cr);
    cairo_clip(cr);
    cairo_rectangle(cr, 0, Y - Size * 0.8, 2000, Size * 0.32);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.35);
    cairo_fill(cr);
    cairo_restore(cr);
}

TPicture DrawTitle(const TPictureWords& Words) {
    const TFontFace font("DejaVuSans-Bold.ttf");
    return DrawPicture(TitleWidth, TitleHeight, [&](cairo_t* cr) {
        // An oval halo that fades out well inside the picture, so no edge shows.
        cairo_save(cr);
        cairo_translate(cr, 400, 100);
        cairo_scale(cr, 1.0, 0.25);
        Glow(cr, 0, 0, 370, Rgb(0x8a50ff, 0.35));
        cairo_restore(cr);
        cairo_save(cr);
        cairo_translate(cr, 400, 100);
        cairo_rotate(cr, -0.04);
        cairo_translate(cr, -400, -100);
        Lettering(cr, font, Words(CaptainText), 70, 400, 82, TitleWidth - 40, Rgb(0xffe070), Rgb(0xff7a10));
        Lettering(cr, font, Words(ZiboText), 104, 400, 176, TitleWidth - 40, Rgb(0x90f0ff), Rgb(0x2a70ff));
        cairo_restore(cr);
        Star(cr, 150, 60, 22, 9, 5, 0.2);
        FillVertical(cr, 38, 82, Rgb(0xffffa0), Rgb(0xffa000));
        cairo_set_source_rgb(cr, 0.18, 0.05, 0.25);
        cairo_set_line_width(cr, 3);
        cairo_stroke(cr);
        Sparkle(cr, 655, 118, 16, 1);
        Sparkle(cr, 700, 60, 9, 0.9);
        Sparkle(cr, 120, 150, 8, 0.8);
    });
}

// A small round rocket, used by the logo and the end picture.
void Rocket(cairo_t* cr, double X, double Y, double Scale, double Angle, bool WithPilot) {
    cairo_save(cr);
    cairo_translate(cr, X, Y);
    cairo_rotate(cr, Angle);
    cairo_scale(cr, Scale, Scale);
    // Flame.
    cairo_move_to(cr, -14, 40);
    cairo_curve_to(cr, -12, 70, 0, 95, 0, 95);
    cairo_curve_to(cr, 0, 95, 12, 70, 14, 40);
    cairo_close_path(cr);
    cairo_pattern_t* flame = cairo_pattern_create_linear(0, 40, 0, 95);
    AddStop(flame, 0, Rgb(0xffffa0));
    AddStop(flame, 0.5, Rgb(0xff9a20));
    AddStop(flame, 1, Rgb(0xff3010, 0));
    cairo_set_source(cr, flame);
    cairo_fill(cr);
    cairo_pattern_destroy(flame);
    // Fins.
    for (const double s : {-1.0, 1.0}) {
        cairo_move_to(cr, s * 18, 10);
        cairo_line_to(cr, s * 36, 44);
        cairo_line_to(cr, s * 14, 38);
        cairo_close_path(cr);
        FillVertical(cr, 10, 44, Rgb(0xff5050), Rgb(0x901020));
        cairo_set_source_rgb(cr, 0.2, 0.05, 0.1);
        cairo_set_line_width(cr, 2.5);
        cairo_stroke(cr);
    }
    // Body.
    cairo_move_to(cr, 0, -60);
    cairo_curve_to(cr, 30, -40, 26, 20, 18, 42);
    cairo_line_to(cr, -18, 42);
    cairo_curve_to(cr, -26, 20, -30, -40, 0, -60);
    cairo_close_path(cr);
    cairo_pattern_t* body = cairo_pattern_create_linear(-24, 0, 24, 0);
    AddStop(body, 0, Rgb(0x8a9ab8));
    AddStop(body, 0.35, Rgb(0xffffff));
    AddStop(body, 1, Rgb(0x5a6a8a));
    cairo_set_source(cr, body);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(body);
    cairo_set_source_rgb(cr, 0.2, 0.05, 0.1);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    // Window, with the captain's round head behind it when he is aboard.
    cairo_arc(cr, 0, -16, 13, 0, 2 * M_PI);
    cairo_set_source_rgb(cr, 0.1, 0.2, 0.5);
    cairo_fill_preserve(cr);
    cairo_save(cr);
    cairo_clip(cr);
    if (WithPilot) {
        // The captain sits upright whichever way the ship points.
        cairo_save(cr);
        cairo_translate(cr, 0, -16);
        cairo_rotate(cr, -Angle);
        cairo_translate(cr, 0, 16);
        cairo_arc(cr, 0, -12, 10, 0, 2 * M_PI);
        FillVertical(cr, -22, -2, Rgb(0xffd8a8), Rgb(0xe89a60));
        cairo_new_path(cr);
        cairo_new_sub_path(cr);
        cairo_arc(cr, -3.5, -14, 1.8, 0, 2 * M_PI);
        cairo_new_sub_path(cr);
        cairo_arc(cr, 3.5, -14, 1.8, 0, 2 * M_PI);
        cairo_set_source_rgb(cr, 0.1, 0.05, 0.1);
        cairo_fill(cr);
        cairo_arc(cr, 0, -10, 5, 0.2 * M_PI, 0.8 * M_PI);
        cairo_set_line_width(cr, 1.6);
        cairo_stroke(cr);
        // The captain's white cap with its navy band and gold star, as on his portrait.
        cairo_new_path(cr);
        cairo_move_to(cr, -11, -20);
        cairo_curve_to(cr, -11, -30, 11, -30, 11, -20);
        cairo_close_path(cr);
        cairo_set_source_rgb(cr, 0.97, 0.97, 1);
        cairo_fill(cr);
        cairo_rectangle(cr, -11.5, -21, 23, 3.5);
        cairo_set_source_rgb(cr, 0.12, 0.2, 0.55);
        cairo_fill(cr);
        Star(cr, 0, -24.5, 2.6, 1.1, 5);
        cairo_set_source_rgb(cr, 1, 0.78, 0.2);
        cairo_fill(cr);
        cairo_restore(cr);
    }
    cairo_arc(cr, -4, -21, 6, 0, 2 * M_PI);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.4);
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_arc(cr, 0, -16, 13, 0, 2 * M_PI);
    cairo_set_source_rgb(cr, 1, 0.75, 0.2);
    cairo_set_line_width(cr, 4);
    cairo_stroke(cr);
    cairo_restore(cr);
}

TPicture DrawLogo(const TPictureWords& Words) {
    const TFontFace font("DejaVuSans-Bold.ttf");
    const TFontFace light("DejaVuSans.ttf");
    return DrawPicture(LogoWidth, LogoHeight, [&](cairo_t* cr) {
        // Shown on black: an emblem planet with an orbiting rocket over the game's name.
        Glow(cr, 260, 122, 120, Rgb(0x5a3aff, 0.5));
        Planet(cr, 260, 120, 72, 0xffa050, 0x7a1a30, true);
        cairo_arc(cr, 260, 120, 110, M_PI * 0.9, M_PI * 2.05);
        cairo_set_source_rgba(cr, 0.7, 0.85, 1, 0.6);
        cairo_set_line_width(cr, 2);
        cairo_set_dash(cr, (const double[]){6, 6}, 2, 0);
        cairo_stroke(cr);
        cairo_set_dash(cr, nullptr, 0, 0);
        Rocket(cr, 362, 58, 0.42, 0.9, true);
        Lettering(cr, font, Words(TitleText), 62, 260, 280, LogoWidth - 20, Rgb(0xffe070), Rgb(0xff7a10));
        light.Select(cr, 24);
        cairo_new_path(cr);
        RequireFit(cr, Words(TaglineText), LogoWidth - 20, "logo tagline");
        CentredTextPath(cr, Words(TaglineText), 260, 325);
        cairo_set_source_rgba(cr, 0.75, 0.85, 1, 0.95);
        cairo_fill(cr);
    });
}

TPicture DrawEndgame(const TPictureWords& Words) {
    const TFontFace font("DejaVuSans-Bold.ttf");
    return DrawPicture(ScreenWidth, ScreenHeight, [&](cairo_t* cr) {
        PaintSpace(cr, ScreenWidth, ScreenHeight, 0x40E3, 1.0);
        // Home: a blue-green world rising at the lower right, with a warm sunrise rim.
        Glow(cr, 660, 640, 420, Rgb(0xffb060, 0.35));
        cairo_arc(cr, 660, 700, 300, 0, 2 * M_PI);
        cairo_pattern_t* earth = cairo_pattern_create_radial(560, 480, 30, 660, 700, 300);
        AddStop(earth, 0, Rgb(0x90e0ff));
        AddStop(earth, 0.5, Rgb(0x2a8ad0));
        AddStop(earth, 1, Rgb(0x0a2a6a));
        cairo_set_source(cr, earth);
        cairo_fill(cr);
        cairo_pattern_destroy(earth);
        // Continents of overlapping blobs, then drifting clouds, all inside the disc.
        cairo_save(cr);
        cairo_arc(cr, 660, 700, 300, 0, 2 * M_PI);
        cairo_clip(cr);
        TRandom rnd(0x1A4D);
        const double continents[][2] = {{540, 470}, {700, 520}, {600, 600}, {760, 430}};
        for (const auto& c : continents) {
            for (int i = 0; i < 6; ++i) {
                cairo_new_sub_path(cr);
                cairo_arc(cr, c[0] + rnd.Range(-40, 40), c[1] + rnd.Range(-22, 22), rnd.Range(14, 30), 0,
                          2 * M_PI);
            }
        }
        cairo_pattern_t* land = cairo_pattern_create_linear(500, 420, 760, 640);
        AddStop(land, 0, Rgb(0x8af070));
        AddStop(land, 1, Rgb(0x2a8a3a));
        cairo_set_source(cr, land);
        cairo_fill(cr);
        cairo_pattern_destroy(land);
        for (int i = 0; i < 7; ++i) {
            cairo_save(cr);
            cairo_translate(cr, rnd.Range(420, 860), rnd.Range(420, 640));
            cairo_scale(cr, 3.0, 0.6);
            cairo_arc(cr, 0, 0, rnd.Range(8, 16), 0, 2 * M_PI);
            cairo_restore(cr);
            cairo_set_source_rgba(cr, 1, 1, 1, 0.55);
            cairo_fill(cr);
        }
        // Night side toward the lower right.
        cairo_arc(cr, 660, 700, 300, 0, 2 * M_PI);
        cairo_pattern_t* night = cairo_pattern_create_linear(520, 460, 800, 760);
        AddStop(night, 0, {0, 0, 0.1, 0});
        AddStop(night, 1, {0, 0, 0.1, 0.55});
        cairo_set_source(cr, night);
        cairo_fill(cr);
        cairo_pattern_destroy(night);
        cairo_restore(cr);
        // Atmosphere.
        cairo_arc(cr, 660, 700, 302, 0, 2 * M_PI);
        cairo_set_source_rgba(cr, 0.6, 0.9, 1, 0.6);
        cairo_set_line_width(cr, 5);
        cairo_stroke(cr);
        // The trail runs back up-left along the way the ship came.
        for (int i = 0; i < 14; ++i) {
            const double t = i / 14.0;
            Sparkle(cr, 40 + 250 * t + (i % 3) * 8, 150 + 110 * t + (i % 2) * 12, 3 + 6 * t, 0.3 + 0.6 * t);
        }
        Rocket(cr, 370, 300, 1.75, 2.2, true);
        Lettering(cr, font, Words(HomeText), 64, 400, 95, ScreenWidth - 40, Rgb(0xffe070), Rgb(0xff7a10));
        Sparkle(cr, 160, 70, 14, 1);
        Sparkle(cr, 650, 60, 10, 1);
    });
}

} // namespace

void AddSceneImages(TManifest& Manifest) {
    static_assert(CosmosCx >= 0 && CosmosCy >= 0);
    Manifest.AddImage(TArchiveId::Data, "Cosmos", {DrawCosmos()});
    Manifest.AddImage(TArchiveId::GData, "back", {DrawMenuBack()});
    Manifest.AddImageWithWords(TArchiveId::GData, "title", [](const TPictureWords& Words) {
        return std::vector<TPicture>{DrawTitle(Words)};
    });
    Manifest.AddImageWithWords(TArchiveId::GData, "logo", [](const TPictureWords& Words) {
        return std::vector<TPicture>{DrawLogo(Words)};
    });
    Manifest.AddImageWithWords(TArchiveId::GData, "endgame", [](const TPictureWords& Words) {
        return std::vector<TPicture>{DrawEndgame(Words)};
    });
}
