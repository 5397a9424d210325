#include "archive/Archive.h"
#include "archive/Stream.h"
#include "content/particles/ParticleTemplates.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

namespace {

const std::string GameDir = ZIBO_GAME_DIR;

float FloatAt(const std::vector<uint8_t>& Bytes, size_t Offset) {
    uint32_t Bits = 0;
    for (int k = 0; k < 4; ++k) {
        Bits |= uint32_t(Bytes[Offset + k]) << (8 * k);
    }
    float Value = 0;
    std::memcpy(&Value, &Bits, 4);
    return Value;
}

int32_t IntAt(const std::vector<uint8_t>& Bytes, size_t Offset) {
    uint32_t Bits = 0;
    for (int k = 0; k < 4; ++k) {
        Bits |= uint32_t(Bytes[Offset + k]) << (8 * k);
    }
    return static_cast<int32_t>(Bits);
}

// Fields land at the offsets the particle system reads them from.
TEST(ParticleRecord, FieldsSitAtTheirOffsets) {
    TParticleRecord R;
    R.FirstPattern = 3;
    R.DrawEffect = ParticleGlow;
    R.EmissionTime = 0.25f;
    R.Relative = 1;
    R.SizeEnd = 0.125f;
    R.ColorStart = ParticleColor(1, 2, 3, 4);
    R.MiddleTime = 0.75f;
    R.NewestFirst = 1;
    const std::vector<uint8_t> Bytes = WriteParticleRecord(R);
    ASSERT_EQ(Bytes.size(), ParticleRecordSize);
    EXPECT_EQ(IntAt(Bytes, 0), 3);
    EXPECT_EQ(IntAt(Bytes, 12), ParticleGlow);
    EXPECT_EQ(FloatAt(Bytes, 20), 0.25f);
    EXPECT_EQ(IntAt(Bytes, 40), 1);
    EXPECT_EQ(FloatAt(Bytes, 84), 0.125f);
    EXPECT_EQ(Bytes[108], 1);
    EXPECT_EQ(Bytes[111], 4);
    EXPECT_EQ(FloatAt(Bytes, 128), 0.75f);
    EXPECT_EQ(IntAt(Bytes, 132), 1);
    TParticleRecord Back;
    ASSERT_TRUE(ReadParticleRecord(Bytes, Back));
    EXPECT_EQ(WriteParticleRecord(Back), Bytes);
    EXPECT_FALSE(ReadParticleRecord(std::vector<uint8_t>(Bytes.begin(), Bytes.end() - 1), Back));
}

// How many particles an emitter makes, updated 0.01 s per frame as the game does, with the
// game's rounding of the per-frame count and its carried fraction.
int Births(const TParticleRecord& R, int Frames) {
    constexpr float Step = 0.01f;
    float Timer = R.EmissionTime > 0 ? 0.0f : -1.0f;
    float Carry = 0.0f;
    int Total = 0;
    for (int f = 0; f < Frames && Timer >= 0.0f; ++f) {
        Timer += Step;
        const bool Emitting = Timer < R.EmissionTime;
        if (!Emitting) {
            Timer = -1.0f;
            break;
        }
        const float Want = static_cast<float>(R.EmissionRate) * Step + Carry;
        const float N = std::nearbyint(Want);
        Carry = Want - N;
        Total += static_cast<int>(N);
    }
    return Total;
}

// The four templates are in the first archive, 136 bytes each, and behave as the game
// uses them: bursts are short and bright, the trail keeps flowing behind a moving target.
TEST(ParticleTemplates, ShippedTemplatesBurstBrieflyAndTheTrailFollowsMotion) {
    TArchive Archive;
    Archive.SetFileName(GameDir + "/" + TManifest::ArchivePath(ParticleArchive));
    ASSERT_TRUE(Archive.EnsureOpen());
    const struct {
        const char* Key;
        bool Trail;
    } Cases[] = {{"explode-blue.pss", false}, {"Explode-red.pss", false}, {"Layer_landing.pss", false},
                 {"LevTar_Flying.pss", true}};
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Key);
        TMemoryStream Stream;
        ASSERT_TRUE(Archive.ReadRecord(C.Key, Stream));
        ASSERT_EQ(Stream.Bytes().size(), ParticleRecordSize);
        TParticleRecord R;
        ASSERT_TRUE(ReadParticleRecord(Stream.Bytes(), R));
        EXPECT_GT(R.LifeMin, 0.0f);
        EXPECT_GT(R.MiddleTime, 0.0f);
        EXPECT_LT(R.MiddleTime, 1.0f);
        // Particles fade out: no colour at death is visible.
        EXPECT_EQ(R.ColorEnd >> 24, 0u);
        if (C.Trail) {
            EXPECT_NE(R.Relative, 0);
            EXPECT_GE(R.EmissionTime, 10.0f);
            EXPECT_GE(R.EmissionRate * 0.01f, 1.0f);
        } else {
            const int Count = Births(R, 200);
            EXPECT_GE(Count, 20);
            EXPECT_LE(Count, 150);
            const float LastDeath = R.EmissionTime + std::max(R.LifeMin, R.LifeMax);
            EXPECT_GE(LastDeath, 0.3f);
            EXPECT_LE(LastDeath, 0.9f);
        }
    }
}

} // namespace
