// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

// The highest score a game of each difficulty could reach, from the stage clocks and the
// bonus rules of the board (docs/score-service.md shows the figures). A stage can be
// stretched by clock bonuses, so no score is strictly out of reach; the ceiling assumes each
// stage ends within its own clock plus 100 clock bonuses, and doubles the fastest scoring pace
// the board allows. Anything above it is a forged score.
namespace ScoreCeiling {

inline constexpr int32_t StageCount = 16;
inline constexpr int32_t ClockBonusSeconds = 20;
inline constexpr int32_t ClockBonusesPerStage = 100;
inline constexpr int32_t CellCount = 64;
inline constexpr int32_t PointsPerCell = 3;
// The x2 bonus pays 3 points for every cell of its wave: at most the whole board.
inline constexpr int32_t DoublePoints = PointsPerCell * CellCount;
// A wave of explosions is followed by the fall of at least one row (13 frames of 10 ms)
// before the next wave can score; the refill of the top row alone is covered by the margin.
inline constexpr int32_t FramesPerWave = 13;
inline constexpr int32_t FramesPerSecond = 100;
inline constexpr int32_t Margin = 2;

// The stage clock of the board's stage table: FirstClock + ClockStep * (stage - 1) seconds,
// and how many bonuses the board holds at once.
struct TDifficultyRules {
    int32_t FirstClock;
    int32_t ClockStep;
    int32_t BonusLimit;
};
inline constexpr TDifficultyRules Rules[3] = {{60, 12, 3}, {30, 10, 2}, {15, 7, 1}};

// Seconds of play a whole game may last: every stage clock plus its clock bonuses.
constexpr int64_t PlaySeconds(const TDifficultyRules& R) {
    int64_t total = 0;
    for (int32_t stage = 1; stage <= StageCount; ++stage) {
        total += R.FirstClock + R.ClockStep * (stage - 1) + int64_t{ClockBonusSeconds} * ClockBonusesPerStage;
    }
    return total;
}

// The most one wave can pay: every cell, and each bonus on the board as an x2 (which pays more
// than a money bonus's 50).
constexpr int64_t WavePoints(const TDifficultyRules& R) {
    return int64_t{PointsPerCell} * CellCount + int64_t{R.BonusLimit} * DoublePoints;
}

// Waves at the fastest pace for the whole play time, doubled, plus the time bonus (one point
// per second left, never more than the play time).
constexpr int64_t Ceiling(const TDifficultyRules& R) {
    return Margin * WavePoints(R) * PlaySeconds(R) * FramesPerSecond / FramesPerWave + PlaySeconds(R);
}

constexpr int64_t For(int32_t Difficulty) {
    return Difficulty >= 0 && Difficulty < 3 ? Ceiling(Rules[Difficulty]) : 0;
}

// Every ceiling fits the nine digits the service accepts.
static_assert(For(0) < 1'000'000'000 && For(1) < 1'000'000'000 && For(2) < 1'000'000'000);

} // namespace ScoreCeiling
