// SPDX-License-Identifier: MIT
// The drawn cursor's tip lies under the system pointer, in a window at any size and in full
// screen: the pointer goes to known client pixels, the window maps them to the logical screen
// as the game's window does, and the recording backend shows where the cursor was drawn.
#include "board/BoardHost.h"
#include "engine/Canvas.h"
#include "engine/ImageFixture.h"
#include "platform/DrawingArea.h"
#include "platform/WindowInput.h"
#include "scene/Decor.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {
class TPointerHost final : public IBoardHost {
public:
    uint8_t ScreenState() const override { return 4; }
    int32_t GetScore() const override { return 0; }
    void SetScore(int32_t) override {}
    void PlaySound(const std::string&) override {}
    TPointF PointerPosition() const override { return Pointer; }
    void ProgressChanged(uint8_t) override {}
    void SetElementIndex(int32_t) override {}
    TPointF Pointer;
};
} // namespace

TEST(Cursor, TheTipIsUnderThePointerAtEveryScale) {
    struct TCase {
        const char* What;
        TPoint Client; // the window's client area or the full screen
    };
    const TCase cases[] = {
        {"window 1x", {800, 600}},
        {"window 2x", {1600, 1200}},
        {"window resized to another shape", {1000, 700}},
        {"full screen 1920x1080", {1920, 1080}},
    };
    const TPoint pointers[] = {{0, 0}, {1, 1}, {401, 299}, {777, 555}, {1250, 650}, {1919, 1079}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        const TRect area = FitDrawingArea(c.Client, 800, 600);
        TGfxDevice device{[&area](const TDisplaySettings&) {
            return std::make_unique<TRecordingBackend>(area.Width(), area.Height());
        }};
        ASSERT_TRUE(device.Initialize());
        auto* backend = static_cast<TRecordingBackend*>(device.Backend());
        TGfxCanvas canvas(device);
        TGfxImages images(device);
        TGfxImage& picture = images.AddImage();
        ASSERT_TRUE(LoadRecord(picture, RawRecord({pfA8R8G8B8, {32, 32}, {32, 32}, 2, {64, 32}, 1})));
        picture.SetName("cursor");
        TPointerHost host;
        TSpriteEngine engine;
        engine.SetCanvas(&canvas);
        engine.SetImages(&images);
        TCursor& cursor = engine.Add<TCursor>(host);
        device.OnRender = [&cursor] { cursor.Draw(); };
        TWindowInput input;
        input.SetDrawingArea(area);

        for (const TPoint pointer : pointers) {
            if (pointer.X < area.Left || pointer.Y < area.Top || pointer.X >= area.Right || pointer.Y >= area.Bottom) {
                continue;
            }
            host.Pointer = input.ToLogicalExact(pointer);
            cursor.Move(0.001f);
            backend->Batches.clear();
            ASSERT_TRUE(device.Render(0, true));
            ASSERT_EQ(backend->Batches.size(), 1u);
            const std::vector<TVertex>& quad = backend->Batches[0].Vertices;
            ASSERT_GE(quad.size(), 4u);
            float left = quad[0].X;
            float top = quad[0].Y;
            for (const TVertex& v : quad) {
                left = std::min(left, v.X);
                top = std::min(top, v.Y);
            }
            // Textured vertices sit half a pixel up-left of the pixel they cover.
            const float tipX = static_cast<float>(area.Left) + left + 0.5f + TCursor::HotSpot.X * device.ScaleX();
            const float tipY = static_cast<float>(area.Top) + top + 0.5f + TCursor::HotSpot.Y * device.ScaleY();
            EXPECT_NEAR(tipX, static_cast<float>(pointer.X), 1.0f) << pointer.X << "," << pointer.Y;
            EXPECT_NEAR(tipY, static_cast<float>(pointer.Y), 1.0f) << pointer.X << "," << pointer.Y;
        }
    }
}
