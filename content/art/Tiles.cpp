// SPDX-License-Identifier: MIT
#include "content/art/ArtKit.h"
#include "content/art/ArtModules.h"

#include <array>
#include <cmath>

using namespace ArtKit;

namespace {

// A tile is drawn centred on the cell's middle (cell corner + (20, 21)), under the gem,
// one pattern per chapter.
constexpr int TileSize = 44;

struct TMaterial {
    uint32_t Light;
    uint32_t Dark;
    uint32_t Rim;
};

// Chapter 1 icy steel, 2 amber cave stone, 3 green circuit plate, 4 violet crystal.
constexpr TMaterial Materials[] = {
    {0x9ad8ff, 0x2a5a9a, 0xd8f0ff},
    {0xffc070, 0x8a4a10, 0xffe0a0},
    {0x80f0a0, 0x1a6a3a, 0xc0ffd0},
    {0xd0a0ff, 0x5a2a9a, 0xf0d8ff},
};

TPicture DrawTile(int Chapter) {
    const TMaterial& m = Materials[Chapter];
    return DrawPicture(TileSize, TileSize, [&](cairo_t* cr) {
        // Bevelled rim: light from the upper left, shade on the lower right.
        RoundedRect(cr, 1, 1, 42, 42, 7);
        cairo_pattern_t* rim = cairo_pattern_create_linear(0, 0, 44, 44);
        AddStop(rim, 0, Rgb(m.Rim));
        AddStop(rim, 0.5, Rgb(m.Light));
        AddStop(rim, 1, Shade(Rgb(m.Dark), -0.4));
        cairo_set_source(cr, rim);
        cairo_fill(cr);
        cairo_pattern_destroy(rim);
        RoundedRect(cr, 5, 5, 34, 34, 5);
        cairo_pattern_t* face = cairo_pattern_create_radial(22, 22, 2, 22, 22, 26);
        AddStop(face, 0, Rgb(m.Light, 1));
        AddStop(face, 1, Rgb(m.Dark, 1));
        cairo_set_source(cr, face);
        cairo_fill(cr);
        cairo_pattern_destroy(face);
        // The chapter's texture on the face.
        cairo_set_line_width(cr, 1.0);
        SetColour(cr, WithAlpha(Rgb(m.Rim), 0.45));
        switch (Chapter) {
        case 0:
            for (const double x : {9.0, 35.0}) {
                for (const double y : {9.0, 35.0}) {
                    cairo_new_sub_path(cr);
                    cairo_arc(cr, x, y, 1.6, 0, 2 * M_PI);
                }
            }
            cairo_fill(cr);
            break;
        case 1:
            cairo_move_to(cr, 8, 16);
            cairo_line_to(cr, 18, 20);
            cairo_line_to(cr, 22, 30);
            cairo_move_to(cr, 18, 20);
            cairo_line_to(cr, 32, 12);
            cairo_stroke(cr);
            break;
        case 2:
            cairo_move_to(cr, 8, 14);
            cairo_line_to(cr, 16, 14);
            cairo_line_to(cr, 22, 20);
            cairo_line_to(cr, 36, 20);
            cairo_move_to(cr, 8, 30);
            cairo_line_to(cr, 28, 30);
            cairo_line_to(cr, 32, 34);
            cairo_stroke(cr);
            cairo_arc(cr, 36, 20, 1.8, 0, 2 * M_PI);
            cairo_fill(cr);
            break;
        default:
            Polygon(cr, 22, 22, 14, 6, M_PI / 6);
            cairo_move_to(cr, 22, 8);
            cairo_line_to(cr, 22, 36);
            cairo_stroke(cr);
            break;
        }
        RoundedRect(cr, 1.5, 1.5, 41, 41, 7);
        SetColour(cr, Shade(Rgb(m.Dark), -0.5));
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
    });
}

// A bracket at each corner of the cell reaching Reach pixels in along both edges: a line of
// Colour, Width wide, on a dark outline two pixels wider.
void CornerBrackets(cairo_t* cr, double Reach, double Width, const TColour& Colour) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (const double x : {1.5, 42.5}) {
        for (const double y : {1.5, 42.5}) {
            const double dx = x < 22 ? 1 : -1;
            const double dy = y < 22 ? 1 : -1;
            cairo_move_to(cr, x + dx * Reach, y);
            cairo_line_to(cr, x, y);
            cairo_line_to(cr, x, y + dy * Reach);
        }
    }
    SetColour(cr, Rgb(0x1a0c30, 0.9));
    cairo_set_line_width(cr, Width + 2.0);
    cairo_stroke_preserve(cr);
    SetColour(cr, Colour);
    cairo_set_line_width(cr, Width);
    cairo_stroke(cr);
}

// The mark round a selected piece, drawn over the cell at its corner: a gold frame with a
// dark outline (so it reads on every tile set), a bright inner line and a bracket at each
// corner, the way the menu panels are trimmed.
TPicture DrawSelectionMark() {
    return DrawPicture(TileSize, TileSize, [](cairo_t* cr) {
        RoundedRect(cr, 2.5, 2.5, 39, 39, 8);
        SetColour(cr, Rgb(0x1a0c30, 0.85));
        cairo_set_line_width(cr, 5.0);
        cairo_stroke(cr);
        RoundedRect(cr, 2.5, 2.5, 39, 39, 8);
        cairo_pattern_t* gold = cairo_pattern_create_linear(0, 0, 0, TileSize);
        AddStop(gold, 0, Rgb(0xfff2a0));
        AddStop(gold, 0.5, Rgb(0xffc040));
        AddStop(gold, 1, Rgb(0xe87818));
        cairo_set_source(cr, gold);
        cairo_set_line_width(cr, 3.0);
        cairo_stroke(cr);
        cairo_pattern_destroy(gold);
        RoundedRect(cr, 5, 5, 34, 34, 6);
        SetColour(cr, Rgb(0xffffff, 0.55));
        cairo_set_line_width(cr, 1.0);
        cairo_stroke(cr);
        CornerBrackets(cr, 11, 2.0, Rgb(0xffffff));
    });
}

// The keyboard's cell: white brackets on a cyan frame with a dark outline, unlike the gold
// mark of a selected piece, so both read when they share a cell.
TPicture DrawBoardCursor() {
    return DrawPicture(TileSize, TileSize, [](cairo_t* cr) {
        RoundedRect(cr, 1.5, 1.5, 41, 41, 9);
        SetColour(cr, Rgb(0x1a0c30, 0.85));
        cairo_set_line_width(cr, 3.0);
        cairo_stroke(cr);
        RoundedRect(cr, 1.5, 1.5, 41, 41, 9);
        SetColour(cr, Rgb(0x40e8ff));
        cairo_set_line_width(cr, 1.6);
        cairo_set_dash(cr, std::array<double, 2>{5.0, 3.0}.data(), 2, 0);
        cairo_stroke(cr);
        cairo_set_dash(cr, nullptr, 0, 0);
        CornerBrackets(cr, 8, 3.0, Rgb(0x40e8ff));
    });
}

// The hint's mark: a warm halo with a bright gold ring, drawn over a piece and pulsed by the
// game so the two pieces of the hinted swap catch the eye.
TPicture DrawHintGlow() {
    return DrawPicture(TileSize, TileSize, [](cairo_t* cr) {
        // A ring of light with a clear middle, so the piece itself stays readable.
        cairo_pattern_t* halo = cairo_pattern_create_radial(22, 22, 0, 22, 22, 22);
        AddStop(halo, 0, Rgb(0xffe070, 0));
        AddStop(halo, 0.5, Rgb(0xffe070, 0));
        AddStop(halo, 0.82, Rgb(0xfff0a0, 1.0));
        AddStop(halo, 1, Rgb(0xffe070, 0));
        cairo_set_source(cr, halo);
        cairo_paint(cr);
        cairo_pattern_destroy(halo);
        cairo_arc(cr, 22, 22, 19, 0, 2 * M_PI);
        SetColour(cr, Rgb(0x1a0c30, 0.85));
        cairo_set_line_width(cr, 5.0);
        cairo_stroke(cr);
        cairo_arc(cr, 22, 22, 19, 0, 2 * M_PI);
        SetColour(cr, Rgb(0xffd040));
        cairo_set_line_width(cr, 3.0);
        cairo_stroke(cr);
        Sparkle(cr, 35, 8, 7, 1.0);
        Sparkle(cr, 9, 36, 5, 0.9);
    });
}

} // namespace

void AddTileImages(TManifest& Manifest) {
    std::vector<TPicture> patterns;
    for (int chapter = 0; chapter < 4; ++chapter) {
        patterns.push_back(DrawTile(chapter));
    }
    Manifest.AddImage(TArchiveId::Data, "podlogki", std::move(patterns));
    Manifest.AddImage(TArchiveId::Data, "selection", {DrawSelectionMark()});
    Manifest.AddImage(TArchiveId::Data, "boardcursor", {DrawBoardCursor()});
    Manifest.AddImage(TArchiveId::Data, "hintglow", {DrawHintGlow()});
}
