// SPDX-License-Identifier: MIT
#pragma once

#include "content/Manifest.h"

// The characters, story pictures and help pages: Captain Zibo's face sprites, the four
// monsters, Zibo and Lirra on the menus, the four story pictures and the thirteen help
// pages, all in the first archive; previews of the composed faces go to the contact sheets.
void AddCharacterImages(TManifest& Manifest);
