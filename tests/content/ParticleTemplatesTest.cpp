// SPDX-License-Identifier: MIT
#include "content/particles/ParticleTemplates.h"
#include "archive/Archive.h"
#include "archive/Stream.h"
#include "engine/Random.h"
#include "particles/ParticleParams.h"
#include "particles/ParticleSystem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
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
    R.Effect = ParticleGlow;
    R.EmissionDuration = 0.25f;
    R.FollowMotion = 1;
    R.SizeDeath = 0.125f;
    R.ColorBirth = ParticleColor(1, 2, 3, 4);
    R.MiddleTime = 0.75f;
    R.NewestFirst = 1;
    const std::vector<uint8_t> Bytes = WriteParticleTemplate(R);
    ASSERT_EQ(Bytes.size(), ParticleTemplateSize);
    EXPECT_EQ(IntAt(Bytes, 0), 3);
    EXPECT_EQ(IntAt(Bytes, 12), ParticleGlow);
    EXPECT_EQ(FloatAt(Bytes, 20), 0.25f);
    EXPECT_EQ(IntAt(Bytes, 40), 1);
    EXPECT_EQ(FloatAt(Bytes, 84), 0.125f);
    EXPECT_EQ(Bytes[108], 1);
    EXPECT_EQ(Bytes[111], 4);
    EXPECT_EQ(FloatAt(Bytes, 128), 0.75f);
    EXPECT_EQ(IntAt(Bytes, 132), 1);
    // The game's own reader agrees field for field.
    const std::optional<TParticleParams> Game = ParseParticleRecord(Bytes.data(), Bytes.size());
    ASSERT_TRUE(Game.has_value());
    EXPECT_EQ(Game->FirstPattern, 3);
    EXPECT_EQ(Game->Effect, ParticleGlow);
    EXPECT_EQ(Game->EmissionDuration, 0.25f);
    EXPECT_EQ(Game->FollowMotion, 1);
    EXPECT_EQ(Game->SizeDeath, 0.125f);
    EXPECT_EQ(Game->ColorBirth, ParticleColor(1, 2, 3, 4));
    EXPECT_EQ(Game->MiddleTime, 0.75f);
    EXPECT_EQ(Game->NewestFirst, 1);
    TParticleRecord Back;
    ASSERT_TRUE(ReadParticleTemplate(Bytes, Back));
    EXPECT_EQ(WriteParticleTemplate(Back), Bytes);
    EXPECT_FALSE(ReadParticleTemplate(std::vector<uint8_t>(Bytes.begin(), Bytes.end() - 1), Back));
}

struct TRun {
    int Frames = 0;
    int MostAlive = 0;
};

// Runs a template in the game's particle system at 0.01 s per frame, as the screens that
// show particles do, until it has stopped emitting and its last particle has died.
TRun RunUntilGone(const TParticleParams& Params) {
    TParticleRandom Random;
    TRandom SpawnRandom(1);
    TXParticleSystem System(Params, nullptr, 5000, Random, &SpawnRandom);
    System.MoveTo(400.0f, 300.0f, false);
    System.Start();
    TRun Run;
    while (Run.Frames < 1000 && (System.Emitting() || System.Count() > 0)) {
        System.Update(0.01f);
        Run.MostAlive = std::max(Run.MostAlive, System.Count());
        ++Run.Frames;
    }
    return Run;
}

std::optional<TParticleParams> LoadTemplate(TArchive& Archive, const char* Key) {
    TMemoryStream Stream;
    if (!Archive.ReadRecord(Key, Stream)) {
        return std::nullopt;
    }
    return ParseParticleRecord(Stream.Bytes().data(), Stream.Bytes().size());
}

// The bursts read as short, bright pops: a few dozen particles, gone within 0.3..0.9 s.
TEST(ParticleTemplates, BurstsAreShortAndFadeOut) {
    TArchive Archive;
    Archive.SetFileName(GameDir + "/" + TManifest::ArchivePath(ParticleArchive));
    ASSERT_TRUE(Archive.EnsureOpen());
    // "Explode-red.pss" is how the level target asks for the bonus blast.
    for (const char* Key : {"explode-blue.pss", "Explode-red.pss", "Layer_landing.pss"}) {
        SCOPED_TRACE(Key);
        const std::optional<TParticleParams> Params = LoadTemplate(Archive, Key);
        ASSERT_TRUE(Params.has_value());
        EXPECT_EQ(Params->ColorDeath >> 24, 0u);
        const TRun Run = RunUntilGone(*Params);
        EXPECT_GE(Run.Frames, 30);
        EXPECT_LE(Run.Frames, 90);
        EXPECT_GE(Run.MostAlive, 20);
        EXPECT_LE(Run.MostAlive, 150);
    }
}

// The level target's trail keeps flowing while the target flies and streams out behind it;
// it stops only when the target stops it.
TEST(ParticleTemplates, TrailStreamsBehindAMovingTarget) {
    TArchive Archive;
    Archive.SetFileName(GameDir + "/" + TManifest::ArchivePath(ParticleArchive));
    ASSERT_TRUE(Archive.EnsureOpen());
    const std::optional<TParticleParams> Params = LoadTemplate(Archive, "LevTar_Flying.pss");
    ASSERT_TRUE(Params.has_value());
    EXPECT_NE(Params->FollowMotion, 0);
    TParticleRandom Random;
    TRandom SpawnRandom(1);
    TXParticleSystem System(*Params, nullptr, 5000, Random, &SpawnRandom);
    System.MoveTo(100.0f, 300.0f, false);
    System.Start();
    for (int Frame = 0; Frame < 300; ++Frame) {
        System.MoveTo(100.0f + 2.0f * Frame, 300.0f, false);
        System.Update(0.01f);
    }
    EXPECT_TRUE(System.Emitting());
    ASSERT_GT(System.Count(), 10);
    float MeanVX = 0.0f;
    for (const TParticle& P : System.ParticleList()) {
        MeanVX += P.VX / static_cast<float>(System.Count());
    }
    // Flying to the right, the sparks drift to the left.
    EXPECT_LT(MeanVX, 0.0f);
    System.Stop(false);
    for (int Frame = 0; Frame < 100 && System.Count() > 0; ++Frame) {
        System.Update(0.01f);
    }
    EXPECT_EQ(System.Count(), 0);
}

} // namespace
