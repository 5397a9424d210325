// SPDX-License-Identifier: MIT
#include "BoardFixture.h"

#include "board/Layer.h"

namespace {
class BoardPlay : public BoardTest {
protected:
    void SetUp() override { Restart(); }
    void Restart() {
        Engine.FreeAll();
        StartStage(1);
        Frames(31); // every piece grown in
        PlainBoard();
        Host.Sounds.clear();
        Host.Score = 0;
    }
    void Check() {
        Engine.CheckLines = true;
        Engine.SilentCheck = true;
    }
};
} // namespace

TEST_F(BoardPlay, SwapWithoutALineGoesBackWithOneFailSound) {
    const uint8_t a = Engine.Cell(3, 3).Kind;
    const uint8_t b = Engine.Cell(4, 3).Kind;
    ClickCell(3, 3);
    EXPECT_TRUE(Engine.Cell(3, 3).Selected);
    ClickCell(4, 3);
    EXPECT_EQ(Engine.Cell(4, 3).Motion, mtLeft);
    EXPECT_EQ(Engine.Cell(3, 3).Motion, mtRight);
    Settle();
    EXPECT_EQ(Host.CountSound("exchangefail"), 1);
    EXPECT_EQ(Host.CountSound("lineready"), 0);
    EXPECT_EQ(Engine.Cell(3, 3).Kind, a);
    EXPECT_EQ(Engine.Cell(4, 3).Kind, b);
    EXPECT_EQ(UnitAt(3, 3)->X, CellToScreen(3, 3).X);
    EXPECT_FALSE(Engine.SilentCheck); // the check after the return was silent and is done
}

TEST_F(BoardPlay, SwapArrivesAfterTwentyTwoFramesAndExchangesTheCells) {
    SetKind(4, 3, 4);
    SetKind(5, 2, 4);
    SetKind(6, 2, 4); // moving (4,3) up makes 4-4-4 on row 2
    ClickCell(4, 3);
    ClickCell(4, 2);
    int32_t frames = 0;
    while (Engine.SwapArrivals < 2 && frames < 100) {
        Engine.Move(0.001f);
        ++frames;
    }
    EXPECT_EQ(frames, 22);
    EXPECT_EQ(Engine.Cell(4, 2).Kind, 4);
    Settle();
    EXPECT_EQ(Host.CountSound("lineready"), 1);
    EXPECT_EQ(Host.CountSound("exchangefail"), 0);
    EXPECT_GE(Host.Score, 9);
}

TEST_F(BoardPlay, ClicksThatDoNothing) {
    ClickCell(2, 2);
    ClickCell(2, 2); // the selected piece again
    for (int32_t c = 0; c < BoardSize; ++c) {
        for (int32_t r = 0; r < BoardSize; ++r) {
            EXPECT_FALSE(Engine.Cell(c, r).Selected);
        }
    }
    ClickCell(2, 2);
    ClickCell(4, 2); // two cells away: deselects and selects nothing
    EXPECT_FALSE(Engine.Cell(2, 2).Selected);
    EXPECT_FALSE(Engine.Cell(4, 2).Selected);
    ClickCell(1, 1);
    ClickCell(1, 1); // deselect again
    Engine.Cell(7, 7).Motion = mtFalling; // anything moving: the click is ignored
    Engine.ClickBoard();
    EXPECT_FALSE(Engine.Cell(1, 1).Selected);
    Engine.Cell(7, 7).Motion = mtStill;
    Engine.Cell(6, 6).Growth = 29; // anything growing: ignored as well
    Engine.ClickBoard();
    EXPECT_FALSE(Engine.Cell(1, 1).Selected);
}

TEST_F(BoardPlay, FiveInARowGivesFifteenPoints) {
    for (int32_t c = 1; c <= 5; ++c) {
        SetKind(c, 6, 0);
    }
    SetKind(0, 6, 1);
    SetKind(6, 6, 2);
    Check();
    EXPECT_TRUE(Engine.FindLines());
    EXPECT_EQ(Host.Score, 15);
    EXPECT_EQ(Engine.ChainCount, 5);
    EXPECT_EQ(Host.CountSound("lineready"), 1);
}

TEST_F(BoardPlay, CrossingShapesCountEachPieceOnce) {
    // A T: row 2 columns 2..4, column 3 rows 2..4.
    for (const auto& [c, r] : {std::pair{2, 2}, {3, 2}, {4, 2}, {3, 3}, {3, 4}}) {
        SetKind(c, r, 4);
    }
    SetKind(5, 2, 1);
    Check();
    EXPECT_TRUE(Engine.FindLines());
    EXPECT_EQ(Engine.ChainCount, 5);
    EXPECT_EQ(Host.Score, 15);
}

TEST_F(BoardPlay, FallsLandOnFramesThirteenNineteenAndTwentyFive) {
    for (const int32_t rows : {1, 2, 3}) {
        Restart();
        for (int32_t r = 7; r > 7 - rows; --r) {
            Engine.Cell(0, r).Exploded = 1;
        }
        Engine.ChainCount = static_cast<int16_t>(rows);
        Engine.PlanFalls();
        EXPECT_EQ(Engine.Cell(0, 0).FallRows, rows);
        int32_t frames = 0;
        while (!Engine.FallsDone && frames < 100) {
            Engine.Move(0.001f);
            ++frames;
        }
        EXPECT_EQ(frames, 7 + 6 * rows) << rows << " rows";
    }
}

TEST_F(BoardPlay, TopRowExplosionsRefillInTheSameUpdate) {
    for (int32_t c = 0; c < 3; ++c) {
        SetKind(c, 0, 3);
    }
    SetKind(3, 0, 1);
    Check();
    const int32_t before = Engine.SpriteCount();
    Engine.RunBoardCycle();
    EXPECT_EQ(Engine.FallingCount, 0);
    EXPECT_FALSE(Engine.RefillPending);
    EXPECT_TRUE(Engine.CheckLines);
    EXPECT_EQ(Engine.Cell(0, 0).Exploded, 0);
    EXPECT_EQ(Engine.Cell(0, 0).Growth, 0); // a new piece grows in
    EXPECT_GE(Engine.SpriteCount(), before - 3);
    Settle();
    EXPECT_FALSE(HasReadyLine());
}

TEST_F(BoardPlay, FallenPiecesCarryTheirOwnData) {
    // Column 5: rows 5..7 explode in a line; the pieces above fall three rows.
    std::array<uint8_t, 5> above{};
    for (int32_t r = 0; r < 5; ++r) {
        above[static_cast<size_t>(r)] = Engine.Cell(5, r).Kind;
    }
    for (int32_t r = 5; r < 8; ++r) {
        SetKind(5, r, 2);
    }
    SetKind(5, 4, 0);
    above[4] = 0;
    Check();
    ASSERT_TRUE(Engine.FindLines());
    Engine.PlanFalls();
    while (!Engine.FallsDone) {
        Engine.Move(0.001f);
    }
    Engine.SettleFalls();
    for (int32_t r = 0; r < 5; ++r) {
        EXPECT_EQ(Engine.Cell(5, r + 3).Kind, above[static_cast<size_t>(r)]) << r;
        ASSERT_NE(UnitAt(5, r + 3), nullptr);
    }
    EXPECT_TRUE(Engine.RefillPending);
}

TEST_F(BoardPlay, LastTileClearedMeansNoRefillAndStageComplete) {
    TLevelRecord& level = Engine.Level();
    level.LayersCleared = 3;
    for (int32_t c = 0; c < BoardSize; ++c) {
        for (int32_t r = 0; r < BoardSize; ++r) {
            Engine.Cell(c, r).HasLayer = 0;
        }
    }
    Engine.Cell(2, 0).HasLayer = 1;
    for (int32_t c = 1; c <= 3; ++c) {
        SetKind(c, 0, 3);
    }
    SetKind(4, 0, 1);
    Check();
    Engine.RunBoardCycle();
    EXPECT_TRUE(Engine.StageComplete);
    EXPECT_EQ(level.LayersCleared, 4);
    EXPECT_EQ(Engine.Cell(2, 0).Exploded, 1); // not refilled
    // The faces still see the last tile go.
    ASSERT_FALSE(Host.Progress.empty());
    EXPECT_EQ(Host.Progress.back(), 100);
}

TEST_F(BoardPlay, TilesFlyToTheBarAndFillIt) {
    TLayer* tile = Engine.LayerSprite(2, 2);
    ASSERT_NE(tile, nullptr);
    Engine.ClearLayerAt(2, 2);
    Engine.ClearLayerAt(2, 2); // a second clear of the same cell changes nothing
    Engine.ClearLayerAt(0, 0); // a cell without a tile changes nothing
    EXPECT_EQ(Engine.Level().LayersCleared, 1);
    EXPECT_TRUE(tile->Flying);
    int32_t frames = 0;
    while (Engine.LayerSprite(2, 2) != nullptr && frames < 500) {
        Frame();
        ++frames;
    }
    EXPECT_LT(frames, 500);
    EXPECT_FLOAT_EQ(Engine.Level().Progress, 110.0f / 4.0f);
    EXPECT_EQ(Host.CountSound("layerexplode"), 1);
}

TEST(BoardReplay, ASeededGameReplaysToTheSameBoard) {
    const auto play = [] {
        TFakeHost host;
        TRandom random(12345);
        TGameEngine engine(host, random);
        engine.CurrentStage = 2;
        engine.BuildLevelTable();
        engine.BuildBoard();
        const auto frame = [&] {
            engine.RunBoardCycle();
            engine.Move(0.001f);
        };
        for (int32_t i = 0; i < 40; ++i) {
            frame();
        }
        // A fixed list of clicks, each on a neighbour of the one before.
        const int32_t clicks[][2] = {{3, 3}, {3, 4}, {5, 5}, {6, 5}, {1, 6}, {1, 5}, {4, 1}, {5, 1}, {2, 2}, {2, 3}};
        for (const auto& c : clicks) {
            const TPointF at = CellToScreen(c[0], c[1]);
            host.Pointer = {at.X + 20, at.Y + 20};
            for (int32_t i = 0; i < 120; ++i) {
                frame();
            }
            engine.ClickBoard();
        }
        for (int32_t i = 0; i < 300; ++i) {
            frame();
        }
        return std::pair{engine.BoardHash(), host.Score};
    };
    const auto first = play();
    EXPECT_EQ(play(), first);
    EXPECT_EQ(play(), first);
}

// A piece growing in holds every other piece still. Pieces move in the engine's order within a
// frame: those after the growing one in that order go on in the frame it becomes full, those
// before it wait for the next frame.
TEST_F(BoardPlay, AGrowingPieceHoldsTheOthersUntilItIsFull) {
    struct TCase {
        bool First;          // the first piece in the engine's order grows, else the last
        int32_t StillFrames; // frames in which the swapped pieces do not move
    };
    for (const TCase c : {TCase{true, 1}, TCase{false, 2}}) {
        SCOPED_TRACE(c.First ? "first" : "last");
        Restart();
        std::vector<TUnit*> pieces;
        for (int32_t i = 0; i < Engine.SpriteCount(); ++i) {
            if (auto* unit = dynamic_cast<TUnit*>(Engine.SpriteAt(i))) {
                pieces.push_back(unit);
            }
        }
        ASSERT_EQ(pieces.size(), static_cast<size_t>(BoardSize * BoardSize));
        const TUnit* grower = c.First ? pieces.front() : pieces.back();
        TUnit* mover = UnitAt(3, 3);
        ASSERT_NE(mover, nullptr);
        ASSERT_NE(grower, mover);
        ClickCell(3, 3);
        ClickCell(4, 3); // the two pieces start to swap
        TBoardCell& growing = Engine.Cell(grower->Col, grower->Row);
        growing.Growing = 1;
        growing.Growth = GrowthFull - 2; // full after two frames
        const float x = mover->X;
        for (int32_t frame = 0; frame < c.StillFrames; ++frame) {
            Engine.Move(0.001f);
            EXPECT_EQ(mover->X, x) << "frame " << frame;
        }
        Engine.Move(0.001f);
        EXPECT_GT(mover->X, x);
        EXPECT_EQ(growing.Growth, GrowthFull);
    }
}
