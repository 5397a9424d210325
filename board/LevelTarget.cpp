// SPDX-License-Identifier: MIT
#include "board/LevelTarget.h"

#include "board/BoardHost.h"
#include "board/GameEngine.h"
#include "engine/Image.h"
#include "particles/ParticleManager.h"

#include <array>
#include <cmath>

namespace {
const std::array<std::string, 17> kTargetImages = {
    "",
    "1_1.LevelTarget", "1_3.LevelTarget", "1_2.LevelTarget", "1_4.LevelTarget",
    "3_1.LevelTarget", "3_2.LevelTarget", "3_3.LevelTarget", "3_4.LevelTarget",
    "4_1.LevelTarget", "4_2.LevelTarget", "4_3.LevelTarget", "4_4.LevelTarget",
    "2_4.LevelTarget", "2_2.LevelTarget", "2_3.LevelTarget", "2_1.LevelTarget",
};

// Each target's picture sits a little differently in the upper panel's window.
TPointF StageNudge(int32_t Stage) {
    switch (Stage) {
    case 1: case 4: case 7: return {2, -2};
    case 2: case 8: case 15: case 16: return {2, -3};
    case 3: return {1, -10};
    case 6: case 11: return {1, -2};
    case 9: case 10: return {2, -1};
    case 12: return {0, -1};
    case 13: return {-1, -2};
    case 14: return {3, -3};
    default: return {0, 0};
    }
}
} // namespace

const std::string& TLevelTarget::ImageOfStage(int32_t Stage) {
    return kTargetImages[Stage >= 1 && Stage <= 16 ? static_cast<size_t>(Stage) : 0];
}

TLevelTarget::TLevelTarget(TSpriteEngine& Engine, int32_t Stage, TXParticleManager* Particles)
    : TAnimatedSprite(Engine), Stage(Stage), Particles(Particles) {
    SetZ(50);
    ScaleX = 0.78f;
    ScaleY = 0.78f;
    Name = "LevelTarget";
    FrameCount = 8;
    FrameRate = 100.0f;
    Animating = false;
    SetImageName(ImageOfStage(Stage));
    const TPoint size = ImagePatternSize(Engine, ImageName());
    const TPointF nudge = StageNudge(Stage);
    X = 385.0f - static_cast<float>(size.X) * 0.78f / 2.0f + nudge.X;
    Y = 56.0f - static_cast<float>(size.Y) * 0.78f / 2.0f + nudge.Y;
}

TXParticleSystem* TLevelTarget::LiveTrail() const {
    return HasTrail && Particles && Particles->Contains(Trail) ? Trail : nullptr;
}

TPointF TLevelTarget::Centre() const {
    const TPoint size = ImagePatternSize(Engine(), ImageName());
    return {X + static_cast<float>(size.X) * ScaleX / 2.0f, Y + static_cast<float>(size.Y) * ScaleY / 2.0f};
}

void TLevelTarget::StartTrail() {
    if (!Particles) {
        return;
    }
    const TPointF c = Centre();
    Trail = Particles->SpawnByName("LevTar_Flying.pss", {std::round(c.X) + 6.0f, std::round(c.Y) + 3.0f});
    if (Trail) {
        Trail->Name = "dontpaint";
        HasTrail = true;
    }
}

void TLevelTarget::MarkDead() {
    if (TXParticleSystem* trail = LiveTrail()) {
        trail->Stop(false);
    }
    TAnimatedSprite::MarkDead();
}

void TLevelTarget::Move(float Elapsed) {
    TAnimatedSprite::Move(Elapsed);
    if (!Flying || Dead()) {
        return;
    }
    FlySpeed += 0.1f;
    float dx = TargetX - X;
    float dy = TargetY - Y;
    const float length = std::sqrt(dx * dx + dy * dy);
    if (length > 0.0f) {
        // A step toward larger x or y that would reach or pass the target is left out.
        const float sx = dx * FlySpeed / length;
        const float sy = dy * FlySpeed / length;
        if (sx < std::fabs(dx)) {
            X += sx;
        }
        if (sy < std::fabs(dy)) {
            Y += sy;
        }
    }
    dx = TargetX - X;
    dy = TargetY - Y;
    if (std::fabs(dx) <= FlySpeed || std::fabs(dy) <= FlySpeed) {
        Flying = false;
        if (!Collecting) {
            X = TargetX;
            Y = TargetY;
        }
    }
    if (TXParticleSystem* trail = LiveTrail()) {
        const TPoint size = ImagePatternSize(Engine(), ImageName());
        trail->MoveTo(X + static_cast<float>(size.X) / 2.0f, Y + static_cast<float>(size.Y) / 2.0f, false);
    }
    if (Collecting && std::fabs(dx) < 40.0f && std::fabs(dy) < 40.0f) {
        auto& game = static_cast<TGameEngine&>(Engine());
        MarkDead();
        game.SpawnEffect("Explode-red.pss", {100.0f, 550.0f});
        game.Host().SetElementIndex(Stage);
    }
}
