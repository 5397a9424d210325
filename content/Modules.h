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
