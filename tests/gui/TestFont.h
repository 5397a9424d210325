// SPDX-License-Identifier: MIT
#pragma once

#include "engine/FontRecord.h"

#include <cstdint>
#include <vector>

// Glyphs for ' ' to '~': every glyph 6 wide and 10 high in 8 by 12 cells, one point of
// spacing, so every character advances by 7 and a line is 12 high. Small enough to load on
// every input of a fuzz run, plain enough for tests to predict every measurement.
inline std::vector<uint8_t> TestFontRecord() {
    TFontRecordSource source;
    source.FirstChar = 32;
    source.GlyphSpacing = 1;
    source.CellSize = {8, 12};
    for (int c = 32; c <= 126; ++c) {
        source.GlyphSizes.push_back({6, 10});
        source.Cells.emplace_back(8 * 12, 0xFFFFFFFF);
    }
    return WriteFontRecord(source);
}
