// SPDX-License-Identifier: MIT
#include "content/particles/ParticleTemplates.h"

#include <numbers>

namespace {

constexpr float Pi = std::numbers::pi_v<float>;

// Patterns of the "particles" image (drawn by the art module): a soft round glow, a
// four-pointed sparkle and a small star.
constexpr int32_t PatternGlow = 0;
constexpr int32_t PatternSparkle = 1;
constexpr int32_t PatternStar = 2;

// A quick round burst in every direction: most particles are born in the first
// EmissionTime seconds and fade out within LifeMax.
TParticleRecord Burst(int32_t Pattern, int32_t Rate, float EmissionTime, float LifeMin, float LifeMax) {
    TParticleRecord R;
    R.FirstPattern = Pattern;
    R.LastPattern = -1;
    R.Effect = ParticleGlow;
    R.EmissionRate = Rate;
    R.EmissionDuration = EmissionTime;
    R.Life[0] = LifeMin;
    R.Life[1] = LifeMax;
    R.Direction = 0.0f;
    R.Spread = 2.0f * Pi;
    return R;
}

// Cool blue sparks: a line of pieces pops.
TParticleRecord ExplodeBlue() {
    TParticleRecord R = Burst(PatternSparkle, 1400, 0.04f, 0.35f, 0.65f);
    R.Speed[0] = 90.0f;
    R.Speed[1] = 220.0f;
    R.Gravity[0] = 6.0f;
    R.Gravity[1] = 12.0f;
    R.Radial[0] = -8.0f;
    R.Radial[1] = -2.0f;
    R.SizeBirth = 0.75f;
    R.SizeMiddle = 0.60f;
    R.SizeDeath = 0.15f;
    R.SizeVariance = 0.4f;
    R.SpinBirth = 0.0f;
    R.SpinMiddle = Pi;
    R.SpinDeath = 2.0f * Pi;
    R.SpinVariance = 0.6f;
    R.ColorBirth = ParticleColor(215, 240, 255, 255);
    R.ColorMiddle = ParticleColor(90, 180, 255, 255);
    R.ColorDeath = ParticleColor(30, 50, 220, 0);
    R.ColorVariance = 0.3f;
    R.AlphaVariance = 0.2f;
    R.MiddleTime = 0.35f;
    return R;
}

// Hot red and orange flames with a few embers: a bonus blast.
TParticleRecord ExplodeRed() {
    TParticleRecord R = Burst(PatternGlow, 1600, 0.05f, 0.35f, 0.75f);
    R.Speed[0] = 50.0f;
    R.Speed[1] = 190.0f;
    R.Gravity[0] = -4.0f;
    R.Gravity[1] = 4.0f;
    R.Tangential[0] = -6.0f;
    R.Tangential[1] = 6.0f;
    R.SizeBirth = 0.75f;
    R.SizeMiddle = 0.60f;
    R.SizeDeath = 0.15f;
    R.SizeVariance = 0.5f;
    R.ColorBirth = ParticleColor(255, 245, 200, 255);
    R.ColorMiddle = ParticleColor(255, 120, 40, 220);
    R.ColorDeath = ParticleColor(200, 20, 20, 0);
    R.ColorVariance = 0.4f;
    R.AlphaVariance = 0.2f;
    R.MiddleTime = 0.3f;
    return R;
}

// Golden stars that spring up from the progress bar and fall back.
TParticleRecord LayerLanding() {
    TParticleRecord R = Burst(PatternStar, 900, 0.06f, 0.45f, 0.80f);
    R.Direction = Pi;
    R.Spread = 1.6f * Pi / 2.0f;
    R.Speed[0] = 90.0f;
    R.Speed[1] = 210.0f;
    R.Gravity[0] = 22.0f;
    R.Gravity[1] = 32.0f;
    R.SizeBirth = 0.50f;
    R.SizeMiddle = 0.55f;
    R.SizeDeath = 0.15f;
    R.SizeVariance = 0.4f;
    R.SpinBirth = 0.0f;
    R.SpinMiddle = Pi / 2.0f;
    R.SpinDeath = Pi;
    R.SpinVariance = 0.8f;
    R.ColorBirth = ParticleColor(255, 255, 220, 255);
    R.ColorMiddle = ParticleColor(255, 210, 70, 240);
    R.ColorDeath = ParticleColor(255, 130, 20, 0);
    R.ColorVariance = 0.3f;
    R.AlphaVariance = 0.1f;
    R.MiddleTime = 0.4f;
    return R;
}

// A steady comet tail: emission runs until the target stops it (its MarkDead), and the
// direction follows the target's motion so the sparks stream out behind it.
TParticleRecord LevelTargetTrail() {
    TParticleRecord R;
    R.FirstPattern = PatternGlow;
    R.LastPattern = -1;
    R.Effect = ParticleGlow;
    R.EmissionRate = 120;
    R.EmissionDuration = 60.0f;
    R.Life[0] = 0.35f;
    R.Life[1] = 0.70f;
    R.Direction = 0.0f;
    R.Spread = 0.6f;
    R.FollowMotion = 1;
    R.Speed[0] = 15.0f;
    R.Speed[1] = 45.0f;
    R.SizeBirth = 0.55f;
    R.SizeMiddle = 0.40f;
    R.SizeDeath = 0.05f;
    R.SizeVariance = 0.3f;
    R.ColorBirth = ParticleColor(255, 235, 150, 190);
    R.ColorMiddle = ParticleColor(255, 170, 50, 150);
    R.ColorDeath = ParticleColor(230, 80, 160, 0);
    R.ColorVariance = 0.2f;
    R.AlphaVariance = 0.2f;
    R.MiddleTime = 0.4f;
    R.NewestFirst = 1;
    return R;
}

} // namespace

std::vector<TParticleTemplate> GameParticleTemplates() {
    return {
        {"explode-blue.pss", ExplodeBlue()},
        {"explode-red.pss", ExplodeRed()},
        {"Layer_landing.pss", LayerLanding()},
        {"LevTar_Flying.pss", LevelTargetTrail()},
    };
}

void AddParticleTemplates(TManifest& Manifest) {
    for (const TParticleTemplate& Template : GameParticleTemplates()) {
        Manifest.AddRecord(ParticleArchive, 0, Template.Key, WriteParticleTemplate(Template.Record));
    }
}
