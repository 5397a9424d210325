// SPDX-License-Identifier: MIT
#include "BoardFixture.h"

#include "board/Hint.h"

#include <utility>

namespace {

// The board's cells that lie in a line of three or more, found cell by cell.
std::vector<std::pair<int32_t, int32_t>> LineCells(const TBoard& B) {
    std::vector<std::pair<int32_t, int32_t>> cells;
    for (int32_t c = 0; c < BoardSize; ++c) {
        for (int32_t r = 0; r < BoardSize; ++r) {
            const uint8_t k = B[c][r].Kind;
            if (r + 2 < BoardSize && B[c][r + 1].Kind == k && B[c][r + 2].Kind == k) {
                cells.insert(cells.end(), {{c, r}, {c, r + 1}, {c, r + 2}});
            }
            if (c + 2 < BoardSize && B[c + 1][r].Kind == k && B[c + 2][r].Kind == k) {
                cells.insert(cells.end(), {{c, r}, {c + 1, r}, {c + 2, r}});
            }
        }
    }
    return cells;
}

struct TOutcome {
    bool Line = false;
    bool OverTile = false;
};

// What a swap does, judged by swapping and scanning the whole board.
TOutcome Judge(const TBoard& Board, const TSwap& S) {
    TBoard b = Board;
    std::swap(b[S.FromCol][S.FromRow].Kind, b[S.ToCol][S.ToRow].Kind);
    TOutcome o;
    for (const auto& [c, r] : LineCells(b)) {
        o.Line = true;
        o.OverTile = o.OverTile || b[c][r].HasLayer != 0;
    }
    return o;
}

std::vector<TSwap> AllSwaps() {
    std::vector<TSwap> swaps;
    for (int32_t c = 0; c < BoardSize; ++c) {
        for (int32_t r = 0; r < BoardSize; ++r) {
            if (c + 1 < BoardSize) {
                swaps.push_back({c, r, c + 1, r});
            }
            if (r + 1 < BoardSize) {
                swaps.push_back({c, r, c, r + 1});
            }
        }
    }
    return swaps;
}

// Every stage on every difficulty over many seeds: the hint names a swap that lines pieces
// up, over a tile whenever some swap can clear one, and names none only when no swap works.
TEST(BoardHint, AlwaysNamesAValidSwapPreferringATileOverManySeeds) {
    int32_t boardsWithoutMove = 0;
    for (uint64_t seed = 1; seed <= 300; ++seed) {
        TFakeHost host;
        TRandom random(seed);
        TGameEngine engine(host, random);
        engine.CurrentStage = static_cast<uint8_t>(1 + seed % StageCount);
        engine.Difficulty = static_cast<uint8_t>(seed % 3);
        engine.BuildLevelTable();
        engine.BuildBoard();
        ASSERT_TRUE(LineCells(engine.Board).empty()) << "seed " << seed;

        bool anyMove = false, anyTileMove = false;
        for (const TSwap& s : AllSwaps()) {
            const TOutcome o = Judge(engine.Board, s);
            anyMove = anyMove || o.Line;
            anyTileMove = anyTileMove || o.OverTile;
        }
        const std::optional<TSwap> hint = FindHint(engine.Board);
        ASSERT_EQ(hint.has_value(), anyMove) << "seed " << seed;
        if (!hint) {
            ++boardsWithoutMove;
            continue;
        }
        EXPECT_EQ(std::abs(hint->FromCol - hint->ToCol) + std::abs(hint->FromRow - hint->ToRow), 1);
        const TOutcome o = Judge(engine.Board, *hint);
        EXPECT_TRUE(o.Line) << "seed " << seed;
        EXPECT_EQ(o.OverTile, anyTileMove) << "seed " << seed;
        EXPECT_TRUE(SwapMakesLine(engine.Board, *hint));
    }
    EXPECT_LT(boardsWithoutMove, 300);
}

class BoardStuck : public BoardTest {
protected:
    void SetUp() override {
        StartStage(1);
        Settle();
        PlainBoard(); // a pattern in which no swap lines three pieces up
        for (auto& column : Engine.Board) {
            for (TBoardCell& cell : column) {
                cell.HasLayer = 0;
            }
        }
    }
};

TEST_F(BoardStuck, ABoardWithoutAMoveIsReshuffledForFreeAndWithoutASound) {
    ASSERT_FALSE(FindHint(Engine.Board));
    EXPECT_FALSE(Engine.ShowHint());
    const uint64_t before = Engine.BoardHash();
    Host.Score = 120;
    Host.Sounds.clear();
    EXPECT_TRUE(Engine.ReshuffleWhenStuck());
    EXPECT_NE(Engine.BoardHash(), before);
    EXPECT_EQ(Host.Score, 120);
    EXPECT_TRUE(Host.Sounds.empty());
    EXPECT_FALSE(HasReadyLine());
    // The new pieces grow in: nothing more happens until the board has settled again.
    EXPECT_FALSE(Engine.ReshuffleWhenStuck());
}

TEST_F(BoardStuck, ABoardWithExactlyOneMoveKeepsItAndTheHintNamesIt) {
    SetKind(3, 3, 2); // swapping (3,4) with (4,4) now lines up three
    ASSERT_FALSE(HasReadyLine());
    const uint64_t before = Engine.BoardHash();
    EXPECT_FALSE(Engine.ReshuffleWhenStuck());
    EXPECT_EQ(Engine.BoardHash(), before);
    ASSERT_TRUE(Engine.ShowHint());
    EXPECT_EQ(std::make_pair(Engine.Hint->FromCol, Engine.Hint->FromRow), std::make_pair(3, 4));
    EXPECT_EQ(std::make_pair(Engine.Hint->ToCol, Engine.Hint->ToRow), std::make_pair(4, 4));
    EXPECT_EQ(Host.Score, 0);
}

TEST_F(BoardStuck, TheHintPrefersTheSwapOverATileAndFadesAfterTwoSeconds) {
    SetKind(1, 1, 0); // swapping (0,0) with (1,0) lines up three, away from any tile
    SetKind(6, 6, 1); // swapping (6,7) with (7,7) lines up three in the bottom corner
    ASSERT_FALSE(HasReadyLine());
    ASSERT_TRUE(Engine.ShowHint());
    EXPECT_EQ(Engine.Hint->FromCol, 0);
    for (int32_t c = 5; c < BoardSize; ++c) {
        for (int32_t r = 5; r < BoardSize; ++r) {
            Engine.Cell(c, r).HasLayer = 1;
        }
    }
    ASSERT_TRUE(Engine.ShowHint());
    EXPECT_EQ(std::make_pair(Engine.Hint->FromCol, Engine.Hint->FromRow), std::make_pair(6, 7));
    EXPECT_EQ(std::make_pair(Engine.Hint->ToCol, Engine.Hint->ToRow), std::make_pair(7, 7));
    for (int32_t i = 1; i < TGameEngine::HintShowFrames; ++i) {
        Engine.AgeHint();
    }
    EXPECT_TRUE(Engine.Hint.has_value());
    Engine.AgeHint();
    EXPECT_FALSE(Engine.Hint.has_value());
}

// The search is remembered for the board it saw; a move made or taken away by any change of a
// piece's kind, of a tile or of an explosion is seen at once.
TEST_F(BoardStuck, EachSearchSeesTheBoardAsItIsNow) {
    EXPECT_TRUE(Engine.ShowHint() == false && !Engine.SwapOnBoard());
    SetKind(3, 3, 2);
    ASSERT_TRUE(Engine.ShowHint());
    EXPECT_EQ(Engine.Hint->FromCol, 3);
    Engine.Cell(3, 4).Exploded = 1; // the piece the swap needs is going
    EXPECT_FALSE(Engine.SwapOnBoard());
    Engine.Cell(3, 4).Exploded = 0;
    EXPECT_TRUE(Engine.SwapOnBoard());
    PlainBoard(); // the move is gone again
    EXPECT_FALSE(Engine.ShowHint());
    EXPECT_TRUE(Engine.ReshuffleWhenStuck());
}

TEST_F(BoardStuck, NoHintWhileTheBoardIsBusy) {
    SetKind(3, 3, 2);
    Engine.Cell(0, 0).Motion = mtDown;
    EXPECT_FALSE(Engine.ShowHint());
    EXPECT_FALSE(Engine.ReshuffleWhenStuck());
}

} // namespace
