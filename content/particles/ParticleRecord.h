#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The size of a particle template record in an archive.
inline constexpr size_t ParticleTemplateSize = 136;

// A colour of a particle template: red in the lowest byte, then green, blue, alpha (the
// canvas's byte order).
[[nodiscard]] constexpr uint32_t ParticleColor(uint8_t Red, uint8_t Green, uint8_t Blue, uint8_t Alpha) {
    return uint32_t(Red) | uint32_t(Green) << 8 | uint32_t(Blue) << 16 | uint32_t(Alpha) << 24;
}

// Effect codes the templates draw with: ordinary alpha blending, and glowing light that adds
// to what is beneath (source alpha, one, add).
inline constexpr int32_t ParticleBlend = 1284;
inline constexpr int32_t ParticleGlow = 0x104;

// A particle template, field for field in record order. "Bounds" pairs may come in either
// order; the particle system draws a value between them.
struct TParticleRecord {
    int32_t FirstPattern = 0;
    // Negative or equal to FirstPattern: no animation.
    int32_t LastPattern = -1;
    int32_t Reserved = 0;
    int32_t DrawEffect = ParticleBlend;
    int32_t EmissionRate = 0;
    // Seconds; 0 or less never emits.
    float EmissionTime = 0.0f;
    float LifeMin = 0.0f;
    float LifeMax = 0.0f;
    // Radians: 0 points down, pi/2 points right.
    float Direction = 0.0f;
    float Spread = 0.0f;
    // Non-zero: the direction turns with the emitter's motion (trails).
    int32_t Relative = 0;
    float SpeedMin = 0.0f;
    float SpeedMax = 0.0f;
    float GravityMin = 0.0f;
    float GravityMax = 0.0f;
    float RadialMin = 0.0f;
    float RadialMax = 0.0f;
    float TangentialMin = 0.0f;
    float TangentialMax = 0.0f;
    float SizeStart = 1.0f;
    float SizeMiddle = 1.0f;
    float SizeEnd = 1.0f;
    float SizeVariance = 0.0f;
    float SpinStart = 0.0f;
    float SpinMiddle = 0.0f;
    float SpinEnd = 0.0f;
    float SpinVariance = 0.0f;
    uint32_t ColorStart = 0xFFFFFFFF;
    uint32_t ColorMiddle = 0xFFFFFFFF;
    uint32_t ColorEnd = 0xFFFFFFFF;
    float ColorVariance = 0.0f;
    float AlphaVariance = 0.0f;
    // The middle time as a fraction of a particle's life.
    float MiddleTime = 0.5f;
    // Non-zero: newest particles are drawn first.
    int32_t NewestFirst = 0;
};

// The 136 little-endian bytes of a template.
[[nodiscard]] std::vector<uint8_t> WriteParticleTemplate(const TParticleRecord& Record);
// Reads a template back; false when fewer than 136 bytes are given.
[[nodiscard]] bool ReadParticleTemplate(const std::vector<uint8_t>& Bytes, TParticleRecord& Record);
