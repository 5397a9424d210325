// SPDX-License-Identifier: MIT
// content_gen GAME_DIR [--sheets DIR] [--only KIND]
// Generates every data file the game reads into GAME_DIR, and contact sheets into DIR.
#include "content/Generator.h"

#include <cstdio>
#include <exception>
#include <string>

namespace {

int Usage() {
    std::fprintf(stderr, "usage: content_gen GAME_DIR [--sheets DIR] [--only KIND]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    TGeneratorOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--sheets" && i + 1 < argc) {
            options.SheetsDir = argv[++i];
        } else if (arg == "--only" && i + 1 < argc) {
            options.Only = argv[++i];
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
