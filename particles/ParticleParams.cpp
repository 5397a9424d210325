// SPDX-License-Identifier: MIT
#include "particles/ParticleParams.h"

#include <cstring>

namespace {
// Walks the record field by field in its stored order, reading or writing.
template <class TField> void Visit(TParticleParams& P, TField&& Field) {
    Field(P.FirstPattern);
    Field(P.LastPattern);
    Field(P.Reserved);
    Field(P.Effect);
    Field(P.EmissionRate);
    Field(P.EmissionDuration);
    Field(P.Life[0]);
    Field(P.Life[1]);
    Field(P.Direction);
    Field(P.Spread);
    Field(P.FollowMotion);
    Field(P.Speed[0]);
    Field(P.Speed[1]);
    Field(P.Gravity[0]);
    Field(P.Gravity[1]);
    Field(P.Radial[0]);
    Field(P.Radial[1]);
    Field(P.Tangential[0]);
    Field(P.Tangential[1]);
    Field(P.SizeBirth);
    Field(P.SizeMiddle);
    Field(P.SizeDeath);
    Field(P.SizeVariance);
    Field(P.SpinBirth);
    Field(P.SpinMiddle);
    Field(P.SpinDeath);
    Field(P.SpinVariance);
    Field(P.ColorBirth);
    Field(P.ColorMiddle);
    Field(P.ColorDeath);
    Field(P.ColorVariance);
    Field(P.AlphaVariance);
    Field(P.MiddleTime);
    Field(P.NewestFirst);
}
} // namespace

std::optional<TParticleParams> ParseParticleRecord(const uint8_t* Bytes, size_t Size) {
    if (Bytes == nullptr || Size < ParticleRecordSize) {
        return std::nullopt;
    }
    TParticleParams p;
    size_t at = 0;
    Visit(p, [&](auto& Value) {
        std::memcpy(&Value, Bytes + at, sizeof Value);
        at += sizeof Value;
    });
    return p;
}

std::vector<uint8_t> WriteParticleRecord(const TParticleParams& Params) {
    std::vector<uint8_t> out(ParticleRecordSize);
    TParticleParams p = Params;
    size_t at = 0;
    Visit(p, [&](auto& Value) {
        std::memcpy(out.data() + at, &Value, sizeof Value);
        at += sizeof Value;
    });
    return out;
}
