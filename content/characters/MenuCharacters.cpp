// SPDX-License-Identifier: MIT
#include "content/characters/MenuCharacters.h"

#include "content/characters/CharacterPaint.h"
#include "content/characters/HeroFace.h"
#include "content/characters/MouthShapes.h"

#include <cmath>
#include <numbers>

namespace MenuCharacters {

using namespace CharacterPaint;

namespace {

constexpr double Pi = std::numbers::pi;
constexpr uint32_t Ink = 0xFF2A1B3D;
constexpr uint32_t Navy = 0xFF24418E;
constexpr uint32_t LirraSkin = 0xFFB9E6FF;
constexpr uint32_t LirraHair = 0xFFFF5FA8;
constexpr uint32_t LirraSuit = 0xFFFF9A3C;
// Where the captain's bust goes: its head at rest is scaled by this much.
constexpr double ZiboScale = 0.62;
constexpr double GroundY = 372;

void Limb(cairo_t* cr, double X0, double Y0, double X1, double Y1, double Width, uint32_t Colour) {
    cairo_move_to(cr, X0, Y0);
    cairo_line_to(cr, X1, Y1);
    Outline(cr, Width + 7, Ink);
    cairo_move_to(cr, X0, Y0);
    cairo_line_to(cr, X1, Y1);
    Outline(cr, Width, Colour);
}

void Boot(cairo_t* cr, double X, double Y, uint32_t Colour) {
    cairo_move_to(cr, X - 14, Y);
    cairo_curve_to(cr, X - 14, Y - 20, X + 10, Y - 20, X + 12, Y - 8);
    cairo_curve_to(cr, X + 26, Y - 6, X + 28, Y, X + 26, Y + 4);
    cairo_line_to(cr, X - 14, Y + 4);
    cairo_close_path(cr);
    FillLit(cr, Colour, X, Y - 6, 24);
    Outline(cr, 3.5, Ink);
}

void Hand(cairo_t* cr, double X, double Y, uint32_t Colour) {
    EllipsePath(cr, X, Y, 10, 10);
    FillLit(cr, Colour, X, Y, 10);
    Outline(cr, 3, Ink);
}

void ZiboBody(cairo_t* cr, bool Waving) {
    // Legs and boots.
    Limb(cr, 72, 290, 66, 352, 22, 0xFF5A6A8A);
    Limb(cr, 112, 290, 118, 352, 22, 0xFF5A6A8A);
    Boot(cr, 64, GroundY - 4, 0xFF302840);
    Boot(cr, 118, GroundY - 4, 0xFF302840);
    // The jacket.
    RoundedRectPath(cr, 46, 196, 96, 108, 26);
    FillVertical(cr, Navy, 0xFF142654, 196, 304);
    Outline(cr, 4, Ink);
    cairo_rectangle(cr, 48, 268, 92, 12);
    FillVertical(cr, 0xFF4A3020, 0xFF2A1810, 268, 280);
    Outline(cr, 3, Ink);
    RoundedRectPath(cr, 84, 264, 20, 20, 4);
    FillLit(cr, 0xFFFFC83A, 94, 274, 12);
    Outline(cr, 2.5, Ink);
    // The left arm hangs down; the right one waves or rests on the hip.
    Limb(cr, 52, 214, 36, 276, 18, Navy);
    Hand(cr, 36, 282, 0xFFFFC99A);
    if (Waving) {
        Limb(cr, 138, 214, 168, 162, 18, Navy);
        Hand(cr, 172, 154, 0xFFFFC99A);
    } else {
        Limb(cr, 138, 214, 158, 254, 18, Navy);
        Hand(cr, 150, 266, 0xFFFFC99A);
    }
}

void ZiboHead(cairo_t* cr, int Pattern) {
    cairo_save(cr);
    cairo_translate(cr, 98, 112);
    cairo_scale(cr, ZiboScale, ZiboScale);
    cairo_translate(cr, -100, -254);
    // Cut the bust off at the collar: the body is painted separately.
    cairo_rectangle(cr, -100, 100, 400, 290);
    cairo_clip(cr);
    HeroFace::PaintBust(cr, Pattern == 0 ? 0 : 1, 0.2);
    cairo_restore(cr);
}

void LirraBody(cairo_t* cr) {
    Limb(cr, 218, 280, 212, 350, 16, LirraSkin);
    Limb(cr, 250, 280, 256, 350, 16, LirraSkin);
    Boot(cr, 210, GroundY - 8, 0xFFFFFFFF);
    Boot(cr, 254, GroundY - 8, 0xFFFFFFFF);
    // A flared space dress.
    cairo_move_to(cr, 214, 196);
    cairo_line_to(cr, 256, 196);
    cairo_curve_to(cr, 272, 240, 286, 270, 290, 296);
    cairo_line_to(cr, 180, 296);
    cairo_curve_to(cr, 186, 270, 200, 240, 214, 196);
    cairo_close_path(cr);
    FillVertical(cr, Shade(LirraSuit, 0.25), Shade(LirraSuit, -0.2), 196, 296);
    Outline(cr, 4, Ink);
    for (int i = 0; i < 3; ++i) {
        EllipsePath(cr, 235, 218 + i * 22, 5, 5);
        FillLit(cr, 0xFFFFFFFF, 235, 218 + i * 22, 5);
        Outline(cr, 2, Ink);
    }
    Limb(cr, 214, 206, 196, 262, 14, LirraSuit);
    Hand(cr, 194, 268, LirraSkin);
    Limb(cr, 256, 206, 276, 258, 14, LirraSuit);
    Hand(cr, 278, 264, LirraSkin);
}

void LirraHead(cairo_t* cr) {
    // Antennae with little stars.
    for (int side = -1; side <= 1; side += 2) {
        cairo_move_to(cr, 236 + side * 14, 104);
        cairo_curve_to(cr, 236 + side * 18, 80, 236 + side * 30, 66, 236 + side * 34, 58);
        Outline(cr, 4, Ink);
        EllipsePath(cr, 236 + side * 34, 56, 7, 7);
        FillLit(cr, 0xFFFFE04A, 236 + side * 34, 56, 7);
        Outline(cr, 2.5, Ink);
    }
    // Pink ponytails behind the head.
    for (int side = -1; side <= 1; side += 2) {
        EllipsePath(cr, 236 + side * 52, 150, 18, 34);
        FillLit(cr, LirraHair, 236 + side * 52, 150, 34);
        Outline(cr, 3.5, Ink);
    }
    EllipsePath(cr, 236, 146, 48, 52);
    FillLit(cr, LirraSkin, 236, 146, 52);
    Outline(cr, 4, Ink);
    // Fringe.
    cairo_move_to(cr, 190, 140);
    cairo_curve_to(cr, 186, 96, 286, 92, 282, 140);
    cairo_curve_to(cr, 266, 120, 250, 128, 240, 114);
    cairo_curve_to(cr, 226, 130, 206, 122, 190, 140);
    cairo_close_path(cr);
    FillLit(cr, LirraHair, 236, 112, 50);
    Outline(cr, 3.5, Ink);
    // Big eyes glancing at the captain, long lashes.
    for (int side = -1; side <= 1; side += 2) {
        const double ex = 236 + side * 18;
        EllipsePath(cr, ex, 152, 13, 16);
        SetColour(cr, 0xFFFFFFFF);
        cairo_fill_preserve(cr);
        Outline(cr, 3, Ink);
        cairo_save(cr);
        cairo_translate(cr, ex - 3, 154);
        cairo_rotate(cr, Pi);
        Iris(cr, 0, 0, 9, 0xFF9A4AE8, -Pi * 0.25);
        cairo_restore(cr);
        cairo_move_to(cr, ex + side * 10, 140);
        cairo_line_to(cr, ex + side * 17, 133);
        Outline(cr, 3, Ink);
    }
    EllipsePath(cr, 206, 176, 9, 6);
    SetColour(cr, 0x70FF7090);
    cairo_fill(cr);
    EllipsePath(cr, 266, 176, 9, 6);
    cairo_fill(cr);
    MouthShapes::PaintZiboMouth(cr, 234, 182, {24, 5, 9, false, true});
}

} // namespace

TPicture ZiboAndLirra(int Pattern) {
    return DrawPicture(Width, Height, [Pattern](cairo_t* cr) {
        SoftShadow(cr, 150, GroundY, 140, 14, 0.55);
        LirraBody(cr);
        LirraHead(cr);
        ZiboBody(cr, Pattern == 0);
        ZiboHead(cr, Pattern);
    });
}

} // namespace MenuCharacters
