// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <functional>

class TClock;

// Turns the main loop's idle time into frames: each idle pass calls OnTimer once, sleeping
// first when less than one frame period has passed since the previous frame began, so frames
// come at most MaxFPS times a second.
class TGfxTimer {
public:
    // Precision is high when the clock has a performance counter, low (tick count) otherwise.
    explicit TGfxTimer(TClock& Clock);

    // One idle pass: measure, then sleep 5 ms while disabled, or sleep out the rest of the
    // frame period and call OnTimer (then OnProcess).
    void Idle();

    // 0 or less is stored as 1.
    void SetMaxFPS(int32_t Value);
    [[nodiscard]] int32_t MaxFPS() const { return MaxFPS_; }
    // The frame period in milliseconds with 20 fraction bits.
    [[nodiscard]] int64_t Period() const { return Period_; }

    // Choosing the precision takes a new time stamp, so the next pass measures from now.
    void SetHighPrecision(bool Value);
    [[nodiscard]] bool HighPrecision() const { return HighPrecision_; }

    // Gates only the callbacks: a disabled timer keeps the loop alive with short sleeps.
    bool Enabled = false;
    std::function<void(TGfxTimer& Sender)> OnTimer;
    // Called after OnTimer on every enabled pass.
    std::function<void(TGfxTimer& Sender)> OnProcess;

    // Fixed-point milliseconds since the previous pass (20 fraction bits); takes a new stamp.
    [[nodiscard]] int64_t Elapsed();

private:
    void TakeStamp();

    TClock& Clock;
    int32_t MaxFPS_ = 100;
    int64_t Period_ = 0;
    bool HighPrecision_ = false;
    uint64_t LastCounter = 0;
    uint32_t LastTick = 0;
};
