// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

// Tells a sound output that plays in real time from one that takes sound as fast as it is
// mixed. A real device makes the mixing thread wait until it has played a buffer; an output
// that discards the sound without waiting (a null device) lets that thread mix flat out, at the
// high priority audio threads get, so it eats a core and can starve the game's own thread.
// Fed from the mixing thread with each buffer's frames and the time it was asked for.
class TOutputPace {
public:
    explicit TOutputPace(int32_t FramesPerSecond) : Rate(FramesPerSecond) {}

    // A buffer of Frames frames asked for at Micros (a steady clock, microseconds).
    void Mixed(int64_t Frames, uint64_t Micros);
    // False once WindowSeconds of sound went out in less than half that time: no device plays
    // that fast (one that fills a buffer of up to half of it at once when it starts still needs
    // the rest in real time). It stays false.
    [[nodiscard]] bool KeepsTime() const { return !RunsAhead; }

    static constexpr int64_t WindowSeconds = 4;

private:
    int64_t Rate;
    bool Started = false;
    uint64_t WindowStart = 0;
    int64_t WindowFrames = 0;
    bool RunsAhead = false;
};
