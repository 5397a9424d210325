// SPDX-License-Identifier: MIT
#include "board/BoardHost.h"
#include "engine/Canvas.h"
#include "engine/ImageFixture.h"
#include "platform/DrawingArea.h"
#include "platform/WindowInput.h"
#include "scene/Decor.h"
#include "scene/Faces.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {
class TPointerHost final : public IBoardHost {
public:
    uint8_t ScreenState() const override { return 12; }
    int32_t GetScore() const override { return 0; }
    void SetScore(int32_t) override {}
    void PlaySound(const std::string&) override {}
    TPointF PointerPosition() const override { return Pointer; }
    void ProgressChanged(uint8_t) override {}
    void SetElementIndex(int32_t) override {}
    TPointF Pointer{400, 300};
};

class Scene : public ::testing::Test {
protected:
    TSpriteEngine Engine;
    TPointerHost Host;
    TCursor& Cursor = Engine.Add<TCursor>(Host);
};
} // namespace

TEST_F(Scene, BoardFrameRisesToExactlyItsPlace) {
    TPanel& frame = Engine.Add<TPanel>(202.0f, 120.0f, "board");
    EXPECT_EQ(frame.Y, 620.0f);
    int32_t frames = 0;
    while (frame.Arriving && frames < 200) {
        frame.Move(0.001f);
        EXPECT_GE(frame.Y, 120.0f);
        ++frames;
    }
    EXPECT_EQ(frame.Y, 120.0f);
    EXPECT_NEAR(frames, 54, 2);
    frame.Leaving = true;
    while (frame.Leaving) {
        frame.Move(0.001f);
    }
    EXPECT_GE(frame.Y, 620.0f);
}

TEST_F(Scene, HeroSlidesInThenItsEyesFollowTheCursor) {
    TZibo& zibo = Engine.Add<TZibo>(Cursor);
    int32_t frames = 0;
    while (zibo.SlidingIn && frames < 200) {
        Host.Pointer = {0, 0};
        Engine.Move(0.001f);
        EXPECT_TRUE(zibo.FacesSliding);
        ++frames;
    }
    EXPECT_NEAR(frames, 44, 3);
    EXPECT_EQ(zibo.X, TZibo::RestX);
    Engine.Move(0.001f); // the eyes take their centres once the head rests
    Engine.Move(0.001f);
    EXPECT_EQ(zibo.Eyes[0]->CentreX, 144.0f);
    EXPECT_EQ(zibo.Eyes[1]->CentreX, 168.0f);
    EXPECT_EQ(zibo.Mouth->X, 76.0f);
    EXPECT_EQ(zibo.Pupil->X, 149.0f);

    // Inside the inner ellipse the eye stays centred; far to the right it turns there.
    TZiboEye& eye = *zibo.Eyes[0];
    // The cursor moves after the eyes in a frame, so the eyes see it one frame later.
    Host.Pointer = {eye.CentreX + 1.0f, eye.CentreY + 1.0f};
    Engine.Move(0.001f);
    Engine.Move(0.001f);
    EXPECT_EQ(eye.X, eye.CentreX);
    EXPECT_EQ(eye.Angle, 0.0f);
    Host.Pointer = {eye.CentreX + 300.0f, eye.CentreY};
    Engine.Move(0.001f);
    Engine.Move(0.001f);
    EXPECT_NEAR(eye.X, eye.CentreX + eye.RadiusX, 0.5f);
}

TEST_F(Scene, MouthsFollowProgress) {
    TZibo& zibo = Engine.Add<TZibo>(Cursor);
    Tmonster& monster = CreateMonster(Engine, Cursor, 1);
    zibo.React(15);
    monster.React(15);
    EXPECT_EQ(zibo.Mouth->PatternIndex, 5);
    EXPECT_EQ(zibo.Mouth->Y, 243.0f);
    EXPECT_EQ(monster.Mouth->PatternIndex, 1);
    EXPECT_EQ(monster.Mouth->X, 640.0f);
    zibo.React(100);
    monster.React(100);
    EXPECT_EQ(zibo.Mouth->PatternIndex, 0);
    EXPECT_EQ(monster.Mouth->PatternIndex, 6);
    EXPECT_EQ(monster.Mouth->Y, 230.0f);
}

TEST_F(Scene, MonsterSlidesInWithItsEyesAndMouth) {
    Tmonster& monster = CreateMonster(Engine, Cursor, 3);
    const float start = monster.X;
    const float centre = monster.Eyes[0]->CentreX;
    const float mouth = monster.Mouth->X;
    while (monster.SlidingIn) {
        monster.Move(0.001f);
    }
    const float moved = start - monster.X;
    EXPECT_GE(moved, 300.0f);
    EXPECT_FLOAT_EQ(monster.Eyes[0]->CentreX, centre - moved);
    EXPECT_FLOAT_EQ(monster.Mouth->X, mouth - moved);
}

// Each monster's slide ends exactly on its resting place, not a step past it.
TEST_F(Scene, EveryMonsterComesToRestOnItsPlace) {
    for (int32_t type = 1; type <= 4; ++type) {
        Tmonster& monster = CreateMonster(Engine, Cursor, type);
        const float start = monster.X;
        for (int32_t frame = 0; frame < 1000 && monster.SlidingIn; ++frame) {
            monster.Move(0.001f);
        }
        EXPECT_FALSE(monster.SlidingIn) << "monster " << type;
        EXPECT_FLOAT_EQ(start - monster.X, 300.0f) << "monster " << type;
        monster.MarkAllDead();
    }
}

TEST_F(Scene, ElementIgnoresIndexesOutsideItsRange) {
    TElement& element = Engine.Add<TElement>(55.0f, 507.0f, 3);
    EXPECT_EQ(element.X, 50.0f);
    element.SetElementIndex(17);
    EXPECT_EQ(element.ImageName(), "3_el");
    element.SetElementIndex(16);
    EXPECT_EQ(element.ImageName(), "16_el");
}

// The space background turns a little every logic frame, but its picture moves in steps: the
// drawn angle catches up with the turn now and then, never lags it by more than a step, and a
// step moves no pixel of the 800x600 window by more than two thirds of a pixel.
TEST_F(Scene, SpaceTurnsEveryFrameAndIsDrawnInStepsOfUnderAPixel) {
    TCosmos& cosmos = Engine.Add<TCosmos>();
    float drawn = cosmos.Angle;
    float turn = cosmos.Turn();
    int32_t steps = 0;
    int32_t still = 0;
    float farthest = 0.0f;
    for (const TPointF corner : {TPointF{0, 0}, TPointF{800, 0}, TPointF{0, 600}, TPointF{800, 600}}) {
        farthest = std::max(farthest, std::hypot(corner.X - cosmos.X, corner.Y - cosmos.Y));
    }
    const float stretch = std::max(cosmos.ScaleX, cosmos.ScaleY);
    for (int32_t frame = 0; frame < 300; ++frame) {
        Engine.Move(0.001f);
        EXPECT_GT(cosmos.Turn(), turn) << "frame " << frame;
        turn = cosmos.Turn();
        if (cosmos.Angle == drawn) {
            ++still;
        } else {
            ++steps;
            EXPECT_EQ(cosmos.Angle, turn) << "a step catches up with the turn";
            EXPECT_LE((cosmos.Angle - drawn) * farthest * stretch, 2.0f / 3.0f) << "frame " << frame;
            drawn = cosmos.Angle;
        }
        EXPECT_LE(turn - drawn, TCosmos::StepFrames * TCosmos::TurnPerFrame * 1.001f) << "frame " << frame;
    }
    EXPECT_GT(steps, 0);
    EXPECT_GT(still, steps) << "most pictures repeat the one before";
}

TEST_F(Scene, CursorIsOnTopAndFollowsThePointer) {
    Engine.Add<TMenuSprite>(400.0f, 280.0f, "logo");
    Engine.Add<TCosmos>();
    EXPECT_EQ(Engine.SpriteAt(Engine.SpriteCount() - 1), &Cursor);
    Host.Pointer = {10, 20};
    Engine.Move(0.001f);
    // The picture's tip is on the pointer.
    EXPECT_EQ(Cursor.X + TCursor::HotSpot.X, 10.0f);
    EXPECT_EQ(Cursor.Y + TCursor::HotSpot.Y, 20.0f);
    EXPECT_TRUE(IsLive(Engine, &Cursor));
    Cursor.MarkDead();
    EXPECT_FALSE(IsLive(Engine, &Cursor));
}

// The drawn cursor's tip lies under the system pointer, in a window at any size and in full
// screen: the pointer goes to known client pixels, the window maps them to the logical screen
// as the game's window does, and the recording backend shows where the cursor was drawn.
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
