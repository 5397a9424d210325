// SPDX-License-Identifier: MIT
#include "engine/DamageArea.h"

#include <gtest/gtest.h>

#include <vector>

// Rectangles added one after another, and the few that do not overlap which stand for them.
TEST(DamageArea, MergesWhatOverlapsAndKeepsAFewRectangles) {
    struct TCase {
        const char* What;
        int32_t Max;
        std::vector<TRect> Added;
        std::vector<TRect> Rects;
        int64_t Pixels;
    };
    const TCase cases[] = {
        {"nothing", 4, {}, {}, 0},
        {"an empty rectangle", 4, {{5, 5, 5, 9}}, {}, 0},
        {"one inside another", 4, {{0, 0, 10, 10}, {2, 2, 4, 4}}, {{0, 0, 10, 10}}, 100},
        {"two apart", 4, {{0, 0, 10, 10}, {20, 0, 30, 10}}, {{0, 0, 10, 10}, {20, 0, 30, 10}}, 200},
        {"side by side, not overlapping", 4, {{0, 0, 10, 10}, {10, 0, 20, 10}}, {{0, 0, 10, 10}, {10, 0, 20, 10}}, 200},
        {"two overlapping", 4, {{0, 0, 10, 10}, {5, 5, 15, 15}}, {{0, 0, 15, 15}}, 225},
        // The joined box reaches a third rectangle neither touched before.
        {"a chain", 4, {{0, 0, 10, 20}, {14, 14, 20, 20}, {8, 0, 16, 5}}, {{0, 0, 20, 20}}, 400},
        // Over the limit, the pair whose box adds the fewest pixels is joined.
        {"over the limit", 2, {{0, 0, 10, 10}, {100, 0, 110, 10}, {12, 0, 20, 10}}, {{0, 0, 20, 10}, {100, 0, 110, 10}}, 300},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        TDamageArea damage(c.Max);
        for (const TRect& r : c.Added) {
            damage.Add(r);
        }
        EXPECT_EQ(damage.Rects(), c.Rects);
        EXPECT_EQ(damage.Pixels(), c.Pixels);
        EXPECT_EQ(damage.IsEmpty(), c.Rects.empty());
    }
}
