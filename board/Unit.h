// SPDX-License-Identifier: MIT
#pragma once

#include "engine/Sprite.h"

#include <cstdint>

class TBonus;
class TGameEngine;
struct TBoardCell;

// One board piece: grows in, follows the mouse with its animation, slides during swaps,
// falls, shrinks away and explodes. Everything is counted in frames.
class TUnit final : public TAnimatedSprite {
public:
    // The caller has already set the cell's Kind.
    TUnit(TSpriteEngine& Engine, int32_t Col, int32_t Row, uint8_t Kind);
    ~TUnit() override;

    void MarkDead() override;
    void Move(float Elapsed) override;
    // The piece, and over it the selection mark while it is the selected one.
    void Draw() override;

    uint8_t Col = 0;
    uint8_t Row = 0;
    // The bonus riding on the piece; cleared when the bonus sprite is freed.
    TBonus* BonusSprite = nullptr;
    bool HasBonus = false;

    // True when BonusSprite is set, alive, named "Bonus" and HasBonus is set.
    [[nodiscard]] bool HasLiveBonus() const;
    // After a fall: the landing cell's bonus and the bonus sprite are made to agree.
    void AgreeBonusWithCell();

private:
    [[nodiscard]] TGameEngine& Game() const;
    [[nodiscard]] TBoardCell& MyCell() const;
    void RollBonus();
    void SetPieceScale(float Scale);
    void FollowWithBonus();
    void UpdateHover();
    void UpdateAnimation();
    void Slide();
    // Arrival in a neighbouring cell during a swap.
    void Arrive(int32_t NewCol, int32_t NewRow);
};
