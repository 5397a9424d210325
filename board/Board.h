// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Types.h"

#include <array>
#include <cstdint>
#include <string>

// The playing field: 8 columns by 8 rows of cells, addressed [column][row], row 0 at the top.
constexpr int32_t BoardSize = 8;
constexpr float BoardLeft = 222.0f;
constexpr float BoardTop = 138.0f;
constexpr float CellSize = 44.0f;
constexpr int32_t StageCount = 16;
constexpr int32_t KindCount = 16;
constexpr int32_t KindsPerStage = 5;
constexpr uint8_t GrowthFull = 30;

// Cell motions.
enum TMotion : uint8_t { mtStill = 0, mtUp = 1, mtDown = 2, mtLeft = 3, mtRight = 4, mtFalling = 5 };

struct TBoardCell {
    uint8_t Exploded = 0;  // the piece is being taken off; its sprite marks itself dead
    uint8_t Growth = 0;    // 0..30; the piece is drawn at scale Growth / 30
    uint8_t Growing = 0;
    uint8_t Shrinking = 0;
    uint8_t Kind = 0;      // 0..15
    uint8_t HasLayer = 0;  // a layer tile lies under the cell
    uint8_t FallRows = 0;  // rows the piece still has to fall
    uint8_t Motion = mtStill;
    uint8_t Bonus = 0;     // 0 none, 1..9
    uint8_t Selected = 0;
    uint8_t Hovered = 0;
    float FallSpeed = 2.0f; // pixels per frame for swaps and falls
    float FallAccel = 0.3f;
};

using TBoard = std::array<std::array<TBoardCell, BoardSize>, BoardSize>;

// A cell as the state dump writes it: "kind.bonus.tile", the tile 0 or 1.
[[nodiscard]] std::string CellDumpText(const TBoardCell& Cell);

// One stage of the game in progress.
struct TLevelRecord {
    std::array<uint8_t, KindsPerStage> Kinds{};
    uint8_t LayerCount = 0;
    uint8_t LayersCleared = 0;
    uint32_t TimeLeft = 0; // seconds
    uint8_t ProgressPercent = 0;
    float Progress = 0.0f; // 0..110, the progress bar's length
};

// Indexed by stage 1..16 (entry 0 unused).
using TLevelTable = std::array<TLevelRecord, StageCount + 1>;

// Fills every stage's record for a difficulty (0 easy, 1 medium, 2 hard).
void BuildLevelTable(TLevelTable& Table, int32_t Difficulty);

// The top-left corner of a cell on the screen.
[[nodiscard]] inline TPointF CellToScreen(int32_t Column, int32_t Row) {
    return {BoardLeft + CellSize * static_cast<float>(Column), BoardTop + CellSize * static_cast<float>(Row)};
}

// The image of a piece kind ("AquaPentagon.piece", ...), and the kind of an image name
// (-1 when it is no piece image).
[[nodiscard]] const std::string& KindImage(int32_t Kind);
[[nodiscard]] int32_t KindOfImage(const std::string& ImageName);

// The image of a bonus kind 1..9 ("clock.bonus", ...); empty otherwise.
[[nodiscard]] const std::string& BonusImage(int32_t Bonus);

class TSpriteEngine;
// The pattern size of an image of the engine's image list; 0 by 0 when there is none.
[[nodiscard]] TPoint ImagePatternSize(const TSpriteEngine& Engine, const std::string& ImageName);

// Whether stage Stage (1..16) has a layer tile under the cell. The layouts nest: stage S has
// the tiles of every stage before it and four more.
[[nodiscard]] bool StageHasLayer(int32_t Stage, int32_t Column, int32_t Row);
