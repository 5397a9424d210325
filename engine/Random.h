// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

// The game's general random generator: one per run, seeded from the clock at start-up or by
// the automation's --seed, so that a seed and a list of inputs replay exactly.
class TRandom {
public:
    explicit TRandom(uint64_t Seed = 1) { SetSeed(Seed); }

    void SetSeed(uint64_t Seed) {
        // splitmix64 spreads any seed (also 0) over the whole state.
        State = Seed + 0x9E3779B97F4A7C15ull;
        State = (State ^ (State >> 30)) * 0xBF58476D1CE4E5B9ull;
        State = (State ^ (State >> 27)) * 0x94D049BB133111EBull;
        State ^= State >> 31;
        if (State == 0) {
            State = 1;
        }
    }

    // A value in 0 .. Range-1, uniformly; 0 when Range is 0 or less.
    [[nodiscard]] int32_t Random(int32_t Range) {
        if (Range <= 0) {
            return 0;
        }
        // Rejection keeps the draw uniform for any range.
        const uint64_t limit = UINT64_MAX - UINT64_MAX % static_cast<uint64_t>(Range);
        uint64_t v = 0;
        do {
            v = Next();
        } while (v >= limit);
        return static_cast<int32_t>(v % static_cast<uint64_t>(Range));
    }

    [[nodiscard]] uint64_t Next() {
        // xorshift64*
        State ^= State >> 12;
        State ^= State << 25;
        State ^= State >> 27;
        return State * 0x2545F4914F6CDD1Dull;
    }

private:
    uint64_t State = 1;
};
