// SPDX-License-Identifier: MIT
#include "content/Modules.h"
#include "content/art/ArtModules.h"

#include <cairo.h>

namespace {

// Draws pattern Pattern of a registered image with its top-left at (X, Y), scaled about its
// middle as the game's sprites are.
void Place(cairo_t* cr, const TManifest& Manifest, const char* Name, int Pattern, double X, double Y,
           double Scale = 1.0) {
    const TManifestImage* image = Manifest.FindImage(Name);
    if (image == nullptr || Pattern >= static_cast<int>(image->Patterns.size())) {
        return;
    }
    const TPicture& p = image->Patterns[Pattern];
    const double cx = X + p.Width() / 2.0;
    const double cy = Y + p.Height() / 2.0;
    PaintPicture(cr, p, cx - p.Width() * Scale / 2, cy - p.Height() * Scale / 2, Scale);
}

// A still of the playing screen put together from the art at the places the game draws it,
// for judging sizes and colours together (contact sheets only).
TPicture GameScreenMock(const TManifest& Manifest) {
    return DrawPicture(800, 600, [&](cairo_t* cr) {
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_paint(cr);
        if (const TManifestImage* cosmos = Manifest.FindImage("Cosmos")) {
            const TPicture& p = cosmos->Patterns[0];
            cairo_save(cr);
            cairo_translate(cr, 410, 180);
            cairo_rotate(cr, 0.6);
            cairo_scale(cr, 1.0, 1.1);
            PaintPicture(cr, p, -p.Width() / 2.0, -p.Height() / 2.0);
            cairo_restore(cr);
        }
        Place(cr, Manifest, "backgame", 0, 0, 281);
        Place(cr, Manifest, "UpPanel", 0, 172, 0);
        Place(cr, Manifest, "board", 0, 202, 120);
        Place(cr, Manifest, "DownPanel", 0, 39, 500);
        Place(cr, Manifest, "2_el", 0, 50, 507);
        Place(cr, Manifest, "1_2.LevelTarget", 0, 385 - 45, 56 - 45, 0.78);
        const char* pieces[] = {"AquaPentagon.piece", "FuchsiaCircle.piece", "YellowHexagon.piece",
                                "RedCircle.piece", "GreenCircle.piece"};
        for (int c = 0; c < 8; ++c) {
            for (int r = 0; r < 8; ++r) {
                const double x = 222 + 44 * c;
                const double y = 138 + 44 * r;
                if ((c == 2 || c == 5) && (r == 2 || r == 5 || r == 3)) {
                    Place(cr, Manifest, "podlogki", (c + r) % 4, x + 20 - 22, y + 21 - 22);
                }
                const int kind = (c * 3 + r * 2 + (c * r) % 3) % 5;
                Place(cr, Manifest, pieces[kind], (c + r) % 8 == 3 ? 4 : 0, x, y,
                      (c == 7 && r == 0) ? 0.6 : 1.0);
            }
        }
        Place(cr, Manifest, "clock.bonus", 1, 222 + 44 * 3 + 20 - 14, 138 + 44 * 4 + 22 - 14);
        Place(cr, Manifest, "dinamit.bonus", 1, 222 + 44 * 6 + 20 - 14 + 2, 138 + 44 * 1 + 22 - 14);
        if (const TManifestImage* bar = Manifest.FindImage("progressbar")) {
            cairo_save(cr);
            cairo_translate(cr, 495, 540);
            cairo_scale(cr, 60.0 / bar->Patterns[0].Width(), 24.0 / bar->Patterns[0].Height());
            PaintPicture(cr, bar->Patterns[0], 0, 0);
            cairo_restore(cr);
        }
        Place(cr, Manifest, "cursor", 0, 430, 330);
    });
}

// The menu screen's backdrop: the background with the title drawn at (118, 25) scaled 0.7
// from its top-left corner.
TPicture MenuScreenMock(const TManifest& Manifest) {
    return DrawPicture(800, 600, [&](cairo_t* cr) {
        if (const TManifestImage* back = Manifest.FindImage("back")) {
            PaintPicture(cr, back->Patterns[0], 0, 0);
        }
        if (const TManifestImage* title = Manifest.FindImage("title")) {
            PaintPicture(cr, title->Patterns[0], 118, 25, 0.7);
        }
    });
}

} // namespace

void AddArtImages(TManifest& Manifest) {
    AddPieceImages(Manifest);
    AddBonusImages(Manifest);
    AddTileImages(Manifest);
    AddTargetImages(Manifest);
    AddPanelImages(Manifest);
    AddSceneImages(Manifest);
    AddCursorImages(Manifest);
    AddParticleImages(Manifest);
    Manifest.AddPreview("game screen (art only)", GameScreenMock(Manifest));
    Manifest.AddPreview("menu screen (art only)", MenuScreenMock(Manifest));
}
