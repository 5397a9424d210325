// SPDX-License-Identifier: MIT
#pragma once

#include "content/Manifest.h"

#include <string>

// What one run of the generator does.
struct TGeneratorOptions {
    // The game folder that receives Data/, Sounds/ and wdata/.
    std::string GameDir;
    // Where the PNG contact sheets go; empty for none.
    std::string SheetsDir;
    // Only the modules of this kind ("art", "characters", "ui", "fonts", "particles", "gui",
    // ...); empty for all. Archives are written only when every module ran.
    std::string Only;
    // The compiled catalogues ("DIR/CODE/LC_MESSAGES/zibo.mo") whose languages the pictures
    // with words are drawn in besides Russian; empty for Russian only.
    std::string CatalogueDir;
};

// Runs every registering module in the fixed order that sets the archives' directory order
// and so the game's image and font list positions. Only as in TGeneratorOptions.
void RegisterContent(TManifest& Manifest, const std::string& Only = "");

// Writes the archives from the manifest, then runs the modules that write files of their
// own (GUI stream, sounds, music, share data), then the contact sheets. False when any
// output failed.
[[nodiscard]] bool WriteContent(const TManifest& Manifest, const TGeneratorOptions& Options);
