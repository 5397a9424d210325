// SPDX-License-Identifier: MIT
#include "content/characters/MonsterFaces.h"

#include "content/characters/CharacterPaint.h"
#include "content/characters/FaceLayout.h"
#include "content/characters/MouthShapes.h"

#include <cmath>
#include <numbers>

namespace MonsterFaces {

using namespace CharacterPaint;

namespace {

constexpr double Pi = std::numbers::pi;
constexpr uint32_t Ink = 0xFF22102E;

struct TMonsterLook {
    uint32_t Skin;
    uint32_t Spots;
    uint32_t Iris;
    // The head blob in screen coordinates at rest.
    TScreenPoint Centre;
    double RadiusX, RadiusY;
    // How lumpy the outline is: bumps around the head and their height.
    int Bumps;
    double BumpHeight;
};

constexpr TMonsterLook Looks[MonsterRest::Types] = {
    {0xFF6FCF3C, 0xFF3E9A1E, 0xFFFFB21E, {706, 300}, 116, 136, 9, 0.045},
    {0xFFA35CDB, 0xFF7236A8, 0xFFFF4F9E, {702, 290}, 114, 112, 6, 0.03},
    {0xFFF0603A, 0xFFB8321E, 0xFF86E83C, {690, 306}, 106, 122, 14, 0.025},
    {0xFF2EC0B4, 0xFFFFD84A, 0xFFFF3838, {696, 300}, 112, 108, 5, 0.02},
};

// A lumpy round outline: the radius swells and shrinks Bumps times around the head.
void BlobPath(cairo_t* cr, const TMonsterLook& Look) {
    const int steps = 180;
    for (int i = 0; i <= steps; ++i) {
        const double a = 2 * Pi * i / steps;
        const double r = 1 + Look.BumpHeight * std::sin(Look.Bumps * a + 0.7);
        const double x = Look.Centre.X + Look.RadiusX * r * std::cos(a);
        const double y = Look.Centre.Y + Look.RadiusY * r * std::sin(a);
        if (i == 0) {
            cairo_move_to(cr, x, y);
        } else {
            cairo_line_to(cr, x, y);
        }
    }
    cairo_close_path(cr);
}

void Body(cairo_t* cr, const TMonsterLook& Look) {
    SoftShadow(cr, Look.Centre.X + 10, Look.Centre.Y + Look.RadiusY * 0.9, Look.RadiusX * 0.9, 22, 0.5);
    BlobPath(cr, Look);
    FillLit(cr, Look.Skin, Look.Centre.X, Look.Centre.Y, std::max(Look.RadiusX, Look.RadiusY));
    Outline(cr, 5, Ink);
}

// Spots on the skin, kept to the head's outline.
void Spots(cairo_t* cr, const TMonsterLook& Look, std::initializer_list<TScreenPoint> Where, double Size) {
    cairo_save(cr);
    BlobPath(cr, Look);
    cairo_clip(cr);
    for (const TScreenPoint& p : Where) {
        EllipsePath(cr, p.X, p.Y, Size, Size * 0.8);
        FillLit(cr, Look.Spots, p.X, p.Y, Size);
        cairo_new_path(cr);
    }
    cairo_restore(cr);
}

// A horn from Base curving to Tip, Width wide at the base.
void Horn(cairo_t* cr, TScreenPoint Base, TScreenPoint Bend, TScreenPoint Tip, double Width, uint32_t Colour) {
    cairo_move_to(cr, Base.X - Width / 2, Base.Y);
    cairo_curve_to(cr, Bend.X - Width / 3, Bend.Y, Tip.X, Tip.Y + 4, Tip.X, Tip.Y);
    cairo_curve_to(cr, Tip.X + 3, Tip.Y + 4, Bend.X + Width / 3, Bend.Y, Base.X + Width / 2, Base.Y);
    cairo_close_path(cr);
    FillLit(cr, Colour, Bend.X, Bend.Y, Width * 2);
    Outline(cr, 4, Ink);
}

// An antenna with a glowing ball at its end.
void Antenna(cairo_t* cr, TScreenPoint Base, TScreenPoint Tip, uint32_t Stalk, uint32_t Ball) {
    cairo_move_to(cr, Base.X, Base.Y);
    cairo_curve_to(cr, Base.X, Base.Y - 30, Tip.X + (Base.X - Tip.X) * 0.2, Tip.Y + 20, Tip.X, Tip.Y);
    Outline(cr, 10, Ink);
    cairo_move_to(cr, Base.X, Base.Y);
    cairo_curve_to(cr, Base.X, Base.Y - 30, Tip.X + (Base.X - Tip.X) * 0.2, Tip.Y + 20, Tip.X, Tip.Y);
    Outline(cr, 5, Stalk);
    EllipsePath(cr, Tip.X, Tip.Y, 12, 12);
    FillLit(cr, Ball, Tip.X, Tip.Y, 12);
    Outline(cr, 3.5, Ink);
    Gloss(cr, Tip.X - 4, Tip.Y - 4, 5, 4, 0.9);
}

// The white of an eye painted on the head, large enough that the iris sprite stays on it
// wherever the eye turns; a heavy brow over it makes the monster look cross. The dark rings
// and brows of both eyes go down first so that nothing covers the other eye's white.
void EyeSocket(cairo_t* cr, int Type, int Index, const TMonsterLook& Look, bool Ring) {
    const TScreenPoint c = MonsterRest::Eye(Type, Index);
    const TScreenPoint travel = MonsterRest::EyeRadius(Type, Index);
    const double iris = MonsterRest::Start[Type - 1].IrisRadius;
    const double rx = travel.X + iris + MonsterRest::WhiteMargin;
    const double ry = travel.Y + iris + MonsterRest::WhiteMargin;
    if (Ring) {
        EllipsePath(cr, c.X, c.Y, rx + 5, ry + 5);
        SetColour(cr, Shade(Look.Skin, -0.35));
        cairo_fill(cr);
        // A scowling brow, lower toward the nose side of the face.
        cairo_move_to(cr, c.X - rx - 4, c.Y - ry - 2 + (Index == 0 ? 6 : -2));
        cairo_curve_to(cr, c.X - rx * 0.3, c.Y - ry - 10, c.X + rx * 0.3, c.Y - ry - 10, c.X + rx + 4,
                       c.Y - ry - 2 + (Index == 0 ? -2 : 6));
        Outline(cr, 6, Shade(Look.Spots, -0.4));
        return;
    }
    EllipsePath(cr, c.X, c.Y, rx, ry);
    cairo_pattern_t* white = cairo_pattern_create_radial(c.X - rx * 0.3, c.Y - ry * 0.3, 1, c.X, c.Y, std::max(rx, ry));
    AddStop(white, 0, 0xFFFFFFFF);
    AddStop(white, 0.7, 0xFFF6F2E0);
    AddStop(white, 1, 0xFFD8D2B8);
    cairo_set_source(cr, white);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(white);
    Outline(cr, 3.5, Ink);
}

void Drips(cairo_t* cr, const TMonsterLook& Look) {
    const double xs[] = {640, 700, 760};
    const double lengths[] = {26, 40, 22};
    for (int i = 0; i < 3; ++i) {
        const double top = Look.Centre.Y + Look.RadiusY * 0.9;
        cairo_move_to(cr, xs[i] - 9, top - 10);
        cairo_line_to(cr, xs[i] - 7, top + lengths[i]);
        cairo_arc_negative(cr, xs[i], top + lengths[i], 7, Pi, 0);
        cairo_line_to(cr, xs[i] + 9, top - 10);
        cairo_close_path(cr);
        FillLit(cr, Look.Skin, xs[i], top + lengths[i], 14);
        cairo_new_path(cr);
        Gloss(cr, xs[i] - 2, top + lengths[i] - 2, 2.5, 4, 0.8);
    }
}

void Tentacles(cairo_t* cr, const TMonsterLook& Look) {
    for (int i = 0; i < 5; ++i) {
        const double x = 610 + i * 42;
        const double top = Look.Centre.Y + Look.RadiusY * 0.6;
        const double sway = (i % 2 ? 14 : -14);
        cairo_move_to(cr, x - 16, top);
        cairo_curve_to(cr, x - 16 + sway, top + 60, x + sway * 2, top + 90, x + sway * 1.6, top + 120);
        cairo_curve_to(cr, x + sway * 0.8, top + 96, x + 16 + sway, top + 60, x + 16, top);
        cairo_close_path(cr);
        FillLit(cr, Shade(Look.Skin, -0.1), x, top + 40, 60);
        Outline(cr, 4, Ink);
        for (int k = 0; k < 3; ++k) {
            EllipsePath(cr, x + sway * (0.4 + 0.4 * k), top + 34 + k * 26, 4.5 - k, 3.5 - k * 0.8);
            SetColour(cr, 0xFFF0B8F8);
            cairo_fill(cr);
        }
    }
}

// Two pincers under the mouth, their points curling toward each other.
void Mandibles(cairo_t* cr, const TMonsterLook& Look) {
    const TScreenPoint m = MonsterRest::MouthCentre(4);
    for (int side = -1; side <= 1; side += 2) {
        const double x = m.X + side * 40;
        const double y = m.Y + 22;
        cairo_move_to(cr, x - side * 8, y - 6);
        cairo_curve_to(cr, x + side * 16, y + 4, x + side * 10, y + 38, x - side * 22, y + 44);
        cairo_curve_to(cr, x - side * 4, y + 30, x + side * 2, y + 14, x - side * 12, y + 6);
        cairo_close_path(cr);
        FillLit(cr, 0xFF3A6070, x, y + 18, 26);
        Outline(cr, 3.5, Ink);
        Gloss(cr, x + side * 4, y + 10, 3, 6, 0.6);
    }
    (void)Look;
}

void Decorations(cairo_t* cr, int Type, const TMonsterLook& Look) {
    switch (Type) {
    case 1:
        Spots(cr, Look, {{620, 230}, {760, 350}, {742, 200}, {610, 360}, {660, 400}}, 11);
        break;
    case 2:
        Spots(cr, Look, {{760, 230}, {740, 330}, {600, 250}, {660, 200}}, 9);
        break;
    case 3:
        Spots(cr, Look, {{610, 350}, {760, 330}, {720, 400}}, 10);
        break;
    default:
        Spots(cr, Look, {{740, 230}, {770, 300}, {720, 370}, {600, 340}, {700, 215}}, 12);
        break;
    }
}

// What stands behind the head: horns, antennae, tentacles.
void Behind(cairo_t* cr, int Type, const TMonsterLook& Look) {
    switch (Type) {
    case 1:
        Antenna(cr, {662, 190}, {628, 172}, Look.Skin, 0xFFFFE04A);
        Antenna(cr, {742, 186}, {780, 172}, Look.Skin, 0xFFFFE04A);
        break;
    case 2:
        Tentacles(cr, Look);
        break;
    case 3:
        Horn(cr, {630, 208}, {602, 176}, {608, 136}, 34, 0xFFFFF0C8);
        Horn(cr, {750, 206}, {790, 176}, {782, 134}, 34, 0xFFFFF0C8);
        break;
    default:
        Antenna(cr, {630, 212}, {566, 198}, 0xFF3A6070, 0xFFFF6A3A);
        Antenna(cr, {724, 204}, {776, 196}, 0xFF3A6070, 0xFFFF6A3A);
        break;
    }
}

// What sits on top of the head: slime drips, mandibles, small extra eyes.
void InFront(cairo_t* cr, int Type, const TMonsterLook& Look) {
    if (Type == 1) {
        Drips(cr, Look);
    }
    if (Type == 4) {
        Mandibles(cr, Look);
        // Three little eyes that never move, for a proper bug.
        const TScreenPoint small[] = {{668, 214}, {690, 236}, {744, 218}};
        for (const TScreenPoint& p : small) {
            EllipsePath(cr, p.X, p.Y, 8, 8);
            SetColour(cr, 0xFFFFFFF0);
            cairo_fill_preserve(cr);
            Outline(cr, 2.5, Ink);
            EllipsePath(cr, p.X - 2, p.Y + 1, 4, 4);
            SetColour(cr, 0xFF101020);
            cairo_fill(cr);
        }
    }
}

} // namespace

TPicture Head(int Type) {
    const TSpritePlacement at = MonsterRest::Head(Type);
    const TMonsterLook& look = Looks[Type - 1];
    return DrawPicture(at.Width, at.Height, [&](cairo_t* cr) {
        UsePlacement(cr, at);
        Behind(cr, Type, look);
        Body(cr, look);
        Decorations(cr, Type, look);
        InFront(cr, Type, look);
        for (const bool ring : {true, false}) {
            EyeSocket(cr, Type, 0, look, ring);
            EyeSocket(cr, Type, 1, look, ring);
        }
        Gloss(cr, look.Centre.X - look.RadiusX * 0.35, look.Centre.Y - look.RadiusY * 0.6, 30, 14, 0.45);
    });
}

TPicture Eye(int Type) {
    const int size = MonsterRest::EyeSize;
    const double radius = MonsterRest::Start[Type - 1].IrisRadius;
    // The game turns a monster eye half a turn away from what it watches (three quarters
    // for type 2), so the pupil is painted on that side.
    const double turn = Type == 2 ? Pi / 2 : Pi;
    return DrawPicture(size, size, [&](cairo_t* cr) {
        cairo_translate(cr, size / 2.0, size / 2.0);
        cairo_rotate(cr, turn);
        Iris(cr, 0, 0, radius, Looks[Type - 1].Iris, -Pi * 0.75 - turn);
    });
}

std::vector<TPicture> Mouths() {
    std::vector<TPicture> patterns;
    for (int p = 0; p < MonsterRest::MouthPatterns; ++p) {
        patterns.push_back(DrawPicture(MonsterRest::MouthWidth, MonsterRest::MouthHeight, [p](cairo_t* cr) {
            MouthShapes::PaintMonsterMouth(cr, MonsterRest::MouthShapeCentre.X, MonsterRest::MouthShapeCentre.Y,
                                           110, p);
        }));
    }
    return patterns;
}

} // namespace MonsterFaces
