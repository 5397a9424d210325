// SPDX-License-Identifier: MIT
#include "content/art/ArtKit.h"
#include "content/art/ArtModules.h"

#include <cmath>
#include <initializer_list>
#include <utility>

using namespace ArtKit;

namespace {

// The board's cells: 8 x 8 cells of 44 px from (222, 138); the frame is drawn at (202, 120).
constexpr int Cell = 44;
constexpr int Cells = 8;
constexpr int BoardLeft = 222;
constexpr int BoardTop = 138;
constexpr int FrameX = 202;
constexpr int FrameY = 120;
// The well's corner inside the frame picture.
constexpr int WellX = BoardLeft - FrameX;
constexpr int WellY = BoardTop - FrameY;
constexpr int WellSize = Cell * Cells;
constexpr int FrameWidth = WellSize + 2 * WellX;
constexpr int FrameHeight = WellSize + WellY + 22;

// The lower scene background from y 281 to the bottom of the 800 x 600 screen.
constexpr int SceneTop = 281;
constexpr int ScreenWidth = 800;
constexpr int ScreenHeight = 600;

// The upper panel at (172, 0) holds the level target centred on (385, 56).
constexpr int UpX = 172;
constexpr int UpWidth = 2 * (385 - UpX);
constexpr int UpHeight = 112;
constexpr double TargetCx = 385 - UpX;
constexpr double TargetCy = 56;

// The lower panel at (39, 500) and what sits on it, in screen coordinates.
constexpr int DownX = 39;
constexpr int DownY = 500;
constexpr int DownWidth = 584;
constexpr int DownHeight = 100;

// The progress bar's area (the "progressbar" picture is stretched over it).
constexpr int BarLeft = 495;
constexpr int BarTop = 540;
constexpr int BarLength = 110;
constexpr int BarHeight = 24;

const TColour Gold = Rgb(0xffc040);
const TColour Amber = Rgb(0xe07a10);
const TColour Umber = Rgb(0x6a2a08);

// A warm metallic bar with a highlight, filled into the current path.
void WarmMetal(cairo_t* cr, double Y0, double Y1) {
    cairo_pattern_t* g = cairo_pattern_create_linear(0, Y0, 0, Y1);
    AddStop(g, 0, Rgb(0xffe8a0));
    AddStop(g, 0.25, Gold);
    AddStop(g, 0.7, Amber);
    AddStop(g, 1, Umber);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    cairo_set_source_rgba(cr, 0.25, 0.08, 0.02, 0.95);
    cairo_set_line_width(cr, 2);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

// A rounded window filled with a vertical gradient of Stops and edged with a rim.
void Window(cairo_t* cr, double X, double Y, double W, double H, double R,
            std::initializer_list<std::pair<double, TColour>> Stops, const TColour& Rim, double RimWidth) {
    RoundedRect(cr, X, Y, W, H, R);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, Y, 0, Y + H);
    for (const auto& [offset, colour] : Stops) {
        AddStop(g, offset, colour);
    }
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    SetColour(cr, Rim);
    cairo_set_line_width(cr, RimWidth);
    cairo_stroke(cr);
}

// A sunken dark slot for text or pictures.
void Slot(cairo_t* cr, double X, double Y, double W, double H, double R) {
    Window(cr, X, Y, W, H, R, {{0, Rgb(0x0a0620)}, {1, Rgb(0x2a1a5a)}}, TColour{1, 0.9, 0.6, 0.7}, 1.5);
}

// A lit read-out window: the red figures of the stage, the score and the clock read on it.
void Display(cairo_t* cr, double X, double Y, double W, double H, double R) {
    Window(cr, X, Y, W, H, R, {{0, Rgb(0xd8c89a)}, {0.25, Rgb(0xfff8e0)}, {1, Rgb(0xf2e2b4)}},
           TColour{0.35, 0.12, 0.02, 0.9}, 2);
}

void Bolt(cairo_t* cr, double X, double Y) {
    cairo_arc(cr, X, Y, 3.2, 0, 2 * M_PI);
    WarmMetal(cr, Y - 3, Y + 3);
    cairo_move_to(cr, X - 1.8, Y);
    cairo_line_to(cr, X + 1.8, Y);
    cairo_set_source_rgba(cr, 0.3, 0.1, 0, 0.8);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

TPicture DrawBoardFrame() {
    return DrawPicture(FrameWidth, FrameHeight, [](cairo_t* cr) {
        SoftShadow(
            cr, [&] { RoundedRect(cr, 4, 4, FrameWidth - 8, FrameHeight - 8, 18); }, 0, 4, 5, 0.5);
        // Frame ring: the outer rounded plate minus the well.
        RoundedRect(cr, 3, 3, FrameWidth - 6, FrameHeight - 6, 18);
        RoundedRect(cr, WellX - 4, WellY - 4, WellSize + 8, WellSize + 8, 8);
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
        WarmMetal(cr, 0, FrameHeight);
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
        // The well: dark and translucent, so the turning space shows faintly behind the gems.
        RoundedRect(cr, WellX - 4, WellY - 4, WellSize + 8, WellSize + 8, 8);
        cairo_pattern_t* well = cairo_pattern_create_linear(0, WellY, 0, WellY + WellSize);
        AddStop(well, 0, Rgb(0x0a0828, 0.80));
        AddStop(well, 1, Rgb(0x1a1040, 0.72));
        cairo_set_source(cr, well);
        cairo_fill(cr);
        cairo_pattern_destroy(well);
        // A faint checker of the cells helps the eye follow rows and columns.
        for (int r = 0; r < Cells; ++r) {
            for (int c = 0; c < Cells; ++c) {
                if ((r + c) % 2 == 0) {
                    cairo_rectangle(cr, WellX + c * Cell, WellY + r * Cell, Cell, Cell);
                }
            }
        }
        cairo_set_source_rgba(cr, 0.55, 0.5, 1.0, 0.07);
        cairo_fill(cr);
        // Inner lip: shadow on top, light at the bottom.
        RoundedRect(cr, WellX - 4, WellY - 4, WellSize + 8, WellSize + 8, 8);
        cairo_pattern_t* lip = cairo_pattern_create_linear(0, WellY - 4, 0, WellY + WellSize + 4);
        AddStop(lip, 0, {0, 0, 0, 0.8});
        AddStop(lip, 1, {1, 0.9, 0.6, 0.8});
        cairo_set_source(cr, lip);
        cairo_set_line_width(cr, 2.5);
        cairo_stroke(cr);
        cairo_pattern_destroy(lip);
        // Gloss along the top edge and bolts at the corners.
        RoundedRect(cr, 10, 6, FrameWidth - 20, 8, 4);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.35);
        cairo_fill(cr);
        for (const double x : {11.0, FrameWidth - 11.0}) {
            for (const double y : {11.0, FrameHeight - 11.0}) {
                Bolt(cr, x, y);
            }
        }
        for (int i = 1; i < 4; ++i) {
            Bolt(cr, FrameWidth * i / 4.0, FrameHeight - 10.0);
        }
    });
}

TPicture DrawBackgame() {
    const int height = ScreenHeight - SceneTop;
    return DrawPicture(ScreenWidth, height, [&](cairo_t* cr) {
        // A ship's deck seen through the panels: a violet hall under a glowing horizon; the
        // top fades out so the turning space above shows through.
        cairo_rectangle(cr, 0, 0, ScreenWidth, height);
        cairo_pattern_t* hall = cairo_pattern_create_linear(0, 0, 0, height);
        AddStop(hall, 0, Rgb(0x2a1660, 0.0));
        AddStop(hall, 0.12, Rgb(0x2a1660, 0.85));
        AddStop(hall, 0.3, Rgb(0x241450));
        AddStop(hall, 1, Rgb(0x0c0824));
        cairo_set_source(cr, hall);
        cairo_fill(cr);
        cairo_pattern_destroy(hall);
        // Horizon glow line.
        cairo_rectangle(cr, 0, 58, ScreenWidth, 3);
        cairo_set_source_rgba(cr, 1, 0.7, 0.3, 0.6);
        cairo_fill(cr);
        Glow(cr, 400, 60, 380, Rgb(0xff8a40, 0.18));
        // Floor in perspective: lines running to a vanishing point in the middle.
        cairo_set_line_width(cr, 1.5);
        for (int i = -10; i <= 10; ++i) {
            cairo_move_to(cr, 400 + i * 12, 61);
            cairo_line_to(cr, 400 + i * 110, height);
        }
        for (int j = 1; j < 7; ++j) {
            const double y = 61 + (height - 61) * std::pow(j / 7.0, 1.6);
            cairo_move_to(cr, 0, y);
            cairo_line_to(cr, ScreenWidth, y);
        }
        cairo_set_source_rgba(cr, 0.55, 0.45, 1.0, 0.22);
        cairo_stroke(cr);
        // Glowing floor lamps along the horizon; the sides stay clear for the faces.
        for (int i = 0; i < 9; ++i) {
            const double x = 40 + i * 90.0;
            Glow(cr, x, 61, 16, Rgb(i % 2 == 0 ? 0xffb060 : 0x80c0ff, 0.7));
        }
        // Vignette toward the bottom corners.
        cairo_rectangle(cr, 0, 0, ScreenWidth, height);
        cairo_pattern_t* v = cairo_pattern_create_radial(400, 60, 200, 400, 60, 560);
        AddStop(v, 0, {0, 0, 0, 0});
        AddStop(v, 1, {0, 0, 0.05, 0.55});
        cairo_set_source(cr, v);
        cairo_fill(cr);
        cairo_pattern_destroy(v);
    });
}

TPicture DrawUpPanel() {
    return DrawPicture(UpWidth, UpHeight, [](cairo_t* cr) {
        // A hanging plate with a round socket in the middle for the level target.
        const auto outline = [&] {
            cairo_new_path(cr);
            cairo_move_to(cr, 4, 0);
            cairo_line_to(cr, UpWidth - 4, 0);
            cairo_line_to(cr, UpWidth - 4, 40);
            cairo_curve_to(cr, UpWidth - 4, 60, UpWidth - 30, 66, UpWidth - 80, 66);
            cairo_line_to(cr, TargetCx + 70, 66);
            cairo_curve_to(cr, TargetCx + 50, 66, TargetCx + 40, UpHeight - 4, TargetCx, UpHeight - 4);
            cairo_curve_to(cr, TargetCx - 40, UpHeight - 4, TargetCx - 50, 66, TargetCx - 70, 66);
            cairo_line_to(cr, 80, 66);
            cairo_curve_to(cr, 30, 66, 4, 60, 4, 40);
            cairo_close_path(cr);
        };
        SoftShadow(cr, outline, 0, 3, 3, 0.5);
        outline();
        WarmMetal(cr, 0, UpHeight);
        cairo_arc(cr, TargetCx, TargetCy, 40, 0, 2 * M_PI);
        cairo_pattern_t* socket =
            cairo_pattern_create_radial(TargetCx, TargetCy - 8, 4, TargetCx, TargetCy, 40);
        AddStop(socket, 0, Rgb(0x3a2a8a));
        AddStop(socket, 1, Rgb(0x0a0620));
        cairo_set_source(cr, socket);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(socket);
        cairo_set_source_rgba(cr, 1, 0.95, 0.7, 0.9);
        cairo_set_line_width(cr, 2.5);
        cairo_stroke(cr);
        // Indicator lamps along the wings, in a dark strip.
        for (const double x : {24.0, UpWidth - 140.0}) {
            RoundedRect(cr, x, 20, 116, 20, 10);
            cairo_set_source_rgba(cr, 0.12, 0.05, 0.2, 0.85);
            cairo_fill_preserve(cr);
            cairo_set_source_rgba(cr, 1, 0.9, 0.6, 0.7);
            cairo_set_line_width(cr, 1.2);
            cairo_stroke(cr);
        }
        const uint32_t lamps[] = {0x60ff90, 0xffd040, 0x60c0ff, 0xff6060};
        for (int i = 0; i < 4; ++i) {
            for (const double x : {40.0 + i * 28, UpWidth - 124.0 + i * 28}) {
                Glow(cr, x, 30, 10, Rgb(lamps[i], 0.8));
                cairo_arc(cr, x, 30, 4, 0, 2 * M_PI);
                SetColour(cr, Shade(Rgb(lamps[i]), 0.5));
                cairo_fill(cr);
            }
        }
        RoundedRect(cr, 12, 6, UpWidth - 24, 6, 3);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.35);
        cairo_fill(cr);
        Bolt(cr, 14, 48);
        Bolt(cr, UpWidth - 14, 48);
    });
}

TPicture DrawDownPanel() {
    return DrawPicture(DownWidth, DownHeight, [](cairo_t* cr) {
        const auto outline = [&] { RoundedRect(cr, 3, 3, DownWidth - 6, DownHeight + 20, 20); };
        SoftShadow(cr, outline, 0, -2, 3, 0.5);
        outline();
        WarmMetal(cr, 0, DownHeight);
        RoundedRect(cr, 14, 6, DownWidth - 28, 6, 3);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.35);
        cairo_fill(cr);
        // Element socket (the element picture lies at (50, 507)), then the stage, score,
        // clock and progress bar slots, each centred where its text is drawn.
        const double ox = -DownX;
        const double oy = -DownY;
        Slot(cr, 47 + ox, 504 + oy, 82, 82, 12);
        Display(cr, 186 + ox, 540 + oy, 42, 30, 7);
        Display(cr, 234 + ox, 540 + oy, 90, 28, 7);
        Display(cr, 352 + ox, 530 + oy, 86, 32, 7);
        Slot(cr, BarLeft - 4 + ox, BarTop - 4 + oy, BarLength + 8, BarHeight + 8, 9);
        // A small clock face beside the time.
        const double cx = 340 + ox;
        const double cy = 546 + oy;
        cairo_arc(cr, cx, cy, 9, 0, 2 * M_PI);
        cairo_set_source_rgb(cr, 1, 0.98, 0.9);
        cairo_fill_preserve(cr);
        cairo_set_source_rgb(cr, 0.35, 0.12, 0.02);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
        cairo_move_to(cr, cx, cy);
        cairo_line_to(cr, cx, cy - 6);
        cairo_move_to(cr, cx, cy);
        cairo_line_to(cr, cx + 4, cy);
        cairo_stroke(cr);
        // Small tags over the stage and score slots.
        for (const double x : {207.0, 279.0}) {
            Star(cr, x + ox, 532 + oy, 5, 2.2, 5);
            cairo_set_source_rgba(cr, 1, 0.95, 0.6, 0.9);
            cairo_fill(cr);
        }
        // A groove under the slots and bolts clear of the element socket.
        RoundedRect(cr, 140, 80, DownWidth - 160, 4, 2);
        cairo_set_source_rgba(cr, 0.35, 0.12, 0.0, 0.45);
        cairo_fill(cr);
        RoundedRect(cr, 140, 84, DownWidth - 160, 2, 1);
        cairo_set_source_rgba(cr, 1, 0.95, 0.7, 0.5);
        cairo_fill(cr);
        Bolt(cr, 130, 80);
        Bolt(cr, DownWidth - 16, 80);
        Bolt(cr, DownWidth - 16, 24);
    });
}

TPicture DrawProgressBar() {
    return DrawPicture(BarLength, BarHeight, [](cairo_t* cr) {
        // Only vertical shading: the bar is stretched sideways as it grows.
        cairo_rectangle(cr, 0, 0, BarLength, BarHeight);
        cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, BarHeight);
        AddStop(g, 0, Rgb(0xe0ffb0));
        AddStop(g, 0.35, Rgb(0x7ae030));
        AddStop(g, 0.65, Rgb(0x3aa020));
        AddStop(g, 1, Rgb(0x1a6010));
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
        cairo_rectangle(cr, 0, 3, BarLength, 5);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.45);
        cairo_fill(cr);
        cairo_rectangle(cr, 0, 0.5, BarLength, BarHeight - 1);
        cairo_set_source_rgba(cr, 0.05, 0.2, 0, 0.8);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
    });
}

} // namespace

void AddPanelImages(TManifest& Manifest) {
    Manifest.AddImage(TArchiveId::Data, "board", {DrawBoardFrame()});
    Manifest.AddImage(TArchiveId::Data, "backgame", {DrawBackgame()});
    Manifest.AddImage(TArchiveId::Data, "UpPanel", {DrawUpPanel()});
    Manifest.AddImage(TArchiveId::Data, "DownPanel", {DrawDownPanel()});
    Manifest.AddImage(TArchiveId::Data, "progressbar", {DrawProgressBar()});
}
