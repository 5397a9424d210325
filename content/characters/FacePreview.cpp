// SPDX-License-Identifier: MIT
#include "content/characters/FacePreview.h"

#include "content/characters/CharacterPaint.h"

#include <cmath>
#include <numbers>

namespace FacePreview {

namespace {

constexpr int ScreenWidth = 800;
constexpr int ScreenHeight = 600;

void Backdrop(cairo_t* cr) {
    cairo_rectangle(cr, 0, 0, ScreenWidth, ScreenHeight);
    CharacterPaint::FillVertical(cr, 0xFF182048, 0xFF40205A, 0, ScreenHeight);
    cairo_new_path(cr);
    // The board the faces sit beside.
    cairo_rectangle(cr, 222, 138, 352, 352);
    CharacterPaint::SetColour(cr, 0x60FFFFFF);
    cairo_fill(cr);
}

// Draw mode 0: the pattern scaled about its middle, top-left at the truncated position.
void DrawMode0(cairo_t* cr, const TPicture& Picture, const TSpritePlacement& At) {
    cairo_save(cr);
    cairo_translate(cr, At.DrawX() + Picture.Width() / 2.0, At.DrawY() + Picture.Height() / 2.0);
    cairo_scale(cr, At.Scale, At.Scale);
    PaintPicture(cr, Picture, -Picture.Width() / 2.0, -Picture.Height() / 2.0);
    cairo_restore(cr);
}

// Draw mode 1: the pattern's middle at the truncated position, scaled, then turned.
void DrawMode1(cairo_t* cr, const TPicture& Picture, TScreenPoint At, double ScaleX, double ScaleY,
               double Angle) {
    cairo_save(cr);
    cairo_translate(cr, std::trunc(At.X), std::trunc(At.Y));
    cairo_rotate(cr, Angle);
    cairo_scale(cr, ScaleX, ScaleY);
    PaintPicture(cr, Picture, -Picture.Width() / 2.0, -Picture.Height() / 2.0);
    cairo_restore(cr);
}

} // namespace

TEyePose ZiboEyePose(TScreenPoint Centre, TScreenPoint Pointer) {
    const double u = (Pointer.X - Centre.X) / ZiboRest::EyeTravelX;
    const double v = (Pointer.Y - Centre.Y) / ZiboRest::EyeTravelY;
    if (u * u + v * v <= 3) {
        return {Centre, 0};
    }
    const double a = std::atan2(Pointer.Y - Centre.Y, Pointer.X - Centre.X);
    return {{Centre.X + ZiboRest::EyeTravelX * std::cos(a), Centre.Y + ZiboRest::EyeTravelY * std::sin(a)}, a};
}

TEyePose MonsterEyePose(int Type, TScreenPoint Centre, TScreenPoint Radius, TScreenPoint Pointer) {
    const double u = (Pointer.X - Centre.X) / Radius.X;
    const double v = (Pointer.Y - Centre.Y) / Radius.Y;
    if (u * u + v * v <= 4.5) {
        return {Centre, 0};
    }
    // The game turns a monster eye half a turn away from the pointer (a quarter more for
    // type 2) and moves it toward the pointer.
    const double toward = std::atan2(Pointer.Y - Centre.Y, Pointer.X - Centre.X);
    const double a = toward + (Type == 2 ? 1.5 : 1.0) * std::numbers::pi;
    const double b = Type == 2 ? a - std::numbers::pi / 2 : a;
    return {{Centre.X - Radius.X * std::cos(b), Centre.Y - Radius.Y * std::sin(b)}, a};
}

TPicture Zibo(const TPicture& Head, const TPicture& Eye, const TPicture& Pupil, const TPicture& Mouth,
              int Pattern, TScreenPoint Pointer) {
    return DrawPicture(ScreenWidth, ScreenHeight, [&](cairo_t* cr) {
        Backdrop(cr);
        const TEyePose nearEye = ZiboEyePose(ZiboRest::NearEye, Pointer);
        const TEyePose farEye = ZiboEyePose(ZiboRest::FarEye, Pointer);
        const double s = ZiboRest::EyeScale;
        DrawMode0(cr, Pupil, ZiboRest::Pupil());
        DrawMode1(cr, Eye, farEye.Position, s, -s, farEye.Angle);
        DrawMode0(cr, Head, ZiboRest::Head());
        DrawMode0(cr, Mouth, ZiboRest::Mouth(Pattern));
        DrawMode1(cr, Eye, nearEye.Position, s, -s, nearEye.Angle);
    });
}

TSpritePlacement MonsterMouthAt(int Type, int Pattern) {
    struct TAt {
        double X, Y;
    };
    // Mouth positions after each step of progress; a negative value keeps the previous one.
    static constexpr TAt table[3][7] = {
        {{-1, -1}, {640, -1}, {635, 235}, {637, 240}, {640, 247}, {635, 232}, {632, 230}},
        {{-1, -1}, {649, -1}, {622, 233}, {630, 247}, {633, 247}, {641, 243}, {627, 235}},
        {{-1, -1}, {615, -1}, {597, -1}, {-1, -1}, {610, -1}, {610, -1}, {602, -1}},
    };
    TSpritePlacement at = MonsterRest::Mouth(Type);
    if (Type == 3) {
        return at;
    }
    const int row = Type == 4 ? 2 : Type - 1;
    for (int p = 1; p <= Pattern && p < 7; ++p) {
        at.X = table[row][p].X >= 0 ? table[row][p].X : at.X;
        at.Y = table[row][p].Y >= 0 ? table[row][p].Y : at.Y;
    }
    return at;
}

TPicture Monster(int Type, const TPicture& Head, const TPicture& Eye, const TPicture& Mouth, int Pattern,
                 TScreenPoint Pointer) {
    return DrawPicture(ScreenWidth, ScreenHeight, [&](cairo_t* cr) {
        Backdrop(cr);
        DrawMode0(cr, Head, MonsterRest::Head(Type));
        for (int i = 0; i < 2; ++i) {
            const TEyePose pose =
                MonsterEyePose(Type, MonsterRest::Eye(Type, i), MonsterRest::EyeRadius(Type, i), Pointer);
            DrawMode1(cr, Eye, pose.Position, 1, 1, pose.Angle);
        }
        DrawMode0(cr, Mouth, MonsterMouthAt(Type, Pattern));
    });
}

} // namespace FacePreview
