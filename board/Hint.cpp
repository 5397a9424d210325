// SPDX-License-Identifier: MIT
#include "board/Hint.h"

#include <cstdlib>
#include <utility>

namespace {

bool Inside(int32_t Col, int32_t Row) { return Col >= 0 && Col < BoardSize && Row >= 0 && Row < BoardSize; }

// Pieces of the cell's kind running from the cell along one direction (the cell not counted).
int32_t Run(const TBoard& Board, int32_t Col, int32_t Row, int32_t DCol, int32_t DRow) {
    const uint8_t kind = Board[Col][Row].Kind;
    int32_t n = 0;
    for (int32_t c = Col + DCol, r = Row + DRow; Inside(c, r) && !Board[c][r].Exploded && Board[c][r].Kind == kind;
         c += DCol, r += DRow) {
        ++n;
    }
    return n;
}

// Whether a line through the cell covers a layer tile; Lines tells whether there is a line.
bool LineOverTile(const TBoard& Board, int32_t Col, int32_t Row, bool& Lines) {
    bool tile = false;
    for (const auto& [dc, dr] : {std::pair{1, 0}, std::pair{0, 1}}) {
        const int32_t back = Run(Board, Col, Row, -dc, -dr);
        const int32_t ahead = Run(Board, Col, Row, dc, dr);
        if (back + ahead + 1 < 3) {
            continue;
        }
        Lines = true;
        for (int32_t i = -back; i <= ahead; ++i) {
            tile = tile || Board[Col + i * dc][Row + i * dr].HasLayer != 0;
        }
    }
    return tile;
}

// Swaps the two cells' pieces, reports whether a line forms and covers a tile, and swaps
// them back, so one scratch board serves every try.
bool Try(TBoard& Scratch, const TSwap& Swap, bool& OverTile) {
    if (!Inside(Swap.FromCol, Swap.FromRow) || !Inside(Swap.ToCol, Swap.ToRow)) {
        return false;
    }
    TBoardCell& from = Scratch[Swap.FromCol][Swap.FromRow];
    TBoardCell& to = Scratch[Swap.ToCol][Swap.ToRow];
    if (from.Exploded || to.Exploded) {
        return false;
    }
    std::swap(from.Kind, to.Kind);
    bool lines = false;
    OverTile = LineOverTile(Scratch, Swap.FromCol, Swap.FromRow, lines);
    OverTile = LineOverTile(Scratch, Swap.ToCol, Swap.ToRow, lines) || OverTile;
    std::swap(from.Kind, to.Kind);
    return lines;
}

} // namespace

bool SwapMakesLine(const TBoard& Board, const TSwap& Swap) {
    const int32_t distance = std::abs(Swap.FromCol - Swap.ToCol) + std::abs(Swap.FromRow - Swap.ToRow);
    bool overTile = false;
    TBoard scratch = Board;
    return distance == 1 && Try(scratch, Swap, overTile);
}

std::optional<TSwap> FindHint(const TBoard& Board) {
    std::optional<TSwap> plain;
    TBoard scratch = Board;
    for (int32_t r = 0; r < BoardSize; ++r) {
        for (int32_t c = 0; c < BoardSize; ++c) {
            for (const TSwap& s : {TSwap{c, r, c + 1, r}, TSwap{c, r, c, r + 1}}) {
                bool overTile = false;
                if (!Try(scratch, s, overTile)) {
                    continue;
                }
                if (overTile) {
                    return s;
                }
                if (!plain) {
                    plain = s;
                }
            }
        }
    }
    return plain;
}
