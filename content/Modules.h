// SPDX-License-Identifier: MIT
#pragma once

#include "content/Manifest.h"

#include <string>

// The generator's modules. A registering module adds its images, fonts and records to the
// manifest; a writing module runs after every registration (list positions are final then)
// and writes its own files into the game folder, returning false on failure.
//
// To add a module: declare its function here and list it in Generator.cpp (the order of the
// registering list is the archives' directory order).

// Board and scene art: pieces, bonuses, tiles, level targets, elements, panels, space,
// cursor, logo, title, end picture, particle texture (content/art/).
void AddArtImages(TManifest& Manifest);
// Captain Zibo, the monsters, Zibo and Lirra, story pictures and help pages (content/characters/).
void AddCharacterImages(TManifest& Manifest);

// The GUI's pictures: panels, buttons, tabs, switches (content/ui/).
void AddUiImages(TManifest& Manifest);
// Bitmap fonts of code page 1251 (content/fonts/).
void AddFonts(TManifest& Manifest);
// Particle templates (content/particles/).
void AddParticleTemplates(TManifest& Manifest);
// The GUI stream "Data/gfx.fgg" (content/ui/).
bool WriteGuiFile(const TManifest& Manifest, const std::string& GameDir);
// The share screen's settings, pictures and link files in "wdata/" (content/share/).
bool WriteShareData(const TManifest& Manifest, const std::string& GameDir);
// The nine sound effects "Sounds/<name>.wav" (content/audio/).
bool WriteSoundEffects(const TManifest& Manifest, const std::string& GameDir);
// The three songs "Sounds/1.xm" to "Sounds/3.xm" (content/audio/).
bool WriteMusic(const TManifest& Manifest, const std::string& GameDir);
// The game's icon in the icon theme's sizes and as a scalable picture,
// "icons/hicolor/<N>x<N>/apps/<app-id>.png" and "icons/hicolor/scalable/apps/<app-id>.svg"
// (content/icons/); the game also takes its window icon from there.
bool WriteAppIcons(const TManifest& Manifest, const std::string& GameDir);
