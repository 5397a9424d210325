// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

// The keyboard's cell on the board: hidden until the player first uses an arrow in play,
// then moved by the arrows without leaving the board.
class TBoardCursor {
public:
    [[nodiscard]] bool Shown() const { return Shown_; }
    [[nodiscard]] int32_t Col() const { return Col_; }
    [[nodiscard]] int32_t Row() const { return Row_; }
    // Shows the cursor on the cell, clamped onto the board.
    void Show(int32_t Col, int32_t Row);
    void Hide() { Shown_ = false; }
    // Moves by one cell; false (and no move) at the board's edge.
    bool Step(int32_t DCol, int32_t DRow);

private:
    bool Shown_ = false;
    int32_t Col_ = 0;
    int32_t Row_ = 0;
};
