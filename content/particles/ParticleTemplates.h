// SPDX-License-Identifier: MIT
#pragma once

#include "content/Manifest.h"
#include "content/particles/ParticleRecord.h"

#include <string>
#include <vector>

// The particle templates the game spawns by name. The particle manager loads the templates
// of the first two archives, so they go into the first.
inline constexpr TArchiveId ParticleArchive = TArchiveId::Data;

struct TParticleTemplate {
    std::string Key;
    TParticleRecord Record;
};

// "explode-blue.pss" (a piece of a line explodes), "explode-red.pss" (a bonus blast; the
// level target's landing asks for it as "Explode-red.pss"), "Layer_landing.pss" (a tile
// lands on the progress bar) and "LevTar_Flying.pss" (the flying level target's trail).
[[nodiscard]] std::vector<TParticleTemplate> GameParticleTemplates();

// Registers every template as a record of ParticleArchive.
void AddParticleTemplates(TManifest& Manifest);
