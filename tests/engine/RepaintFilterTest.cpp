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
