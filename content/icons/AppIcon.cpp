// SPDX-License-Identifier: MIT
#include "content/icons/AppIcon.h"

#include "content/Manifest.h"
#include "content/Modules.h"
#include "content/characters/CharacterPaint.h"
#include "content/characters/HeroFace.h"

#include "generated/Version.h"

#include <cairo-svg.h>

#include <cmath>
#include <filesystem>
#include <numbers>

namespace AppIcon {

namespace {

// The icon is drawn on a 256-unit square.
constexpr double Units = 256;
constexpr double BadgeRadius = 122;
// The part of the captain's bust (in its screen coordinates at rest) that fills the badge.
constexpr double BustCentreX = 122;
constexpr double BustCentreY = 226;
constexpr double BustScale = 0.86;

void Badge(cairo_t* cr) {
    cairo_arc(cr, Units / 2, Units / 2, BadgeRadius, 0, 2 * std::numbers::pi);
    cairo_pattern_t* sky = cairo_pattern_create_radial(Units * 0.42, Units * 0.36, 8, Units / 2, Units / 2, BadgeRadius);
    CharacterPaint::AddStop(sky, 0, 0xFF4D389E);
    CharacterPaint::AddStop(sky, 1, 0xFF120F38);
    cairo_set_source(cr, sky);
    cairo_fill(cr);
    cairo_pattern_destroy(sky);
    // A few fixed stars.
    const double stars[][3] = {{58, 70, 3.2}, {196, 58, 2.6}, {214, 128, 2.0}, {44, 150, 2.2}, {90, 40, 1.8}};
    for (const auto& s : stars) {
        cairo_arc(cr, s[0], s[1], s[2], 0, 2 * std::numbers::pi);
        CharacterPaint::SetColour(cr, 0xFFFFF4D8);
        cairo_fill(cr);
    }
}

void Rim(cairo_t* cr) {
    cairo_arc(cr, Units / 2, Units / 2, BadgeRadius, 0, 2 * std::numbers::pi);
    cairo_set_line_width(cr, 8);
    CharacterPaint::SetColour(cr, 0xFFFFC83A);
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, 2.5);
    CharacterPaint::SetColour(cr, 0xFF8A5A10);
    cairo_stroke(cr);
}

} // namespace

void Paint(cairo_t* cr, double Size) {
    cairo_save(cr);
    cairo_scale(cr, Size / Units, Size / Units);
    Badge(cr);
    cairo_save(cr);
    cairo_arc(cr, Units / 2, Units / 2, BadgeRadius, 0, 2 * std::numbers::pi);
    cairo_clip(cr);
    cairo_translate(cr, Units / 2, Units / 2);
    cairo_scale(cr, BustScale, BustScale);
    cairo_translate(cr, -BustCentreX, -BustCentreY);
    HeroFace::PaintBust(cr, 1, 0.2);
    cairo_restore(cr);
    Rim(cr);
    cairo_restore(cr);
}

TPicture Picture(int Size) {
    return DrawPicture(Size, Size, [Size](cairo_t* cr) { Paint(cr, Size); });
}

bool SaveSvg(const std::string& Path, int Size) {
    cairo_surface_t* surface = cairo_svg_surface_create(Path.c_str(), Size, Size);
    cairo_t* cr = cairo_create(surface);
    Paint(cr, Size);
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    const bool ok = cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return ok;
}

} // namespace AppIcon

bool WriteAppIcons(const TManifest&, const std::string& GameDir) {
    namespace fs = std::filesystem;
    const fs::path theme = fs::path(GameDir) / "icons" / "hicolor";
    const std::string file = std::string(ZIBO_APP_ID);
    bool ok = true;
    std::error_code error;
    for (const int size : AppIcon::Sizes) {
        const fs::path folder = theme / (std::to_string(size) + "x" + std::to_string(size)) / "apps";
        fs::create_directories(folder, error);
        ok = AppIcon::Picture(size).SavePng((folder / (file + ".png")).string()) && ok;
    }
    const fs::path scalable = theme / "scalable" / "apps";
    fs::create_directories(scalable, error);
    ok = AppIcon::SaveSvg((scalable / (file + ".svg")).string(), 256) && ok;
    return ok;
}
