// SPDX-License-Identifier: MIT
#include "board/Layer.h"

#include "board/Board.h"
#include "board/BoardHost.h"
#include "board/GameEngine.h"
#include "board/ScreenState.h"

#include <cmath>

TLayer::TLayer(TSpriteEngine& Engine, int32_t Col, int32_t Row) : TAnimatedSprite(Engine) {
    auto& game = static_cast<TGameEngine&>(Engine);
    SetImageName("podlogki");
    Name = "Layer";
    // One tile look per chapter of four stages.
    SetPatternIndex((std::clamp<int32_t>(game.CurrentStage, 1, 16) - 1) / 4);
    const TPointF cell = CellToScreen(Col, Row);
    X = cell.X + 20.0f;
    Y = cell.Y + 21.0f;
    SetDrawMode(1);
    Animating = false;
    const float dx = TargetX - X;
    const float dy = TargetY - Y;
    const float length = std::sqrt(dx * dx + dy * dy);
    DirX = length > 0.0f ? dx / length : 0.0f;
    DirY = length > 0.0f ? dy / length : 0.0f;
}

TLayer::~TLayer() { static_cast<TGameEngine&>(Engine()).ForgetLayer(*this); }

void TLayer::Move(float Elapsed) {
    TAnimatedSprite::Move(Elapsed);
    // A landed tile bursts once; it may be moved again before it is freed.
    if (!Flying || Dead()) {
        return;
    }
    auto& game = static_cast<TGameEngine&>(Engine());
    if (!Landed) {
        SetZ(20);
        X += FlySpeed * DirX;
        Y += FlySpeed * DirY;
        Angle += 0.09f;
        FlySpeed += 0.2f;
        // A fast tile may step over the small landing circle: having passed the point also lands.
        const float dx = TargetX - X;
        const float dy = TargetY - Y;
        Landed = dx * dx + dy * dy < 36.0f || dx * DirX + dy * DirY <= 0.0f;
        return;
    }
    game.SpawnEffect("Layer_landing.pss", {550.0f, 550.0f});
    MarkDead();
    game.PlaySound("layerexplode");
    TLevelRecord& level = game.Level();
    level.Progress = level.LayerCount > 0 ? static_cast<float>(level.LayersCleared) * 110.0f / level.LayerCount : 0.0f;
}

void TLayer::Draw() {
    if (static_cast<TGameEngine&>(Engine()).Host().ScreenState() == ssHowToPlay) {
        return;
    }
    TAnimatedSprite::Draw();
}
