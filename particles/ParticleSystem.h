// SPDX-License-Identifier: MIT
#pragma once

#include "particles/ParticleParams.h"

#include <cstdint>
#include <string>
#include <vector>

class TGfxCanvas;
class TGfxImage;
class TRandom;

// The particles' own random generator: a 32-bit linear congruential state that starts at 0
// when the game starts, shared by every system, so effects look the same on every run.
class TParticleRandom {
public:
    // A value between the two bounds, taken in either order.
    float Range(float A, float B);
    [[nodiscard]] uint32_t State() const { return State_; }

private:
    uint32_t State_ = 0;
};

// An emitter with a name and a position.
class TXObject {
public:
    virtual ~TXObject() = default;
    std::string Name;
    float X = 0.0f;
    float Y = 0.0f;
    float Angle = 0.0f;
};

struct TParticle {
    float Frame, FrameSpeed;
    float PX, PY;
    float OffsetX, OffsetY; // emitter minus particle position at birth
    float VX, VY;
    float Gravity, Radial, Tangential;
    float Spin, SpinSpeed;
    float Size, SizeSpeed;
    float Color[4];      // red, green, blue, alpha as 0..255
    float ColorSpeed[4];
    float Age, MidTime, Life;
};

// One live effect: emits particles from its position for its emission time, moves and ages
// them, and draws every particle as one rotated, scaled, tinted pattern of one image.
class TXParticleSystem final : public TXObject {
public:
    TXParticleSystem(const TParticleParams& Params, TGfxImage* Image, int32_t Capacity, TParticleRandom& Random,
                     TRandom* SpawnRandom);

    void Update(float Dt);
    void Draw(TGfxCanvas& Canvas, float OffsetX, float OffsetY) const;

    void Start();
    // Stops emitting; with Kill the live particles vanish as well.
    void Stop(bool Kill);
    void MoveBy(float Dx, float Dy, bool WithParticles);
    void MoveTo(float NewX, float NewY, bool WithParticles);
    void AddSpawnPoint(int32_t Dx, int32_t Dy) { SpawnPoints.push_back({Dx, Dy}); }
    void ClearSpawnPoints() { SpawnPoints.clear(); }

    [[nodiscard]] bool Emitting() const { return EmitTimer >= 0.0f; }
    [[nodiscard]] int32_t Count() const { return static_cast<int32_t>(Particles.size()); }
    [[nodiscard]] const TParticleParams& Params() const { return Params_; }
    [[nodiscard]] const std::vector<TParticle>& ParticleList() const { return Particles; }

    float AngleOffset = 0.0f;

private:
    struct TSpawnPoint {
        int32_t Dx, Dy;
    };
    void Birth();
    void Age(TParticle& P, float Dt) const;

    TParticleParams Params_;
    TGfxImage* Image;
    int32_t Capacity;
    TParticleRandom& Random;
    TRandom* SpawnRandom;
    std::vector<TParticle> Particles;
    std::vector<TSpawnPoint> SpawnPoints{{0, 0}};
    float EmitTimer = -1.0f;
    float EmitCarry = 0.0f;
    float PrevX = 0.0f;
    float PrevY = 0.0f;
};
