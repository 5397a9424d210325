// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>

class TGameEngine;
class TScreens;

// What the stage screens (play, story, stage endings) share about the scene around the board.

// The stage-number picture's index: a chapter's first stage shows the empty machine ("0_el"),
// every other stage the machine with the parts won so far.
[[nodiscard]] int32_t StageElementIndex(int32_t Stage);
// Creates the stage-number picture of the current stage at the lower left.
void CreateStageElement(TScreens& S);

// The chapter a stage opens (1..4), or 0 when the stage is inside a chapter.
[[nodiscard]] int32_t ChapterStartedBy(int32_t Stage);

// Marks dead every live sprite whose name is none of Keep.
void MarkDeadExcept(TGameEngine& Engine, std::initializer_list<std::string_view> Keep);
// Marks dead every live sprite of that name.
void MarkDeadNamed(TGameEngine& Engine, std::string_view Name);
// Every piece starts shrinking away and every cell's tile is taken off the board.
void ShrinkBoardAway(TGameEngine& Engine);

// One frame of the stage-complete score count-up: the next number shown on the way from
// Shown to Score, in steps of 1000, 100, 10 or 1 by how far there is still to go; Shown itself
// once it has reached the score.
[[nodiscard]] int32_t CountUpStep(int32_t Shown, int32_t Score);

// The story panel before stages 1, 5, 9 and 13 (its own file, registered with the play screens).
void RegisterStoryScreen(TScreens& S);
