// SPDX-License-Identifier: MIT
#pragma once

#include "content/Manifest.h"

// The board and scene art, one function per kind of picture, registered in this order by
// AddArtImages.
void AddPieceImages(TManifest& Manifest);
void AddBonusImages(TManifest& Manifest);
void AddTileImages(TManifest& Manifest);
void AddTargetImages(TManifest& Manifest);
void AddPanelImages(TManifest& Manifest);
void AddSceneImages(TManifest& Manifest);
void AddCursorImages(TManifest& Manifest);
void AddParticleImages(TManifest& Manifest);
