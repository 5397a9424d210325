// SPDX-License-Identifier: MIT
#include "particles/ParticleManager.h"

#include "engine/Canvas.h"
#include "engine/Device.h"
#include "engine/Image.h"
#include "platform/RecordingBackend.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <vector>

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

namespace {
// Four 16 by 16 patterns side by side on a recording device, for tests that look at what a
// system draws.
class ParticleDrawing : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Device.Initialize());
        Image.SetTextureSize({64, 64});
        Image.SetSize(1, {16, 16});
        Image.SetSize(0, {16, 16});
        Image.SetPatternCount(4);
        ASSERT_TRUE(Image.LoadFromBitmap(std::vector<uint32_t>(64 * 16, 0xFFFFFFFF), 64, 16));
    }

    // The left texture coordinate of every particle drawn in one frame.
    std::vector<float> DrawnLefts(const TXParticleSystem& System) {
        Backend->Batches.clear();
        Device.OnRender = [&] { System.Draw(Canvas, 0.0f, 0.0f); };
        EXPECT_TRUE(Device.Render(0, true));
        std::vector<float> lefts;
        for (const auto& batch : Backend->Batches) {
            for (size_t i = 0; i + 4 <= batch.Vertices.size(); i += 4) {
                lefts.push_back(std::min({batch.Vertices[i].U, batch.Vertices[i + 1].U,
                                          batch.Vertices[i + 2].U, batch.Vertices[i + 3].U}));
            }
        }
        return lefts;
    }

    TRecordingBackend* Backend = nullptr;
    TGfxDevice Device{[this](const TDisplaySettings& s) {
        auto made = std::make_unique<TRecordingBackend>(s.Width, s.Height);
        Backend = made.get();
        return made;
    }};
    TGfxCanvas Canvas{Device};
    TGfxImage Image{Device};
};
} // namespace

TEST_F(ParticleDrawing, PatternNumbersAtTheEndsOfThirtyTwoBitsShowTheFirstOrLastPattern) {
    struct TCase {
        int32_t First;
        int32_t Last;
        float Life;
        float ExpectedLeft; // of the pattern shown, as a share of the texture width
    };
    const TCase cases[] = {
        // The distance between the two patterns does not fit 32 bits.
        {INT32_MIN, 5, 1.0f, 0.0f},
        // A short life races the frame past the largest 32-bit number.
        {INT32_MAX - 10, INT32_MAX, 0.001f, 0.75f},
        // Stored as a float, the first pattern already rounds up to 2^31.
        {INT32_MAX - 100, INT32_MAX, 0.5f, 0.75f},
    };
    for (const TCase& c : cases) {
        TParticleParams p = Burst(0.05f, 100, c.Life);
        p.Life[1] = c.Life * 2.0f;
        p.Speed[0] = p.Speed[1] = 0.0f;
        p.FirstPattern = c.First;
        p.LastPattern = c.Last;
        TParticleRandom random;
        TXParticleSystem s(p, &Image, 100, random, nullptr);
        s.MoveTo(400.0f, 300.0f, false);
        s.Start();
        s.Update(0.01f);
        s.Update(0.0001f);
        const std::vector<float> lefts = DrawnLefts(s);
        ASSERT_FALSE(lefts.empty()) << c.First;
        for (const float left : lefts) {
            EXPECT_NEAR(left, c.ExpectedLeft, 0.01f) << c.First;
        }
    }
}
