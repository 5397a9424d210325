// SPDX-License-Identifier: MIT
#include "content/characters/StoryPictures.h"

#include "content/art/ArtKit.h"
#include "content/characters/CharacterPaint.h"

#include <cmath>
#include <numbers>

namespace StoryPictures {

using namespace CharacterPaint;

namespace {

constexpr double Pi = std::numbers::pi;
constexpr uint32_t Ink = 0xFF22102E;

// The drawn card of a picture in screen coordinates.
struct TCard {
    double X, Y, W, H;
};

TCard CardOf(const TSpritePlacement& At) {
    const double x0 = At.ScreenX(0);
    const double y0 = At.ScreenY(0);
    return {x0 + 3, y0 + 3, At.ScreenX(At.Width) - x0 - 6, At.ScreenY(At.Height) - y0 - 6};
}

void Rocket(cairo_t* cr, double X, double Y, double Size, double Angle) {
    cairo_save(cr);
    cairo_translate(cr, X, Y);
    cairo_rotate(cr, Angle);
    cairo_scale(cr, Size / 40, Size / 40);
    // Flame, body, window and fins, nose to the right.
    cairo_move_to(cr, -22, -6);
    cairo_curve_to(cr, -36, -6, -46, 0, -50, 0);
    cairo_curve_to(cr, -46, 0, -36, 6, -22, 6);
    cairo_close_path(cr);
    FillVertical(cr, 0xFFFFF080, 0xFFFF5020, -6, 6);
    cairo_new_path(cr);
    for (int side = -1; side <= 1; side += 2) {
        cairo_move_to(cr, -18, side * 6);
        cairo_line_to(cr, -26, side * 18);
        cairo_line_to(cr, -6, side * 8);
        cairo_close_path(cr);
        FillLit(cr, 0xFFE83A3A, -16, side * 10, 12);
        Outline(cr, 2, Ink);
    }
    cairo_move_to(cr, -22, -9);
    cairo_curve_to(cr, 0, -13, 20, -10, 30, 0);
    cairo_curve_to(cr, 20, 10, 0, 13, -22, 9);
    cairo_close_path(cr);
    FillLit(cr, 0xFFE8ECF8, 0, -2, 26);
    Outline(cr, 2.5, Ink);
    EllipsePath(cr, 6, 0, 5, 5);
    FillLit(cr, 0xFF5AB8FF, 6, 0, 5);
    Outline(cr, 2, Ink);
    cairo_restore(cr);
}

// Glowing eyes in the dark, looking out of somewhere.
void DarkEyes(cairo_t* cr, double X, double Y, double Size, uint32_t Colour) {
    for (int side = -1; side <= 1; side += 2) {
        ArtKit::Glow(cr, X + side * Size, Y, Size * 1.6, ArtKit::Rgb(Colour & 0xFFFFFF, 0.35));
        cairo_move_to(cr, X + side * Size - Size * 0.7, Y - side * Size * 0.2);
        cairo_curve_to(cr, X + side * Size, Y - Size * 0.6, X + side * Size + Size * 0.4, Y - Size * 0.3,
                       X + side * Size + Size * 0.7, Y + side * Size * 0.2);
        cairo_curve_to(cr, X + side * Size, Y + Size * 0.5, X + side * Size - Size * 0.5, Y + Size * 0.3,
                       X + side * Size - Size * 0.7, Y - side * Size * 0.2);
        cairo_close_path(cr);
        SetColour(cr, Colour);
        cairo_fill(cr);
        EllipsePath(cr, X + side * Size, Y, Size * 0.12, Size * 0.3);
        SetColour(cr, 0xFF100010);
        cairo_fill(cr);
    }
}

void Crystal(cairo_t* cr, double X, double Y, double Height, double Lean, uint32_t Colour) {
    ArtKit::Glow(cr, X, Y - Height * 0.4, Height * 0.9, ArtKit::Rgb(Colour & 0xFFFFFF, 0.4));
    cairo_move_to(cr, X - Height * 0.18, Y);
    cairo_line_to(cr, X - Height * 0.2 + Lean, Y - Height * 0.75);
    cairo_line_to(cr, X + Lean, Y - Height);
    cairo_line_to(cr, X + Height * 0.2 + Lean, Y - Height * 0.75);
    cairo_line_to(cr, X + Height * 0.18, Y);
    cairo_close_path(cr);
    FillVertical(cr, Shade(Colour, 0.6), Shade(Colour, -0.3), Y - Height, Y);
    Outline(cr, 1.5, Ink);
    cairo_move_to(cr, X + Lean * 0.5, Y - Height * 0.9);
    cairo_line_to(cr, X + Lean * 0.2, Y - Height * 0.1);
    Outline(cr, 1.2, 0x90FFFFFF);
}

void Planet(cairo_t* cr, const TCard& c) {
    cairo_save(cr);
    cairo_translate(cr, c.X, c.Y);
    ArtKit::PaintSpace(cr, static_cast<int>(c.W), static_cast<int>(c.H), 1101, 1.2);
    cairo_restore(cr);
    // A green planet rising from the lower right, with craters and a ring.
    const double px = c.X + c.W * 0.72;
    const double py = c.Y + c.H * 0.95;
    const double r = c.H * 0.62;
    ArtKit::Glow(cr, px, py, r * 1.3, ArtKit::Rgb(0x7CFF9A, 0.35));
    EllipsePath(cr, px, py, r, r);
    FillLit(cr, 0xFF4CC06A, px, py, r);
    Outline(cr, 2.5, Ink);
    ArtKit::TRandom random(77);
    cairo_save(cr);
    EllipsePath(cr, px, py, r, r);
    cairo_clip(cr);
    for (int i = 0; i < 7; ++i) {
        const double a = random.Range(Pi * 1.05, Pi * 1.95);
        const double d = random.Range(0.25, 0.85) * r;
        const double s = random.Range(5, 12);
        EllipsePath(cr, px + std::cos(a) * d, py + std::sin(a) * d, s, s * 0.6);
        SetColour(cr, 0xFF2E8A48);
        cairo_fill_preserve(cr);
        Outline(cr, 1.2, 0xFF1E5A30);
    }
    cairo_restore(cr);
    // The captain's rocket diving toward the planet, a monster saucer behind it.
    Rocket(cr, c.X + c.W * 0.36, c.Y + c.H * 0.42, 34, 0.45);
    const double sx = c.X + c.W * 0.16;
    const double sy = c.Y + c.H * 0.22;
    EllipsePath(cr, sx, sy - 5, 12, 10);
    FillLit(cr, 0xFF9AF0FF, sx, sy - 6, 12);
    Outline(cr, 2, Ink);
    EllipsePath(cr, sx, sy, 28, 8);
    FillLit(cr, 0xFFA35CDB, sx, sy, 28);
    Outline(cr, 2, Ink);
    DarkEyes(cr, sx, sy - 6, 4, 0xFFFFE04A);
    cairo_move_to(cr, sx + 22, sy + 6);
    cairo_line_to(cr, c.X + c.W * 0.36 - 8, c.Y + c.H * 0.42 - 10);
    cairo_line_to(cr, c.X + c.W * 0.36 - 2, c.Y + c.H * 0.42 + 12);
    cairo_close_path(cr);
    SetColour(cr, 0x50FFF080);
    cairo_fill(cr);
}

void Cave(cairo_t* cr, const TCard& c) {
    cairo_rectangle(cr, c.X, c.Y, c.W, c.H);
    FillVertical(cr, 0xFF1A0E2E, 0xFF3A2050, c.Y, c.Y + c.H);
    cairo_new_path(cr);
    // The mouth of the cave: a lighter hole at the back.
    EllipsePath(cr, c.X + c.W * 0.5, c.Y + c.H * 0.55, c.W * 0.28, c.H * 0.3);
    FillVertical(cr, 0xFF5A3A7A, 0xFF2A1840, c.Y + c.H * 0.25, c.Y + c.H * 0.85);
    cairo_new_path(cr);
    DarkEyes(cr, c.X + c.W * 0.5, c.Y + c.H * 0.5, 7, 0xFFFF5A3A);
    // Rock walls and stalactites.
    ArtKit::TRandom random(505);
    for (int i = 0; i < 9; ++i) {
        const double x = c.X + c.W * (i + 0.5) / 9;
        const double len = random.Range(0.12, 0.3) * c.H;
        cairo_move_to(cr, x - 12, c.Y);
        cairo_line_to(cr, x + random.Range(-4, 4), c.Y + len);
        cairo_line_to(cr, x + 12, c.Y);
        cairo_close_path(cr);
        FillVertical(cr, 0xFF4A3460, 0xFF2A1A3A, c.Y, c.Y + len);
        Outline(cr, 1.5, Ink);
    }
    cairo_move_to(cr, c.X, c.Y + c.H);
    cairo_curve_to(cr, c.X + c.W * 0.2, c.Y + c.H * 0.78, c.X + c.W * 0.8, c.Y + c.H * 0.82, c.X + c.W,
                   c.Y + c.H * 0.72);
    cairo_line_to(cr, c.X + c.W, c.Y + c.H);
    cairo_close_path(cr);
    FillVertical(cr, 0xFF4A2E5E, 0xFF24142E, c.Y + c.H * 0.72, c.Y + c.H);
    Outline(cr, 1.5, Ink);
    Crystal(cr, c.X + c.W * 0.14, c.Y + c.H * 0.93, c.H * 0.34, -4, 0xFF5AE8FF);
    Crystal(cr, c.X + c.W * 0.22, c.Y + c.H * 0.95, c.H * 0.22, 5, 0xFFB06AFF);
    Crystal(cr, c.X + c.W * 0.84, c.Y + c.H * 0.86, c.H * 0.3, 6, 0xFF6AFF9A);
    Crystal(cr, c.X + c.W * 0.76, c.Y + c.H * 0.9, c.H * 0.18, -3, 0xFF5AE8FF);
}

void Room(cairo_t* cr, const TCard& c) {
    cairo_rectangle(cr, c.X, c.Y, c.W, c.H);
    FillVertical(cr, 0xFF3A4A6A, 0xFF20283E, c.Y, c.Y + c.H);
    cairo_new_path(cr);
    // Wall panels with rivets.
    for (int i = 0; i < 4; ++i) {
        const double y = c.Y + c.H * i / 4;
        cairo_move_to(cr, c.X, y);
        cairo_line_to(cr, c.X + c.W, y);
        Outline(cr, 1.5, 0xFF1A2030);
        for (int k = 1; k < 4; ++k) {
            EllipsePath(cr, c.X + c.W * k / 4, y + 6, 1.8, 1.8);
            SetColour(cr, 0xFF8A9AB8);
            cairo_fill(cr);
        }
    }
    // A round window onto space, and a barred door below it.
    const double wx = c.X + c.W / 2;
    const double wy = c.Y + c.H * 0.26;
    const double wr = c.W * 0.3;
    cairo_save(cr);
    EllipsePath(cr, wx, wy, wr, wr);
    cairo_clip(cr);
    cairo_translate(cr, wx - wr, wy - wr);
    ArtKit::PaintSpace(cr, static_cast<int>(wr * 2), static_cast<int>(wr * 2), 909, 1.5);
    cairo_restore(cr);
    EllipsePath(cr, wx + wr * 0.3, wy + wr * 0.2, wr * 0.28, wr * 0.28);
    FillLit(cr, 0xFFFF9A4A, wx + wr * 0.3, wy + wr * 0.2, wr * 0.28);
    cairo_new_path(cr);
    EllipsePath(cr, wx, wy, wr, wr);
    Outline(cr, 6, 0xFF8A9AB8);
    EllipsePath(cr, wx, wy, wr + 3, wr + 3);
    Outline(cr, 1.5, Ink);
    Gloss(cr, wx - wr * 0.4, wy - wr * 0.4, wr * 0.3, wr * 0.2, 0.5);
    const double dx = c.X + c.W * 0.22;
    const double dy = c.Y + c.H * 0.5;
    RoundedRectPath(cr, dx, dy, c.W * 0.56, c.H * 0.46, 14);
    FillVertical(cr, 0xFF5A3A2A, 0xFF2A1A10, dy, dy + c.H * 0.46);
    Outline(cr, 2.5, Ink);
    for (int i = 1; i < 5; ++i) {
        const double x = dx + c.W * 0.56 * i / 5;
        cairo_move_to(cr, x, dy + 6);
        cairo_line_to(cr, x, dy + c.H * 0.46 - 4);
        Outline(cr, 4, 0xFFB8C0D8);
    }
    // The captain's cap peeks from behind the bars.
    EllipsePath(cr, dx + c.W * 0.28, dy + c.H * 0.2, 20, 9);
    FillLit(cr, 0xFFFFFFFF, dx + c.W * 0.28, dy + c.H * 0.2, 20);
    Outline(cr, 2, Ink);
    ArtKit::Star(cr, dx + c.W * 0.28, dy + c.H * 0.2, 5, 2.2, 5);
    SetColour(cr, 0xFFFFC83A);
    cairo_fill(cr);
    // A key hanging on the wall, out of reach.
    const double kx = c.X + c.W * 0.86;
    const double ky = c.Y + c.H * 0.58;
    EllipsePath(cr, kx, ky, 7, 7);
    Outline(cr, 4, 0xFFFFC83A);
    cairo_move_to(cr, kx, ky + 7);
    cairo_line_to(cr, kx, ky + 30);
    cairo_line_to(cr, kx + 6, ky + 30);
    cairo_move_to(cr, kx, ky + 22);
    cairo_line_to(cr, kx + 6, ky + 22);
    Outline(cr, 4, 0xFFFFC83A);
}

void Engine(cairo_t* cr, const TCard& c) {
    cairo_rectangle(cr, c.X, c.Y, c.W, c.H);
    FillVertical(cr, 0xFF2A2A3E, 0xFF141420, c.Y, c.Y + c.H);
    cairo_new_path(cr);
    const double cx = c.X + c.W / 2;
    const double cy = c.Y + c.H * 0.48;
    // Pipes running into the reactor.
    const uint32_t pipe = 0xFF8A94B0;
    for (int side = -1; side <= 1; side += 2) {
        for (int k = 0; k < 2; ++k) {
            const double y = cy - 30 + k * 60;
            cairo_move_to(cr, side < 0 ? c.X : c.X + c.W, y + side * 8);
            cairo_curve_to(cr, cx + side * 60, y + side * 8, cx + side * 40, y, cx + side * 26, y);
            Outline(cr, 12, Ink);
            cairo_move_to(cr, side < 0 ? c.X : c.X + c.W, y + side * 8);
            cairo_curve_to(cr, cx + side * 60, y + side * 8, cx + side * 40, y, cx + side * 26, y);
            Outline(cr, 8, pipe);
        }
    }
    // The glowing core in its housing.
    ArtKit::Glow(cr, cx, cy, c.W * 0.55, ArtKit::Rgb(0x5AE8FF, 0.45));
    RoundedRectPath(cr, cx - 34, cy - 60, 68, 120, 20);
    FillVertical(cr, 0xFF6A7490, 0xFF3A4058, cy - 60, cy + 60);
    Outline(cr, 2.5, Ink);
    EllipsePath(cr, cx, cy, 24, 44);
    cairo_pattern_t* core = cairo_pattern_create_radial(cx, cy, 2, cx, cy, 44);
    AddStop(core, 0, 0xFFFFFFFF);
    AddStop(core, 0.35, 0xFF9AF8FF);
    AddStop(core, 1, 0xFF1A8AD8);
    cairo_set_source(cr, core);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(core);
    Outline(cr, 2, Ink);
    for (int i = 0; i < 4; ++i) {
        ArtKit::Sparkle(cr, cx + (i % 2 ? 12 : -10), cy - 30 + i * 18, 6, 0.9);
    }
    // Gauges with their needles in the red.
    for (int side = -1; side <= 1; side += 2) {
        const double gx = cx + side * c.W * 0.32;
        const double gy = c.Y + c.H * 0.84;
        EllipsePath(cr, gx, gy, 15, 15);
        FillLit(cr, 0xFFF0F0E8, gx, gy, 15);
        Outline(cr, 2.5, Ink);
        cairo_arc(cr, gx, gy, 11, Pi * 1.6, Pi * 1.95);
        Outline(cr, 3, 0xFFE83030);
        cairo_move_to(cr, gx, gy);
        cairo_line_to(cr, gx + 10 * std::cos(Pi * 1.85), gy + 10 * std::sin(Pi * 1.85));
        Outline(cr, 2, Ink);
    }
}

using TPainter = void (*)(cairo_t*, const TCard&);
constexpr TPainter Painters[] = {&Planet, &Cave, &Room, &Engine};

} // namespace

TPicture Paint(int Index) {
    const TSpritePlacement& at = Pictures[Index].Placement;
    return DrawPicture(at.Width, at.Height, [&](cairo_t* cr) {
        UsePlacement(cr, at);
        const TCard c = CardOf(at);
        cairo_save(cr);
        RoundedRectPath(cr, c.X, c.Y, c.W, c.H, 10);
        cairo_clip(cr);
        Painters[Index](cr, c);
        cairo_restore(cr);
        // A frame like the panel's, with a shine across the top.
        RoundedRectPath(cr, c.X, c.Y, c.W, c.H, 10);
        Outline(cr, 4, 0xFFFFD86A);
        RoundedRectPath(cr, c.X - 2, c.Y - 2, c.W + 4, c.H + 4, 12);
        Outline(cr, 1.5, Ink);
    });
}

} // namespace StoryPictures
