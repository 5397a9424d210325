// SPDX-License-Identifier: MIT
#pragma once

#include "content/Manifest.h"

#include <string>

// Writes PNG contact sheets of every registered image (all patterns, each labelled with
// its name, list position and pattern count) and every preview into Folder, one sheet
// per module ("art.png", "art-2.png" when it runs long, ...), and "colour-vision.png": every
// piece on each chapter's tile in normal vision, as the three colour-vision deficiencies see
// it and in grey. Returns false when a file cannot be written.
[[nodiscard]] bool WriteContactSheets(const TManifest& Manifest, const std::string& Folder);
