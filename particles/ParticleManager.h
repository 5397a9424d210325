// SPDX-License-Identifier: MIT
#pragma once

#include "particles/ParticleSystem.h"
#include "platform/Types.h"

#include <memory>
#include <string>
#include <vector>

class TArchive;
class TGfxCanvas;
class TGfxImage;
class TRandom;

// Owns the particle templates loaded from the archives and every live particle system.
// Effects are spawned by template name at a point; a system is freed once it has stopped
// emitting and its last particle has died.
class TXParticleManager {
public:
    static constexpr int32_t MaxSystems = 100;
    static constexpr int32_t SystemCapacity = 5000;

    // SpawnRandom is the game's general generator, used to choose spawn points.
    TXParticleManager(TGfxCanvas* Canvas, TGfxImage* Image, TRandom* SpawnRandom);
    ~TXParticleManager();
    TXParticleManager(const TXParticleManager&) = delete;
    TXParticleManager& operator=(const TXParticleManager&) = delete;

    // Adds every record whose key ends in ".pss" as a template; returns how many were added.
    int32_t LoadAll(TArchive& Archive);
    int32_t AddTemplate(const TParticleParams& Params, const std::string& Name);
    // Lower-cased exact match, first wins; -1 when there is none.
    [[nodiscard]] int32_t FindTemplate(const std::string& Name) const;
    [[nodiscard]] int32_t TemplateCount() const { return static_cast<int32_t>(Templates.size()); }

    // nullptr when the name is unknown or MaxSystems systems are live. The system stays owned
    // by the manager; callers may keep the pointer while Contains says it is alive.
    TXParticleSystem* SpawnByName(const std::string& Name, TPointF At);
    TXParticleSystem* SpawnIndex(int32_t Index, TPointF At);
    TXParticleSystem* Spawn(const TParticleParams& Params, TGfxImage* SystemImage, TPointF At);

    void Update(float Dt);
    // Draws every live system whose name is not "dontpaint".
    void Draw(float OffsetX, float OffsetY) const;
    void Clear();

    [[nodiscard]] int32_t SystemCount() const { return static_cast<int32_t>(Systems.size()); }
    [[nodiscard]] TXParticleSystem* SystemAt(int32_t Index) const;
    [[nodiscard]] bool Contains(const TXParticleSystem* System) const;

    void SetCanvas(TGfxCanvas* Value) { Canvas = Value; }
    void SetImage(TGfxImage* Value) { Image = Value; }

private:
    struct TTemplate {
        TParticleParams Params;
        std::string Name; // lower case, at most 255 characters
    };
    TGfxCanvas* Canvas;
    TGfxImage* Image;
    TRandom* SpawnRandom;
    TParticleRandom Random;
    std::vector<TTemplate> Templates;
    std::vector<std::unique_ptr<TXParticleSystem>> Systems;
};
