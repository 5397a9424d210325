// SPDX-License-Identifier: MIT
#pragma once

#include <cairo.h>

#include <stdexcept>
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

// The width of UTF-8 Text's ink in cr's current font, as CentredTextPath centres it.
[[nodiscard]] double InkWidth(cairo_t* cr, const std::string& Text);

// Words drawn into a picture that overrun their area (a translation too long for it).
class TTextTooWide : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Throws TTextTooWide naming Where when Text, in cr's current font, is wider than Width
// pixels: every language's words must stay inside the area drawn for them.
void RequireFit(cairo_t* cr, const std::string& Text, double Width, const std::string& Where);
