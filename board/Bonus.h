// SPDX-License-Identifier: MIT
#pragma once

#include "engine/Sprite.h"

#include <cstdint>

class TUnit;

// The small animated picture of a bonus, riding on its piece.
class TBonus final : public TAnimatedSprite {
public:
    TBonus(TSpriteEngine& Engine, int32_t Col, int32_t Row, int32_t Bonus, TUnit* Owner);
    ~TBonus() override;

    // The piece carrying it; cleared when that piece is freed first.
    TUnit* Owner = nullptr;
};
