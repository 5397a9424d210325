// SPDX-License-Identifier: MIT
#pragma once

#include "content/Manifest.h"
#include "content/ui/GuiLayout.h"

#include <string>

// The GUI's pictures live in the second archive, after the board and scene art.
inline constexpr TArchiveId UiArchive = TArchiveId::GData;

// Draws the picture a GUI layout asked for, as the patterns of one image.
[[nodiscard]] std::vector<TPicture> DrawUiImage(const TUiImageRequest& Request,
                                                const TPictureWords& Words = TPictureWords{});

// Registers every picture the GUI forms use: panels, buttons, tabs and switches.
void AddUiImages(TManifest& Manifest);

// Writes "Data/gfx.fgg", the GUI stream of every screen, with the final image and font list
// positions from the manifest. False, and nothing written, when a picture or font the
// screens use is not in the manifest, or when the file cannot be written.
[[nodiscard]] bool WriteGuiFile(const TManifest& Manifest, const std::string& GameDir);
