// SPDX-License-Identifier: MIT
#include "platform/DrawingArea.h"

#include <gtest/gtest.h>

namespace {

TEST(TDrawingArea, TheLogicalScreenFitsCentredBetweenBars) {
    struct TCase {
        TPoint Client;
        TRect Area;
    };
    const TCase Cases[] = {
        {{800, 600}, {0, 0, 800, 600}},       {{1024, 768}, {0, 0, 1024, 768}},
        {{1920, 1080}, {240, 0, 1680, 1080}}, {{1280, 1024}, {0, 32, 1280, 992}},
        {{2560, 1080}, {560, 0, 2000, 1080}}, {{0, 0}, {0, 0, 0, 0}},
        {{-5, 100}, {0, 0, 0, 100}},
    };
    for (const TCase& Case : Cases) {
        EXPECT_EQ(FitDrawingArea(Case.Client, 800, 600), Case.Area) << Case.Client.X << "x" << Case.Client.Y;
    }
}

} // namespace

namespace {

TEST(TDrawingArea, ANewWindowIsTheLargestWholeMultipleInNineTenthsOfTheDesktop) {
    struct TCase {
        TPoint Desktop;
        int32_t Scale;
    };
    const TCase Cases[] = {
        {{1024, 768}, 1}, {{800, 600}, 1},   {{640, 480}, 1},   {{1920, 1080}, 1},
        {{1920, 1200}, 1}, {{2560, 1440}, 2}, {{3840, 2160}, 3}, {{7680, 4320}, 6},
    };
    for (const TCase& Case : Cases) {
        EXPECT_EQ(InitialWindowScale(Case.Desktop, 800, 600), Case.Scale) << Case.Desktop.X << "x" << Case.Desktop.Y;
    }
}

} // namespace
