// SPDX-License-Identifier: MIT
#pragma once

#include "engine/Sprite.h"

#include <cstdint>

class TZibo;

// Captain Zibo's face at the left of the board: a head that slides in from outside the
// window, two eyes that follow the cursor, a pupil and a mouth that changes with progress.
class TZiboEye final : public TAnimatedSprite {
public:
    TZiboEye(TSpriteEngine& Engine, const TZibo& Head, const TSprite& Cursor, float X, float Y, float CentreX,
             float CentreY, int32_t Z);
    void Move(float Elapsed) override;

    float CentreX, CentreY;
    float RadiusX = 3.0f, RadiusY = 5.0f;

private:
    const TZibo& Head;
    const TSprite& Cursor;
};

class TZiboPupil final : public TSprite {
public:
    explicit TZiboPupil(TSpriteEngine& Engine);
};

class TZiboMouth final : public TAnimatedSprite {
public:
    explicit TZiboMouth(TSpriteEngine& Engine);
};

class TZibo final : public TSprite {
public:
    static constexpr float StartX = -437.0f;
    static constexpr float RestX = -137.0f;

    TZibo(TSpriteEngine& Engine, const TSprite& Cursor);
    void MarkDead() override;
    void Move(float Elapsed) override;

    // The mouth follows the stage's progress (0..100): the more tiles cleared, the happier.
    void React(uint8_t ProgressPercent);

    float SlideSpeed = 2.0f;
    float SlideAccel = 0.25f;
    bool SlidingIn = true;
    bool SlidingOut = false;
    // True while the head slides; the eyes do not follow the cursor meanwhile.
    bool FacesSliding = false;
    TZiboEye* Eyes[2] = {nullptr, nullptr};
    TZiboMouth* Mouth = nullptr;
    TZiboPupil* Pupil = nullptr;

private:
    void PlaceEyesWhileSliding();
};

// One of the four monsters at the right of the board, with its two eyes and its mouth.
class TMonsterEye final : public TAnimatedSprite {
public:
    TMonsterEye(TSpriteEngine& Engine, const TSprite& Cursor, int32_t Index, int32_t MonsterType);
    void Move(float Elapsed) override;

    float CentreX, CentreY, RadiusX, RadiusY;
    uint8_t MonsterType;

private:
    const TSprite& Cursor;
};

class TMonsterMouth final : public TAnimatedSprite {
public:
    TMonsterMouth(TSpriteEngine& Engine, int32_t MonsterType);
};

class Tmonster final : public TSprite {
public:
    Tmonster(TSpriteEngine& Engine, int32_t MonsterType, TMonsterEye* FirstEye, TMonsterEye* SecondEye,
             TMonsterMouth* Mouth);
    void Move(float Elapsed) override;

    // The mouth grows more upset as the stage's tiles are cleared.
    void React(uint8_t ProgressPercent);
    // Marks the head, its eyes and its mouth dead.
    void MarkAllDead();

    float SlideSpeed = 2.0f;
    float SlideAccel = 0.25f;
    bool SlidingIn = true;
    bool SlidingOut = false;
    uint8_t MonsterType;
    TMonsterEye* Eyes[2];
    TMonsterMouth* Mouth;

private:
    void Shift(float Dx);
};

// Creates the monster of a chapter (type 1..4) with its eyes and mouth.
Tmonster& CreateMonster(TSpriteEngine& Engine, const TSprite& Cursor, int32_t MonsterType);
