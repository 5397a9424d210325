#include "content/particles/ParticleRecord.h"

#include <bit>
#include <cstring>
#include <type_traits>

namespace {

// Walks the record's fields in order; the same list serves writing and reading, so the
// two can never disagree on the layout.
template <typename TVisit> void VisitFields(TParticleRecord& R, TVisit&& Visit) {
    Visit(R.FirstPattern), Visit(R.LastPattern), Visit(R.Reserved), Visit(R.DrawEffect);
    Visit(R.EmissionRate), Visit(R.EmissionTime), Visit(R.LifeMin), Visit(R.LifeMax);
    Visit(R.Direction), Visit(R.Spread), Visit(R.Relative), Visit(R.SpeedMin), Visit(R.SpeedMax);
    Visit(R.GravityMin), Visit(R.GravityMax), Visit(R.RadialMin), Visit(R.RadialMax);
    Visit(R.TangentialMin), Visit(R.TangentialMax);
    Visit(R.SizeStart), Visit(R.SizeMiddle), Visit(R.SizeEnd), Visit(R.SizeVariance);
    Visit(R.SpinStart), Visit(R.SpinMiddle), Visit(R.SpinEnd), Visit(R.SpinVariance);
    Visit(R.ColorStart), Visit(R.ColorMiddle), Visit(R.ColorEnd);
    Visit(R.ColorVariance), Visit(R.AlphaVariance), Visit(R.MiddleTime), Visit(R.NewestFirst);
}

template <typename T> uint32_t Bits(T Value) {
    if constexpr (std::is_same_v<T, float>) {
        return std::bit_cast<uint32_t>(Value);
    } else {
        return static_cast<uint32_t>(Value);
    }
}

template <typename T> T FromBits(uint32_t Value) {
    if constexpr (std::is_same_v<T, float>) {
        return std::bit_cast<float>(Value);
    } else {
        return static_cast<T>(Value);
    }
}

} // namespace

std::vector<uint8_t> WriteParticleTemplate(const TParticleRecord& Record) {
    std::vector<uint8_t> Bytes;
    Bytes.reserve(ParticleTemplateSize);
    TParticleRecord Copy = Record;
    VisitFields(Copy, [&Bytes](auto& Field) {
        const uint32_t V = Bits(Field);
        for (int Shift = 0; Shift < 32; Shift += 8) {
            Bytes.push_back(static_cast<uint8_t>(V >> Shift));
        }
    });
    return Bytes;
}

bool ReadParticleTemplate(const std::vector<uint8_t>& Bytes, TParticleRecord& Record) {
    if (Bytes.size() < ParticleTemplateSize) {
        return false;
    }
    size_t Offset = 0;
    VisitFields(Record, [&](auto& Field) {
        uint32_t V = 0;
        for (int k = 0; k < 4; ++k) {
            V |= uint32_t(Bytes[Offset + k]) << (8 * k);
        }
        Offset += 4;
        Field = FromBits<std::remove_reference_t<decltype(Field)>>(V);
    });
    return true;
}
