// SPDX-License-Identifier: MIT
#pragma once

#include "engine/Sprite.h"

#include <cstdint>
#include <string>

class TXParticleManager;
class TXParticleSystem;

// The stage's level target: sits in the upper panel, and when the stage is complete flies to
// the middle of the screen and from there into the element picture, where it bursts.
class TLevelTarget final : public TAnimatedSprite {
public:
    TLevelTarget(TSpriteEngine& Engine, int32_t Stage, TXParticleManager* Particles);

    void MarkDead() override;
    void Move(float Elapsed) override;

    // The image of a stage's target ("1_1.LevelTarget", ...).
    [[nodiscard]] static const std::string& ImageOfStage(int32_t Stage);

    // The trail, while the particle manager still has it.
    [[nodiscard]] TXParticleSystem* LiveTrail() const;
    // Starts the trail effect at the target's centre (frame 170 of the stage-complete screen).
    void StartTrail();

    float FlySpeed = 3.0f;
    bool Flying = false;
    float TargetX = 0.0f;
    float TargetY = 0.0f;
    TXParticleSystem* Trail = nullptr;
    bool Collecting = false;
    bool HasTrail = false;

private:
    [[nodiscard]] TPointF Centre() const;
    int32_t Stage;
    TXParticleManager* Particles;
};
