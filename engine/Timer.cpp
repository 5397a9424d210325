// SPDX-License-Identifier: MIT
#include "engine/Timer.h"

#include "platform/Clock.h"

#include <limits>

namespace {

constexpr int FractionBits = 20;
constexpr int64_t OneMillisecond = int64_t{1} << FractionBits;
// A disabled timer still yields the processor this long per pass.
constexpr uint32_t DisabledSleep = 5;

// Counter ticks to fixed-point milliseconds. 128-bit arithmetic: a nanosecond counter times
// 2^20 * 1000 overflows 64 bits after a pass of only a few seconds.
[[nodiscard]] int64_t CounterToFixed(uint64_t Ticks, uint64_t Frequency) {
    if (Frequency == 0) {
        return 0;
    }
    const unsigned __int128 Scaled =
        static_cast<unsigned __int128>(Ticks) * 1000u * OneMillisecond / Frequency;
    constexpr auto Max = static_cast<unsigned __int128>(std::numeric_limits<int64_t>::max());
    return static_cast<int64_t>(Scaled > Max ? Max : Scaled);
}

} // namespace

TGfxTimer::TGfxTimer(TClock& Clock) : Clock(Clock) {
    SetMaxFPS(100);
    SetHighPrecision(Clock.Frequency() != 0);
}

void TGfxTimer::SetMaxFPS(int32_t Value) {
    MaxFPS_ = Value <= 0 ? 1 : Value;
    // Rounded to the nearest fixed-point unit.
    Period_ = (1000 * OneMillisecond + MaxFPS_ / 2) / MaxFPS_;
}

void TGfxTimer::SetHighPrecision(bool Value) {
    HighPrecision_ = Value && Clock.Frequency() != 0;
    TakeStamp();
}

void TGfxTimer::TakeStamp() {
    LastCounter = Clock.Counter();
    LastTick = Clock.TickCount();
}

int64_t TGfxTimer::Elapsed() {
    int64_t Result = 0;
    if (HighPrecision_) {
        const uint64_t Now = Clock.Counter();
        Result = CounterToFixed(Now - LastCounter, Clock.Frequency());
    } else {
        // Unsigned difference: the tick count wraps at 2^32.
        const uint32_t Now = Clock.TickCount();
        Result = static_cast<int64_t>(Now - LastTick) * OneMillisecond;
    }
    TakeStamp();
    return Result;
}

void TGfxTimer::Idle() {
    const int64_t E = Elapsed();
    if (!Enabled) {
        Clock.Sleep(DisabledSleep);
        return;
    }
    if (E < Period_) {
        Clock.Sleep(static_cast<uint32_t>((Period_ - E) >> FractionBits));
        // The sleep belongs to this frame. Were it counted into the next pass, that pass
        // would never sleep and quick frames would come at twice MaxFPS.
        TakeStamp();
    }
    if (OnTimer) {
        OnTimer(*this);
    }
    if (OnProcess) {
        OnProcess(*this);
    }
}
