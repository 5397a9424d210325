// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

// A small seeded noise source (xorshift): the same numbers on every run, so every generated
// sound and song comes out byte for byte the same.
class TNoiseSource {
public:
    explicit TNoiseSource(uint32_t Seed) : State(Seed == 0 ? 0x9E3779B9u : Seed) {}
    // Uniform in [-1, 1).
    [[nodiscard]] float Next();
    // Uniform in [0, Range); 0 for an empty range.
    [[nodiscard]] uint32_t Below(uint32_t Range);

private:
    uint32_t Step();

    uint32_t State;
};
