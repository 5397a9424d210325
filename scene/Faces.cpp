// SPDX-License-Identifier: MIT
#include "scene/Faces.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
constexpr float kPi = std::numbers::pi_v<float>;

struct TMonsterLook {
    const char* Head;
    const char* Eye;
    TPointF HeadStart;
    float HeadScale;
    float SlideInX;
    float SlideOutX;
    TPointF MouthStart;
    float MouthScale;
    // First and second eye: position, centre, radii.
    TPointF EyeAt[2];
    TPointF EyeCentre[2];
    TPointF EyeRadius[2];
};

const TMonsterLook kMonsters[4] = {
    {"Monstr1.head", "Monstr1.eye", {712, 53}, 0.6f, 412, 712, {950, 230}, 0.7f,
     {{1010, 248}, {960, 289}}, {{1017, 248}, {965, 288}}, {{7, 6}, {7, 6}}},
    {"Monstr2.head", "Monstr2.eye", {695, 69}, 0.68f, 395, 695, {950, 230}, 1.0f,
     {{1010, 239}, {939, 296}}, {{1014, 237}, {943, 295}}, {{9, 7}, {10, 9}}},
    // The third and fourth heads reach further left than the first two: they rest further
    // right, so horns and antennae stay clear of the board frame.
    {"Monstr3.head", "Monstr3.eye", {836, 132}, 1.0f, 536, 836, {959, 222}, 1.0f,
     {{1024, 211}, {932, 263}}, {{1031, 211}, {937, 264}}, {{17, 11}, {7, 5}}},
    {"Monstr4.head", "Monstr4.eye", {739, 89}, 0.63f, 439, 739, {954, 210}, 0.7f,
     {{974, 222}, {951, 250}}, {{979, 222}, {956, 250}}, {{7, 7}, {6, 5}}},
};

const TMonsterLook& Look(int32_t Type) { return kMonsters[(std::clamp(Type, 1, 4)) - 1]; }

// The band of a progress value: 0 for 0..14, 1 for 15..28, ... 6 for 86..100.
int32_t ProgressBand(uint8_t P) {
    static constexpr uint8_t kStarts[] = {15, 29, 43, 58, 72, 86};
    int32_t band = 0;
    for (const uint8_t s : kStarts) {
        band += P >= s;
    }
    return band;
}

// A rounded pointer x against the eye's centre: -1 left of it, 1 right, 0 level.
int32_t Side(float Mx, float CentreX) {
    const float rounded = std::nearbyint(Mx);
    return rounded < CentreX ? -1 : (rounded > CentreX ? 1 : 0);
}
} // namespace

TZiboEye::TZiboEye(TSpriteEngine& Engine, const TZibo& Head, const TSprite& Cursor, float X, float Y, float CentreX,
                   float CentreY, int32_t Z)
    : TAnimatedSprite(Engine), CentreX(CentreX), CentreY(CentreY), Head(Head), Cursor(Cursor) {
    Name = "Eye";
    SetImageName("zibo.eye");
    this->X = X;
    this->Y = Y;
    SetZ(Z);
    ScaleX = 0.75f;
    ScaleY = -0.75f; // the eye picture is drawn upside down
    SetDrawMode(1);
}

void TZiboEye::Move(float Elapsed) {
    TAnimatedSprite::Move(Elapsed);
    if (Head.FacesSliding) {
        return;
    }
    const float mx = Cursor.X;
    const float my = Cursor.Y;
    const float u = (mx - CentreX) / RadiusX;
    const float v = (my - CentreY) / RadiusY;
    if (u * u + v * v <= 3.0f) {
        X = CentreX;
        Y = CentreY;
        Angle = 0.0f;
        return;
    }
    const float dx = mx - X;
    const float dy = my - Y;
    float a = Angle;
    switch (Side(mx, CentreX)) {
    case -1:
        a = std::atan(dy / dx) + kPi;
        break;
    case 1:
        a = std::atan(dy / dx);
        break;
    default: {
        const float rounded = std::nearbyint(my);
        if (rounded > CentreY) {
            a = kPi / 2.0f;
        } else if (rounded < CentreY) {
            a = -kPi / 2.0f;
        }
        break;
    }
    }
    if (std::isnan(a)) {
        a = Angle; // the pointer sits exactly on the eye
    }
    X = CentreX + RadiusX * std::cos(a);
    Y = CentreY + RadiusY * std::sin(a);
    Angle = a;
}

TZiboPupil::TZiboPupil(TSpriteEngine& Engine) : TSprite(Engine) {
    Name = "ZiboPupil";
    SetImageName("zibo.pupil");
    X = -161.0f;
    Y = 205.0f;
    SetZ(-10);
    ScaleX = ScaleY = 0.5f;
}

TZiboMouth::TZiboMouth(TSpriteEngine& Engine) : TAnimatedSprite(Engine) {
    Name = "Mouth";
    SetImageName("zibo.mouth");
    X = -224.0f;
    Y = 246.0f;
    SetZ(10);
    ScaleX = ScaleY = 0.7f;
    Animating = false;
    SetPatternIndex(6);
}

TZibo::TZibo(TSpriteEngine& Engine, const TSprite& Cursor) : TSprite(Engine) {
    Name = "Zibo";
    SetImageName("zibo.head");
    X = StartX;
    Y = 25.0f;
    SetZ(0);
    ScaleX = ScaleY = 0.55f;
    Pupil = &Engine.Add<TZiboPupil>();
    Eyes[0] = &Engine.Add<TZiboEye>(*this, Cursor, -155.0f, 232.0f, -156.0f, 230.0f, 15);
    Eyes[1] = &Engine.Add<TZiboEye>(*this, Cursor, -132.0f, 236.0f, -134.0f, 236.0f, -3);
    Mouth = &Engine.Add<TZiboMouth>();
}

void TZibo::MarkDead() {
    for (TZiboEye* eye : Eyes) {
        eye->MarkDead();
    }
    Pupil->MarkDead();
    Mouth->MarkDead();
    TSprite::MarkDead();
}

void TZibo::PlaceEyesWhileSliding() {
    FacesSliding = true;
    Eyes[0]->X = X + 281.0f;
    Eyes[1]->X = X + 305.0f;
}

void TZibo::Move(float /*Elapsed*/) {
    if (SlidingIn) {
        if (X < -SlideSpeed + RestX) {
            X += SlideSpeed;
            SlideSpeed += SlideAccel;
        } else {
            X = RestX;
            SlidingIn = false;
            SlideSpeed = 2.0f;
        }
        PlaceEyesWhileSliding();
    } else if (SlidingOut) {
        if (X > StartX) {
            X -= SlideSpeed;
            SlideSpeed += SlideAccel;
        } else {
            SlidingOut = false;
            SlideSpeed = 2.0f;
        }
        PlaceEyesWhileSliding();
    } else {
        FacesSliding = false;
        Eyes[0]->CentreX = X + 281.0f;
        Eyes[1]->CentreX = X + 305.0f;
    }
    Mouth->X = X + 213.0f;
    Pupil->X = X + 286.0f;
}

void TZibo::React(uint8_t ProgressPercent) {
    static constexpr float kMouthY[7] = {252, 243, -1, 247, 242, 238, 238};
    const int32_t band = ProgressBand(ProgressPercent);
    Mouth->SetPatternIndex(6 - band);
    if (kMouthY[band] >= 0.0f) {
        Mouth->Y = kMouthY[band];
    }
}

TMonsterEye::TMonsterEye(TSpriteEngine& Engine, const TSprite& Cursor, int32_t Index, int32_t MonsterType)
    : TAnimatedSprite(Engine), MonsterType(static_cast<uint8_t>(std::clamp(MonsterType, 1, 4))), Cursor(Cursor) {
    const TMonsterLook& look = Look(MonsterType);
    const int32_t i = Index == 0 ? 0 : 1;
    Name = "Eye";
    SetImageName(look.Eye);
    X = look.EyeAt[i].X;
    Y = look.EyeAt[i].Y;
    CentreX = look.EyeCentre[i].X;
    CentreY = look.EyeCentre[i].Y;
    RadiusX = look.EyeRadius[i].X;
    RadiusY = look.EyeRadius[i].Y;
    SetZ(10);
    SetDrawMode(1);
}

void TMonsterEye::Move(float Elapsed) {
    TAnimatedSprite::Move(Elapsed);
    const float mx = Cursor.X;
    const float my = Cursor.Y;
    const float u = (mx - CentreX) / RadiusX;
    const float v = (my - CentreY) / RadiusY;
    const bool typeTwo = MonsterType == 2;
    if (u * u + v * v <= 4.5f) {
        X = CentreX;
        Y = CentreY;
        if (!typeTwo) {
            Angle = 0.0f;
        }
        return;
    }
    const float dx = mx - X;
    const float dy = my - Y;
    float a = Angle;
    switch (Side(mx, CentreX)) {
    case 1:
        a = std::atan(dy / dx) + (typeTwo ? 3.0f * kPi / 2.0f : kPi);
        break;
    case -1:
        a = std::atan(dy / dx) + (typeTwo ? kPi / 2.0f : 0.0f);
        break;
    default: {
        const float rounded = std::nearbyint(my);
        if (rounded > CentreY) {
            a = typeTwo ? 0.0f : -kPi / 2.0f;
        } else if (rounded < CentreY) {
            a = typeTwo ? kPi : kPi / 2.0f;
        }
        break;
    }
    }
    if (std::isnan(a)) {
        a = Angle; // the pointer sits exactly on the eye
    }
    const float b = typeTwo ? a - kPi / 2.0f : a;
    X = CentreX - RadiusX * std::cos(b);
    Y = CentreY - RadiusY * std::sin(b);
    Angle = a;
}

TMonsterMouth::TMonsterMouth(TSpriteEngine& Engine, int32_t MonsterType) : TAnimatedSprite(Engine) {
    const TMonsterLook& look = Look(MonsterType);
    Name = "Mouth";
    SetImageName("monstr.mouth");
    X = look.MouthStart.X;
    Y = look.MouthStart.Y;
    ScaleX = ScaleY = look.MouthScale;
    Animating = false;
    SetPatternIndex(0);
    SetZ(10);
}

Tmonster::Tmonster(TSpriteEngine& Engine, int32_t MonsterType, TMonsterEye* FirstEye, TMonsterEye* SecondEye,
                   TMonsterMouth* Mouth)
    : TSprite(Engine), MonsterType(static_cast<uint8_t>(std::clamp(MonsterType, 1, 4))), Eyes{FirstEye, SecondEye},
      Mouth(Mouth) {
    const TMonsterLook& look = Look(MonsterType);
    Name = "Monster";
    SetImageName(look.Head);
    X = look.HeadStart.X;
    Y = look.HeadStart.Y;
    ScaleX = ScaleY = look.HeadScale;
    SetZ(0);
}

void Tmonster::Shift(float Dx) {
    X += Dx;
    for (TMonsterEye* eye : Eyes) {
        eye->CentreX += Dx;
    }
    Mouth->X += Dx;
}

void Tmonster::Move(float /*Elapsed*/) {
    const TMonsterLook& look = Look(MonsterType);
    if (SlidingIn) {
        // The last step is cut short so the head comes to rest on its place, not past it.
        if (X > look.SlideInX) {
            Shift(-std::min(SlideSpeed, X - look.SlideInX));
            SlideSpeed += SlideAccel;
        } else {
            SlideSpeed = 2.0f;
            SlidingIn = false;
        }
    } else if (SlidingOut) {
        if (X <= look.SlideOutX) {
            Shift(SlideSpeed);
            SlideSpeed += SlideAccel;
        } else {
            SlideSpeed = 2.0f;
            SlidingOut = false;
        }
    }
}

void Tmonster::React(uint8_t ProgressPercent) {
    const int32_t band = ProgressBand(ProgressPercent);
    Mouth->SetPatternIndex(band);
    // Mouth places per band; a negative value keeps the current one.
    static constexpr TPointF kTypeOne[7] = {{-1, -1}, {640, -1}, {635, 235}, {637, 240}, {640, 247}, {635, 232}, {632, 230}};
    static constexpr TPointF kTypeTwo[7] = {{-1, -1}, {649, -1}, {622, 233}, {630, 247}, {633, 247}, {641, 243}, {627, 235}};
    static constexpr float kTypeFourX[7] = {-1, 615, 597, -1, 610, 610, 602};
    TPointF place{-1, -1};
    if (MonsterType == 1) {
        place = kTypeOne[band];
    } else if (MonsterType == 2) {
        place = kTypeTwo[band];
    } else if (MonsterType == 4) {
        place.X = kTypeFourX[band];
    }
    if (place.X >= 0.0f) {
        Mouth->X = place.X;
    }
    if (place.Y >= 0.0f) {
        Mouth->Y = place.Y;
    }
}

void Tmonster::MarkAllDead() {
    for (TMonsterEye* eye : Eyes) {
        eye->MarkDead();
    }
    Mouth->MarkDead();
    MarkDead();
}

Tmonster& CreateMonster(TSpriteEngine& Engine, const TSprite& Cursor, int32_t MonsterType) {
    TMonsterEye& first = Engine.Add<TMonsterEye>(Cursor, 0, MonsterType);
    TMonsterEye& second = Engine.Add<TMonsterEye>(Cursor, 1, MonsterType);
    TMonsterMouth& mouth = Engine.Add<TMonsterMouth>(MonsterType);
    return Engine.Add<Tmonster>(MonsterType, &first, &second, &mouth);
}
