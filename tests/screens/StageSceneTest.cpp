// SPDX-License-Identifier: MIT
#include "screens/StageScene.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
struct TCountRun {
    int32_t Score;
    // The numbers at which the step size changes, in order, and the frames the count takes.
    std::vector<int32_t> StepChanges;
    int32_t Frames;
};

// Counts from 0 to Score, noting where the step changes.
TCountRun CountFromZero(int32_t Score) {
    TCountRun run{Score, {}, 0};
    int32_t shown = 0;
    int32_t lastStep = 0;
    while (true) {
        const int32_t next = CountUpStep(shown, Score);
        if (next == shown) {
            break;
        }
        if (next - shown != lastStep && lastStep != 0) {
            run.StepChanges.push_back(shown);
        }
        lastStep = next - shown;
        shown = next;
        ++run.Frames;
    }
    EXPECT_EQ(shown, Score);
    return run;
}
} // namespace

TEST(CountUp, StepsShrinkAsTheScoreComesNear) {
    const TCountRun cases[] = {
        // 1000 a frame to 3000, 100 to 11400, 10 to 12250, then 1 to 12345.
        {12345, {3000, 11400, 12250}, 3 + 84 + 85 + 95}, {100, {}, 100}, {101, {10}, 92},
        {10001, {1000, 9100, 9910}, 1 + 81 + 81 + 91},   {0, {}, 0},
    };
    for (const TCountRun& expected : cases) {
        const TCountRun run = CountFromZero(expected.Score);
        EXPECT_EQ(run.StepChanges, expected.StepChanges) << expected.Score;
        EXPECT_EQ(run.Frames, expected.Frames) << expected.Score;
    }
}

TEST(CountUp, NeverPassesTheScoreAndHoldsAboveIt) {
    const struct {
        int32_t Shown, Score, Next;
    } cases[] = {
        {12340, 12345, 12341}, {12345, 12345, 12345}, {12352, 12345, 12352}, {0, 1, 1},
        {-5, 0, -4},           {0, 2147483647, 1000},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CountUpStep(c.Shown, c.Score), c.Next) << c.Shown << " -> " << c.Score;
    }
}

TEST(StageScene, ElementPictureAndChapterByStage) {
    const struct {
        int32_t Stage, Element, Chapter;
    } cases[] = {
        {1, 0, 1},  {2, 1, 0},   {3, 2, 0},  {4, 3, 0},   {5, 0, 2},   {6, 5, 0}, {8, 7, 0},  {9, 0, 3},
        {10, 9, 0}, {12, 11, 0}, {13, 0, 4}, {14, 13, 0}, {16, 15, 0}, {0, 0, 0}, {17, 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StageElementIndex(c.Stage), c.Element) << c.Stage;
        EXPECT_EQ(ChapterStartedBy(c.Stage), c.Chapter) << c.Stage;
    }
}
