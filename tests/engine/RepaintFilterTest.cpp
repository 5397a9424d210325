// SPDX-License-Identifier: MIT
#include "engine/RepaintFilter.h"
#include "platform/RecordingBackend.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// A frame as the device and the canvas hand it over: a clear, one quad of the given texture at
// X, drawn with the given filtering.
struct TFrame {
    uint32_t Clear = 0;
    float X = 10.0f;
    TTextureHandle Texture = 0;
    bool Linear = false;
    TRect Clip{0, 0, 800, 600};
};

void Draw(TRenderBackend& Backend, const TFrame& F) {
    Backend.Clear(F.Clear);
    Backend.BeginScene();
    Backend.SetClipRect(F.Clip);
    Backend.SetFiltering(F.Linear);
    const TVertex v[4] = {{F.X, 0, 0xFFFFFFFFu, 0, 0},
                          {F.X + 8, 0, 0xFFFFFFFFu, 1, 0},
                          {F.X + 8, 8, 0xFFFFFFFFu, 1, 1},
                          {F.X, 8, 0xFFFFFFFFu, 0, 1}};
    const uint16_t i[6] = {0, 1, 2, 0, 2, 3};
    Backend.DrawBatch(TPrimitive::Triangles, 1284, F.Texture, v, 4, i, 6);
    Backend.EndScene();
    Backend.Present();
}

struct TFiltered {
    TRecordingBackend* Inner;
    TRepaintFilter Filter;
    explicit TFiltered(int32_t RepaintEvery = 100) : TFiltered(new TRecordingBackend(800, 600), RepaintEvery) {}
    TFiltered(TRecordingBackend* Backend, int32_t RepaintEvery)
        : Inner(Backend), Filter(std::unique_ptr<TRenderBackend>(Backend), RepaintEvery) {}
};

} // namespace

// The second of two identical frames never reaches the screen; a frame that differs in anything
// it draws or in a texture it uses is drawn, exactly as it was handed over.
TEST(RepaintFilter, HoldsOnlyAFrameIdenticalToThePictureOnScreen) {
    struct TCase {
        const char* What;
        std::function<void(TFiltered&, TFrame&)> Change;
        bool Drawn;
    };
    const TCase cases[] = {
        {"nothing", [](TFiltered&, TFrame&) {}, false},
        {"a quad moved", [](TFiltered&, TFrame& F) { F.X += 0.25f; }, true},
        {"the clear colour", [](TFiltered&, TFrame& F) { F.Clear = 0xFF000001u; }, true},
        {"the filtering", [](TFiltered&, TFrame& F) { F.Linear = true; }, true},
        {"the clip", [](TFiltered&, TFrame& F) { F.Clip.Right = 799; }, true},
        {"the texture's pixels",
         [](TFiltered& T, TFrame& F) {
             const uint32_t pixel = 0xFF00FF00u;
             T.Filter.UpdateTexture(F.Texture, &pixel, 1, 1);
         },
         true},
        {"a repaint asked for", [](TFiltered& T, TFrame&) { T.Filter.Repaint(); }, true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        TFiltered t;
        TFrame frame;
        frame.Texture = t.Filter.CreateTexture(1, 1, false);
        Draw(t.Filter, frame);
        Draw(t.Filter, frame);
        EXPECT_TRUE(t.Filter.LastHeld());
        const size_t batches = t.Inner->Batches.size();
        const size_t calls = t.Inner->Calls.size();
        c.Change(t, frame);
        Draw(t.Filter, frame);
        EXPECT_EQ(!t.Filter.LastHeld(), c.Drawn);
        EXPECT_EQ(t.Inner->Batches.size(), batches + (c.Drawn ? 1 : 0));
        EXPECT_EQ(t.Filter.Presents() + t.Filter.Held(), 3);
        if (c.Drawn) {
            // The frame arrives whole and in order: its starting state, the clear, the scene.
            EXPECT_EQ(t.Inner->Batches.back().Vertices[0].X, frame.X);
            EXPECT_EQ(t.Inner->Clears.back(), frame.Clear);
            EXPECT_EQ(t.Inner->Linear, frame.Linear);
            EXPECT_EQ(t.Inner->ClipRect().Right, frame.Clip.Right);
            ASSERT_GE(t.Inner->Calls.size(), calls + 4);
            EXPECT_EQ(t.Inner->Calls[t.Inner->Calls.size() - 1], TRecordingBackend::TCall::EndScene);
        } else {
            EXPECT_EQ(t.Inner->Calls.size(), calls);
        }
    }
}

// A still picture is drawn again every so many frames all the same, in case the desktop lost it.
TEST(RepaintFilter, AStillPictureIsDrawnAgainNowAndThen) {
    TFiltered t(10);
    const TFrame frame;
    for (int i = 0; i < 100; ++i) {
        Draw(t.Filter, frame);
    }
    EXPECT_EQ(t.Filter.Presents(), 10);
    EXPECT_EQ(t.Filter.Held(), 90);
    EXPECT_EQ(t.Inner->Batches.size(), 10u);
}

// Drawing state set between frames goes to the screen's backend at once, and the frame after
// it, starting from another state than the picture on screen, is drawn.
TEST(RepaintFilter, StateChangedBetweenFramesReachesTheScreenAtOnce) {
    TFiltered t;
    TFrame linear;
    linear.Linear = true;
    Draw(t.Filter, linear);
    Draw(t.Filter, linear); // held
    // The filtering changes between frames, where the filter hands it on at once.
    t.Filter.SetFiltering(false);
    EXPECT_FALSE(t.Inner->Linear);
    t.Filter.Clear(7);
    t.Filter.BeginScene();
    t.Filter.SetFiltering(true);
    t.Filter.EndScene();
    t.Filter.Present();
    EXPECT_FALSE(t.Filter.LastHeld());
    EXPECT_TRUE(t.Inner->Linear);
    EXPECT_EQ(t.Inner->Clears.back(), 7u);
}

// On a backend that keeps its picture, a frame that moves one quad redraws only where the quad
// was and where it is: the whole frame once within each of the two rectangles, then the limit
// is lifted. What changes the whole picture is drawn whole, and the full-redraw switch and a
// backend that keeps nothing draw every changed frame whole, though the damage is still found.
TEST(RepaintFilter, AFrameThatMovesAQuadRedrawsOnlyWhereItWasAndIs) {
    const TRect Screen{0, 0, 800, 600};
    struct TCase {
        const char* What;
        bool CanKeep;
        bool OnlyDamage;
        std::function<void(TFiltered&, TFrame&)> Change;
        std::vector<TRect> Limits;
        int64_t Damaged;
    };
    const auto Move = [](TFiltered&, TFrame& F) { F.X = 200.0f; };
    const TCase cases[] = {
        {"a quad moved", true, true, Move, {{99, 0, 110, 10}, {199, 0, 210, 10}, Screen}, 220},
        {"the clear colour", true, true, [](TFiltered&, TFrame& F) { F.Clear = 5; }, {}, 480000},
        {"a repaint asked for", true, true, [](TFiltered& T, TFrame&) { T.Filter.Repaint(); }, {}, 480000},
        {"the clip", true, true, [](TFiltered&, TFrame& F) { F.Clip.Bottom = 300; }, {{99, 0, 110, 10}, Screen}, 110},
        {"full redraws asked for", true, false, Move, {}, 220},
        {"a backend that keeps nothing", false, true, Move, {}, 220},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        TFiltered t;
        t.Inner->CanKeepPicture = c.CanKeep;
        t.Filter.SetRedrawOnlyDamage(c.OnlyDamage);
        TFrame frame;
        Draw(t.Filter, frame);
        // A first changed part asks the backend to keep its picture, which it has only from
        // the next present on: that frame is drawn whole.
        frame.X = 100.0f;
        Draw(t.Filter, frame);
        EXPECT_EQ(t.Inner->Keeping, c.CanKeep && c.OnlyDamage);
        EXPECT_TRUE(t.Inner->Limits.empty());
        const size_t batches = t.Inner->Batches.size();
        c.Change(t, frame);
        Draw(t.Filter, frame);
        EXPECT_EQ(t.Inner->Limits, c.Limits);
        EXPECT_EQ(t.Filter.DamagedPixels(), c.Damaged);
        // Once per limited rectangle, or once whole.
        const size_t passes = c.Limits.empty() ? 1 : c.Limits.size() - 1;
        EXPECT_EQ(t.Inner->Batches.size(), batches + passes);
    }
}

// Pictures that change whole one after another (a turning background alone) stop the backend
// keeping its picture, which would cost it a copy for each.
TEST(RepaintFilter, WholeChangesInARowStopKeepingThePicture) {
    TFiltered t;
    t.Inner->CanKeepPicture = true;
    TFrame frame;
    Draw(t.Filter, frame);
    frame.X = 100.0f;
    Draw(t.Filter, frame);
    EXPECT_TRUE(t.Inner->Keeping);
    int kept = 0;
    for (uint32_t i = 1; i <= 20; ++i) {
        frame.Clear = i;
        Draw(t.Filter, frame);
        kept += t.Inner->Keeping ? 1 : 0;
    }
    EXPECT_FALSE(t.Inner->Keeping);
    EXPECT_LT(kept, 10);
}
