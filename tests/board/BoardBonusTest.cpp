// SPDX-License-Identifier: MIT
#include "BoardFixture.h"

namespace {
class BoardBonus : public BoardTest {
protected:
    void SetUp() override {
        StartStage(1);
        Frames(31);
        PlainBoard();
        Host.Sounds.clear();
        Host.Score = 0;
    }
    // A vertical line of three kind-4 pieces in column Col ending at row 7; the bonus rides on
    // the piece at BonusRow.
    void LineWithBonus(int32_t Col, int32_t BonusRow, uint8_t Bonus) {
        for (int32_t r = 5; r < 8; ++r) {
            SetKind(Col, r, 4);
        }
        if (Col + 1 < BoardSize) {
            SetKind(Col, 4, 0);
        }
        Engine.Cell(Col, BonusRow).Bonus = Bonus;
        Engine.CheckLines = true;
        Engine.SilentCheck = true;
    }
    int32_t ExplodedCount() {
        int32_t n = 0;
        for (int32_t c = 0; c < BoardSize; ++c) {
            for (int32_t r = 0; r < BoardSize; ++r) {
                n += Engine.Cell(c, r).Exploded;
            }
        }
        return n;
    }
};
} // namespace

TEST_F(BoardBonus, EachKindActsWhenItsPieceExplodes) {
    struct TCase {
        uint8_t Bonus;
        int32_t Exploded;  // cells exploded in all
        int32_t Score;
        uint32_t Time;     // seconds left afterwards (60 at the start)
    };
    const TCase cases[] = {
        {1, 3, 9, 80},            // clock: 20 seconds
        {2, 3, 59, 60},           // money: 50 points
        {3, 3 + 2, 15, 60},       // dynamite at (0,7), handled first: (1,7), (0,6) of the line, (1,6)
        {4, 3 + 5, 24, 60},       // star: five random cells
        {5, 3 + 7, 30, 60},       // flash: the rest of row 7
        {6, 3 + 5, 24, 60},       // energy ball: the rest of column 0
        {7, 3, 9 + 9, 60},        // x2 at the top end, handled last: the chain's 9 points again
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.Bonus));
        SetUp();
        Engine.Level().TimeLeft = 60;
        // The x2 piece is at the top end of the line, so it is handled last.
        LineWithBonus(0, c.Bonus == 7 ? 5 : 7, c.Bonus);
        ASSERT_TRUE(Engine.FindLines());
        EXPECT_EQ(ExplodedCount(), c.Exploded);
        EXPECT_EQ(Host.Score, c.Score);
        EXPECT_EQ(Engine.Level().TimeLeft, c.Time);
        EXPECT_EQ(Host.CountSound("bonustaken"), 1);
        Engine.FreeAll();
    }
}

TEST_F(BoardBonus, RainbowBlastsEveryPieceOfItsKindAndCountsTheirClocks) {
    SetKind(6, 1, 4);
    Engine.Cell(6, 1).Bonus = 1; // a clock on a piece of the same kind elsewhere
    SetKind(3, 3, 4);
    LineWithBonus(0, 7, 8);
    Engine.Level().TimeLeft = 10;
    ASSERT_TRUE(Engine.FindLines());
    EXPECT_TRUE(Engine.Cell(6, 1).Exploded);
    EXPECT_TRUE(Engine.Cell(3, 3).Exploded);
    EXPECT_EQ(Engine.Level().TimeLeft, 30u);
    int32_t kindFour = 0;
    for (int32_t c = 0; c < BoardSize; ++c) {
        for (int32_t r = 0; r < BoardSize; ++r) {
            kindFour += Engine.Cell(c, r).Kind == 4;
            if (Engine.Cell(c, r).Kind == 4) {
                EXPECT_TRUE(Engine.Cell(c, r).Exploded) << c << "," << r;
            }
        }
    }
    EXPECT_EQ(Host.Score, 3 * kindFour);
    EXPECT_EQ(Host.CountSound("bonustaken"), 1); // blasted bonuses make no sound
}

TEST_F(BoardBonus, MixReplacesTheBoardAndWaitingCellsExplodeTheNewPieces) {
    // The mix rides on the newest found cell of the line, so two cells still wait.
    LineWithBonus(0, 7, 9);
    ASSERT_TRUE(Engine.FindLines());
    Engine.FreeDead();
    EXPECT_EQ(ExplodedCount(), 2);
    EXPECT_TRUE(Engine.Cell(0, 5).Exploded || Engine.Cell(0, 6).Exploded);
    EXPECT_FALSE(Engine.Cell(0, 7).Exploded);
}

// The mix's new piece in the mix's own cell keeps whatever bonus it rolled: the picture, the
// cell's bonus and the board's count agree on every piece, as on any new board.
TEST_F(BoardBonus, MixLeavesNoPieceShowingABonusItDoesNotHave) {
    int32_t bonusOnNewPiece = 0;
    for (int32_t trial = 0; trial < 500 && bonusOnNewPiece < 3; ++trial) {
        SCOPED_TRACE(trial);
        Engine.FreeAll();
        SetUp();
        LineWithBonus(0, 7, 9);
        ASSERT_TRUE(Engine.FindLines());
        int32_t shown = 0;
        for (int32_t c = 0; c < BoardSize; ++c) {
            for (int32_t r = 0; r < BoardSize; ++r) {
                const TBoardCell& cell = Engine.Cell(c, r);
                TUnit* piece = UnitAt(c, r);
                ASSERT_NE(piece, nullptr) << c << "," << r;
                shown += piece->HasLiveBonus();
                if (!cell.Exploded) {
                    EXPECT_EQ(piece->HasLiveBonus(), cell.Bonus != 0) << c << "," << r;
                }
            }
        }
        EXPECT_EQ(Engine.BonusCount, shown);
        bonusOnNewPiece += UnitAt(0, 7)->HasLiveBonus();
    }
    EXPECT_EQ(bonusOnNewPiece, 3) << "the mix's own cell never got a new piece with a bonus";
}

TEST_F(BoardBonus, StarDoesNotHangWithFewEligibleCells) {
    for (int32_t c = 0; c < BoardSize; ++c) {
        for (int32_t r = 0; r < BoardSize; ++r) {
            Engine.Cell(c, r).Exploded = 1;
        }
    }
    Engine.Cell(4, 4).Exploded = 0;
    Engine.Cell(5, 5).Exploded = 0;
    Engine.BlastRandom();
    EXPECT_TRUE(Engine.Cell(4, 4).Exploded);
    EXPECT_TRUE(Engine.Cell(5, 5).Exploded);
    EXPECT_EQ(Host.Score, 6);
}

TEST_F(BoardBonus, DynamiteInACornerBlastsOnlyItsThreeNeighbours) {
    Engine.ApplyBonus(3, 7, 0);
    EXPECT_EQ(ExplodedCount(), 3);
    EXPECT_TRUE(Engine.Cell(6, 0).Exploded);
    EXPECT_TRUE(Engine.Cell(7, 1).Exploded);
    EXPECT_TRUE(Engine.Cell(6, 1).Exploded);
}
