// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Types.h"

#include <cstdint>
#include <vector>

// The part of the picture a frame changes, as a few rectangles that do not overlap. Rectangles
// are merged as they come: any two that overlap become their bounding box, and when there are
// more than the limit, the two whose bounding box adds the fewest pixels are joined. Redrawing
// costs a pass over the frame per rectangle, so a few of them, not many, is what pays.
class TDamageArea {
public:
    explicit TDamageArea(int32_t MaxRects = 4);

    void Clear() { Rects_.clear(); }
    // Adds a changed rectangle; an empty one changes nothing.
    void Add(const TRect& Rect);
    [[nodiscard]] const std::vector<TRect>& Rects() const { return Rects_; }
    [[nodiscard]] bool IsEmpty() const { return Rects_.empty(); }
    // Pixels inside the rectangles.
    [[nodiscard]] int64_t Pixels() const;

private:
    // Joins the rectangle at Index with every other it overlaps, until it overlaps none.
    void Absorb(size_t Index);
    void JoinCheapestPair();

    int32_t MaxRects;
    std::vector<TRect> Rects_;
};
