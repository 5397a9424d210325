// SPDX-License-Identifier: MIT
#include "engine/DamageArea.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

[[nodiscard]] TRect Union(const TRect& A, const TRect& B) {
    return {std::min(A.Left, B.Left), std::min(A.Top, B.Top), std::max(A.Right, B.Right),
            std::max(A.Bottom, B.Bottom)};
}

[[nodiscard]] int64_t Area(const TRect& R) {
    return R.IsEmpty() ? 0 : static_cast<int64_t>(R.Width()) * R.Height();
}

} // namespace

TDamageArea::TDamageArea(int32_t MaxRects) : MaxRects(std::max(MaxRects, 1)) {
    Rects_.reserve(static_cast<size_t>(this->MaxRects) + 1);
}

void TDamageArea::Add(const TRect& Rect) {
    if (Rect.IsEmpty()) {
        return;
    }
    for (const TRect& Known : Rects_) {
        if (Known.Intersect(Rect) == Rect) {
            return;
        }
    }
    Rects_.push_back(Rect);
    Absorb(Rects_.size() - 1);
    if (Rects_.size() > static_cast<size_t>(MaxRects)) {
        JoinCheapestPair();
    }
}

void TDamageArea::Absorb(size_t Index) {
    // A grown rectangle may reach others it did not touch before: look again until it is alone.
    for (bool Grew = true; Grew;) {
        Grew = false;
        for (size_t i = 0; i < Rects_.size(); ++i) {
            if (i != Index && !Rects_[i].Intersect(Rects_[Index]).IsEmpty()) {
                Rects_[Index] = Union(Rects_[Index], Rects_[i]);
                Rects_.erase(Rects_.begin() + static_cast<ptrdiff_t>(i));
                Index -= i < Index ? 1 : 0;
                Grew = true;
                break;
            }
        }
    }
}

void TDamageArea::JoinCheapestPair() {
    size_t BestA = 0;
    size_t BestB = 1;
    int64_t BestCost = INT64_MAX;
    for (size_t a = 0; a < Rects_.size(); ++a) {
        for (size_t b = a + 1; b < Rects_.size(); ++b) {
            const int64_t Cost = Area(Union(Rects_[a], Rects_[b])) - Area(Rects_[a]) - Area(Rects_[b]);
            if (Cost < BestCost) {
                BestCost = Cost;
                BestA = a;
                BestB = b;
            }
        }
    }
    Rects_[BestA] = Union(Rects_[BestA], Rects_[BestB]);
    Rects_.erase(Rects_.begin() + static_cast<ptrdiff_t>(BestB));
    Absorb(BestA);
}

int64_t TDamageArea::Pixels() const {
    int64_t Sum = 0;
    for (const TRect& R : Rects_) {
        Sum += Area(R);
    }
    return Sum;
}
