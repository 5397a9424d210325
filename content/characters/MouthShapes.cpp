// SPDX-License-Identifier: MIT
#include "content/characters/MouthShapes.h"

#include "content/characters/CharacterPaint.h"

#include <algorithm>
#include <cmath>

namespace MouthShapes {

using namespace CharacterPaint;

namespace {

constexpr uint32_t LipLine = 0xFF3A1420;
constexpr uint32_t MouthInside = 0xFF5C1224;
constexpr uint32_t TongueColour = 0xFFE8707C;

// The closed outline of a mouth: the upper lip from the left corner to the right one, then
// the lower lip back.
void MouthPath(cairo_t* cr, double X, double Y, const TMouthShape& s) {
    const double half = s.Width / 2;
    const double cornerY = Y - s.Curve;
    cairo_move_to(cr, X - half, cornerY);
    cairo_curve_to(cr, X - half * 0.5, Y + s.Curve * 0.35 - s.Open * 0.25, X + half * 0.5,
                   Y + s.Curve * 0.35 - s.Open * 0.25, X + half, cornerY);
    cairo_curve_to(cr, X + half * 0.55, Y + s.Curve * 0.9 + s.Open, X - half * 0.55, Y + s.Curve * 0.9 + s.Open,
                   X - half, cornerY);
    cairo_close_path(cr);
}

void LineMouth(cairo_t* cr, double X, double Y, const TMouthShape& s) {
    const double half = s.Width / 2;
    cairo_move_to(cr, X - half, Y - s.Curve);
    cairo_curve_to(cr, X - half * 0.4, Y + s.Curve * 0.7, X + half * 0.4, Y + s.Curve * 0.7, X + half, Y - s.Curve);
    Outline(cr, std::max(2.5, s.Width * 0.07), LipLine);
}

void Dimples(cairo_t* cr, double X, double Y, const TMouthShape& s) {
    const double half = s.Width / 2;
    const double size = s.Width * 0.08;
    for (int side = -1; side <= 1; side += 2) {
        const double cx = X + side * (half + size * 0.3);
        const double cy = Y - s.Curve;
        cairo_move_to(cr, cx - side * size * 0.2, cy - size);
        cairo_curve_to(cr, cx + side * size * 0.6, cy - size * 0.4, cx + side * size * 0.6, cy + size * 0.4,
                       cx - side * size * 0.2, cy + size);
        Outline(cr, std::max(1.5, s.Width * 0.04), LipLine);
    }
}

} // namespace

TMouthShape ZiboMouth(int Pattern) {
    static constexpr TMouthShape shapes[] = {
        {50, 10, 24, true, true}, {46, 8, 15, true, true}, {42, 7, 8, true, false}, {38, 5, 0, false, false},
        {36, -2, 0, false, false}, {40, -8, 0, false, false}, {42, -10, 16, false, true},
    };
    return shapes[std::clamp(Pattern, 0, 6)];
}

void PaintZiboMouth(cairo_t* cr, double X, double Y, const TMouthShape& s) {
    if (s.Open <= 0) {
        LineMouth(cr, X, Y, s);
        if (s.Curve > 3) {
            Dimples(cr, X, Y, s);
        }
        return;
    }
    MouthPath(cr, X, Y, s);
    SetColour(cr, MouthInside);
    cairo_fill_preserve(cr);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    cairo_new_path(cr);
    if (s.Tongue) {
        EllipsePath(cr, X + s.Width * 0.05, Y + s.Curve * 0.9 + s.Open * 0.75, s.Width * 0.28, s.Open * 0.45);
        SetColour(cr, TongueColour);
        cairo_fill(cr);
    }
    if (s.Teeth) {
        const double top = Y + s.Curve * 0.35 - s.Open * 0.25;
        cairo_rectangle(cr, X - s.Width, top - s.Open, s.Width * 2, s.Open * 0.85 + 2);
        SetColour(cr, 0xFFFFFDF4);
        cairo_fill(cr);
    }
    cairo_restore(cr);
    Outline(cr, std::max(2.5, s.Width * 0.06), LipLine);
    if (s.Curve > 3) {
        Dimples(cr, X, Y, s);
    }
}

namespace {

constexpr uint32_t MonsterLip = 0xFF1C0A18;
constexpr uint32_t MonsterInside = 0xFF3A0A22;

// A row of triangular teeth along a line from (X0, Y0) to (X1, Y1), pointing by Direction
// (+1 down, -1 up).
void TeethRow(cairo_t* cr, double X0, double Y0, double X1, double Y1, int Count, double Length, int Direction) {
    for (int i = 0; i < Count; ++i) {
        const double t0 = static_cast<double>(i) / Count;
        const double t1 = static_cast<double>(i + 1) / Count;
        const double tm = (t0 + t1) / 2;
        const double grow = (i == 0 || i == Count - 1) ? 1.35 : 1.0;
        cairo_move_to(cr, X0 + (X1 - X0) * t0, Y0 + (Y1 - Y0) * t0 - Direction * 2);
        cairo_line_to(cr, X0 + (X1 - X0) * tm, Y0 + (Y1 - Y0) * tm + Direction * Length * grow);
        cairo_line_to(cr, X0 + (X1 - X0) * t1, Y0 + (Y1 - Y0) * t1 - Direction * 2);
        cairo_close_path(cr);
    }
    FillVertical(cr, 0xFFFFFFF0, 0xFFE8E0B8, std::min(Y0, Y1) - Length, std::max(Y0, Y1) + Length);
    Outline(cr, 1.2, MonsterLip);
}

void CalmMonsterMouth(cairo_t* cr, double X, double Y, double Width) {
    const double half = Width / 2;
    // A lopsided smug grin with one fang hanging over the lower lip.
    cairo_move_to(cr, X - half, Y - 6);
    cairo_curve_to(cr, X - half * 0.3, Y + 8, X + half * 0.4, Y + 6, X + half, Y - 10);
    Outline(cr, Width * 0.06, MonsterLip);
    cairo_move_to(cr, X + half * 0.2, Y + 3);
    cairo_line_to(cr, X + half * 0.32, Y + 16);
    cairo_line_to(cr, X + half * 0.44, Y + 1);
    cairo_close_path(cr);
    FillVertical(cr, 0xFFFFFFF0, 0xFFE0D8B0, Y, Y + 16);
    Outline(cr, 1.5, MonsterLip);
}

} // namespace

void PaintMonsterMouth(cairo_t* cr, double X, double Y, double Width, int Pattern) {
    const int p = std::clamp(Pattern, 0, 6);
    if (p == 0) {
        CalmMonsterMouth(cr, X, Y, Width);
        return;
    }
    // Upset mouths open wider and drop their corners as the monster loses.
    const double half = Width / 2 * (0.8 + 0.04 * p);
    const double open = 4 + p * 7.0;
    const double corner = (p - 2) * 2.5;
    const double top = Y - open * 0.45;
    const double bottom = Y + open * 0.55;
    cairo_move_to(cr, X - half, Y + corner);
    cairo_curve_to(cr, X - half * 0.5, top, X + half * 0.5, top, X + half, Y + corner);
    cairo_curve_to(cr, X + half * 0.6, bottom + open * 0.3, X - half * 0.6, bottom + open * 0.3, X - half,
                   Y + corner);
    cairo_close_path(cr);
    cairo_pattern_t* inside = cairo_pattern_create_radial(X, Y + open * 0.4, 1, X, Y, half);
    AddStop(inside, 0, 0xFF7A1838);
    AddStop(inside, 1, MonsterInside);
    cairo_set_source(cr, inside);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(inside);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    cairo_new_path(cr);
    if (p >= 3) {
        EllipsePath(cr, X - half * 0.1, bottom + open * 0.15, half * 0.45, open * 0.3);
        SetColour(cr, 0xFFC0406A);
        cairo_fill(cr);
    }
    const double toothLength = 5 + p * 1.2;
    const int count = 4 + p / 2;
    TeethRow(cr, X - half, top + open * 0.12, X + half, top + open * 0.12, count, toothLength, 1);
    if (p >= 2) {
        TeethRow(cr, X - half * 0.8, bottom + open * 0.2, X + half * 0.8, bottom + open * 0.2, count - 1,
                 toothLength * 0.8, -1);
    }
    cairo_restore(cr);
    Outline(cr, Width * 0.05, MonsterLip);
}

} // namespace MouthShapes
