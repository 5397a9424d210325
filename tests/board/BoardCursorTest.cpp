// SPDX-License-Identifier: MIT
#include "BoardFixture.h"

namespace {

class BoardCursor : public BoardTest {
protected:
    void SetUp() override {
        StartStage(1);
        Settle();
    }
    [[nodiscard]] std::pair<int32_t, int32_t> At() const {
        return {Engine.BoardCursor.Col(), Engine.BoardCursor.Row()};
    }
};

TEST_F(BoardCursor, TheFirstArrowShowsItThenArrowsMoveItUpToTheEdge) {
    EXPECT_FALSE(Engine.BoardCursor.Shown());
    Engine.CursorArrow(1, 0);
    ASSERT_TRUE(Engine.BoardCursor.Shown());
    EXPECT_EQ(At(), std::make_pair(3, 3));
    for (int i = 0; i < 10; ++i) {
        Engine.CursorArrow(1, 0);
    }
    EXPECT_EQ(At(), std::make_pair(7, 3));
    Engine.CursorArrow(0, -1);
    EXPECT_EQ(At(), std::make_pair(7, 2));
}

TEST_F(BoardCursor, SelectThenAnArrowSwapsAsTwoClicksDo) {
    Engine.CursorArrow(0, 1);
    Engine.CursorSelect();
    EXPECT_TRUE(Engine.Cell(3, 3).Selected);
    Engine.CursorArrow(1, 0);
    EXPECT_NE(Engine.Cell(3, 3).Motion, mtStill);
    EXPECT_NE(Engine.Cell(4, 3).Motion, mtStill);
    EXPECT_EQ(At(), std::make_pair(4, 3)); // the cursor follows the piece
}

TEST_F(BoardCursor, AnArrowOffTheBoardFromASelectedPieceSwapsNothing) {
    Engine.CursorArrow(0, 1);
    for (int i = 0; i < 4; ++i) {
        Engine.CursorArrow(1, 0);
    }
    ASSERT_EQ(At(), std::make_pair(7, 3));
    Engine.CursorSelect();
    Engine.CursorArrow(1, 0);
    EXPECT_EQ(At(), std::make_pair(7, 3));
    EXPECT_EQ(Engine.Cell(7, 3).Motion, mtStill);
    EXPECT_TRUE(Engine.Cell(7, 3).Selected);
    Engine.CursorSelect(); // the selected piece again: deselects, as a click does
    EXPECT_FALSE(Engine.Cell(7, 3).Selected);
}

} // namespace
