// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

class TGameEngine;
class TGuiControl;
class TTrace;
struct TFrameStats;
struct TTextureTotals;

// The control script's reports (docs/automation.md): what the game shows and holds, written
// to the trace for the script's reader.

// "texts": the caption or text of every visible control under Root, by the control's name (an
// unnamed control is its parent's name and its place, such as "scr_change/0").
void TraceTexts(TTrace& Trace, const TGuiControl& Root);
// "dump": the screen, the stage, the difficulty, the score and the time left, then the board
// row by row.
void TraceDump(TTrace& Trace, TGameEngine& Engine, uint8_t ScreenState, int32_t Score);
// "stats": the last frame's drawing, the textures on the graphics device, the memory in use,
// the longest step since the last report, in microseconds, and the heap allocations the frames
// made since the last report, and the pixels the last drawn picture changed.
void TraceStats(TTrace& Trace, const TFrameStats& Frame, const TTextureTotals& Textures, int64_t SlowestStepMicros,
                int64_t FrameAllocations, int64_t DamagedPixels);
