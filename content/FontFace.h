// SPDX-License-Identifier: MIT
#pragma once

#include <cairo.h>

#include <string>

// A TrueType face loaded with FreeType straight from a font file, for drawing text with
// cairo. Going through the file (not the system's font matching) keeps the output the
// same on every machine.
class TFontFace {
public:
    // File is a name inside the DejaVu folder ("DejaVuSans-Bold.ttf") or an absolute path.
    explicit TFontFace(const std::string& File);
    ~TFontFace();
    TFontFace(const TFontFace&) = delete;
    TFontFace& operator=(const TFontFace&) = delete;

    [[nodiscard]] bool IsLoaded() const { return Face != nullptr; }
    // Selects this face on cr at Size pixels (with hinting off, so shapes scale smoothly).
    void Select(cairo_t* cr, double Size) const;

    // The folder that holds the DejaVu font files.
    [[nodiscard]] static std::string DejaVuFolder();

private:
    cairo_font_face_t* Face = nullptr;
};

// Lays UTF-8 Text out on cr's current font, centred on (X, Y) horizontally, baseline at Y,
// and appends it to the current path (fill or stroke it afterwards).
void CentredTextPath(cairo_t* cr, const std::string& Text, double X, double Y);
