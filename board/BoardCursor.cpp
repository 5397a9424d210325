// SPDX-License-Identifier: MIT
#include "board/BoardCursor.h"

#include "board/Board.h"

#include <algorithm>

void TBoardCursor::Show(int32_t Col, int32_t Row) {
    Shown_ = true;
    Col_ = std::clamp(Col, 0, BoardSize - 1);
    Row_ = std::clamp(Row, 0, BoardSize - 1);
}

bool TBoardCursor::Step(int32_t DCol, int32_t DRow) {
    const int32_t c = Col_ + DCol;
    const int32_t r = Row_ + DRow;
    if (c < 0 || c >= BoardSize || r < 0 || r >= BoardSize) {
        return false;
    }
    Col_ = c;
    Row_ = r;
    return true;
}
