// SPDX-License-Identifier: MIT
#include "content/GallerySheet.h"

#include "content/FontFace.h"

#include <cairo.h>

#include <algorithm>
#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr const char* SheetName = "contact-sheet.png";
constexpr int Columns = 6;
constexpr double Scale = 0.25;
constexpr int ThumbWidth = 200;
constexpr int ThumbHeight = 150;
constexpr int LabelHeight = 18;
constexpr int Gap = 8;

struct TShot {
    std::string Name;
    cairo_surface_t* Surface = nullptr;
};

std::vector<TShot> ReadShots(const fs::path& Folder) {
    std::vector<fs::path> files;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(Folder, error)) {
        const fs::path& path = entry.path();
        if (entry.is_regular_file(error) && path.extension() == ".png" && path.filename() != SheetName) {
            files.push_back(path);
        }
    }
    std::sort(files.begin(), files.end());
    std::vector<TShot> shots;
    for (const fs::path& file : files) {
        cairo_surface_t* surface = cairo_image_surface_create_from_png(file.c_str());
        if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
            cairo_surface_destroy(surface);
            continue;
        }
        shots.push_back({file.stem().string(), surface});
    }
    return shots;
}

} // namespace

bool WriteGallerySheet(const std::string& Folder) {
    std::vector<TShot> shots = ReadShots(Folder);
    const int rows = std::max<int>(1, (static_cast<int>(shots.size()) + Columns - 1) / Columns);
    const int cellWidth = ThumbWidth + Gap;
    const int cellHeight = ThumbHeight + LabelHeight + Gap;
    cairo_surface_t* sheet =
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, Gap + Columns * cellWidth, Gap + rows * cellHeight);
    cairo_t* cr = cairo_create(sheet);
    cairo_set_source_rgb(cr, 0.12, 0.12, 0.16);
    cairo_paint(cr);
    const TFontFace font("DejaVuSans-Bold.ttf");
    for (size_t i = 0; i < shots.size(); ++i) {
        const double x = Gap + static_cast<double>(i % Columns) * cellWidth;
        const double y = Gap + static_cast<double>(i / Columns) * cellHeight;
        font.Select(cr, 11);
        cairo_set_source_rgb(cr, 1, 0.85, 0.5);
        cairo_move_to(cr, x, y + 12);
        cairo_show_text(cr, shots[i].Name.c_str());
        // Every shot shrinks to a quarter of the 800x600 screen; a larger one is clipped.
        cairo_save(cr);
        cairo_rectangle(cr, x, y + LabelHeight, ThumbWidth, ThumbHeight);
        cairo_clip(cr);
        cairo_translate(cr, x, y + LabelHeight);
        cairo_scale(cr, Scale, Scale);
        cairo_set_source_surface(cr, shots[i].Surface, 0, 0);
        cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
        cairo_paint(cr);
        cairo_restore(cr);
        cairo_surface_destroy(shots[i].Surface);
    }
    cairo_destroy(cr);
    const bool written =
        cairo_surface_write_to_png(sheet, (fs::path(Folder) / SheetName).c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(sheet);
    return written;
}
