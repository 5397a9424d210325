#include "particles/ParticleManager.h"

#include <gtest/gtest.h>

namespace {
TParticleParams Burst(float Duration, int32_t Rate = 100, float Life = 0.5f) {
    TParticleParams p;
    p.EmissionRate = Rate;
    p.EmissionDuration = Duration;
    p.Life[0] = Life;
    p.Life[1] = Life;
    p.Speed[0] = 10.0f;
    p.Speed[1] = 20.0f;
    return p;
}
} // namespace

TEST(ParticleManager, TemplatesAreFoundIgnoringCase) {
    TXParticleManager m(nullptr, nullptr, nullptr);
    m.AddTemplate(Burst(0.2f), "explode-red.pss");
    EXPECT_NE(m.SpawnByName("Explode-red.pss", {1, 2}), nullptr);
    EXPECT_EQ(m.SpawnByName("missing.pss", {1, 2}), nullptr);
    EXPECT_EQ(m.SystemCount(), 1);
    EXPECT_EQ(m.SystemAt(0)->X, 1.0f);
    EXPECT_EQ(m.SystemAt(1), nullptr);
}

TEST(ParticleManager, NoMoreThanAHundredSystems) {
    TXParticleManager m(nullptr, nullptr, nullptr);
    m.AddTemplate(Burst(5.0f), "a.pss");
    for (int i = 0; i < TXParticleManager::MaxSystems; ++i) {
        ASSERT_NE(m.SpawnByName("a.pss", {0, 0}), nullptr);
    }
    EXPECT_EQ(m.SpawnByName("a.pss", {0, 0}), nullptr);
}

TEST(ParticleManager, SystemsLiveWhileEmittingOrWhileParticlesLive) {
    TXParticleManager m(nullptr, nullptr, nullptr);
    m.AddTemplate(Burst(0.0f), "never.pss");
    m.AddTemplate(Burst(0.1f, 100, 0.3f), "short.pss");
    TXParticleSystem* silent = m.SpawnByName("never.pss", {0, 0});
    ASSERT_NE(silent, nullptr);
    EXPECT_FALSE(silent->Emitting());
    TXParticleSystem* burst = m.SpawnByName("short.pss", {0, 0});
    m.Update(0.01f);
    EXPECT_FALSE(m.Contains(silent)); // a template that never emits is freed at once
    EXPECT_TRUE(m.Contains(burst));
    int frames = 1;
    while (burst->Emitting()) {
        m.Update(0.01f);
        ++frames;
    }
    EXPECT_NEAR(frames, 10, 1); // float steps of 0.01 may need one more
    EXPECT_GT(burst->Count(), 0);
    EXPECT_TRUE(m.Contains(burst));
    for (int i = 0; i < 40; ++i) {
        m.Update(0.01f);
    }
    EXPECT_EQ(m.SystemCount(), 0);
}

TEST(ParticleSystem, EmitsAtItsRateAndCarriesFractions) {
    TParticleRandom random;
    TXParticleSystem s(Burst(10.0f, 150, 5.0f), nullptr, 5000, random, nullptr);
    s.Start();
    for (int i = 0; i < 100; ++i) {
        s.Update(0.01f);
    }
    EXPECT_NEAR(s.Count(), 150, 1);
}

TEST(ParticleSystem, MiddleFractionOneNeverUsesTheDeathValues) {
    TParticleParams p = Burst(0.02f, 100, 1.0f);
    p.MiddleTime = 1.0f;
    p.SizeBirth = 1.0f;
    p.SizeMiddle = 2.0f;
    p.SizeDeath = 50.0f;
    TParticleRandom random;
    TXParticleSystem s(p, nullptr, 100, random, nullptr);
    s.Start();
    for (int i = 0; i < 99; ++i) {
        s.Update(0.01f);
    }
    ASSERT_GT(s.Count(), 0);
    for (const TParticle& q : s.ParticleList()) {
        EXPECT_LE(q.Size, 2.0f + 1e-3f);
    }
}

TEST(ParticleSystem, RecordRoundTrips) {
    TParticleParams p = Burst(0.5f);
    p.ColorMiddle = 0x80112233;
    p.NewestFirst = 1;
    const std::vector<uint8_t> bytes = WriteParticleRecord(p);
    ASSERT_EQ(bytes.size(), ParticleRecordSize);
    const auto back = ParseParticleRecord(bytes.data(), bytes.size());
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->ColorMiddle, 0x80112233u);
    EXPECT_EQ(back->NewestFirst, 1);
    EXPECT_FALSE(ParseParticleRecord(bytes.data(), bytes.size() - 1).has_value());
}
