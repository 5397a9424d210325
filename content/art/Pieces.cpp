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

// The teal triangle stands on its tip, so it never shares a silhouette with the orange one
// that plays beside it.
enum class TShape { Circle, Triangle, TriangleDown, Square, Rhomb, Pentagon, Hexagon };
// The bold sign in the middle of a gem. Kinds sharing a board (five neighbours in the kind
// order) never share a sign, so a player who cannot tell their colours apart still reads
// them by sign and shape.
enum class TEmblem { Star, Ring, Plus, Bolt, Heart, Cross, Dots, Arrow };

struct TPieceKind {
    const char* Name;
    TShape Shape;
    uint32_t Colour;
    TEmblem Emblem;
};

// In the order of the piece kinds 0..15; a stage plays five neighbouring kinds.
constexpr TPieceKind Kinds[] = {
    {"AquaPentagon", TShape::Pentagon, 0x2fe0d8, TEmblem::Star},
    {"FuchsiaCircle", TShape::Circle, 0xf03cc8, TEmblem::Ring},
    {"YellowHexagon", TShape::Hexagon, 0xffd21e, TEmblem::Plus},
    {"RedCircle", TShape::Circle, 0xee2a2a, TEmblem::Bolt},
    {"GreenCircle", TShape::Circle, 0x2ec43a, TEmblem::Heart},
    {"SkyBlueRhomb", TShape::Rhomb, 0x5cc0ff, TEmblem::Cross},
    // A saturated rose: a greyish one looked washed out beside its neighbours.
    {"LiteMaroonHexagon", TShape::Hexagon, 0xd04868, TEmblem::Dots},
    {"ClaretSquare", TShape::Square, 0x9a1040, TEmblem::Arrow},
    // Lime and olive lean to yellow, away from the green circuit tiles of chapter 3.
    {"LimeHexagon", TShape::Hexagon, 0xbcf020, TEmblem::Star},
    {"OliveRhomb", TShape::Rhomb, 0xb0a020, TEmblem::Ring},
    {"BlueHexagon", TShape::Hexagon, 0x2a50e8, TEmblem::Plus},
    {"OrangeTriangle", TShape::Triangle, 0xff8a1a, TEmblem::Bolt},
    {"PurplePentagon", TShape::Pentagon, 0x8a3ae0, TEmblem::Heart},
    {"SandCircle", TShape::Circle, 0xe8c080, TEmblem::Cross},
    {"TealTriangle", TShape::TriangleDown, 0x1a9a90, TEmblem::Dots},
    {"YellowSquare", TShape::Square, 0xffe040, TEmblem::Arrow},
};

// The dark of every gem's outer outline, a near black with a touch of the night sky's violet.
constexpr uint32_t OutlineDark = 0x0e0a16;

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
    case TShape::TriangleDown:
        Polygon(cr, GemX, GemY - 2.5 * S, r * 1.18, 3, M_PI);
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

// A closed outline through Points (offsets from (Cx, Cy)) scaled by S.
template <size_t N>
void Outline(cairo_t* cr, double Cx, double Cy, double S, const double (&Points)[N][2]) {
    cairo_new_sub_path(cr);
    for (const auto& p : Points) {
        cairo_line_to(cr, Cx + p[0] * S, Cy + p[1] * S);
    }
    cairo_close_path(cr);
}

// The emblem's path centred on (Cx, Cy), about 2 * 10 * S across; the Ring is filled even-odd.
void EmblemPath(cairo_t* cr, TEmblem Emblem, double Cx, double Cy, double S) {
    switch (Emblem) {
    case TEmblem::Star:
        Star(cr, Cx, Cy + 0.8 * S, 10.5 * S, 4.6 * S, 5);
        break;
    case TEmblem::Ring:
        cairo_new_sub_path(cr);
        cairo_arc(cr, Cx, Cy, 8.8 * S, 0, 2 * M_PI);
        cairo_new_sub_path(cr);
        cairo_arc_negative(cr, Cx, Cy, 4.4 * S, 2 * M_PI, 0);
        break;
    case TEmblem::Plus: {
        constexpr double a = 3.4;
        constexpr double b = 9.5;
        constexpr double pts[][2] = {{-a, -b}, {a, -b}, {a, -a}, {b, -a}, {b, a},   {a, a},
                                     {a, b},   {-a, b}, {-a, a}, {-b, a}, {-b, -a}, {-a, -a}};
        Outline(cr, Cx, Cy, S, pts);
        break;
    }
    case TEmblem::Bolt: {
        constexpr double pts[][2] = {{2.5, -11}, {-7, 1.5}, {-1, 1.5}, {-3, 11}, {7, -2}, {1, -2}};
        Outline(cr, Cx, Cy, S, pts);
        break;
    }
    case TEmblem::Heart:
        cairo_new_sub_path(cr);
        cairo_move_to(cr, Cx, Cy + 9.5 * S);
        cairo_curve_to(cr, Cx - 4 * S, Cy + 5 * S, Cx - 10.5 * S, Cy + 1 * S, Cx - 10 * S, Cy - 4 * S);
        cairo_curve_to(cr, Cx - 9.5 * S, Cy - 9.5 * S, Cx - 2 * S, Cy - 10.5 * S, Cx, Cy - 5 * S);
        cairo_curve_to(cr, Cx + 2 * S, Cy - 10.5 * S, Cx + 9.5 * S, Cy - 9.5 * S, Cx + 10 * S, Cy - 4 * S);
        cairo_curve_to(cr, Cx + 10.5 * S, Cy + 1 * S, Cx + 4 * S, Cy + 5 * S, Cx, Cy + 9.5 * S);
        cairo_close_path(cr);
        break;
    case TEmblem::Cross: {
        // A plus turned a quarter, its arms as wide as the plus's.
        constexpr double a = 2.4;
        constexpr double b = 7.2;
        constexpr double pts[][2] = {{0, -a * 2}, {b - a, -b - a}, {b + a, -b + a}, {a * 2, 0},
                                     {b + a, b - a}, {b - a, b + a}, {0, a * 2}, {-b + a, b + a},
                                     {-b - a, b - a}, {-a * 2, 0}, {-b - a, -b + a}, {-b + a, -b - a}};
        Outline(cr, Cx, Cy, S, pts);
        break;
    }
    case TEmblem::Dots:
        for (int i = 0; i < 3; ++i) {
            const double a = -M_PI / 2 + 2 * M_PI * i / 3;
            cairo_new_sub_path(cr);
            cairo_arc(cr, Cx + 5.6 * S * std::cos(a), Cy + 0.6 * S + 5.6 * S * std::sin(a), 3.9 * S, 0, 2 * M_PI);
        }
        break;
    case TEmblem::Arrow: {
        constexpr double pts[][2] = {{0, -10.5}, {9, -1}, {3.5, -1}, {3.5, 9.5}, {-3.5, 9.5}, {-3.5, -1}, {-9, -1}};
        Outline(cr, Cx, Cy, S, pts);
        break;
    }
    }
}

// Light gems carry a dark sign, the others a white one, so the sign always stands out from
// the gem's own colour, in colour and in grey alike.
bool LightGem(const TColour& Base) { return 0.2126 * Base.R + 0.7152 * Base.G + 0.0722 * Base.B > 0.62; }

void PaintEmblem(cairo_t* cr, const TPieceKind& Kind, const TColour& Base) {
    const bool light = LightGem(Base);
    const TColour ink = light ? Shade(Base, -0.78) : Rgb(0xffffff);
    const TColour inkLow = light ? Shade(Base, -0.62) : Shade(Base, 0.72);
    const TColour edge = light ? Shade(Base, 0.7) : Rgb(OutlineDark, 0.9);
    // A triangle's sign sits lower (higher when it stands on its tip) and smaller, inside its
    // widest part.
    const bool up = Kind.Shape == TShape::Triangle;
    const bool down = Kind.Shape == TShape::TriangleDown;
    const double cy = GemY + (up ? 2.5 : (down ? -2.5 : 0.0));
    const double scale = up || down ? 0.78 : 1.0;
    EmblemPath(cr, Kind.Emblem, GemX, cy, scale);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    SetColour(cr, edge);
    cairo_set_line_width(cr, 2.4);
    cairo_stroke_preserve(cr);
    FillVertical(cr, cy - 10, cy + 10, ink, inkLow);
    cairo_new_path(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
}

// A crisp white glint in the gloss cap: it makes every gem read as polished, the pale ones too,
// whose cap alone melts into their colour.
void PaintHighlight(cairo_t* cr, TShape Shape) {
    // Inside the shape's upper-left part, clear of the sign.
    const bool narrowTop = Shape == TShape::Triangle || Shape == TShape::Rhomb;
    cairo_save(cr);
    cairo_translate(cr, GemX - (narrowTop ? 4.0 : 7.5), GemY - (narrowTop ? 6.5 : 11.0));
    cairo_rotate(cr, -M_PI / 5);
    cairo_scale(cr, 1.0, 0.55);
    cairo_arc(cr, 0, 0, 3.6, 0, 2 * M_PI);
    cairo_restore(cr);
    SetColour(cr, {1, 1, 1, 0.95});
    cairo_fill(cr);
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
        cairo_fill(cr);
        cairo_pattern_destroy(body);
        // A two-tone edge: a dark outer line parts the gem from light tiles, a light inner
        // line from dark ones, whatever the tile's colour.
        cairo_new_path(cr);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_save(cr);
        ShapePath(cr, Kind.Shape, 1.0);
        cairo_clip_preserve(cr);
        SetColour(cr, Shade(base, 0.65));
        cairo_set_line_width(cr, 5.4);
        cairo_stroke(cr);
        cairo_restore(cr);
        ShapePath(cr, Kind.Shape, 1.0);
        SetColour(cr, Rgb(OutlineDark));
        cairo_set_line_width(cr, 2.6);
        cairo_stroke(cr);

        cairo_save(cr);
        ShapePath(cr, Kind.Shape, 1.0);
        cairo_clip(cr);
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
        PaintHighlight(cr, Kind.Shape);
        PaintEmblem(cr, Kind, base);
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
