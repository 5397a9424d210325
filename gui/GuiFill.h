// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

// The four-corner colour fill every control uses for its background, border and selection.
// Corners run top-left, top-right, bottom-right, bottom-left; colours are 32-bit ARGB.
class TGuiFill {
public:
    TGuiFill() = default;
    TGuiFill(uint32_t TopLeft, uint32_t TopRight, uint32_t BottomRight, uint32_t BottomLeft,
             bool Shown = true)
        : Shown(Shown), Colors{TopLeft, TopRight, BottomRight, BottomLeft} {}
    [[nodiscard]] static TGuiFill All(uint32_t Color, bool Shown = true) {
        return TGuiFill(Color, Color, Color, Color, Shown);
    }

    void Assign(const TGuiFill& Source) { *this = Source; }
    // Corner 0 to 3; any other index gives 0.
    [[nodiscard]] uint32_t GetColor(int32_t Index) const;
    // Sets all four corners.
    void SetColor(uint32_t Color);

    bool Shown = true;
    uint32_t Colors[4] = {0xFFD0D0D0, 0xFFD0D0D0, 0xFFD0D0D0, 0xFFD0D0D0};
};
