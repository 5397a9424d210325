// SPDX-License-Identifier: MIT
#include "content/audio/NoiseSource.h"

uint32_t TNoiseSource::Step() {
    State ^= State << 13;
    State ^= State >> 17;
    State ^= State << 5;
    return State;
}

float TNoiseSource::Next() {
    // 24 bits keep the float exact.
    return static_cast<float>(Step() >> 8) / 8388608.0f - 1.0f;
}

uint32_t TNoiseSource::Below(uint32_t Range) {
    if (Range == 0) {
        return 0;
    }
    return Step() % Range;
}
