// SPDX-License-Identifier: MIT
// The pieces must read for every player on every tile: kinds that share a board differ without
// their colours, and each piece's outline stands out from the tiles of the chapters it is
// played in. Both are measured on the generated pictures, composed as the board draws them.
#include "board/Board.h"
#include "content/ColourVision.h"
#include "content/ContactSheet.h"
#include "content/Manifest.h"
#include "content/art/ArtModules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <cstdio>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <unistd.h>

namespace {

struct TArt {
    TManifest Manifest;
    TArt() {
        AddPieceImages(Manifest);
        AddTileImages(Manifest);
    }
    [[nodiscard]] const TPicture& Piece(int Kind) const {
        return Manifest.FindImage(KindImage(Kind))->Patterns[0];
    }
    [[nodiscard]] const TPicture& Tile(int Chapter) const {
        return Manifest.FindImage("podlogki")->Patterns[static_cast<size_t>(Chapter)];
    }
};

const TArt& Art() {
    static const TArt art;
    return art;
}

// The tile set a stage lays: one per chapter of four stages.
int ChapterOfStage(int Stage) { return (Stage - 1) / 4; }

// Every (kind, kind, chapter) that meets on some stage's board, and every (kind, chapter).
struct TMeetings {
    std::set<std::tuple<int, int, int>> Pairs;
    std::set<std::pair<int, int>> Tiles;
};

TMeetings Meetings() {
    TLevelTable table;
    BuildLevelTable(table, 0);
    TMeetings m;
    for (int stage = 1; stage <= StageCount; ++stage) {
        const auto& kinds = table[static_cast<size_t>(stage)].Kinds;
        for (size_t i = 0; i < kinds.size(); ++i) {
            m.Tiles.insert({kinds[i], ChapterOfStage(stage)});
            for (size_t j = i + 1; j < kinds.size(); ++j) {
                m.Pairs.insert({std::min(kinds[i], kinds[j]), std::max(kinds[i], kinds[j]), ChapterOfStage(stage)});
            }
        }
    }
    return m;
}

bool Solid(const TPicture& Piece, int X, int Y) { return (Piece.Pixel(X, Y) >> 24) >= 128; }

// The piece over the tile as the board shows it: the piece's corner is the cell's corner and the
// tile is centred on the same gem centre, so tile pixel (x + 2, y + 1) lies under piece pixel (x, y).
TPicture OnTile(const TPicture& Piece, const TPicture& Tile) {
    TPicture picture = Tile.Crop(2, 1, Piece.Width(), Piece.Height());
    picture.Blend(Piece, 0, 0);
    return picture;
}

// How different two kinds look without their colours: the mean difference of CIE lightness
// L* (0 black .. 100 white) between the two pieces on the same tile, seen with Vision and
// then in grey, over every pixel either piece covers. Silhouettes that differ and emblems
// that differ in shape or in lightness both raise it; two pieces that only differ in hue
// score near 0.
double GreyDifference(const TPicture& A, const TPicture& B, const TPicture& Tile, TVision Vision) {
    const TPicture a = SeeAs(SeeAs(OnTile(A, Tile), Vision), TVision::Greyscale);
    const TPicture b = SeeAs(SeeAs(OnTile(B, Tile), Vision), TVision::Greyscale);
    double sum = 0;
    int count = 0;
    for (int y = 0; y < A.Height(); ++y) {
        for (int x = 0; x < A.Width(); ++x) {
            if (Solid(A, x, y) || Solid(B, x, y)) {
                sum += std::abs(ToLab(a.Pixel(x, y)).L - ToLab(b.Pixel(x, y)).L);
                ++count;
            }
        }
    }
    return count > 0 ? sum / count : 0;
}

// How well a piece's outline stands out from a tile, in CIEDE2000 units. Each pixel just
// outside the silhouette looks inward across the outline ring (three pixels deep) and keeps
// the largest colour difference between what the piece shows there and the bare tile at that
// outside pixel: the eye finds an edge at its strongest step. The score is the tenth
// percentile over the whole outline, so a piece that blends into the tile along part of its
// edge scores low even when the rest is sharp.
double OutlineContrast(const TPicture& Piece, const TPicture& Tile) {
    constexpr int Depth = 3;
    const TPicture bare = Tile.Crop(2, 1, Piece.Width(), Piece.Height());
    const TPicture shown = OnTile(Piece, Tile);
    std::vector<double> edge;
    for (int y = 0; y < Piece.Height(); ++y) {
        for (int x = 0; x < Piece.Width(); ++x) {
            if (Solid(Piece, x, y)) {
                continue;
            }
            for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                double best = 0;
                for (int d = 1; d <= Depth && Solid(Piece, x + dx * d, y + dy * d); ++d) {
                    best = std::max(best, DeltaE2000(ToLab(shown.Pixel(x + dx * d, y + dy * d)), ToLab(bare.Pixel(x, y))));
                }
                if (Solid(Piece, x + dx, y + dy)) {
                    edge.push_back(best);
                }
            }
        }
    }
    if (edge.empty()) {
        return 0;
    }
    std::sort(edge.begin(), edge.end());
    return edge[edge.size() / 10];
}

// A plain gem of one colour without sign or outline, drawn like a piece: a fixture of the
// faults the measures must catch.
TPicture PlainDisc(uint32_t Colour, bool TwoToneEdge = false) {
    return DrawPicture(44, 44, [&](cairo_t* cr) {
        cairo_arc(cr, 20, 21, 17, 0, 2 * M_PI);
        cairo_set_source_rgb(cr, ((Colour >> 16) & 255) / 255.0, ((Colour >> 8) & 255) / 255.0, (Colour & 255) / 255.0);
        cairo_fill_preserve(cr);
        if (TwoToneEdge) {
            cairo_set_source_rgb(cr, 0.05, 0.04, 0.09);
            cairo_set_line_width(cr, 2.6);
            cairo_stroke_preserve(cr);
            cairo_new_path(cr);
            cairo_arc(cr, 20, 21, 15.2, 0, 2 * M_PI);
            cairo_set_source_rgb(cr, 1, 1, 0.85);
            cairo_set_line_width(cr, 1.2);
            cairo_stroke(cr);
        }
        cairo_new_path(cr);
    });
}

const std::vector<TVision> Deficiencies = {TVision::Normal, TVision::Deuteranopia, TVision::Protanopia,
                                           TVision::Tritanopia};

// Two kinds that share a board must differ by more than this mean lightness step (CIE L*,
// 0..100), in grey, in every simulated vision. 10 is what a white or black sign covering a
// fifth of a mid-grey gem adds over the whole piece. Under deuteranopia the old round red
// and green gems, told apart only by a faint star and cross cut, scored 8.3, the old fuchsia
// and red circles 4.2 and the old rose and blue hexagons 4.4 (protanopia); the bold signs and
// the teal triangle on its tip raise the weakest pair to 11.2 (the rose and blue hexagons).
constexpr double MinGreyDifference = 10.0;

// The outline ring of every piece must differ from every tile it meets by more than this
// CIEDE2000 step along nine tenths of its edge. Above 30 two colours read as different
// colours at a glance, while the old art's edges fell to 23.2 for the lime hexagon and 29.3
// for the olive rhomb on chapter 3's green tiles and to 21.2 for the fuchsia circle on
// chapter 4's violet ones (a plain luminance ratio missed this: it rated the lime and olive
// pieces above healthy ones). The two-tone edge keeps every piece above 31.
constexpr double MinOutlineContrast = 30.0;

TEST(ColourVision, MeasuresMatchReferenceValues) {
    // CIEDE2000 reference pairs with their published differences, including the hue wrap and
    // the blue region's rotation term.
    const struct {
        TLab X, Y;
        double Expected;
    } pairs[] = {
        {{50.0, 2.6772, -79.7751}, {50.0, 0.0, -82.7485}, 2.0425},
        {{50.0, -1.3802, -84.2814}, {50.0, 0.0, -82.7485}, 1.0000},
        {{50.0, 2.5, 0.0}, {73.0, 25.0, -18.0}, 27.1492},
        {{50.0, 2.49, -0.001}, {50.0, -2.49, 0.0011}, 7.2195},
        {{60.2574, -34.0099, 36.2677}, {60.4626, -34.1751, 39.4387}, 1.2644},
        {{2.0776, 0.0795, -1.135}, {0.9033, -0.0636, -0.5514}, 0.9082},
    };
    for (const auto& p : pairs) {
        EXPECT_NEAR(DeltaE2000(p.X, p.Y), p.Expected, 1e-3) << p.Expected;
        EXPECT_NEAR(DeltaE2000(p.Y, p.X), p.Expected, 1e-3) << p.Expected;
    }
    EXPECT_NEAR(ToLab(0xffffffffu).L, 100.0, 0.01);
    EXPECT_NEAR(ToLab(0xff000000u).L, 0.0, 0.01);

    // Greys look the same to everyone; red and green fall together for the red-green
    // deficiencies but not for the blue-yellow one.
    const TLab red = ToLab(0xffee2a2a);
    const TLab green = ToLab(0xff2ec43a);
    for (const TVision v : Visions) {
        for (const uint32_t grey : {0xff000000u, 0xff808080u, 0xffffffffu}) {
            EXPECT_LE(DeltaE2000(ToLab(SeeAs(grey, v)), ToLab(grey)), 1.0) << VisionName(v);
        }
        EXPECT_EQ(SeeAs(0x40808080u, v) >> 24, 0x40u) << VisionName(v);
        const double seen = DeltaE2000(ToLab(SeeAs(0xffee2a2a, v)), ToLab(SeeAs(0xff2ec43a, v)));
        if (v == TVision::Deuteranopia || v == TVision::Protanopia) {
            EXPECT_LT(seen, 0.5 * DeltaE2000(red, green)) << VisionName(v);
        } else if (v == TVision::Tritanopia) {
            EXPECT_GT(seen, 0.5 * DeltaE2000(red, green)) << VisionName(v);
        }
    }
}

TEST(PieceReadability, MeasuresCatchTheFaults) {
    // A red and a green gem of one shape and no sign, the green as light as the red looks
    // to a deuteranope: plain to normal eyes, one grey to a red-green colour-blind player.
    const TPicture red = PlainDisc(0xee2a2a);
    const TPicture green = PlainDisc(0x20a430);
    const TPicture& tile = Art().Tile(0);
    EXPECT_LT(GreyDifference(red, green, tile, TVision::Deuteranopia), 1.0);
    // An olive gem without an outline on chapter 3's green tile; the two-tone edge parts it.
    EXPECT_LT(OutlineContrast(PlainDisc(0x9a9a28), Art().Tile(2)), MinOutlineContrast);
    EXPECT_GT(OutlineContrast(PlainDisc(0x9a9a28, true), Art().Tile(2)), MinOutlineContrast);
}

TEST(PieceReadability, KindsSharingABoardDifferWithoutColour) {
    const TMeetings meetings = Meetings();
    // Five neighbouring kinds per stage: 4 + 3 + 2 + 1 pairs each, some repeated.
    ASSERT_GE(meetings.Pairs.size(), 40u);
    for (const auto& [a, b, chapter] : meetings.Pairs) {
        for (const TVision v : Deficiencies) {
            EXPECT_GT(GreyDifference(Art().Piece(a), Art().Piece(b), Art().Tile(chapter), v), MinGreyDifference)
                << KindImage(a) << " and " << KindImage(b) << " on chapter " << chapter + 1 << "'s tiles, "
                << VisionName(v);
        }
    }
}

TEST(PieceReadability, EveryOutlineStandsOutOnTheTilesItMeets) {
    const TMeetings meetings = Meetings();
    ASSERT_EQ(meetings.Tiles.size(), 16u * 2u);
    for (const auto& [kind, chapter] : meetings.Tiles) {
        EXPECT_GT(OutlineContrast(Art().Piece(kind), Art().Tile(chapter)), MinOutlineContrast)
            << KindImage(kind) << " on chapter " << chapter + 1 << "'s tiles";
    }
}

// Pixels where Expected is opaque and Page differs by more than rounding; the tile's rounded
// corners let the page's background show through, so only opaque pixels are compared.
int OpaqueMismatches(const TPicture& Page, const TPicture& Expected) {
    int mismatches = 0;
    for (int y = 0; y < Expected.Height(); ++y) {
        for (int x = 0; x < Expected.Width(); ++x) {
            const uint32_t e = Expected.Pixel(x, y);
            const uint32_t p = Page.Pixel(x, y);
            if ((e >> 24) != 0xFF) {
                continue;
            }
            for (const int shift : {16, 8, 0}) {
                if (std::abs(static_cast<int>((e >> shift) & 0xFF) - static_cast<int>((p >> shift) & 0xFF)) > 1) {
                    ++mismatches;
                    break;
                }
            }
        }
    }
    return mismatches;
}

// The contact sheets' colour-vision page shows each piece on each chapter's tile in every
// vision: the normal row is the piece as the board draws it, the others its simulations.
TEST(PieceReadability, ContactSheetsShowEveryPieceInEveryVision) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("zibo-vision-" + std::to_string(::getpid()));
    std::filesystem::remove_all(folder);
    ASSERT_TRUE(WriteContactSheets(Art().Manifest, folder.string()));
    cairo_surface_t* surface = cairo_image_surface_create_from_png((folder / "colour-vision.png").c_str());
    // An opaque PNG loads without alpha; painting it onto a fresh picture makes it opaque ARGB.
    const TPicture page = DrawPicture(cairo_image_surface_get_width(surface), cairo_image_surface_get_height(surface),
                                      [&](cairo_t* cr) {
                                          cairo_set_source_surface(cr, surface, 0, 0);
                                          cairo_paint(cr);
                                      });
    cairo_surface_destroy(surface);
    std::filesystem::remove_all(folder);
    ASSERT_FALSE(page.IsEmpty());

    // The page's grid: a 130-pixel label column, 48-pixel cells, 24-pixel chapter titles and
    // 10-pixel margins; each chapter holds one row per vision.
    const auto cell = [](int Kind, int Chapter, size_t Vision) {
        return std::pair{130 + 48 * Kind, 10 + Chapter * (24 + 5 * 48 + 10) + 24 + 48 * static_cast<int>(Vision)};
    };
    for (const int chapter : {0, 2}) {
        for (const int kind : {3, 4, 8}) {
            const TPicture shown = OnTile(Art().Piece(kind), Art().Tile(chapter));
            for (size_t v = 0; v < Visions.size(); ++v) {
                const auto [x, y] = cell(kind, chapter, v);
                EXPECT_EQ(OpaqueMismatches(page.Crop(x, y, 44, 44), SeeAs(shown, Visions[v])), 0)
                    << KindImage(kind) << ", chapter " << chapter + 1 << ", " << VisionName(Visions[v]);
            }
        }
    }
}

} // namespace
