// SPDX-License-Identifier: MIT
#include "content/characters/HeroFace.h"

#include "content/characters/CharacterPaint.h"
#include "content/characters/FaceLayout.h"
#include "content/characters/MouthShapes.h"

#include <cmath>
#include <numbers>

namespace HeroFace {

using namespace CharacterPaint;

namespace {

constexpr uint32_t Skin = 0xFFFFC99A;
constexpr uint32_t SkinShadow = 0xFFE89A70;
constexpr uint32_t Navy = 0xFF24418E;
constexpr uint32_t NavyDark = 0xFF142654;
constexpr uint32_t Gold = 0xFFFFC83A;
constexpr uint32_t Hair = 0xFF8A4A22;
constexpr uint32_t IrisBlue = 0xFF3C8CE8;
constexpr uint32_t Ink = 0xFF2A1B3D;

// The round head of the captain in screen coordinates at rest.
constexpr TScreenPoint HeadCentre{100, 254};
constexpr double HeadRadiusX = 88;
constexpr double HeadRadiusY = 86;

void Uniform(cairo_t* cr) {
    // Shoulders of the captain's jacket, cut by the bottom of the picture.
    cairo_move_to(cr, -40, 430);
    cairo_curve_to(cr, -40, 372, 10, 342, 60, 338);
    cairo_line_to(cr, 150, 338);
    cairo_curve_to(cr, 195, 342, 214, 380, 214, 430);
    cairo_close_path(cr);
    FillVertical(cr, Navy, NavyDark, 338, 420);
    Outline(cr, 4, Ink);
    // White collar and the red neckerchief.
    cairo_move_to(cr, 62, 338);
    cairo_line_to(cr, 104, 392);
    cairo_line_to(cr, 146, 338);
    cairo_close_path(cr);
    FillVertical(cr, 0xFFFFFFFF, 0xFFD8E0F0, 338, 392);
    Outline(cr, 3, Ink);
    cairo_move_to(cr, 86, 346);
    cairo_line_to(cr, 122, 346);
    cairo_line_to(cr, 104, 384);
    cairo_close_path(cr);
    FillVertical(cr, 0xFFFF5A4A, 0xFFC02030, 346, 384);
    Outline(cr, 2.5, Ink);
    // A gold epaulette and two buttons.
    EllipsePath(cr, 178, 372, 30, 12);
    FillLit(cr, Gold, 178, 372, 30);
    Outline(cr, 3, Ink);
    for (int i = 0; i < 2; ++i) {
        EllipsePath(cr, 126 + i * 22, 400 + i * 4, 6, 6);
        FillLit(cr, Gold, 126 + i * 22, 400 + i * 4, 6);
        Outline(cr, 2, Ink);
    }
    // The neck in shadow under the chin.
    cairo_rectangle(cr, 78, 318, 52, 26);
    FillVertical(cr, SkinShadow, Skin, 318, 344);
    cairo_new_path(cr);
}

// Hair on the back of the head, clipped to the head, and the ear over it.
void EarAndHair(cairo_t* cr) {
    cairo_save(cr);
    EllipsePath(cr, HeadCentre.X, HeadCentre.Y, HeadRadiusX, HeadRadiusY);
    cairo_clip(cr);
    cairo_move_to(cr, 0, 190);
    cairo_line_to(cr, 96, 190);
    cairo_curve_to(cr, 84, 226, 70, 250, 78, 300);
    cairo_curve_to(cr, 50, 300, 20, 318, 0, 330);
    cairo_close_path(cr);
    FillLit(cr, Hair, 40, 230, 70);
    Outline(cr, 4, Ink);
    cairo_restore(cr);
    EllipsePath(cr, HeadCentre.X, HeadCentre.Y, HeadRadiusX, HeadRadiusY);
    Outline(cr, 4.5, Ink);
    EllipsePath(cr, 62, 262, 16, 23);
    FillLit(cr, Skin, 62, 262, 23);
    Outline(cr, 4, Ink);
    cairo_arc(cr, 64, 262, 9, std::numbers::pi * 0.6, std::numbers::pi * 1.5);
    Outline(cr, 2.5, SkinShadow);
}

void Face(cairo_t* cr) {
    EllipsePath(cr, HeadCentre.X, HeadCentre.Y, HeadRadiusX, HeadRadiusY);
    FillLit(cr, Skin, HeadCentre.X + 20, HeadCentre.Y, HeadRadiusX);
    Outline(cr, 4.5, Ink);
    // Rosy cheeks under the eyes.
    cairo_save(cr);
    EllipsePath(cr, 124, 274, 19, 12);
    cairo_pattern_t* blush = cairo_pattern_create_radial(124, 274, 1, 124, 274, 19);
    cairo_pattern_add_color_stop_rgba(blush, 0, 1.0, 0.45, 0.45, 0.55);
    cairo_pattern_add_color_stop_rgba(blush, 1, 1.0, 0.45, 0.45, 0.0);
    cairo_set_source(cr, blush);
    cairo_fill(cr);
    cairo_pattern_destroy(blush);
    cairo_restore(cr);
    // Freckles.
    for (int i = 0; i < 3; ++i) {
        EllipsePath(cr, 116 + i * 8, 268 + (i % 2) * 4, 1.6, 1.6);
        SetColour(cr, 0xA0C06040);
        cairo_fill(cr);
    }
}

void Eyebrows(cairo_t* cr) {
    cairo_move_to(cr, 128, 210);
    cairo_curve_to(cr, 134, 203, 148, 202, 158, 207);
    Outline(cr, 5, Hair);
    cairo_move_to(cr, 163, 214);
    cairo_curve_to(cr, 168, 209, 176, 209, 182, 213);
    Outline(cr, 5, Hair);
}

void NearEyeWhite(cairo_t* cr) {
    const TScreenPoint e = ZiboRest::NearEye;
    EllipsePath(cr, e.X, e.Y, ZiboRest::NearWhiteRadiusX, ZiboRest::NearWhiteRadiusY);
    cairo_pattern_t* white = cairo_pattern_create_radial(e.X - 3, e.Y - 4, 1, e.X, e.Y, 16);
    AddStop(white, 0, 0xFFFFFFFF);
    AddStop(white, 0.7, 0xFFF4F4FF);
    AddStop(white, 1, 0xFFC8CCE8);
    cairo_set_source(cr, white);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(white);
    Outline(cr, 3, Ink);
}

// The far eye is cut out of the head; the eyeball sprite behind it shows through.
void FarEyeHole(cairo_t* cr) {
    const TScreenPoint e = ZiboRest::FarEye;
    cairo_save(cr);
    EllipsePath(cr, e.X, e.Y, ZiboRest::FarHoleRadiusX, ZiboRest::FarHoleRadiusY);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_fill(cr);
    cairo_restore(cr);
    EllipsePath(cr, e.X, e.Y, ZiboRest::FarHoleRadiusX + 1.2, ZiboRest::FarHoleRadiusY + 1.2);
    Outline(cr, 3, Ink);
}

void Nose(cairo_t* cr) {
    EllipsePath(cr, 184, 264, 14, 12);
    FillLit(cr, Shade(Skin, -0.05), 184, 264, 14);
    Outline(cr, 3.5, Ink);
    Gloss(cr, 181, 259, 5, 3.5, 0.8);
}

void Cap(cairo_t* cr) {
    // A soft shadow the cap throws on the forehead.
    SoftShadow(cr, 120, 204, 70, 14, 0.35);
    // The crown, wider at the top as a captain's cap is.
    cairo_move_to(cr, 22, 198);
    cairo_curve_to(cr, 8, 172, 12, 146, 40, 143);
    cairo_curve_to(cr, 90, 134, 160, 136, 190, 150);
    cairo_curve_to(cr, 196, 166, 188, 184, 178, 196);
    cairo_close_path(cr);
    FillLit(cr, 0xFFFFFFFF, 100, 156, 100);
    Outline(cr, 4.5, Ink);
    // The dark band.
    cairo_move_to(cr, 20, 180);
    cairo_curve_to(cr, 70, 172, 140, 174, 186, 182);
    cairo_line_to(cr, 180, 198);
    cairo_curve_to(cr, 130, 190, 70, 190, 24, 200);
    cairo_close_path(cr);
    FillVertical(cr, Navy, NavyDark, 174, 200);
    Outline(cr, 3.5, Ink);
    // The visor over the eyes, black and glossy.
    cairo_move_to(cr, 112, 194);
    cairo_curve_to(cr, 150, 186, 190, 188, 204, 200);
    cairo_curve_to(cr, 182, 209, 150, 207, 112, 202);
    cairo_close_path(cr);
    FillVertical(cr, 0xFF3A3A58, 0xFF0C0C18, 188, 208);
    Outline(cr, 3.5, Ink);
    Gloss(cr, 168, 195, 22, 3, 0.55);
    // A gold star badge on the crown.
    cairo_save(cr);
    cairo_translate(cr, 118, 162);
    cairo_move_to(cr, 0, -14);
    for (int i = 1; i < 10; ++i) {
        const double a = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        const double r = i % 2 ? 6 : 14;
        cairo_line_to(cr, r * std::cos(a), r * std::sin(a));
    }
    cairo_close_path(cr);
    FillLit(cr, Gold, 0, 0, 14);
    Outline(cr, 2.5, 0xFF6A4200);
    cairo_restore(cr);
    Gloss(cr, 70, 148, 30, 6, 0.7);
}

// The bust ends at the bottom of the picture; fading it out there hides the straight cut.
void FadeOutBottom(cairo_t* cr) {
    const TSpritePlacement at = ZiboRest::Head();
    const double bottom = at.ScreenY(at.Height);
    cairo_save(cr);
    cairo_rectangle(cr, at.ScreenX(0), bottom - 36, at.ScreenX(at.Width) - at.ScreenX(0), 36);
    cairo_pattern_t* fade = cairo_pattern_create_linear(0, bottom - 36, 0, bottom);
    cairo_pattern_add_color_stop_rgba(fade, 0, 0, 0, 0, 0);
    cairo_pattern_add_color_stop_rgba(fade, 1, 0, 0, 0, 1);
    cairo_set_source(cr, fade);
    cairo_set_operator(cr, CAIRO_OPERATOR_DEST_OUT);
    cairo_fill(cr);
    cairo_pattern_destroy(fade);
    cairo_restore(cr);
}

} // namespace

TPicture Head() {
    return DrawPicture(ZiboRest::HeadWidth, ZiboRest::HeadHeight, [](cairo_t* cr) {
        UsePlacement(cr, ZiboRest::Head());
        Uniform(cr);
        Face(cr);
        EarAndHair(cr);
        Nose(cr);
        NearEyeWhite(cr);
        FarEyeHole(cr);
        Eyebrows(cr);
        Cap(cr);
        FadeOutBottom(cr);
    });
}

TPicture Eye() {
    constexpr int size = ZiboRest::EyeSize;
    return DrawPicture(size, size, [](cairo_t* cr) {
        // The sprite is drawn upside down, so the gloss painted low-left shows high-left.
        Iris(cr, size / 2.0, size / 2.0, ZiboRest::IrisRadius, IrisBlue, std::numbers::pi * 0.75);
    });
}

TPicture Pupil() {
    return DrawPicture(ZiboRest::PupilWidth, ZiboRest::PupilHeight, [](cairo_t* cr) {
        UsePlacement(cr, ZiboRest::Pupil());
        const TScreenPoint e = ZiboRest::FarEye;
        cairo_rectangle(cr, e.X - 30, e.Y - 40, 60, 80);
        cairo_pattern_t* white = cairo_pattern_create_radial(e.X - 3, e.Y - 5, 1, e.X, e.Y, 16);
        AddStop(white, 0, 0xFFFFFFFF);
        AddStop(white, 0.6, 0xFFF0F0FA);
        AddStop(white, 1, 0xFFB8BEDC);
        cairo_set_source(cr, white);
        cairo_fill(cr);
        cairo_pattern_destroy(white);
    });
}

void PaintBust(cairo_t* cr, int Mouth, double Look) {
    Uniform(cr);
    Face(cr);
    EarAndHair(cr);
    Nose(cr);
    NearEyeWhite(cr);
    const TScreenPoint far = ZiboRest::FarEye;
    EllipsePath(cr, far.X, far.Y, ZiboRest::FarHoleRadiusX, ZiboRest::FarHoleRadiusY);
    SetColour(cr, 0xFFF4F4FF);
    cairo_fill(cr);
    const double r = ZiboRest::IrisRadius * ZiboRest::EyeScale;
    for (const TScreenPoint& e : {ZiboRest::NearEye, far}) {
        cairo_save(cr);
        // The far iris hides behind the rim of its eye, as it does in the game.
        if (e.X == far.X) {
            EllipsePath(cr, far.X, far.Y, ZiboRest::FarHoleRadiusX, ZiboRest::FarHoleRadiusY);
            cairo_clip(cr);
        }
        cairo_translate(cr, e.X + ZiboRest::EyeTravelX * std::cos(Look), e.Y + ZiboRest::EyeTravelY * std::sin(Look));
        cairo_rotate(cr, Look);
        Iris(cr, 0, 0, r, IrisBlue, -std::numbers::pi * 0.75 - Look);
        cairo_restore(cr);
    }
    EllipsePath(cr, far.X, far.Y, ZiboRest::FarHoleRadiusX + 1.2, ZiboRest::FarHoleRadiusY + 1.2);
    Outline(cr, 3, Ink);
    Eyebrows(cr);
    Cap(cr);
    MouthShapes::PaintZiboMouth(cr, ZiboRest::MouthCentre.X, ZiboRest::MouthCentre.Y, MouthShapes::ZiboMouth(Mouth));
}

std::vector<TPicture> Mouths() {
    std::vector<TPicture> patterns;
    for (int p = 0; p < ZiboRest::MouthPatterns; ++p) {
        patterns.push_back(DrawPicture(ZiboRest::MouthWidth, ZiboRest::MouthHeight, [p](cairo_t* cr) {
            UsePlacement(cr, ZiboRest::Mouth(p));
            MouthShapes::PaintZiboMouth(cr, ZiboRest::MouthCentre.X, ZiboRest::MouthCentre.Y,
                                        MouthShapes::ZiboMouth(p));
        }));
    }
    return patterns;
}

} // namespace HeroFace
