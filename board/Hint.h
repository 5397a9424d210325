// SPDX-License-Identifier: MIT
#pragma once

#include "board/Board.h"

#include <optional>

// One swap of two neighbouring pieces.
struct TSwap {
    int32_t FromCol = 0, FromRow = 0;
    int32_t ToCol = 0, ToRow = 0;
};

// Whether swapping the two neighbouring cells lines up three or more pieces of one kind.
[[nodiscard]] bool SwapMakesLine(const TBoard& Board, const TSwap& Swap);

// A swap that makes a line, preferring one whose line lies over a layer tile, so the hint
// also moves the stage on; none when the board has no move left.
[[nodiscard]] std::optional<TSwap> FindHint(const TBoard& Board);
