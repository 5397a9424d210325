// SPDX-License-Identifier: MIT
#pragma once

#include "particles/ParticleParams.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The size of a particle template record in an archive.
inline constexpr size_t ParticleTemplateSize = ParticleRecordSize;

// A colour of a particle template: red in the lowest byte, then green, blue, alpha (the
// canvas's byte order).
[[nodiscard]] constexpr uint32_t ParticleColor(uint8_t Red, uint8_t Green, uint8_t Blue, uint8_t Alpha) {
    return uint32_t(Red) | uint32_t(Green) << 8 | uint32_t(Blue) << 16 | uint32_t(Alpha) << 24;
}

// Effect codes the templates draw with: ordinary alpha blending, and glowing light that adds
// to what is beneath (source alpha, one, add).
inline constexpr int32_t ParticleBlend = 1284;
inline constexpr int32_t ParticleGlow = 0x104;

// A particle template is the game's own parameter record, so the generator writes exactly what
// the particle system reads.
using TParticleRecord = TParticleParams;

// The 136 little-endian bytes of a template.
[[nodiscard]] inline std::vector<uint8_t> WriteParticleTemplate(const TParticleRecord& Record) {
    return WriteParticleRecord(Record);
}
// Reads a template back; false when fewer than 136 bytes are given.
[[nodiscard]] inline bool ReadParticleTemplate(const std::vector<uint8_t>& Bytes, TParticleRecord& Record) {
    const auto params = ParseParticleRecord(Bytes.data(), Bytes.size());
    if (params) {
        Record = *params;
    }
    return params.has_value();
}
