// SPDX-License-Identifier: MIT
#pragma once

#include "content/Manifest.h"
#include "content/fonts/FontBitmap.h"

#include <vector>

// The archive that holds the game's fonts. The game loads the fonts of all three archives;
// the GUI counts font positions from the first, so they are asked of the manifest.
inline constexpr TArchiveId FontArchive = TArchiveId::Data1;

// Renders every font of the catalogue and registers its record, plus a glyph sheet
// preview for the contact sheets. Throws std::runtime_error when a face is missing.
void AddFonts(TManifest& Manifest);

// The bytes of the font record of a rendered font (empty when it cannot be written).
[[nodiscard]] std::vector<uint8_t> FontRecordBytes(const TFontBitmap& Font);
// Every glyph on a dark grid, 16 to a row, for reviewing a font by eye.
[[nodiscard]] TPicture FontPreview(const TFontBitmap& Font);
