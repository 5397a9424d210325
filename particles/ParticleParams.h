// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// The parameter record of one particle effect, as stored in a ".pss" record (136 bytes,
// little-endian). Colours are in the canvas format: byte 0 red, 1 green, 2 blue, 3 alpha.
// "Bounds" pairs may come in either order.
struct TParticleParams {
    int32_t FirstPattern = 0;
    int32_t LastPattern = 0; // negative or equal to the first: no animation
    int32_t Reserved = 0;
    int32_t Effect = 1284;
    int32_t EmissionRate = 0; // particles per second
    float EmissionDuration = 0.0f; // seconds; 0 or less: never emits
    float Life[2] = {0.0f, 0.0f};
    float Direction = 0.0f; // radians, 0 points down, pi/2 right
    float Spread = 0.0f;
    int32_t FollowMotion = 0; // non-zero: direction turned by the emitter's own motion
    float Speed[2] = {0.0f, 0.0f};
    float Gravity[2] = {0.0f, 0.0f};
    float Radial[2] = {0.0f, 0.0f};
    float Tangential[2] = {0.0f, 0.0f};
    float SizeBirth = 1.0f;
    float SizeMiddle = 1.0f;
    float SizeDeath = 1.0f;
    float SizeVariance = 0.0f;
    float SpinBirth = 0.0f;
    float SpinMiddle = 0.0f;
    float SpinDeath = 0.0f;
    float SpinVariance = 0.0f;
    uint32_t ColorBirth = 0xFFFFFFFF;
    uint32_t ColorMiddle = 0xFFFFFFFF;
    uint32_t ColorDeath = 0xFFFFFFFF;
    float ColorVariance = 0.0f;
    float AlphaVariance = 0.0f;
    float MiddleTime = 0.5f; // fraction of the particle's life
    int32_t NewestFirst = 0; // non-zero: draw from the newest particle to the oldest
};

constexpr size_t ParticleRecordSize = 136;

// Reads the first 136 bytes; nothing when the record is shorter.
[[nodiscard]] std::optional<TParticleParams> ParseParticleRecord(const uint8_t* Bytes, size_t Size);
// The 136-byte record of a parameter set.
[[nodiscard]] std::vector<uint8_t> WriteParticleRecord(const TParticleParams& Params);
