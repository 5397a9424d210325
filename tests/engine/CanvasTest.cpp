// SPDX-License-Identifier: MIT
#include "engine/Canvas.h"
#include "engine/Image.h"
#include "platform/RecordingBackend.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <new>
#include <vector>

// Counts heap allocations while a test asks for it, to prove a steady frame makes none.
namespace {
thread_local bool CountAllocations = false;
thread_local int Allocations = 0;
} // namespace

namespace {
void* CountedAllocation(size_t Size) noexcept {
    if (CountAllocations) {
        ++Allocations;
    }
    return std::malloc(Size == 0 ? 1 : Size);
}
void* CountedOrThrow(size_t Size) {
    if (void* P = CountedAllocation(Size)) {
        return P;
    }
    throw std::bad_alloc();
}
} // namespace

// Every plain form is replaced together, so whatever one form allocates another frees.
void* operator new(size_t Size) {
    return CountedOrThrow(Size);
}
void* operator new[](size_t Size) {
    return CountedOrThrow(Size);
}
void* operator new(size_t Size, const std::nothrow_t&) noexcept {
    return CountedAllocation(Size);
}
void* operator new[](size_t Size, const std::nothrow_t&) noexcept {
    return CountedAllocation(Size);
}
void operator delete(void* P) noexcept {
    std::free(P);
}
void operator delete[](void* P) noexcept {
    std::free(P);
}
void operator delete(void* P, size_t) noexcept {
    std::free(P);
}
void operator delete[](void* P, size_t) noexcept {
    std::free(P);
}
void operator delete(void* P, const std::nothrow_t&) noexcept {
    std::free(P);
}
void operator delete[](void* P, const std::nothrow_t&) noexcept {
    std::free(P);
}

namespace {

using TCall = TRecordingBackend::TCall;

// A bare texture set whose texture Index has the handle 100 + Index.
class TFakeTexture final : public TBaseTexture {
public:
    using TBaseTexture::TBaseTexture;
    bool CreateTextures() override { return true; }
    void ReleaseTextures() override {}
    [[nodiscard]] uint32_t UsageFlags() const override { return 0; }
    bool Lock(int32_t, int32_t, TLockedRect&) override { return false; }
    bool LockRect(int32_t, const TRect&, TLockedRect&, int32_t) override { return false; }
    bool Unlock(int32_t) override { return false; }
    [[nodiscard]] TTextureHandle Handle(int32_t Index) const override {
        return static_cast<TTextureHandle>(100 + Index);
    }
};

TQuad Rect(float L, float T, float R, float B) {
    return {{{L, T}, {R, T}, {R, B}, {L, B}}};
}

struct TCanvasFixture : ::testing::Test {
    explicit TCanvasFixture(int Width = 800, int Height = 600) {
        Device.SetWidth(Width);
        Device.SetHeight(Height);
        EXPECT_TRUE(Device.Initialize());
    }
    TRecordingBackend& Backend() { return *static_cast<TRecordingBackend*>(Device.Backend()); }
    const std::vector<TRecordingBackend::TBatchRecord>& Batches() { return Backend().Batches; }

    TGfxDevice Device{
        [](const TDisplaySettings& S) { return std::make_unique<TRecordingBackend>(S.Width, S.Height); }};
    TGfxCanvas Canvas{Device};
    TFakeTexture Texture{Device};
};

struct TScaledCanvas : TCanvasFixture {
    TScaledCanvas() : TCanvasFixture(1024, 768) {}
};

TEST(TCanvasCache, VertexCacheRoundsUpToFourAndClamps) {
    const std::pair<int32_t, int32_t> Cases[] = {
        {1000, 1000}, {1001, 1004}, {100, 512}, {100000, 65536}, {512, 512}, {65536, 65536}, {-5, 512},
    };
    TGfxDevice Device{nullptr};
    TGfxCanvas Canvas{Device};
    for (const auto& [Value, Expected] : Cases) {
        Canvas.SetVertexCache(Value);
        EXPECT_EQ(Canvas.VertexCache(), Expected) << Value;
    }
}

TEST_F(TScaledCanvas, LogicalPositionsAreScaledToTheDevice) {
    Canvas.PutPixel({400, 300}, 0xFF1721FCu, fxBlend);
    Canvas.Flush();
    ASSERT_EQ(Batches().size(), 1u);
    const TVertex& V = Batches()[0].Vertices[0];
    EXPECT_EQ(Batches()[0].Kind, TPrimitive::Points);
    EXPECT_FLOAT_EQ(V.X, 512.0f);
    EXPECT_FLOAT_EQ(V.Y, 384.0f);
    // Red 252, green 33, blue 23 in device order.
    EXPECT_EQ(V.Color, 0xFFFC2117u);
}

TEST_F(TScaledCanvas, TexturedVerticesSitHalfAPixelUpLeft) {
    const TTexCorners Coords{{{0, 0}, {1, 0}, {1, 1}, {0, 1}}};
    Canvas.TexMap(Texture, 2, Rect(100, 100, 200, 150), Coords, TColor4::All(0xFFFFFFFFu), fxBlend);
    Canvas.Flush();
    ASSERT_EQ(Batches().size(), 1u);
    const auto& B = Batches()[0];
    EXPECT_EQ(B.Texture, 102u);
    EXPECT_EQ(B.Indices, (std::vector<uint16_t>{0, 1, 3, 1, 2, 3}));
    EXPECT_FLOAT_EQ(B.Vertices[0].X, 127.5f);
    EXPECT_FLOAT_EQ(B.Vertices[2].X, 255.5f);
    EXPECT_FLOAT_EQ(B.Vertices[2].Y, 191.5f);
    EXPECT_FLOAT_EQ(B.Vertices[2].U, 1.0f);
}

TEST_F(TScaledCanvas, ClipRectConvertsBothWays) {
    Canvas.SetClipRect({100, 100, 201, 300});
    EXPECT_EQ(Backend().ClipRect(), (TRect{128, 128, 257, 384}));
    EXPECT_EQ(Canvas.GetClipRect(), (TRect{100, 100, 201, 300}));
    Backend().SetClipRect({0, 0, 1023, 767});
    EXPECT_EQ(Canvas.GetClipRect(), (TRect{0, 0, 799, 599}));
}

TEST_F(TCanvasFixture, CallsBatchUntilKindEffectOrTextureChanges) {
    const TTexCorners Coords{};
    struct TStep {
        const char* Name;
        std::function<void(TGfxCanvas&, TFakeTexture&)> Draw;
        size_t Batches;
    };
    const TStep Steps[] = {
        {"same effect",
         [](TGfxCanvas& C, TFakeTexture&) {
             C.FillQuad(Rect(0, 0, 10, 10), TColor4::All(1), fxBlend);
             C.FillQuad(Rect(0, 0, 10, 10), TColor4::All(1), fxBlend);
         },
         1},
        {"effect change",
         [](TGfxCanvas& C, TFakeTexture&) {
             C.FillQuad(Rect(0, 0, 10, 10), TColor4::All(1), fxBlend);
             C.FillQuad(Rect(0, 0, 10, 10), TColor4::All(1), fxNone);
         },
         2},
        {"kind change",
         [](TGfxCanvas& C, TFakeTexture&) {
             C.PutPixel({1, 1}, 1, fxBlend);
             C.Line({1, 1}, {5, 5}, 1, 1, fxBlend);
             C.PutPixel({1, 1}, 1, fxBlend);
         },
         3},
        {"texture change",
         [&Coords](TGfxCanvas& C, TFakeTexture& T) {
             C.TexMap(T, 0, Rect(0, 0, 10, 10), Coords, TColor4::All(1), fxBlend);
             C.TexMap(T, 0, Rect(0, 0, 10, 10), Coords, TColor4::All(1), fxBlend);
             C.TexMap(T, 1, Rect(0, 0, 10, 10), Coords, TColor4::All(1), fxBlend);
             C.FillQuad(Rect(0, 0, 10, 10), TColor4::All(1), fxBlend);
         },
         3},
    };
    for (const TStep& Step : Steps) {
        Backend().Batches.clear();
        Step.Draw(Canvas, Texture);
        Canvas.Flush();
        EXPECT_EQ(Batches().size(), Step.Batches) << Step.Name;
    }
}

TEST_F(TCanvasFixture, QuadsOfOneBatchIndexTheirOwnVertices) {
    Canvas.FillQuad(Rect(0, 0, 10, 10), TColor4::All(1), fxBlend);
    Canvas.FillQuad(Rect(20, 0, 30, 10), TColor4::All(1), fxBlend);
    Canvas.Flush();
    ASSERT_EQ(Batches().size(), 1u);
    EXPECT_EQ(Batches()[0].Effect, fxBlend);
    EXPECT_EQ(Batches()[0].Vertices.size(), 8u);
    EXPECT_EQ(Batches()[0].Indices, (std::vector<uint16_t>{0, 1, 3, 1, 2, 3, 4, 5, 7, 5, 6, 7}));
}

TEST_F(TCanvasFixture, AFullCacheFlushes) {
    Canvas.SetVertexCache(512);
    // Six indices a quad: 85 quads fill 510 of the 512 index slots.
    for (int i = 0; i < 129; ++i) {
        Canvas.FillQuad(Rect(0, 0, 10, 10), TColor4::All(1), fxBlend);
    }
    Canvas.Flush();
    ASSERT_EQ(Batches().size(), 2u);
    EXPECT_EQ(Batches()[0].Indices.size(), 510u);
    EXPECT_EQ(Batches()[1].Indices.size(), 44u * 6u);
}

TEST_F(TCanvasFixture, StateChangesAndSceneEndFlushFirst) {
    Device.OnRender = [this] {
        Canvas.PutPixel({1, 1}, 1, fxBlend);
        Canvas.SetClipRect({0, 0, 10, 10});
        Canvas.PutPixel({1, 1}, 1, fxBlend);
        Canvas.SetAntialias(false);
        Canvas.PutPixel({1, 1}, 1, fxBlend);
        Canvas.SetDithering(true);
        Canvas.PutPixel({1, 1}, 1, fxBlend);
    };
    Backend().Calls.clear();
    ASSERT_TRUE(Device.Render(0, false));
    std::vector<TCall> Calls;
    for (const TCall Call : Backend().Calls) {
        if (Call != TCall::AlphaTest && Call != TCall::BeginScene) {
            Calls.push_back(Call);
        }
    }
    // The fixed states of the scene come first, then each change after the pending draw.
    const std::vector<TCall> Expected{TCall::Filtering, TCall::Dithering, TCall::Draw, TCall::ClipRect,
                                      TCall::Draw,      TCall::Filtering, TCall::Draw, TCall::Dithering,
                                      TCall::Draw,      TCall::EndScene};
    EXPECT_EQ(Calls, Expected);
    EXPECT_FALSE(Backend().Linear);
    EXPECT_TRUE(Backend().Dithering);
}

TEST_F(TCanvasFixture, FrameOfAnAxisAlignedRectIsOnePixelSmallerRightAndBelow) {
    struct TCase {
        TQuad Quad;
        TQuad Lines;
    };
    const TCase Cases[] = {
        {Rect(10, 10, 20, 30), Rect(10, 10, 19, 29)},
        {{{{10, 10}, {20, 12}, {20, 30}, {10, 30}}}, {{{10, 10}, {20, 12}, {20, 30}, {10, 30}}}},
    };
    for (const TCase& Case : Cases) {
        Backend().Batches.clear();
        Canvas.FrameQuad(Case.Quad, TColor4::All(1), fxBlend);
        Canvas.Flush();
        ASSERT_EQ(Batches().size(), 1u);
        const auto& B = Batches()[0];
        EXPECT_EQ(B.Kind, TPrimitive::Lines);
        EXPECT_EQ(B.Indices, (std::vector<uint16_t>{0, 1, 1, 2, 2, 3, 3, 0}));
        for (size_t i = 0; i < 4; ++i) {
            EXPECT_FLOAT_EQ(B.Vertices[i].X, Case.Lines.P[i].X);
            EXPECT_FLOAT_EQ(B.Vertices[i].Y, Case.Lines.P[i].Y);
        }
    }
}

TEST_F(TCanvasFixture, DiscsHoldThePointsStrictlyInside) {
    Canvas.FillCircle({10, 10}, 2, 0xFF0000FFu, fxBlend);
    Canvas.Flush();
    ASSERT_EQ(Batches().size(), 1u);
    // (0,0), four at distance 1 and four at sqrt 2; the four at distance 2 stay out.
    EXPECT_EQ(Batches()[0].Vertices.size(), 9u);

    Backend().Batches.clear();
    Canvas.GradientCircle({10, 10}, 3, {{0xFF0000FFu, 0xFF0000FFu, 0xFFFF0000u, 0xFFFF0000u}}, fxBlend);
    Canvas.Flush();
    ASSERT_EQ(Batches().size(), 1u);
    uint32_t Top = 0;
    uint32_t Bottom = 0;
    for (const TVertex& V : Batches()[0].Vertices) {
        if (V.Y == 8.0f && V.X == 10.0f) {
            Top = V.Color;
        }
        if (V.Y == 12.0f && V.X == 10.0f) {
            Bottom = V.Color;
        }
    }
    // Red corners on top, blue below: red falls and blue rises from top to bottom.
    EXPECT_GT((Top >> 16) & 0xFFu, (Bottom >> 16) & 0xFFu);
    EXPECT_LT(Top & 0xFFu, Bottom & 0xFFu);
}

TEST_F(TCanvasFixture, DiscsStayWithinTheScreen) {
    struct TCase {
        TPointF Centre;
        float Radius;
        size_t MaxPoints;
    };
    const float Nan = std::nanf("");
    const TCase Cases[] = {
        {{400, 300}, 1e9f, 802u * 602u},
        {{Nan, 300}, 5, 0},
        {{400, 300}, Nan, 0},
        {{-1e30f, 0}, 10, 0},
    };
    for (const TCase& Case : Cases) {
        Backend().RecordBatches = false;
        Backend().VerticesDrawn = 0;
        Canvas.FillCircle(Case.Centre, Case.Radius, 1, fxBlend);
        Canvas.Circle(Case.Centre, Case.Radius, 1, fxBlend);
        Canvas.Flush();
        EXPECT_LE(Backend().VerticesDrawn, Case.MaxPoints) << Case.Radius;
    }
}

TEST_F(TCanvasFixture, CircleAlphaFallsWithDistanceFromTheOutline) {
    Canvas.Circle({50, 50}, 10, 0xFFFFFFFFu, fxBlend);
    Canvas.Flush();
    ASSERT_EQ(Batches().size(), 1u);
    ASSERT_FALSE(Batches()[0].Vertices.empty());
    for (const TVertex& V : Batches()[0].Vertices) {
        const float Off = std::fabs(std::hypot(V.X - 50.0f, V.Y - 50.0f) - 10.0f);
        ASSERT_LT(Off, 1.0f);
        EXPECT_NEAR(static_cast<float>(V.Color >> 24), 255.0f * (1.0f - Off), 1.0f);
    }
}

TEST_F(TCanvasFixture, NothingIsDrawnWhileLostAndDrawingResumesAfterReset) {
    Canvas.PutPixel({1, 1}, 1, fxBlend);
    Backend().LoseDevice();
    Backend().FailResets = true;
    EXPECT_FALSE(Device.Flip());
    Canvas.PutPixel({1, 1}, 1, fxBlend);
    Canvas.Flush();
    EXPECT_TRUE(Batches().empty());
    Backend().FailResets = false;
    EXPECT_TRUE(Device.Flip());
    Canvas.PutPixel({2, 2}, 1, fxBlend);
    Canvas.Flush();
    ASSERT_EQ(Batches().size(), 1u);
    EXPECT_FLOAT_EQ(Batches()[0].Vertices[0].X, 2.0f);
}

TEST_F(TCanvasFixture, FrameStatsCountTheLastSceneOnly) {
    const TTexCorners Coords{};
    int Frame = 0;
    Device.OnRender = [&] {
        // Textures 100, 100, 101, 100, then an untextured quad and texture 100 again: four
        // textured batches, one plain, and three changes of the bound texture.
        for (const int Index : {0, 0, 1, 0}) {
            Canvas.TexMap(Texture, Index, Rect(0, 0, 10, 10), Coords, TColor4::All(1), fxBlend);
        }
        Canvas.FillQuad(Rect(0, 0, 10, 10), TColor4::All(1), fxBlend);
        Canvas.TexMap(Texture, 0, Rect(0, 0, 10, 10), Coords, TColor4::All(1), fxBlend);
        if (Frame++ == 0) {
            Canvas.PutPixel({1, 1}, 1, fxBlend);
        }
    };
    ASSERT_TRUE(Device.Render(0, false));
    EXPECT_EQ(Canvas.LastFrameStats().DrawCalls, 6);
    EXPECT_EQ(Canvas.LastFrameStats().Binds, 3);
    EXPECT_EQ(Canvas.LastFrameStats().Quads, 6);
    ASSERT_TRUE(Device.Render(0, false));
    EXPECT_EQ(Canvas.LastFrameStats().DrawCalls, 5);
    EXPECT_EQ(Canvas.LastFrameStats().Binds, 3);
    EXPECT_EQ(Canvas.LastFrameStats().Quads, 6);
}

TEST_F(TCanvasFixture, ASteadyFrameMakesNoHeapAllocations) {
    const TTexCorners Coords{};
    Device.OnRender = [&] {
        for (int i = 0; i < 2000; ++i) {
            Canvas.TexMap(Texture, i % 2, Rect(0, 0, 10, 10), Coords, TColor4::All(1), fxBlend);
            Canvas.FillQuad(Rect(0, 0, 10, 10), TColor4::All(1), fxNone);
        }
        Canvas.FillCircle({100, 100}, 20, 1, fxBlend);
    };
    ASSERT_TRUE(Device.Render(0, false));
    // The recording backend's own copies would allocate: let it only count.
    Backend().RecordBatches = false;
    Backend().Calls.reserve(100000);
    CountAllocations = true;
    Allocations = 0;
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(Device.Render(0, false));
    }
    CountAllocations = false;
    EXPECT_EQ(Allocations, 0);
    EXPECT_GT(Backend().DrawCount, 3);
}

} // namespace
