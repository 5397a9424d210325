// SPDX-License-Identifier: MIT
#pragma once

#include "engine/Sprite.h"

#include <cstdint>

// A layer tile under a cell. Once cleared it flies spinning to the progress bar and bursts.
class TLayer final : public TAnimatedSprite {
public:
    static constexpr float TargetX = 550.0f;
    static constexpr float TargetY = 535.0f;

    TLayer(TSpriteEngine& Engine, int32_t Col, int32_t Row);
    ~TLayer() override;

    void Move(float Elapsed) override;
    void Draw() override;

    float DirX = 0.0f;
    float DirY = 0.0f;
    float FlySpeed = 0.0f;
    bool Flying = false;
    bool Landed = false;
};
