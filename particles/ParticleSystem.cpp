// SPDX-License-Identifier: MIT
#include "particles/ParticleSystem.h"

#include "engine/Canvas.h"
#include "engine/Image.h"
#include "engine/Random.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {
float ClampByte(float V) { return std::clamp(V, 0.0f, 255.0f); }

float Component(uint32_t Color, int Index) { return static_cast<float>((Color >> (8 * Index)) & 0xFF); }

// Halves go to the even neighbour, as the emission count wants.
float RoundHalfEven(float V) { return std::nearbyint(V); }

// The pattern a frame shows. The canvas shows the first or the last pattern for any frame
// outside the image, so a frame beyond what 32 bits hold is kept at that bound.
int32_t PatternOf(float Frame) {
    constexpr float Limit = 2147483648.0f;
    if (std::isnan(Frame)) {
        return 0;
    }
    if (Frame >= Limit) {
        return INT32_MAX;
    }
    if (Frame < -Limit) {
        return INT32_MIN;
    }
    return static_cast<int32_t>(Frame);
}
} // namespace

float TParticleRandom::Range(float A, float B) {
    const float lo = std::min(A, B);
    const float hi = std::max(A, B);
    State_ = State_ * 214013u + 2531011u;
    return lo + (hi - lo) * static_cast<float>(State_ >> 16) / 65535.0f;
}

TXParticleSystem::TXParticleSystem(const TParticleParams& Params, TGfxImage* Image, int32_t Capacity,
                                   TParticleRandom& Random, TRandom* SpawnRandom)
    : Params_(Params), Image(Image), Capacity(std::max(Capacity, 0)), Random(Random), SpawnRandom(SpawnRandom) {}

void TXParticleSystem::Start() {
    if (!SpawnPoints.empty()) {
        EmitTimer = Params_.EmissionDuration > 0.0f ? 0.0f : -1.0f;
    }
    if (EmitTimer >= 0.0f) {
        // Room for as many particles as live at once while it emits, taken now, so the frames
        // of an explosion do not grow the list again and again.
        const float longest = std::min(std::max(Params_.Life[0], Params_.Life[1]), Params_.EmissionDuration);
        const float alive = static_cast<float>(Params_.EmissionRate) * longest + 1.0f;
        if (alive > 1.0f) {
            const float room = std::min(alive, static_cast<float>(Capacity));
            Particles.reserve(static_cast<size_t>(room));
        }
    }
}

void TXParticleSystem::Stop(bool Kill) {
    EmitTimer = -1.0f;
    if (Kill) {
        Particles.clear();
    }
}

void TXParticleSystem::MoveBy(float Dx, float Dy, bool WithParticles) {
    if (WithParticles) {
        for (TParticle& p : Particles) {
            p.PX += Dx;
            p.PY += Dy;
        }
        PrevX += Dx;
        PrevY += Dy;
    } else if (Emitting()) {
        PrevX = X;
        PrevY = Y;
    } else {
        // A silent system does not smear its next particles along the jump.
        PrevX = X + Dx;
        PrevY = Y + Dy;
    }
    X += Dx;
    Y += Dy;
}

void TXParticleSystem::MoveTo(float NewX, float NewY, bool WithParticles) {
    MoveBy(NewX - X, NewY - Y, WithParticles);
}

void TXParticleSystem::Age(TParticle& P, float Dt) const {
    const bool crossesMiddle = P.Age - Dt < P.MidTime && P.MidTime <= P.Age;
    float ux = P.PX - (X + P.OffsetX);
    float uy = P.PY - (Y + P.OffsetY);
    const float len = std::sqrt(ux * ux + uy * uy);
    if (len > 0.0f) {
        ux /= len;
        uy /= len;
    }
    P.VX += (ux * P.Radial - uy * P.Tangential) * 10.0f * Dt;
    P.VY += P.Gravity * 10.0f * Dt + (uy * P.Radial + ux * P.Tangential) * 10.0f * Dt;
    P.PX += P.VX * Dt;
    P.PY += P.VY * Dt;
    P.Spin += P.SpinSpeed * Dt;
    P.Size += P.SizeSpeed * Dt;
    P.Frame += P.FrameSpeed * Dt;
    const float rest = P.Life - P.MidTime;
    if (crossesMiddle && rest > 0.0f) {
        P.SpinSpeed = (Params_.SpinDeath - P.Spin) / rest;
        P.SizeSpeed = (Params_.SizeDeath - P.Size) / rest;
        for (int i = 0; i < 4; ++i) {
            P.ColorSpeed[i] = (Component(Params_.ColorDeath, i) - P.Color[i]) / rest;
        }
    }
    for (int i = 0; i < 4; ++i) {
        P.Color[i] = ClampByte(P.Color[i] + P.ColorSpeed[i] * Dt);
    }
}

void TXParticleSystem::Update(float Dt) {
    if (EmitTimer >= 0.0f) {
        EmitTimer += Dt;
        if (EmitTimer >= Params_.EmissionDuration) {
            EmitTimer = -1.0f;
        }
    }
    // Age every particle, dropping the dead ones in place and keeping the order.
    size_t kept = 0;
    for (size_t i = 0; i < Particles.size(); ++i) {
        TParticle& p = Particles[i];
        p.Age += Dt;
        if (p.Age >= p.Life) {
            continue;
        }
        Age(p, Dt);
        Particles[kept++] = p;
    }
    Particles.resize(kept);
    if (EmitTimer >= 0.0f) {
        const float wanted = static_cast<float>(Params_.EmissionRate) * Dt + EmitCarry;
        const float n = RoundHalfEven(wanted);
        EmitCarry = wanted - n;
        // Compared as a float: a huge rate over a long step asks for more than 32 bits hold,
        // and the capacity ends the births long before.
        for (int32_t i = 0; static_cast<float>(i) < n && Count() < Capacity; ++i) {
            Birth();
        }
    }
    PrevX = X;
    PrevY = Y;
}

void TXParticleSystem::Birth() {
    const TParticleParams& r = Params_;
    TParticle p{};
    p.Age = 0.0f;
    p.Life = Random.Range(r.Life[0], r.Life[1]);
    p.MidTime = p.Life * r.MiddleTime;

    const float t = Random.Range(0.0f, 1.0f);
    const TSpawnPoint spawn =
        SpawnPoints[SpawnRandom ? static_cast<size_t>(SpawnRandom->Random(static_cast<int32_t>(SpawnPoints.size())))
                                : 0];
    p.PX = PrevX + t * (X - PrevX) + static_cast<float>(spawn.Dx) + Random.Range(-1.0f, 1.0f);
    p.PY = PrevY + t * (Y - PrevY) + static_cast<float>(spawn.Dy) + Random.Range(-1.0f, 1.0f);
    p.OffsetX = X - p.PX;
    p.OffsetY = Y - p.PY;

    float a = r.Direction + AngleOffset + Random.Range(0.0f, r.Spread) - r.Spread / 2.0f;
    if (r.FollowMotion != 0) {
        a += std::atan2(PrevX - X, PrevY - Y);
    }
    const float s = Random.Range(r.Speed[0], r.Speed[1]);
    p.VX = std::sin(a) * s;
    p.VY = std::cos(a) * s;
    p.Gravity = Random.Range(r.Gravity[0], r.Gravity[1]);
    p.Radial = Random.Range(r.Radial[0], r.Radial[1]);
    p.Tangential = Random.Range(r.Tangential[0], r.Tangential[1]);

    const float toMiddle = p.MidTime > 0.0f ? 1.0f / p.MidTime : 0.0f;
    p.Size = Random.Range(r.SizeBirth, r.SizeBirth + (r.SizeMiddle - r.SizeBirth) * r.SizeVariance);
    p.SizeSpeed = (r.SizeMiddle - p.Size) * toMiddle;
    p.Spin = Random.Range(r.SpinBirth, r.SpinBirth + (r.SpinMiddle - r.SpinBirth) * r.SpinVariance);
    p.SpinSpeed = (r.SpinMiddle - p.Spin) * toMiddle;

    p.Frame = static_cast<float>(r.FirstPattern);
    const bool animated = r.LastPattern >= 0 && r.LastPattern != r.FirstPattern;
    // Any two patterns of a record, so their distance is taken in 64 bits.
    const int64_t frames = static_cast<int64_t>(r.LastPattern) - r.FirstPattern;
    p.FrameSpeed = animated && p.Life > 0.0f ? static_cast<float>(frames) / p.Life : 0.0f;

    const float d = Random.Range(0.0f, r.ColorVariance);
    const float e = Random.Range(0.0f, r.AlphaVariance);
    for (int i = 0; i < 4; ++i) {
        const float birth = Component(r.ColorBirth, i);
        const float middle = Component(r.ColorMiddle, i);
        p.Color[i] = ClampByte(birth + (i < 3 ? d : e) * (middle - birth));
        p.ColorSpeed[i] = (middle - p.Color[i]) * toMiddle;
    }
    Particles.push_back(p);
}

void TXParticleSystem::Draw(TGfxCanvas& Canvas, float OffsetX, float OffsetY) const {
    if (Particles.empty() || Image == nullptr) {
        return;
    }
    const float halfW = static_cast<float>(Image->PatternSize().X) / 2.0f;
    const float halfH = static_cast<float>(Image->PatternSize().Y) / 2.0f;
    const auto drawOne = [&](const TParticle& p) {
        const float x = p.PX + OffsetX;
        const float y = p.PY + OffsetY;
        if (x + halfW < 0.0f || x - halfW > 800.0f || y + halfH < 0.0f || y - halfH > 600.0f) {
            return;
        }
        const TColor color = static_cast<uint32_t>(std::lround(p.Color[0])) |
                             (static_cast<uint32_t>(std::lround(p.Color[1])) << 8) |
                             (static_cast<uint32_t>(std::lround(p.Color[2])) << 16) |
                             (static_cast<uint32_t>(std::lround(p.Color[3])) << 24);
        Canvas.DrawRotated(*Image, PatternOf(p.Frame), {x, y}, p.Spin, p.Size, color,
                           static_cast<uint32_t>(Params_.Effect));
    };
    if (Params_.NewestFirst != 0) {
        for (auto it = Particles.rbegin(); it != Particles.rend(); ++it) {
            drawOne(*it);
        }
    } else {
        for (const TParticle& p : Particles) {
            drawOne(p);
        }
    }
}
