// SPDX-License-Identifier: MIT
#include "engine/FramePacer.h"

#include "platform/Clock.h"

#include <algorithm>

TFramePacer::TFramePacer(TClock& Clock, int32_t FramesPerSecond, int32_t MaxCatchUp)
    : Clock(Clock), Period(1000000 / static_cast<uint64_t>(std::max(FramesPerSecond, 1))),
      MaxCatchUp(std::max(MaxCatchUp, 1)), Next(Now()) {}

uint64_t TFramePacer::Now() const {
    const uint64_t Frequency = Clock.Frequency();
    if (Frequency == 0) {
        return static_cast<uint64_t>(Clock.TickCount()) * 1000;
    }
    return static_cast<uint64_t>(static_cast<unsigned __int128>(Clock.Counter()) * 1000000u / Frequency);
}

int32_t TFramePacer::Wait() {
    uint64_t Current = Now();
    while (Current < Next) {
        // Whole milliseconds, rounded up: one sleep is normally enough.
        Clock.Sleep(static_cast<uint32_t>((Next - Current + 999) / 1000));
        Current = Now();
    }
    const uint64_t Due = (Current - Next) / Period + 1;
    if (Due > static_cast<uint64_t>(MaxCatchUp)) {
        Next = Current + Period;
        return MaxCatchUp;
    }
    Next += Due * Period;
    return static_cast<int32_t>(Due);
}

void TFramePacer::SetDisplayRate(int32_t Hz) {
    DisplayRate = Hz > 0 ? static_cast<uint64_t>(Hz) : 60;
}

bool TFramePacer::PictureDue() {
    const uint64_t Slot = Now() * DisplayRate / 1000000;
    if (Slot == LastPictureSlot) {
        return false;
    }
    LastPictureSlot = Slot;
    return true;
}
