// SPDX-License-Identifier: MIT
#include "content/FontFace.h"

#include <cmath>

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

namespace {

const cairo_user_data_key_t FaceKey{};

// One FreeType library for the generator's whole run: cairo may keep font faces in its
// caches after their owner let go, and each face needs its library alive until then.
FT_Library SharedLibrary() {
    static FT_Library library = [] {
        FT_Library l = nullptr;
        if (FT_Init_FreeType(&l) != 0) {
            l = nullptr;
        }
        return l;
    }();
    return library;
}

void DoneFace(void* Face) {
    FT_Done_Face(static_cast<FT_Face>(Face));
}

} // namespace

std::string TFontFace::DejaVuFolder() {
    return "/usr/share/fonts/truetype/dejavu/";
}

TFontFace::TFontFace(const std::string& File) {
    const std::string path = (!File.empty() && File[0] == '/') ? File : DejaVuFolder() + File;
    FT_Library library = SharedLibrary();
    FT_Face face = nullptr;
    if (library == nullptr || FT_New_Face(library, path.c_str(), 0, &face) != 0) {
        return;
    }
    Face = cairo_ft_font_face_create_for_ft_face(face, 0);
    // The FreeType face lives as long as cairo's face, however long cairo caches it.
    if (cairo_font_face_set_user_data(Face, &FaceKey, face, DoneFace) != CAIRO_STATUS_SUCCESS) {
        cairo_font_face_destroy(Face);
        FT_Done_Face(face);
        Face = nullptr;
    }
}

TFontFace::~TFontFace() {
    if (Face != nullptr) {
        cairo_font_face_destroy(Face);
    }
}

void TFontFace::Select(cairo_t* cr, double Size) const {
    if (Face == nullptr) {
        return;
    }
    cairo_set_font_face(cr, Face);
    cairo_set_font_size(cr, Size);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

void CentredTextPath(cairo_t* cr, const std::string& Text, double X, double Y) {
    cairo_text_extents_t extents;
    cairo_text_extents(cr, Text.c_str(), &extents);
    cairo_move_to(cr, X - extents.x_bearing - extents.width / 2, Y);
    cairo_text_path(cr, Text.c_str());
}

double InkWidth(cairo_t* cr, const std::string& Text) {
    cairo_text_extents_t extents;
    cairo_text_extents(cr, Text.c_str(), &extents);
    return extents.width;
}

void RequireFit(cairo_t* cr, const std::string& Text, double Width, const std::string& Where) {
    const double width = InkWidth(cr, Text);
    if (width > Width) {
        throw TTextTooWide(Where + ": \"" + Text + "\" is " + std::to_string(static_cast<int>(std::ceil(width))) +
                           " pixels wide, its area " + std::to_string(static_cast<int>(Width)));
    }
}
