// SPDX-License-Identifier: MIT
#include "engine/Canvas.h"
#include "engine/Image.h"
#include "platform/Desktop.h"
#include "platform/DrawingArea.h"
#include "platform/GameWindow.h"
#include "platform/GlBackend.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr uint32_t Blue = 0xFF0000FFu;

// 4x4 texels, each a different colour; the top-left one fully transparent red.
std::vector<uint32_t> TestPicture() {
    std::vector<uint32_t> Pixels(16);
    for (uint32_t i = 0; i < 16; ++i) {
        Pixels[i] = 0xFF000000u | (i * 16u) << 16 | (255u - i * 16u) << 8 | 0x40u;
    }
    Pixels[0] = 0x00FF0000u;
    return Pixels;
}

// The whole stack on a hidden window: OpenGL backend, device, canvas and one image.
struct TGlCanvasFixture : ::testing::Test {
    void Start(int Width, int Height, bool Hidden = true) {
        Window = TGameWindow::Create("test", Hidden);
        if (!Window) {
            GTEST_SKIP() << "no video system for a hidden window (SDL_VIDEODRIVER=offscreen needs EGL)";
        }
        Device = std::make_unique<TGfxDevice>(
            [this](const TDisplaySettings& S) { return Window->CreateBackend(S); });
        Device->SetWidth(Width);
        Device->SetHeight(Height);
        if (!Device->Initialize()) {
            GTEST_SKIP() << "OpenGL 3.3 core is not available here";
        }
        Canvas = std::make_unique<TGfxCanvas>(*Device);
        Canvas->SetAntialias(false);
        Image = std::make_unique<TGfxImage>(*Device);
        Image->SetTextureSize({4, 4});
        ASSERT_TRUE(Image->LoadFromBitmap(TestPicture(), 4, 4));
    }
    void TearDown() override {
        Image.reset();
        Canvas.reset();
        Device.reset();
    }
    // Renders one frame over blue and returns its pixels.
    std::vector<uint32_t> Frame(const std::function<void()>& Draw) {
        Device->OnRender = Draw;
        EXPECT_TRUE(Device->Render(0xFF0000FFu, true));
        std::vector<uint32_t> Pixels;
        EXPECT_TRUE(Device->Backend()->ReadPixels(Pixels));
        for (uint32_t& P : Pixels) {
            P |= 0xFF000000u;
        }
        return Pixels;
    }
    [[nodiscard]] uint64_t DrawCalls() const {
        return static_cast<TGlBackend*>(Device->Backend())->DrawCalls();
    }

    std::unique_ptr<TGameWindow> Window;
    std::unique_ptr<TGfxDevice> Device;
    std::unique_ptr<TGfxCanvas> Canvas;
    std::unique_ptr<TGfxImage> Image;
};

TEST_F(TGlCanvasFixture, PatternsLandTexelForPixel) {
    Start(800, 600);
    const std::vector<uint32_t> Pixels = Frame([this] { Canvas->Draw(*Image, 0, 10, 20, fxNone); });
    const std::vector<uint32_t> Picture = TestPicture();
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(Pixels[static_cast<size_t>(20 + y) * 800 + static_cast<size_t>(10 + x)],
                      Picture[static_cast<size_t>(y) * 4 + static_cast<size_t>(x)] | 0xFF000000u)
                << x << "," << y;
        }
    }
    EXPECT_EQ(Pixels[20 * 800 + 9], Blue);
    EXPECT_EQ(Pixels[20 * 800 + 14], Blue);
    EXPECT_EQ(Pixels[24 * 800 + 10], Blue);
}

TEST_F(TGlCanvasFixture, CopyIsOpaqueAndBlendShowsTheBackground) {
    Start(800, 600);
    const std::vector<uint32_t> Pixels = Frame([this] {
        Canvas->Draw(*Image, 0, 0, 0, fxNone);
        Canvas->Draw(*Image, 0, 100, 0, fxBlend);
    });
    // The transparent red texel: copied as red, blended away.
    EXPECT_EQ(Pixels[0], 0xFFFF0000u);
    EXPECT_EQ(Pixels[100], Blue);
    EXPECT_EQ(Pixels[101], Pixels[1]);
}

TEST_F(TGlCanvasFixture, SameEffectAndImageShareOneDrawCall) {
    Start(800, 600);
    struct TCase {
        uint32_t Second;
        uint64_t Calls;
    };
    for (const TCase Case : {TCase{fxBlend, 1}, TCase{fxNone, 2}}) {
        const uint64_t Before = DrawCalls();
        Frame([&] {
            Canvas->Draw(*Image, 0, 0, 0, fxBlend);
            Canvas->Draw(*Image, 0, 50, 50, Case.Second);
        });
        EXPECT_EQ(DrawCalls() - Before, Case.Calls) << Case.Second;
    }
}

TEST_F(TGlCanvasFixture, LargerBackBufferScalesTheLogicalScreen) {
    Start(1024, 768);
    ASSERT_EQ(Device->Backend()->Width(), 1024);
    const std::vector<uint32_t> Pixels = Frame([this] { Canvas->PutPixel({400, 300}, 0xFFFFFFFFu, fxNone); });
    EXPECT_EQ(Pixels[384 * 1024 + 512], 0xFFFFFFFFu);
    EXPECT_EQ(Pixels[384 * 1024 + 511], Blue);
    EXPECT_EQ(Pixels[383 * 1024 + 512], Blue);
}

TEST_F(TGlCanvasFixture, FullScreenFitsTheLogicalScreenIntoTheDesktop) {
    // Only a shown window goes full screen (the offscreen video driver shows nothing anyway).
    Start(800, 600, false);
    Device->SetWindowed(false);
    const TRect Area = FitDrawingArea(DesktopSize(), 800, 600);
    ASSERT_EQ(Device->Backend()->Width(), Area.Width());
    ASSERT_EQ(Device->Backend()->Height(), Area.Height());
    EXPECT_FLOAT_EQ(Device->ScaleX(), static_cast<float>(Area.Width()) / 800.0f);
    Window->PumpEvents();
    EXPECT_EQ(Window->Input().DrawingArea(), Area);
    const std::vector<uint32_t> Pixels = Frame([this] { Canvas->PutPixel({400, 300}, 0xFFFFFFFFu, fxNone); });
    const TPoint Centre{static_cast<int32_t>(400 * Device->ScaleX()),
                        static_cast<int32_t>(300 * Device->ScaleY())};
    EXPECT_EQ(Pixels[static_cast<size_t>(Centre.Y * Area.Width() + Centre.X)], 0xFFFFFFFFu);
    EXPECT_EQ(Window->Input().ToLogical({Area.Left + Centre.X, Area.Top + Centre.Y}), (TPoint{400, 300}));

    Device->SetWindowed(true);
    EXPECT_EQ(Device->Backend()->Width(), 800);
    EXPECT_FLOAT_EQ(Device->ScaleX(), 1.0f);
}

} // namespace
