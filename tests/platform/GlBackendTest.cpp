// SPDX-License-Identifier: MIT
#include "platform/GlBackend.h"
#include "platform/GameWindow.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

constexpr uint32_t Blue = 0xFF0000FFu;

// A hidden window with the OpenGL renderer; tests skip when the machine has no OpenGL 3.3.
struct TGlFixture : ::testing::Test {
    void SetUp() override {
        Window = TGameWindow::Create("test", true);
        if (!Window) {
            GTEST_SKIP() << "no video system for a hidden window (SDL_VIDEODRIVER=offscreen needs EGL)";
        }
        Backend = Window->CreateBackend(TDisplaySettings{});
        if (!Backend) {
            GTEST_SKIP() << "OpenGL 3.3 core is not available here";
        }
        Gl = static_cast<TGlBackend*>(Backend.get());
        ASSERT_TRUE(Backend->BeginScene());
        Backend->SetFiltering(false);
        Backend->Clear(Blue);
    }

    // A solid quad over the rectangle, drawn as the canvas draws it (two triangles).
    // With a texture, U runs from 0 to RightU across it.
    void Quad(float L, float T, float R, float B, uint32_t Color, uint32_t Effect, TTextureHandle Texture = 0,
              float RightU = 1.0f) {
        const float Shift = Texture != 0 ? 0.5f : 0.0f;
        const TVertex V[4] = {{L - Shift, T - Shift, Color, 0, 0},
                              {R - Shift, T - Shift, Color, RightU, 0},
                              {R - Shift, B - Shift, Color, RightU, 1},
                              {L - Shift, B - Shift, Color, 0, 1}};
        const uint16_t I[6] = {0, 1, 3, 1, 2, 3};
        Backend->DrawBatch(TPrimitive::Triangles, Effect, Texture, V, 4, I, 6);
    }

    TTextureHandle Texel(uint32_t Pixel) {
        const TTextureHandle Handle = Backend->CreateTexture(1, 1, false);
        EXPECT_NE(Handle, 0u);
        EXPECT_TRUE(Backend->UpdateTexture(Handle, &Pixel, 1, 1));
        return Handle;
    }

    uint32_t PixelAt(int X, int Y) {
        std::vector<uint32_t> Pixels;
        EXPECT_TRUE(Backend->ReadPixels(Pixels));
        return Pixels.at(static_cast<size_t>(Y) * static_cast<size_t>(Backend->Width()) +
                         static_cast<size_t>(X)) |
               0xFF000000u;
    }

    std::unique_ptr<TGameWindow> Window;
    std::unique_ptr<TRenderBackend> Backend;
    TGlBackend* Gl = nullptr;
};

void ExpectNear(uint32_t Actual, uint32_t Expected, const char* Name) {
    for (int Shift = 0; Shift < 24; Shift += 8) {
        const int A = static_cast<int>((Actual >> Shift) & 0xFFu);
        const int E = static_cast<int>((Expected >> Shift) & 0xFFu);
        EXPECT_LE(std::abs(A - E), 2) << Name << std::hex << ": got 0x" << Actual << ", want 0x" << Expected;
    }
}

TEST_F(TGlFixture, EffectCodesBlendTextureTimesColourOverTheBackground) {
    struct TCase {
        const char* Name;
        uint32_t Texel;
        uint32_t Color;
        uint32_t Effect;
        uint32_t Expected;
    };
    const TCase Cases[] = {
        {"copy ignores texel alpha", 0x00FF0000u, 0xFFFFFFFFu, 1, 0xFFFF0000u},
        {"blend of a transparent texel", 0x00FF0000u, 0xFFFFFFFFu, 1284, Blue},
        {"blend of half alpha", 0x80FF0000u, 0xFFFFFFFFu, 1284, 0xFF80007Fu},
        {"vertex colour tints", 0xFFFFFFFFu, 0xFF00FF00u, 1284, 0xFF00FF00u},
        {"vertex alpha fades", 0xFFFF0000u, 0x80FFFFFFu, 1284, 0xFF80007Fu},
        {"one plus one", 0xFF00FF00u, 0xFFFFFFFFu, 0x0101, 0xFF00FFFFu},
        {"reverse subtract", 0xFF000080u, 0xFFFFFFFFu, 0x010101, 0xFF00007Fu},
        {"subtract", 0xFFFF0080u, 0xFFFFFFFFu, 0x020101, 0xFFFF0000u},
        {"minimum", 0xFFFF0080u, 0xFFFFFFFFu, 0x030101, 0xFF000080u},
        {"maximum", 0xFFFF0080u, 0xFFFFFFFFu, 0x040101, 0xFFFF00FFu},
        {"destination colour", 0xFFFFFFFFu, 0xFFFFFFFFu, 0x0008, Blue},
        {"doubled with alpha blend", 0xFF404040u, 0xFFFFFFFFu, 0x7FFFFFF3u, 0xFF808080u},
        {"quadrupled with alpha blend", 0xFF202020u, 0xFFFFFFFFu, 0x7FFFFFF4u, 0xFF808080u},
        {"doubled additive", 0xFF400000u, 0xFFFFFFFFu, 0x7FFFFFF0u, 0xFF8000FFu},
    };
    for (const TCase& Case : Cases) {
        Backend->Clear(Blue);
        const TTextureHandle Texture = Texel(Case.Texel);
        Quad(0, 0, 16, 16, Case.Color, Case.Effect, Texture);
        ExpectNear(PixelAt(8, 8), Case.Expected, Case.Name);
        Backend->DeleteTexture(Texture);
    }
}

// A texture without a transparent texel is drawn without blending; the picture must be exactly
// the blended one, and a texture that later gets transparent texels must blend again.
TEST_F(TGlFixture, OpaqueTexturesLookExactlyAsBlended) {
    const uint32_t OpaqueTexels[4] = {0xFFFF0000u, 0xFF00FF00u, 0xFF123456u, 0xFFABCDEFu};
    const uint32_t WithHole[4] = {0xFFFF0000u, 0xFF00FF00u, 0xFF123456u, 0x00000000u};
    const TTextureHandle Opaque = Backend->CreateTexture(4, 1, false);
    const TTextureHandle Holed = Backend->CreateTexture(4, 1, false);
    ASSERT_TRUE(Backend->UpdateTexture(Opaque, OpaqueTexels, 4, 1));
    ASSERT_TRUE(Backend->UpdateTexture(Holed, WithHole, 4, 1));
    // Only the first two texels are sampled, so both textures must give the same pixels.
    for (const uint32_t Tint : {0xFFFFFFFFu, 0xFF80C0FFu}) {
        Backend->Clear(Blue);
        Quad(0, 0, 32, 8, Tint, 1284, Opaque, 0.5f);
        Quad(0, 10, 32, 18, Tint, 1284, Holed, 0.5f);
        std::vector<uint32_t> Pixels;
        ASSERT_TRUE(Backend->ReadPixels(Pixels));
        for (size_t X = 0; X < 32; ++X) {
            EXPECT_EQ(Pixels[4 * 800 + X], Pixels[14 * 800 + X])
                << std::hex << Tint << " at " << std::dec << X;
        }
    }
    const uint32_t Transparent[4] = {0x00FF0000u, 0x00FF0000u, 0x00FF0000u, 0x00FF0000u};
    ASSERT_TRUE(Backend->UpdateTexture(Opaque, Transparent, 4, 1));
    Backend->Clear(Blue);
    Quad(0, 0, 16, 16, 0xFFFFFFFFu, 1284, Opaque);
    EXPECT_EQ(PixelAt(8, 8), Blue);
    Backend->DeleteTexture(Opaque);
    Backend->DeleteTexture(Holed);
}

TEST_F(TGlFixture, UntexturedPrimitivesCoverExactPixels) {
    Quad(10, 10, 20, 20, 0xFFFFFFFFu, 1);
    const TVertex Point{3, 4, 0xFFFF0000u, 0, 0};
    const uint16_t One = 0;
    Backend->DrawBatch(TPrimitive::Points, 1, 0, &Point, 1, &One, 1);
    const TVertex Line[2] = {{30, 40, 0xFF00FF00u, 0, 0}, {35, 40, 0xFF00FF00u, 0, 0}};
    const uint16_t Pair[2] = {0, 1};
    Backend->DrawBatch(TPrimitive::Lines, 1, 0, Line, 2, Pair, 2);
    struct TProbe {
        int X;
        int Y;
        uint32_t Expected;
    };
    const TProbe Probes[] = {
        {10, 10, 0xFFFFFFFFu}, {19, 19, 0xFFFFFFFFu}, {9, 10, Blue},  {20, 19, Blue},
        {19, 20, Blue},        {3, 4, 0xFFFF0000u},   {4, 4, Blue},   {3, 5, Blue},
        {30, 40, 0xFF00FF00u}, {34, 40, 0xFF00FF00u}, {30, 41, Blue}, {30, 39, Blue},
    };
    std::vector<uint32_t> Pixels;
    ASSERT_TRUE(Backend->ReadPixels(Pixels));
    ASSERT_EQ(Pixels.size(), 800u * 600u);
    for (const TProbe& P : Probes) {
        EXPECT_EQ(Pixels[static_cast<size_t>(P.Y) * 800 + static_cast<size_t>(P.X)] | 0xFF000000u, P.Expected)
            << P.X << "," << P.Y;
    }
}

TEST_F(TGlFixture, ClipRectScissorsDrawing) {
    Backend->SetClipRect({10, 10, 20, 30});
    EXPECT_EQ(Backend->ClipRect(), (TRect{10, 10, 20, 30}));
    Quad(0, 0, 800, 600, 0xFFFFFFFFu, 1);
    EXPECT_EQ(PixelAt(10, 10), 0xFFFFFFFFu);
    EXPECT_EQ(PixelAt(19, 29), 0xFFFFFFFFu);
    EXPECT_EQ(PixelAt(9, 10), Blue);
    EXPECT_EQ(PixelAt(20, 29), Blue);
    EXPECT_EQ(PixelAt(19, 30), Blue);
}

TEST_F(TGlFixture, EveryBatchIsOneDrawCall) {
    const uint64_t Before = Gl->DrawCalls();
    Quad(0, 0, 10, 10, 0xFFFFFFFFu, 1);
    Quad(0, 0, 10, 10, 0xFFFFFFFFu, 1284);
    EXPECT_EQ(Gl->DrawCalls() - Before, 2u);
    EXPECT_EQ(Backend->Present(), TPresentResult::Ok);
}

// Frames whose batches outgrow the streaming buffers still draw every batch, before and after
// the one that did not fit, in that frame and in the frames after it with either stream.
TEST_F(TGlFixture, FramesLargerThanTheStreamsDrawEveryBatch) {
    constexpr int Side = 128; // 16,384 one-pixel quads: 65,536 vertices in one batch
    std::vector<TVertex> Grid;
    std::vector<uint16_t> Indices;
    for (int Frame = 0; Frame < 3; ++Frame) {
        const uint32_t Color = Frame % 2 == 0 ? 0xFFFF0000u : 0xFF00FF00u;
        Grid.clear();
        Indices.clear();
        for (int Y = 0; Y < Side; ++Y) {
            for (int X = 0; X < Side; ++X) {
                const auto First = static_cast<uint16_t>(Grid.size());
                const auto L = static_cast<float>(X);
                const auto T = static_cast<float>(Y);
                Grid.insert(Grid.end(), {{L, T, Color, 0, 0},
                                         {L + 1, T, Color, 0, 0},
                                         {L + 1, T + 1, Color, 0, 0},
                                         {L, T + 1, Color, 0, 0}});
                for (const uint16_t Corner : {0, 1, 3, 1, 2, 3}) {
                    Indices.push_back(static_cast<uint16_t>(First + Corner));
                }
            }
        }
        if (Frame > 0) {
            ASSERT_TRUE(Backend->BeginScene());
            Backend->Clear(Blue);
        }
        Quad(300, 300, 310, 310, Color, 1);
        Backend->DrawBatch(TPrimitive::Triangles, 1, 0, Grid.data(), Grid.size(), Indices.data(), Indices.size());
        Quad(400, 300, 410, 310, Color, 1);
        EXPECT_EQ(PixelAt(0, 0), Color) << "frame " << Frame;
        EXPECT_EQ(PixelAt(Side - 1, Side - 1), Color) << "frame " << Frame;
        EXPECT_EQ(PixelAt(Side, 0), Blue) << "frame " << Frame;
        EXPECT_EQ(PixelAt(305, 305), Color) << "frame " << Frame;
        EXPECT_EQ(PixelAt(405, 305), Color) << "frame " << Frame;
        Backend->EndScene();
        ASSERT_EQ(Backend->Present(), TPresentResult::Ok);
    }
}

TEST_F(TGlFixture, BetweenFramesPixelsAreThePictureOnShow) {
    Quad(0, 0, 10, 10, 0xFFFFFFFFu, 1);
    Backend->EndScene();
    ASSERT_EQ(Backend->Present(), TPresentResult::Ok);
    EXPECT_EQ(PixelAt(5, 5), 0xFFFFFFFFu);
    EXPECT_EQ(PixelAt(15, 5), Blue);
}

TEST_F(TGlFixture, TexturesCheckTheirSizes) {
    EXPECT_EQ(Backend->CreateTexture(0, 4, false), 0u);
    EXPECT_EQ(Backend->CreateTexture(4, 100000, false), 0u);
    const TTextureHandle Texture = Backend->CreateTexture(2, 2, true);
    ASSERT_NE(Texture, 0u);
    const uint32_t Pixels[4] = {1, 2, 3, 4};
    EXPECT_FALSE(Backend->UpdateTexture(Texture, Pixels, 1, 4));
    EXPECT_FALSE(Backend->UpdateTexture(Texture + 1000, Pixels, 2, 2));
    EXPECT_TRUE(Backend->UpdateTexture(Texture, Pixels, 2, 2));
    Backend->DeleteTexture(Texture);
    EXPECT_FALSE(Backend->UpdateTexture(Texture, Pixels, 2, 2));
}

} // namespace
