// SPDX-License-Identifier: MIT
#pragma once

#include "content/fonts/FontBitmap.h"

#include <span>

// Fonts the game's code and GUI refer to by name. Kept in one list so the GUI layout and
// the archive writer agree on their order.
inline constexpr const char* FontSmall = "Verdana11";
inline constexpr const char* FontMedium = "Verdana16";
inline constexpr const char* FontClock = "VerdanaIB[Aa]16_time";
inline constexpr const char* FontHeading = "zagolovki";
inline constexpr const char* FontShare = "sharetext";
// Captions of the GUI's buttons.
inline constexpr const char* FontButton = "knopki";
// Texts, edit boxes and lists of the GUI.
inline constexpr const char* FontText = "tekst";
// Titles of the GUI's forms.
inline constexpr const char* FontTitle = "titul";

[[nodiscard]] std::span<const TFontSpec> GameFontSpecs();
