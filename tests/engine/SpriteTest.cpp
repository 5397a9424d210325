// SPDX-License-Identifier: MIT
#include "engine/Sprite.h"

#include "archive/Stream.h"
#include "engine/Canvas.h"
#include "engine/Device.h"
#include "engine/Image.h"
#include "engine/ImageRecord.h"
#include "platform/RecordingBackend.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <ostream>
#include <utility>
#include <vector>

namespace {

// A sprite that counts its moves and its destruction.
class TProbe : public TSprite {
public:
    TProbe(TSpriteEngine& Engine, int32_t Z, int* Freed = nullptr) : TSprite(Engine), Freed(Freed) {
        SetZ(Z);
    }
    ~TProbe() override {
        if (Freed != nullptr) {
            ++*Freed;
        }
    }
    void Move(float) override { ++Moves; }

    int Moves = 0;
    int* Freed;
};

// A sprite that spawns a new one on its first move, as a piece spawns its explosion.
class TSpawner : public TSprite {
public:
    explicit TSpawner(TSpriteEngine& Engine) : TSprite(Engine) {}
    void Move(float) override {
        if (Child == nullptr) {
            Child = &Engine().Add<TProbe>(100);
        }
    }
    TProbe* Child = nullptr;
};

// A sprite that holds another and lets it go with itself.
class THolder : public TSprite {
public:
    THolder(TSpriteEngine& Engine, int* Freed) : TSprite(Engine), Held(Engine.Add<TProbe>(0, Freed)) {}
    void MarkDead() override {
        Held.MarkDead();
        TSprite::MarkDead();
    }
    TProbe& Held;
};

[[nodiscard]] std::vector<TSprite*> Order(const TSpriteEngine& Engine) {
    std::vector<TSprite*> Result;
    for (int32_t I = 0; I < Engine.SpriteCount(); ++I) {
        Result.push_back(Engine.SpriteAt(I));
    }
    return Result;
}

TEST(SpriteEngineTest, NewSpritesGoBelowEqualZAndSetZReinsertsOnlyOnChange) {
    TSpriteEngine Engine;
    TProbe& A = Engine.Add<TProbe>(0);
    TProbe& B = Engine.Add<TProbe>(0);
    TProbe& Top = Engine.Add<TProbe>(5);
    TProbe& Bottom = Engine.Add<TProbe>(-5);
    EXPECT_EQ(Order(Engine), (std::vector<TSprite*>{&Bottom, &B, &A, &Top}));

    A.SetZ(0);
    EXPECT_EQ(Order(Engine), (std::vector<TSprite*>{&Bottom, &B, &A, &Top}));
    A.SetZ(5);
    EXPECT_EQ(Order(Engine), (std::vector<TSprite*>{&Bottom, &B, &A, &Top}));
    B.SetZ(5);
    EXPECT_EQ(Order(Engine), (std::vector<TSprite*>{&Bottom, &B, &A, &Top}));
    Bottom.SetZ(6);
    EXPECT_EQ(Order(Engine), (std::vector<TSprite*>{&B, &A, &Top, &Bottom}));

    EXPECT_EQ(Engine.SpriteAt(-1), nullptr);
    EXPECT_EQ(Engine.SpriteAt(Engine.SpriteCount()), nullptr);
    EXPECT_EQ(Engine.SpriteAt(0), &B);
}

TEST(SpriteEngineTest, MarkDeadFlagsOnceAndFreeDeadFreesAtTheFixedPoint) {
    int Freed = 0;
    TSpriteEngine Engine;
    TProbe& A = Engine.Add<TProbe>(0, &Freed);
    Engine.Add<TProbe>(1, &Freed);
    A.MarkDead();
    A.MarkDead();
    EXPECT_TRUE(A.Dead());
    EXPECT_EQ(Engine.DeadCount(), 1);
    // A dead sprite is still moved until it is freed.
    Engine.Move(0.001f);
    EXPECT_EQ(A.Moves, 1);
    EXPECT_EQ(Freed, 0);
    Engine.FreeDead();
    EXPECT_EQ(Freed, 1);
    EXPECT_EQ(Engine.SpriteCount(), 1);
    EXPECT_EQ(Engine.DeadCount(), 0);
}

TEST(SpriteEngineTest, MarkDeadOfAHolderFreesWhatItHolds) {
    int Freed = 0;
    TSpriteEngine Engine;
    THolder& Holder = Engine.Add<THolder>(&Freed);
    EXPECT_EQ(Engine.SpriteCount(), 2);
    Holder.MarkDead();
    Engine.FreeDead();
    EXPECT_EQ(Freed, 1);
    EXPECT_EQ(Engine.SpriteCount(), 0);
}

TEST(SpriteEngineTest, MoveWalksTheCountTakenAtTheStart) {
    TSpriteEngine Engine;
    TSpawner& Spawner = Engine.Add<TSpawner>();
    TProbe& Other = Engine.Add<TProbe>(1);
    Engine.Move(0.001f);
    ASSERT_NE(Spawner.Child, nullptr);
    EXPECT_EQ(Other.Moves, 1);
    EXPECT_EQ(Spawner.Child->Moves, 0);
    Engine.Move(0.001f);
    EXPECT_EQ(Spawner.Child->Moves, 1);
}

TEST(SpriteEngineTest, RemovedSpritesStayOwnedAndDestructionFreesEverything) {
    int Freed = 0;
    {
        TSpriteEngine Engine;
        TProbe& A = Engine.Add<TProbe>(0, &Freed);
        Engine.Add<TProbe>(0, &Freed);
        Engine.Remove(A);
        EXPECT_EQ(Engine.SpriteCount(), 1);
        Engine.Draw();
        A.MarkDead();
    }
    EXPECT_EQ(Freed, 2);
}

// An engine that notes each sprite it is about to free, while the sprite still stands.
class TNotingEngine final : public TSpriteEngine {
public:
    explicit TNotingEngine(const int& Freed) : Freed(Freed) {}
    ~TNotingEngine() override { FreeAll(); }
    std::vector<std::pair<const TSprite*, int>> Noted; // the sprite, and how many were freed then

protected:
    void Freeing(const TSprite& Sprite) override { Noted.emplace_back(&Sprite, Freed); }

private:
    const int& Freed;
};

// Whoever frees a sprite (the dead sweep, the engine's end, a removed sprite's end), the
// engine is told once, before the sprite goes: the game forgets its lower panel so.
TEST(SpriteEngineTest, EveryFreedSpriteIsReportedOnceBeforeItGoes) {
    int Freed = 0;
    std::vector<std::pair<const TSprite*, int>> Noted;
    const TSprite* Dead = nullptr;
    const TSprite* Removed = nullptr;
    const TSprite* Kept = nullptr;
    {
        TNotingEngine Engine(Freed);
        TProbe& A = Engine.Add<TProbe>(0, &Freed);
        TProbe& B = Engine.Add<TProbe>(1, &Freed);
        TProbe& C = Engine.Add<TProbe>(2, &Freed);
        Dead = &A;
        Removed = &B;
        Kept = &C;
        A.MarkDead();
        Engine.FreeDead();
        Engine.Remove(B);
        ASSERT_EQ(Engine.Noted.size(), 1u);
        EXPECT_EQ(Engine.Noted[0], std::make_pair(Dead, 0));
        Engine.FreeAll();
        Noted = Engine.Noted;
    }
    EXPECT_EQ(Freed, 3);
    ASSERT_EQ(Noted.size(), 3u);
    EXPECT_EQ(Noted[1], std::make_pair(Kept, 1));
    EXPECT_EQ(Noted[2], std::make_pair(Removed, 2));
}

TEST(SpriteTest, DefaultsAndSetters) {
    TSpriteEngine Engine;
    TSprite& S = Engine.Add<TSprite>();
    EXPECT_EQ(S.X, 200.0f);
    EXPECT_EQ(S.Y, 200.0f);
    EXPECT_EQ(S.DrawEffect, 1284u);
    EXPECT_EQ(S.ImageNameMode, 1);
    EXPECT_EQ(S.ViewArea, (TRect{-100, -100, 4400, 3300}));
    EXPECT_EQ(S.PackedColor(), 0xFFFFFFFFu);

    const std::pair<int32_t, int32_t> Modes[] = {{0, 0}, {4, 4}, {5, 5}, {6, 0}, {100, 0}};
    for (const auto& [Given, Stored] : Modes) {
        S.SetDrawMode(Given);
        EXPECT_EQ(S.DrawMode(), Stored) << Given;
    }

    S.SetRed(0x11);
    S.SetGreen(0x22);
    S.SetBlue(0x33);
    S.SetAlpha(0x144); // only the low byte counts
    EXPECT_EQ(S.PackedColor(), 0x44332211u);

    S.SetImageName("Eye");
    S.ImageIndex = 12;
    S.ImageNameMode = 0;
    EXPECT_EQ(S.DrawnImageName(), "Eye12");
    S.ImageNameMode = 1;
    EXPECT_EQ(S.DrawnImageName(), "Eye");
    S.ImageNameMode = 2;
    EXPECT_EQ(S.DrawnImageName(), "");
}

TEST(SpriteTest, CollisionByMode) {
    struct TCase {
        uint8_t Mode;
        TPointF CentreB;
        TRect RectB;
        TPointF CornerB;
        bool Hit;
    };
    // Sprite A: circle radius 5 at the origin, rectangle (0,0)-(10,10), quad the square 0..10.
    const TCase Cases[] = {
        {cmCircle, {9.9f, 0}, {}, {}, true},                                  // radii 5 + 5 reach 9.9
        {cmCircle, {10, 0}, {}, {}, false},                                   // touching is no hit
        {cmRect, {}, {9, 9, 20, 20}, {}, true},                               // overlap of one pixel
        {cmRect, {}, {10, 0, 20, 10}, {}, false},                             // edges meet only
        {cmQuad, {}, {}, {10, 10}, true},                                     // a corner on the edge counts
        {cmQuad, {}, {}, {10.5f, 5}, false},      {3, {}, {}, {5, 5}, false}, // unknown modes never hit
    };
    for (const TCase& C : Cases) {
        TSpriteEngine Engine;
        struct TCounter : TSprite {
            using TSprite::TSprite;
            void OnCollision(TSprite&) override { ++Hits; }
            int Hits = 0;
        };
        auto& A = Engine.Add<TCounter>();
        auto& B = Engine.Add<TCounter>();
        for (TCounter* S : {&A, &B}) {
            S->CollideEnabled = true;
            S->CollideMode = C.Mode;
            S->CollideRadius = 5;
        }
        A.CollideRect = {0, 0, 10, 10};
        B.CollideCentre = C.CentreB;
        B.CollideRect = C.RectB;
        const TPointF Square[4] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
        std::copy(std::begin(Square), std::end(Square), A.CollideQuad);
        std::fill(std::begin(B.CollideQuad), std::end(B.CollideQuad), TPointF{50, 50});
        B.CollideQuad[2] = C.CornerB;

        A.CollideAll();
        EXPECT_EQ(A.Collided, C.Hit) << int(C.Mode);
        EXPECT_EQ(A.Hits, C.Hit ? 1 : 0);
        EXPECT_EQ(B.Hits, C.Hit ? 1 : 0);
        A.CollisionTest(B);
        EXPECT_EQ(A.Collided, C.Hit);
        B.MarkDead();
        A.Collide(B);
        EXPECT_FALSE(A.Collided);
    }
}

struct TAnimCase {
    const char* Name;
    TAnimPlayMode Mode;
    bool Looping;
    float Rate;
    float StartPos;
    std::vector<float> Steps;
    float Pos;
    int32_t Pattern;
    bool Animating;
    bool FrameEnded;
    float RateAfter;
};

void PrintTo(const TAnimCase& Case, std::ostream* Out) {
    *Out << Case.Name;
}

class AnimatedSpriteTest : public testing::TestWithParam<TAnimCase> {};

TEST_P(AnimatedSpriteTest, AdvancesByPlayMode) {
    const TAnimCase& C = GetParam();
    TSpriteEngine Engine;
    auto& S = Engine.Add<TAnimatedSprite>();
    S.SetAnimation("Mouth", 0, 8, C.Rate, C.Looping, C.Mode);
    S.FramePos = C.StartPos;
    for (const float Step : C.Steps) {
        S.Move(Step);
    }
    EXPECT_FLOAT_EQ(S.FramePos, C.Pos);
    EXPECT_EQ(S.PatternIndex, C.Pattern);
    EXPECT_EQ(S.ImageIndex, C.Pattern);
    EXPECT_EQ(S.Animating, C.Animating);
    EXPECT_EQ(S.FrameEnded, C.FrameEnded);
    EXPECT_FLOAT_EQ(S.FrameRate, C.RateAfter);
}

// FrameStart 0 and FrameCount 8 throughout; elapsed times in seconds.
INSTANTIATE_TEST_SUITE_P(
    Modes, AnimatedSpriteTest,
    testing::Values(
        TAnimCase{"ForwardRuns", pmForward, true, 10, 0, {0.25f}, 2.5f, 2, true, false, 10},
        TAnimCase{"ForwardOneShotStopsOnTheLastPattern",
                  pmForward,
                  false,
                  10,
                  7.5f,
                  {0.06f},
                  7,
                  7,
                  false,
                  true,
                  10},
        TAnimCase{"ForwardLoopWraps", pmForward, true, 10, 7.5f, {0.06f}, 0, 0, true, true, 10},
        TAnimCase{
            "ForwardFarPastTheEndIsNoFinishedPass", pmForward, true, 10, 7.5f, {0.2f}, 0, 0, true, false, 10},
        TAnimCase{"ExactlyAtTheEndKeepsRunning", pmForward, false, 10, 7.5f, {0.05f}, 8, 8, true, false, 10},
        TAnimCase{"BackwardLoopWrapsToTheLast", pmBackward, true, 10, 0.5f, {0.1f}, 7, 7, true, false, 10},
        TAnimCase{
            "BackwardOneShotStopsAtTheStart", pmBackward, false, 10, 0.5f, {0.1f}, 0, 0, false, false, 10},
        TAnimCase{"PingPongTurnsPastTheLast", pmPingPong, true, 10, 6.5f, {0.1f}, 7.5f, 7, true, false, -10},
        TAnimCase{"PingPongTurnsAtTheStart", pmPingPong, true, -10, 0.5f, {0.1f}, -0.5f, 0, true, false, 10},
        TAnimCase{"OneShotPingPongStopsBackAtTheStart",
                  pmPingPong,
                  false,
                  10,
                  7.5f,
                  {0.1f, 0.5f, 0.25f, 0.125f, 0.5f},
                  -0.25f,
                  0,
                  false,
                  false,
                  10}),
    [](const testing::TestParamInfo<TAnimCase>& Info) { return std::string(Info.param.Name); });

TEST(AnimatedSpriteControlTest, InactiveOrStoppedSpritesKeepTheirFrameAndSetFrameStartMovesIt) {
    TSpriteEngine Engine;
    auto& S = Engine.Add<TAnimatedSprite>();
    S.SetAnimation("Eye", 2, 4, 10, true, true, false, pmForward);
    EXPECT_EQ(S.ImageName(), "Eye");
    EXPECT_TRUE(S.MirrorX);
    S.Move(0.1f);
    EXPECT_EQ(S.FramePos, 0.0f);
    S.Animating = true;
    S.Active = false;
    S.Move(0.1f);
    EXPECT_EQ(S.FramePos, 0.0f);

    S.FramePos = 3.5f;
    S.SetFrameStart(2);
    EXPECT_EQ(S.FramePos, 3.5f);
    S.SetFrameStart(4);
    EXPECT_EQ(S.FramePos, 4.0f);
}

// A device on the recording backend with an image list, a canvas and an engine drawing on them.
class SpriteDrawTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Device.Initialize());
        Engine.SetCanvas(&Canvas);
        Engine.SetImages(&Images);
        AddImage("Piece", {40, 30});
        Device.OnRender = [this] { Engine.Draw(); };
    }

    void AddImage(const std::string& Name, TPoint Size) {
        TImageRecordSource Source;
        Source.PatternSize = Size;
        Source.Patterns.assign(4, std::vector<uint32_t>(static_cast<size_t>(Size.X * Size.Y), 0xFFFFFFFF));
        TMemoryStream Stream(WriteImageRecord(Source));
        TGfxImage& Image = Images.AddImage();
        Image.SetName(Name);
        ASSERT_TRUE(Image.LoadFromStream(Stream));
    }

    [[nodiscard]] std::vector<TRecordingBackend::TBatchRecord> Frame() {
        Backend->Batches.clear();
        EXPECT_TRUE(Device.Render(0, true));
        return Backend->Batches;
    }

    // The top-left vertex of the only quad drawn, moved back by the half-texel offset.
    [[nodiscard]] TPointF DrawnCorner() {
        const auto Batches = Frame();
        EXPECT_EQ(Batches.size(), 1u);
        if (Batches.empty() || Batches[0].Vertices.empty()) {
            return {NAN, NAN};
        }
        return {Batches[0].Vertices[0].X + 0.5f, Batches[0].Vertices[0].Y + 0.5f};
    }

    TRecordingBackend* Backend = nullptr;
    TGfxDevice Device{[this](const TDisplaySettings& S) {
        auto Made = std::make_unique<TRecordingBackend>(S.Width, S.Height);
        Backend = Made.get();
        return Made;
    }};
    TGfxCanvas Canvas{Device};
    TGfxImages Images{Device};
    TSpriteEngine Engine;
};

TEST_F(SpriteDrawTest, ImageLookupDecidesWhetherAnythingIsDrawn) {
    struct TCase {
        const char* Image;
        uint8_t NameMode;
        int32_t Index;
        bool Visible;
        bool Drawn;
    };
    const TCase Cases[] = {
        {"Piece", 1, 0, true, true},   {"piece", 1, 0, true, true}, {"Missing", 1, 0, true, false},
        {"Piece", 1, 0, false, false}, {"Pie", 0, 0, true, false},  {"Piece", 2, 0, true, false},
    };
    AddImage("Pie7", {8, 8});
    for (const TCase& C : Cases) {
        TSprite& S = Engine.Add<TSprite>();
        S.SetImageName(C.Image);
        S.ImageNameMode = C.NameMode;
        S.ImageIndex = C.Index;
        S.Visible = C.Visible;
        EXPECT_EQ(Frame().size(), C.Drawn ? 1u : 0u) << C.Image << " mode " << int(C.NameMode);
        S.MarkDead();
        Engine.FreeDead();
    }
    TSprite& Indexed = Engine.Add<TSprite>();
    Indexed.SetImageName("Pie");
    Indexed.ImageNameMode = 0;
    Indexed.ImageIndex = 7;
    EXPECT_EQ(Frame().size(), 1u);
}

TEST_F(SpriteDrawTest, ImageFoundOnceFollowsNameIndexAndList) {
    AddImage("Eye0", {8, 8});
    AddImage("Eye1", {16, 16});
    TSprite& S = Engine.Add<TSprite>();
    S.SetImageName("Eye");
    S.ImageNameMode = 0;
    const auto DrawnWidth = [this] {
        const auto Batches = Frame();
        return Batches.empty() ? 0.0f : Batches[0].Vertices[1].X - Batches[0].Vertices[0].X;
    };
    EXPECT_FLOAT_EQ(DrawnWidth(), 8.0f);
    S.ImageIndex = 1;
    EXPECT_FLOAT_EQ(DrawnWidth(), 16.0f);
    S.SetImageName("Piece");
    S.ImageNameMode = 1;
    EXPECT_FLOAT_EQ(DrawnWidth(), 40.0f);
    // A renamed or deleted image is looked up again, never drawn from a stale pointer.
    Images.Find("Piece")->SetName("Gone");
    EXPECT_FLOAT_EQ(DrawnWidth(), 0.0f);
    Images.Find("Gone")->SetName("Piece");
    EXPECT_FLOAT_EQ(DrawnWidth(), 40.0f);
    Images.DeleteImage(Images.IndexOfImage(Images.Find("Piece")));
    EXPECT_FLOAT_EQ(DrawnWidth(), 0.0f);
    AddImage("piece", {20, 20});
    EXPECT_FLOAT_EQ(DrawnWidth(), 20.0f);
}

TEST_F(SpriteDrawTest, PositionsAreCulledAndTruncatedTowardZero) {
    struct TCase {
        float X;
        float Y;
        bool Drawn;
        TPointF Corner;
    };
    // The image is 40 by 30; the view starts at -100 and ends at 4400 by 3300.
    const TCase Cases[] = {
        {-140, 0, false, {}},          {-139.5f, 0, true, {-139, 0}}, {10.7f, -3.7f, true, {10, -3}},
        {4399.9f, 0, true, {4399, 0}}, {4400, 0, false, {}},          {0, -130, false, {}},
        {0, 3299, true, {0, 3299}},
    };
    TSprite& S = Engine.Add<TSprite>();
    S.SetImageName("Piece");
    for (const TCase& C : Cases) {
        S.X = C.X;
        S.Y = C.Y;
        if (!C.Drawn) {
            EXPECT_TRUE(Frame().empty()) << C.X << "," << C.Y;
            continue;
        }
        const TPointF Corner = DrawnCorner();
        EXPECT_FLOAT_EQ(Corner.X, C.Corner.X) << C.X;
        EXPECT_FLOAT_EQ(Corner.Y, C.Corner.Y) << C.Y;
    }
    // The world origin moves the view and the drawing alike.
    Engine.WorldX = 50;
    S.X = -139.5f;
    EXPECT_TRUE(Frame().empty());
    S.X = 60.2f;
    EXPECT_FLOAT_EQ(DrawnCorner().X, 10.0f);
}

TEST_F(SpriteDrawTest, DrawModesPlaceThePatternAndItsColours) {
    TSprite& S = Engine.Add<TSprite>();
    S.SetImageName("Piece");
    S.X = 100;
    S.Y = 50;
    S.SetRed(0x11);
    S.SetGreen(0x22);
    S.SetBlue(0x33);
    S.SetAlpha(0x44);
    S.ScaleX = 2;
    S.CornerColors = {{0xFF0000FF, 0xFF00FF00, 0xFFFF0000, 0x80FFFFFF}};
    S.QuadPoints[0] = {-5.5f, 7.9f};
    S.DrawEffect = 1;

    struct TCase {
        int32_t Mode;
        bool FromCentre;
        TPointF Corner;   // the first vertex
        uint32_t Colour0; // its device colour (0xAARRGGBB)
        uint32_t Colour2;
    };
    const TCase Cases[] = {
        {dmScaled, true, {80, 50}, 0x44112233, 0x44112233},   // 80 wide, about the middle
        {dmScaled, false, {100, 50}, 0x44112233, 0x44112233}, // from the top-left corner
        {dmCornerColors, false, {100, 50}, 0xFFFF0000, 0xFF0000FF},
        {dmQuad, false, {-5, 7}, 0x44112233, 0x44112233},
        {dmQuadColors, false, {-5, 7}, 0xFFFF0000, 0xFF0000FF},
        {dmZoomed, true, {100, 50}, 0x44112233, 0x44112233}, // zoom 1 scales from the corner
    };
    for (const TCase& C : Cases) {
        S.SetDrawMode(C.Mode);
        S.ScaleFromCentre = C.FromCentre;
        const auto Batches = Frame();
        ASSERT_EQ(Batches.size(), 1u) << C.Mode;
        const auto& V = Batches[0].Vertices;
        ASSERT_EQ(V.size(), 4u);
        EXPECT_FLOAT_EQ(V[0].X + 0.5f, C.Corner.X) << C.Mode;
        EXPECT_FLOAT_EQ(V[0].Y + 0.5f, C.Corner.Y) << C.Mode;
        EXPECT_EQ(V[0].Color, C.Colour0) << C.Mode;
        EXPECT_EQ(V[2].Color, C.Colour2) << C.Mode;
        EXPECT_EQ(Batches[0].Effect, 1u);
    }
}

TEST_F(SpriteDrawTest, RotatedModeCentresThePatternOnThePosition) {
    TSprite& S = Engine.Add<TSprite>();
    S.SetImageName("Piece");
    S.SetDrawMode(dmRotated);
    S.X = 100.9f;
    S.Y = 50;
    S.Angle = std::numbers::pi_v<float> / 2;
    const auto Batches = Frame();
    ASSERT_EQ(Batches.size(), 1u);
    float SumX = 0;
    float SumY = 0;
    for (const TVertex& V : Batches[0].Vertices) {
        SumX += V.X + 0.5f;
        SumY += V.Y + 0.5f;
    }
    EXPECT_NEAR(SumX / 4, 100.0f, 1e-3);
    EXPECT_NEAR(SumY / 4, 50.0f, 1e-3);
    // A quarter turn makes the 40-wide pattern stand 40 tall.
    const auto& V = Batches[0].Vertices;
    EXPECT_NEAR(std::hypot(V[1].X - V[0].X, V[1].Y - V[0].Y), 40.0f, 1e-3);
    EXPECT_NEAR(std::fabs(V[1].Y - V[0].Y), 40.0f, 1e-3);
}

TEST_F(SpriteDrawTest, ZoomScalesPositionAndSize) {
    TSprite& S = Engine.Add<TSprite>();
    S.SetImageName("Piece");
    S.SetDrawMode(dmZoomed);
    S.X = 100;
    S.Y = 50.5f;
    Engine.ZoomX = 2;
    Engine.ZoomY = 0.5f;
    const auto Batches = Frame();
    ASSERT_EQ(Batches.size(), 1u);
    const auto& V = Batches[0].Vertices;
    EXPECT_FLOAT_EQ(V[0].X + 0.5f, 200.0f);
    EXPECT_FLOAT_EQ(V[0].Y + 0.5f, 25.0f);
    EXPECT_FLOAT_EQ(V[2].X - V[0].X, 80.0f);
    EXPECT_FLOAT_EQ(V[2].Y - V[0].Y, 15.0f);
}

TEST_F(SpriteDrawTest, DrawOrderFollowsZ) {
    AddImage("Other", {8, 8});
    TSprite& Upper = Engine.Add<TSprite>();
    Upper.SetImageName("Piece");
    Upper.SetZ(2);
    TSprite& Lower = Engine.Add<TSprite>();
    Lower.SetImageName("Other");
    Lower.SetZ(1);
    const auto Batches = Frame();
    ASSERT_EQ(Batches.size(), 2u);
    EXPECT_EQ(Batches[0].Texture, Images.Find("Other")->Handle(0));
    EXPECT_EQ(Batches[1].Texture, Images.Find("Piece")->Handle(0));
}

} // namespace
