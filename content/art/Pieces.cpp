// SPDX-License-Identifier: MIT
#include "content/art/ArtKit.h"
#include "content/art/ArtModules.h"

#include <cmath>
#include <string>

using namespace ArtKit;

namespace {

// A piece is drawn with its top-left on the cell corner; the bonus icon sits at the cell
// corner plus (20, 21), so the gem is centred there too.
constexpr int CellSize = 44;
constexpr double GemX = 20.0;
constexpr double GemY = 21.0;
constexpr int PiecePatterns = 8;

enum class TShape { Circle, Triangle, Square, Rhomb, Pentagon, Hexagon };
// The inner cut, so gems of one shape differ by more than colour.
enum class TCut { Table, Ring, Star, Cross, Dots };

struct TPieceKind {
    const char* Name;
    TShape Shape;
    uint32_t Colour;
    TCut Cut;
};

// In the order of the piece kinds 0..15.
constexpr TPieceKind Kinds[] = {
    {"AquaPentagon", TShape::Pentagon, 0x2fe0d8, TCut::Table},
    {"FuchsiaCircle", TShape::Circle, 0xf03cc8, TCut::Ring},
    {"YellowHexagon", TShape::Hexagon, 0xffd21e, TCut::Table},
    {"RedCircle", TShape::Circle, 0xee2a2a, TCut::Star},
    {"GreenCircle", TShape::Circle, 0x2ec43a, TCut::Cross},
    {"SkyBlueRhomb", TShape::Rhomb, 0x5cc0ff, TCut::Table},
    {"LiteMaroonHexagon", TShape::Hexagon, 0xc0505a, TCut::Ring},
    {"ClaretSquare", TShape::Square, 0x9a1040, TCut::Table},
    {"LimeHexagon", TShape::Hexagon, 0xa6f020, TCut::Star},
    {"OliveRhomb", TShape::Rhomb, 0x9a9a28, TCut::Cross},
    {"BlueHexagon", TShape::Hexagon, 0x2a50e8, TCut::Cross},
    {"OrangeTriangle", TShape::Triangle, 0xff8a1a, TCut::Table},
    {"PurplePentagon", TShape::Pentagon, 0x8a3ae0, TCut::Star},
    {"SandCircle", TShape::Circle, 0xe0c08a, TCut::Dots},
    {"TealTriangle", TShape::Triangle, 0x1a9a90, TCut::Ring},
    {"YellowSquare", TShape::Square, 0xffe040, TCut::Star},
};

// The gem's outline at scale S (1 = full size) around the gem centre.
void ShapePath(cairo_t* cr, TShape Shape, double S) {
    const double r = 18.0 * S;
    switch (Shape) {
    case TShape::Circle:
        cairo_new_sub_path(cr);
        cairo_arc(cr, GemX, GemY, r * 0.95, 0, 2 * M_PI);
        break;
    case TShape::Triangle:
        Polygon(cr, GemX, GemY + 2.5 * S, r * 1.18, 3);
        break;
    case TShape::Square:
        RoundedRect(cr, GemX - r * 0.84, GemY - r * 0.84, r * 1.68, r * 1.68, 4.0 * S);
        break;
    case TShape::Rhomb:
        cairo_new_sub_path(cr);
        cairo_move_to(cr, GemX, GemY - r * 1.08);
        cairo_line_to(cr, GemX + r * 0.82, GemY);
        cairo_line_to(cr, GemX, GemY + r * 1.08);
        cairo_line_to(cr, GemX - r * 0.82, GemY);
        cairo_close_path(cr);
        break;
    case TShape::Pentagon:
        Polygon(cr, GemX, GemY + 1.0 * S, r * 1.02, 5);
        break;
    case TShape::Hexagon:
        Polygon(cr, GemX, GemY, r * 1.0, 6, M_PI / 6);
        break;
    }
}

void PaintCut(cairo_t* cr, const TPieceKind& Kind, const TColour& Base) {
    const TColour light = Shade(Base, 0.55);
    cairo_set_line_width(cr, 1.0);
    switch (Kind.Cut) {
    case TCut::Table: {
        ShapePath(cr, Kind.Shape, 0.52);
        cairo_pattern_t* g = cairo_pattern_create_linear(GemX - 8, GemY - 8, GemX + 8, GemY + 8);
        AddStop(g, 0, WithAlpha(light, 0.95));
        AddStop(g, 1, WithAlpha(Base, 0.6));
        cairo_set_source(cr, g);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(g);
        SetColour(cr, WithAlpha(Shade(Base, 0.8), 0.7));
        cairo_stroke(cr);
        break;
    }
    case TCut::Ring:
        cairo_arc(cr, GemX, GemY, 8.5, 0, 2 * M_PI);
        SetColour(cr, WithAlpha(Shade(Base, -0.45), 0.55));
        cairo_set_line_width(cr, 3.2);
        cairo_stroke(cr);
        cairo_arc(cr, GemX - 0.6, GemY - 0.6, 8.5, M_PI * 1.0, M_PI * 1.6);
        SetColour(cr, WithAlpha(light, 0.9));
        cairo_set_line_width(cr, 1.4);
        cairo_stroke(cr);
        break;
    case TCut::Star:
        Star(cr, GemX, GemY + (Kind.Shape == TShape::Pentagon ? 1 : 0), 10.5, 4.5, 5);
        FillVertical(cr, GemY - 10, GemY + 10, WithAlpha(light, 0.95), WithAlpha(Base, 0.7));
        SetColour(cr, WithAlpha(Shade(Base, -0.4), 0.6));
        cairo_stroke(cr);
        break;
    case TCut::Cross: {
        // A plus as one outline, so its edge is stroked without inner seams.
        const double a = 3.2;
        const double b = 10.5;
        const double pts[][2] = {{-a, -b}, {a, -b}, {a, -a}, {b, -a}, {b, a},   {a, a},
                                 {a, b},   {-a, b}, {-a, a}, {-b, a}, {-b, -a}, {-a, -a}};
        cairo_new_sub_path(cr);
        for (const auto& p : pts) {
            cairo_line_to(cr, GemX + p[0], GemY + p[1]);
        }
        cairo_close_path(cr);
    }
        FillVertical(cr, GemY - 10, GemY + 10, WithAlpha(light, 0.95), WithAlpha(Base, 0.7));
        SetColour(cr, WithAlpha(Shade(Base, -0.5), 0.75));
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
        break;
    case TCut::Dots:
        for (int i = 0; i < 5; ++i) {
            const double a = -M_PI / 2 + 2 * M_PI * i / 5;
            cairo_new_sub_path(cr);
            cairo_arc(cr, GemX + 7.5 * std::cos(a), GemY + 7.5 * std::sin(a), 2.6, 0, 2 * M_PI);
        }
        cairo_new_sub_path(cr);
        cairo_arc(cr, GemX, GemY, 3.0, 0, 2 * M_PI);
        SetColour(cr, WithAlpha(Shade(Base, -0.5), 0.6));
        cairo_fill(cr);
        break;
    }
}

// Pattern 0 rests; 1..7 sweep a glint across the gem and pulse its glow a little.
TPicture DrawPiece(const TPieceKind& Kind, int Pattern) {
    return DrawPicture(CellSize, CellSize, [&](cairo_t* cr) {
        const TColour base = Rgb(Kind.Colour);
        SoftShadow(
            cr, [&] { ShapePath(cr, Kind.Shape, 1.0); }, 1.0, 1.8, 1.6, 0.45);

        ShapePath(cr, Kind.Shape, 1.0);
        cairo_pattern_t* body = cairo_pattern_create_radial(GemX - 6, GemY - 7, 1, GemX, GemY, 22);
        AddStop(body, 0, Shade(base, 0.6));
        AddStop(body, 0.45, base);
        AddStop(body, 1, Shade(base, -0.55));
        cairo_set_source(cr, body);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(body);
        // Dark rim keeps the silhouette readable on any tile.
        SetColour(cr, Shade(base, -0.65));
        cairo_set_line_width(cr, 1.4);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke(cr);

        cairo_save(cr);
        ShapePath(cr, Kind.Shape, 1.0);
        cairo_clip(cr);
        PaintCut(cr, Kind, base);
        // Gloss: a bright cap on the upper left.
        cairo_save(cr);
        cairo_translate(cr, GemX - 4, GemY - 8);
        cairo_scale(cr, 1.0, 0.6);
        cairo_arc(cr, 0, 0, 10, 0, 2 * M_PI);
        cairo_restore(cr);
        cairo_pattern_t* gloss = cairo_pattern_create_linear(0, GemY - 15, 0, GemY - 2);
        AddStop(gloss, 0, {1, 1, 1, 0.85});
        AddStop(gloss, 1, {1, 1, 1, 0.0});
        cairo_set_source(cr, gloss);
        cairo_fill(cr);
        cairo_pattern_destroy(gloss);
        if (Pattern > 0) {
            // The glint: a slanted light band moving from the upper left to the lower right.
            const double t = (Pattern - 1) / 6.0;
            const double pos = -22 + 44 * t;
            cairo_save(cr);
            cairo_translate(cr, GemX + pos, GemY + pos);
            cairo_rotate(cr, -M_PI / 4);
            cairo_pattern_t* band = cairo_pattern_create_linear(-6, 0, 6, 0);
            AddStop(band, 0, {1, 1, 1, 0});
            AddStop(band, 0.5, {1, 1, 1, 0.75});
            AddStop(band, 1, {1, 1, 1, 0});
            cairo_set_source(cr, band);
            cairo_rectangle(cr, -6, -30, 12, 60);
            cairo_fill(cr);
            cairo_pattern_destroy(band);
            cairo_restore(cr);
        }
        cairo_restore(cr);
        if (Pattern >= 3 && Pattern <= 6) {
            const double s = (Pattern == 4 || Pattern == 5) ? 6.5 : 4.0;
            Sparkle(cr, GemX + 8, GemY - 9, s, 0.95);
        }
    });
}

} // namespace

void AddPieceImages(TManifest& Manifest) {
    for (const TPieceKind& kind : Kinds) {
        std::vector<TPicture> patterns;
        for (int p = 0; p < PiecePatterns; ++p) {
            patterns.push_back(DrawPiece(kind, p));
        }
        Manifest.AddImage(TArchiveId::Data, std::string(kind.Name) + ".piece", std::move(patterns));
    }
}
