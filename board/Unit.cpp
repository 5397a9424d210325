// SPDX-License-Identifier: MIT
#include "board/Unit.h"

#include "board/Board.h"
#include "board/BoardHost.h"
#include "board/Bonus.h"
#include "board/GameEngine.h"
#include "board/ScreenState.h"
#include "engine/Canvas.h"
#include "engine/Image.h"
#include "engine/Random.h"

#include <cmath>

TUnit::TUnit(TSpriteEngine& Engine, int32_t Col, int32_t Row, uint8_t Kind)
    : TAnimatedSprite(Engine), Col(static_cast<uint8_t>(Col)), Row(static_cast<uint8_t>(Row)) {
    Name = "Piece";
    ScaleX = 0.0f;
    ScaleY = 0.0f;
    const TPointF at = CellToScreen(Col, Row);
    X = at.X;
    Y = at.Y;
    SetZ(10);
    FrameRate = 200.0f;
    FrameCount = 8;
    SetImageName(KindImage(Kind));
    RollBonus();
    TBoardCell& cell = MyCell();
    cell.Exploded = 0;
    cell.Shrinking = 0;
    cell.Motion = mtStill;
    cell.FallRows = 0;
    cell.Selected = 0;
    cell.Hovered = 0;
    Game().SetGrowth(cell, 0);
    cell.Growing = 1;
    cell.FallSpeed = 2.0f;
    cell.FallAccel = 0.3f;
}

TUnit::~TUnit() {
    if (BonusSprite) {
        BonusSprite->Owner = nullptr;
    }
}

TGameEngine& TUnit::Game() const { return static_cast<TGameEngine&>(Engine()); }

TBoardCell& TUnit::MyCell() const { return Game().Board[Col][Row]; }

void TUnit::RollBonus() {
    TGameEngine& game = Game();
    TBoardCell& cell = MyCell();
    cell.Bonus = 0;
    if (game.BonusCount >= game.BonusLimit()) {
        return;
    }
    // 11 chances in 251: clock and money twice as often as each other kind.
    int32_t bonus = 0;
    switch (game.Rng().Random(251)) {
    case 90: bonus = 7; break;
    case 91: bonus = 9; break;
    case 92: bonus = 4; break;
    case 93: bonus = 8; break;
    case 94: bonus = 6; break;
    case 95: case 96: bonus = 1; break;
    case 97: case 98: bonus = 2; break;
    case 99: bonus = 3; break;
    case 100: bonus = 5; break;
    default: return;
    }
    cell.Bonus = static_cast<uint8_t>(bonus);
    HasBonus = true;
    ++game.BonusCount;
    BonusSprite = &game.Add<TBonus>(Col, Row, bonus, this);
}

bool TUnit::HasLiveBonus() const {
    return BonusSprite != nullptr && !BonusSprite->Dead() && HasBonus && BonusSprite->Name == "Bonus";
}

void TUnit::MarkDead() {
    if (BonusSprite && !BonusSprite->Dead() && BonusSprite->Name == "Bonus") {
        BonusSprite->MarkDead();
        HasBonus = false;
        --Game().BonusCount;
        MyCell().Bonus = 0;
    }
    TAnimatedSprite::MarkDead();
}

void TUnit::AgreeBonusWithCell() {
    TBoardCell& cell = MyCell();
    const bool live = HasLiveBonus();
    if (cell.Bonus != 0 && !live) {
        cell.Bonus = 0;
        HasBonus = false;
    } else if (live && cell.Bonus == 0) {
        BonusSprite->MarkDead();
        HasBonus = false;
        --Game().BonusCount;
    }
}

void TUnit::SetPieceScale(float Scale) {
    ScaleX = Scale;
    ScaleY = Scale;
    if (HasLiveBonus()) {
        BonusSprite->ScaleX = Scale;
        BonusSprite->ScaleY = Scale;
    }
}

void TUnit::FollowWithBonus() {
    if (!HasLiveBonus()) {
        return;
    }
    const TPoint size = ImagePatternSize(Engine(), BonusSprite->ImageName());
    BonusSprite->X = X + 20.0f - static_cast<float>(size.X) / 2.0f;
    BonusSprite->Y = Y + 21.0f - static_cast<float>(size.Y) / 2.0f;
    const std::string& image = BonusSprite->ImageName();
    if (image == BonusImage(3)) {
        BonusSprite->X += 2.0f;
    } else if (image == BonusImage(2) || image == BonusImage(1)) {
        BonusSprite->X += 1.0f;
    }
}

void TUnit::Draw() {
    TAnimatedSprite::Draw();
    if (!Visible || !MyCell().Selected) {
        return;
    }
    TGfxCanvas* canvas = Engine().Canvas();
    if (TGfxImage* mark = Game().SelectionMark(); canvas != nullptr && mark) {
        canvas->Draw(*mark, 0, std::trunc(X - Engine().WorldX), std::trunc(Y - Engine().WorldY), fxBlend);
    }
}

void TUnit::UpdateHover() {
    TBoardCell& cell = MyCell();
    const TPointF p = Game().Host().PointerPosition();
    const TPointF at = CellToScreen(Col, Row);
    cell.Hovered = p.X > at.X && p.X < at.X + CellSize && p.Y > at.Y && p.Y < at.Y + CellSize;
}

void TUnit::UpdateAnimation() {
    const TBoardCell& cell = MyCell();
    if (cell.Hovered) {
        Animating = true;
        FrameRate = 200.0f;
    } else if (!cell.Selected) {
        Animating = false;
        SetPatternIndex(0);
    }
    if (cell.Selected) {
        Animating = true;
        FrameRate = 400.0f;
    }
}

void TUnit::Arrive(int32_t NewCol, int32_t NewRow) {
    TGameEngine& game = Game();
    TBoardCell& old = MyCell();
    old.Motion = mtStill;
    old.Selected = 0;
    Col = static_cast<uint8_t>(NewCol);
    Row = static_cast<uint8_t>(NewRow);
    const TPointF at = CellToScreen(NewCol, NewRow);
    X = at.X;
    Y = at.Y;
    TBoardCell& now = MyCell();
    // The first piece of a swap to arrive parks the cell it arrives in; the second restores it.
    if (game.SwapArrivals == 0) {
        game.SavedKind = now.Kind;
        game.SavedBonus = now.Bonus;
        now.Kind = old.Kind;
        now.Bonus = old.Bonus;
    } else {
        now.Kind = game.SavedKind;
        now.Bonus = game.SavedBonus;
    }
    ++game.SwapArrivals;
}

void TUnit::Slide() {
    TBoardCell& cell = MyCell();
    switch (cell.Motion) {
    case mtUp:
        Y -= cell.FallSpeed;
        if (Row > 0 && Y <= CellToScreen(Col, Row - 1).Y) {
            Arrive(Col, Row - 1);
        }
        break;
    case mtDown:
        Y += cell.FallSpeed;
        if (Row < BoardSize - 1 && Y >= CellToScreen(Col, Row + 1).Y) {
            Arrive(Col, Row + 1);
        }
        break;
    case mtLeft:
        X -= cell.FallSpeed;
        if (Col > 0 && X <= CellToScreen(Col - 1, Row).X) {
            Arrive(Col - 1, Row);
        }
        break;
    case mtRight:
        X += cell.FallSpeed;
        if (Col < BoardSize - 1 && X >= CellToScreen(Col + 1, Row).X) {
            Arrive(Col + 1, Row);
        }
        break;
    case mtFalling: {
        Y += cell.FallSpeed;
        cell.FallSpeed += cell.FallAccel;
        const float landing = CellToScreen(Col, Row + cell.FallRows).Y;
        if (Y >= landing) {
            Y = landing;
            cell.FallSpeed = 2.0f;
            cell.Motion = mtStill;
            cell.FallRows = 0;
            TGameEngine& game = Game();
            if (--game.FallingCount == 0) {
                game.FallsDone = true;
            }
        }
        break;
    }
    default:
        break;
    }
}

void TUnit::Move(float Elapsed) {
    const uint8_t state = Game().Host().ScreenState();
    if (state != ssPlaying && state != ssGameOver && state != ssStageComplete) {
        return;
    }
    TAnimatedSprite::Move(Elapsed);
    TBoardCell& cell = MyCell();
    if (cell.Growing && cell.Growth < GrowthFull) {
        Game().SetGrowth(cell, static_cast<uint8_t>(cell.Growth + 1));
        SetPieceScale(static_cast<float>(cell.Growth) / GrowthFull);
        return;
    }
    FollowWithBonus();
    if (cell.Exploded) {
        MarkDead();
        return;
    }
    if (cell.Shrinking && cell.Growth != 0) {
        Game().SetGrowth(cell, static_cast<uint8_t>(cell.Growth - 1));
        if (cell.Growth == 0) {
            cell.Exploded = 1;
        }
        SetPieceScale(static_cast<float>(cell.Growth) / GrowthFull);
        return;
    }
    // Nothing on the board moves or reacts to the mouse while a piece grows or shrinks.
    if (Game().AnyCellGrowing()) {
        return;
    }
    if (cell.Motion == mtStill) {
        UpdateHover();
    }
    UpdateAnimation();
    Slide();
}
