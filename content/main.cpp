// SPDX-License-Identifier: MIT
// content_gen GAME_DIR [--sheets DIR] [--only KIND] [--catalogues DIR]
// Generates every data file the game reads into GAME_DIR, and contact sheets into DIR; the
// pictures with words are drawn in Russian and in every language compiled under the
// catalogues folder (the game folder's locale/).
// content_gen --gallery DIR
// Lays the screenshots in DIR (the tests' gallery) out on DIR/contact-sheet.png.
#include "content/GallerySheet.h"
#include "content/Generator.h"

#include <cstdio>
#include <exception>
#include <string>

namespace {

int Usage() {
    std::fprintf(stderr, "usage: content_gen GAME_DIR [--sheets DIR] [--only KIND] [--catalogues DIR]\n"
                         "       content_gen --gallery DIR\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--gallery") {
        if (!WriteGallerySheet(argv[2])) {
            std::fprintf(stderr, "content_gen: cannot write the contact sheet in %s\n", argv[2]);
            return 1;
        }
        return 0;
    }
    TGeneratorOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--sheets" && i + 1 < argc) {
            options.SheetsDir = argv[++i];
        } else if (arg == "--only" && i + 1 < argc) {
            options.Only = argv[++i];
        } else if (arg == "--catalogues" && i + 1 < argc) {
            options.CatalogueDir = argv[++i];
        } else if (!arg.empty() && arg[0] != '-' && options.GameDir.empty()) {
            options.GameDir = arg;
        } else {
            return Usage();
        }
    }
    if (options.GameDir.empty()) {
        return Usage();
    }
    try {
        TManifest manifest;
        if (!options.CatalogueDir.empty()) {
            manifest.SetPictureLanguages(LoadPictureLanguages(options.CatalogueDir));
        }
        RegisterContent(manifest, options.Only);
        if (!WriteContent(manifest, options)) {
            std::fprintf(stderr, "content_gen: some output could not be written\n");
            return 1;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "content_gen: %s\n", e.what());
        return 1;
    }
    return 0;
}
