// SPDX-License-Identifier: MIT
#include "platform/OutputPace.h"

void TOutputPace::Mixed(int64_t Frames, uint64_t Micros) {
    if (!Started) {
        Started = true;
        WindowStart = Micros;
    }
    WindowFrames += Frames;
    if (WindowFrames < Rate * WindowSeconds) {
        return;
    }
    const uint64_t Elapsed = Micros >= WindowStart ? Micros - WindowStart : 0;
    if (Elapsed * 2 < static_cast<uint64_t>(WindowFrames * 1000000 / Rate)) {
        RunsAhead = true;
    }
    WindowStart = Micros;
    WindowFrames = 0;
}
