// SPDX-License-Identifier: MIT
#include "content/ContactSheet.h"

#include "content/ColourVision.h"
#include "content/FontFace.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>

namespace {

constexpr int SheetWidth = 1400;
constexpr int MaxSheetHeight = 1300;
constexpr int Margin = 10;
constexpr int LabelHeight = 18;
constexpr double MaxThumb = 180.0;

// Small pictures are shown doubled so their details can be judged; large ones shrink.
double ThumbScale(const TPicture& p) {
    const int side = std::max(p.Width(), p.Height());
    return side <= 64 ? 2.0 : std::min(1.0, MaxThumb / side);
}

// A name fit for a file: letters, digits, '.', '-' and '_' kept, the rest made '_'.
std::string FileSafe(std::string Name) {
    for (char& c : Name) {
        const bool keep = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                          c == '.' || c == '-' || c == '_';
        if (!keep) {
            c = '_';
        }
    }
    return Name;
}

struct TItem {
    std::string Label;
    const std::vector<TPicture>* Patterns = nullptr;
    const TPicture* Single = nullptr;
};

// One labelled strip of thumbnails, wrapped to the sheet width; returns its height.
int StripHeight(const TItem& Item) {
    int x = Margin;
    int rowHeight = 0;
    int height = LabelHeight;
    const auto place = [&](const TPicture& p) {
        const double scale = ThumbScale(p);
        const int w = static_cast<int>(std::ceil(p.Width() * scale));
        const int h = static_cast<int>(std::ceil(p.Height() * scale));
        if (x + w > SheetWidth - Margin && x > Margin) {
            height += rowHeight + 4;
            x = Margin;
            rowHeight = 0;
        }
        x += w + 4;
        rowHeight = std::max(rowHeight, h);
    };
    if (Item.Single != nullptr) {
        place(*Item.Single);
    } else {
        for (const TPicture& p : *Item.Patterns) {
            place(p);
        }
    }
    return height + rowHeight + Margin;
}

void DrawChecker(cairo_t* cr, double x, double y, double w, double h) {
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    for (int cy = 0; cy * 8 < h; ++cy) {
        for (int cx = 0; cx * 8 < w; ++cx) {
            const double shade = ((cx + cy) & 1) ? 0.30 : 0.38;
            cairo_set_source_rgb(cr, shade, shade, shade);
            cairo_rectangle(cr, x + cx * 8, y + cy * 8, 8, 8);
            cairo_fill(cr);
        }
    }
    cairo_restore(cr);
}

void DrawStrip(cairo_t* cr, const TFontFace& Font, const TItem& Item, int Top) {
    Font.Select(cr, 13);
    cairo_set_source_rgb(cr, 1, 0.85, 0.5);
    cairo_move_to(cr, Margin, Top + 13);
    cairo_show_text(cr, Item.Label.c_str());
    int x = Margin;
    int y = Top + LabelHeight;
    int rowHeight = 0;
    const auto draw = [&](const TPicture& p) {
        const double scale = ThumbScale(p);
        const int w = static_cast<int>(std::ceil(p.Width() * scale));
        const int h = static_cast<int>(std::ceil(p.Height() * scale));
        if (x + w > SheetWidth - Margin && x > Margin) {
            y += rowHeight + 4;
            x = Margin;
            rowHeight = 0;
        }
        DrawChecker(cr, x, y, w, h);
        PaintPicture(cr, p, x, y, scale);
        x += w + 4;
        rowHeight = std::max(rowHeight, h);
    };
    if (Item.Single != nullptr) {
        draw(*Item.Single);
    } else {
        for (const TPicture& p : *Item.Patterns) {
            draw(p);
        }
    }
}

bool WritePage(const std::vector<TItem>& Items, const std::string& Path, const TFontFace& Font) {
    int height = Margin;
    for (const TItem& item : Items) {
        height += StripHeight(item);
    }
    const TPicture page = DrawPicture(SheetWidth, height, [&](cairo_t* cr) {
        cairo_set_source_rgb(cr, 0.12, 0.12, 0.16);
        cairo_paint(cr);
        int top = Margin;
        for (const TItem& item : Items) {
            DrawStrip(cr, Font, item, top);
            top += StripHeight(item);
        }
    });
    return page.SavePng(Path);
}

bool WriteGroup(const std::string& Group, const std::vector<TItem>& Items, const std::string& Folder,
                const TFontFace& Font) {
    bool ok = true;
    int pageNumber = 1;
    std::vector<TItem> page;
    int height = Margin;
    const auto flush = [&] {
        if (page.empty()) {
            return;
        }
        const std::string suffix = pageNumber == 1 ? "" : "-" + std::to_string(pageNumber);
        ok = WritePage(page, Folder + "/" + Group + suffix + ".png", Font) && ok;
        ++pageNumber;
        page.clear();
        height = Margin;
    };
    for (const TItem& item : Items) {
        const int h = StripHeight(item);
        if (height + h > MaxSheetHeight) {
            flush();
        }
        page.push_back(item);
        height += h;
    }
    flush();
    return ok;
}

// The colour-vision page: every piece kind on each chapter's tile, once as everyone sees it,
// then as players with each colour-vision deficiency and in grey see it, at the size the board
// shows it. Kinds that can share a board must still be told apart on every row.
constexpr int VisionCell = 48;
constexpr int VisionLabelWidth = 130;
constexpr int ChapterTitleHeight = 24;

bool WriteColourVisionPage(const TManifest& Manifest, const std::string& Path, const TFontFace& Font) {
    const TManifestImage* tiles = Manifest.FindImage("podlogki");
    std::vector<const TManifestImage*> pieces;
    for (const TManifestEntry& e : Manifest.Entries()) {
        if (e.Type == RecordTypeImage && e.Image.Name.ends_with(".piece") && !e.Image.Patterns.empty()) {
            pieces.push_back(&e.Image);
        }
    }
    if (tiles == nullptr || pieces.empty()) {
        return true;
    }
    const int chapters = static_cast<int>(tiles->Patterns.size());
    const int blockHeight = ChapterTitleHeight + static_cast<int>(Visions.size()) * VisionCell + Margin;
    const int width = VisionLabelWidth + static_cast<int>(pieces.size()) * VisionCell + Margin;
    const TPicture page = DrawPicture(width, Margin + chapters * blockHeight, [&](cairo_t* cr) {
        cairo_set_source_rgb(cr, 0.12, 0.12, 0.16);
        cairo_paint(cr);
        for (int chapter = 0; chapter < chapters; ++chapter) {
            const TPicture& tile = tiles->Patterns[static_cast<size_t>(chapter)];
            const int top = Margin + chapter * blockHeight;
            Font.Select(cr, 14);
            cairo_set_source_rgb(cr, 1, 0.85, 0.5);
            cairo_move_to(cr, Margin, top + 16);
            cairo_show_text(cr, ("Chapter " + std::to_string(chapter + 1) + " tiles").c_str());
            for (size_t v = 0; v < Visions.size(); ++v) {
                const int y = top + ChapterTitleHeight + static_cast<int>(v) * VisionCell;
                Font.Select(cr, 12);
                cairo_set_source_rgb(cr, 0.85, 0.85, 0.9);
                cairo_move_to(cr, Margin, y + VisionCell / 2 + 4);
                cairo_show_text(cr, VisionName(Visions[v]));
                for (size_t k = 0; k < pieces.size(); ++k) {
                    // The tile lies centred on the gem: its corner is 2 left and 1 up of the piece's.
                    const TPicture& piece = pieces[k]->Patterns[0];
                    TPicture shown = tile.Crop(2, 1, piece.Width(), piece.Height());
                    shown.Blend(piece, 0, 0);
                    const int x = VisionLabelWidth + static_cast<int>(k) * VisionCell;
                    PaintPicture(cr, SeeAs(shown, Visions[v]), x, y);
                }
            }
        }
    });
    return page.SavePng(Path);
}

} // namespace

bool WriteContactSheets(const TManifest& Manifest, const std::string& Folder) {
    std::error_code error;
    std::filesystem::create_directories(Folder, error);
    const TFontFace font("DejaVuSans-Bold.ttf");
    // Groups in first-registration order, so the sheets follow the modules.
    bool ok = true;
    std::vector<std::string> order;
    std::map<std::string, std::vector<TItem>> groups;
    for (const TManifestEntry& e : Manifest.Entries()) {
        if (e.Type != RecordTypeImage) {
            continue;
        }
        const std::string group = e.Module.empty() ? "images" : e.Module;
        if (!groups.contains(group)) {
            order.push_back(group);
        }
        const TManifestImage& image = e.Image;
        const std::string label =
            image.Name + "  #" + std::to_string(Manifest.ImageIndex(image.Name)) + "  " +
            std::to_string(image.Patterns.size()) + " x " + std::to_string(image.PatternSize.Width) + "x" +
            std::to_string(image.PatternSize.Height) + "  (" + TManifest::ArchivePath(e.Archive) + ")";
        groups[group].push_back({label, &image.Patterns, nullptr});
        // Large pictures are also written at full size, where their details can be judged.
        if (std::max(image.PatternSize.Width, image.PatternSize.Height) > 2 * MaxThumb) {
            ok = image.Patterns[0].SavePng(Folder + "/" + group + "-" + image.Name + ".png") && ok;
        }
    }
    for (const TManifestPreview& p : Manifest.Previews()) {
        if (!groups.contains("previews")) {
            order.push_back("previews");
        }
        groups["previews"].push_back({p.Name, nullptr, &p.Picture});
        if (std::max(p.Picture.Width(), p.Picture.Height()) > 2 * MaxThumb) {
            ok = p.Picture.SavePng(Folder + "/preview-" + FileSafe(p.Name) + ".png") && ok;
        }
    }
    for (const std::string& group : order) {
        ok = WriteGroup(group, groups[group], Folder, font) && ok;
    }
    ok = WriteColourVisionPage(Manifest, Folder + "/colour-vision.png", font) && ok;
    return ok;
}
