// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <cstdint>

// Plain geometry shared by every layer. Integer rectangles hold their right and bottom
// edges exclusive of the area, as the game's bounds do (width = Right - Left).
struct TPoint {
    int32_t X = 0;
    int32_t Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TPointF {
    float X = 0.0f;
    float Y = 0.0f;
    friend bool operator==(const TPointF&, const TPointF&) = default;
};

struct TRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;

    [[nodiscard]] int32_t Width() const { return Right - Left; }
    [[nodiscard]] int32_t Height() const { return Bottom - Top; }
    // Empty when the top is not above the bottom or the left is not left of the right.
    [[nodiscard]] bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    [[nodiscard]] TRect Intersect(const TRect& o) const {
        return {std::max(Left, o.Left), std::max(Top, o.Top), std::min(Right, o.Right),
                std::min(Bottom, o.Bottom)};
    }
    [[nodiscard]] TRect Moved(int32_t dx, int32_t dy) const {
        return {Left + dx, Top + dy, Right + dx, Bottom + dy};
    }
    // Edges included on all four sides, as the GUI's hit tests want.
    [[nodiscard]] bool ContainsInclusive(const TPoint& p) const {
        return p.X >= Left && p.X <= Right && p.Y >= Top && p.Y <= Bottom;
    }
    friend bool operator==(const TRect&, const TRect&) = default;
};

inline TRect RectOfSize(int32_t left, int32_t top, int32_t width, int32_t height) {
    return {left, top, left + width, top + height};
}
