// SPDX-License-Identifier: MIT
#pragma once

#include "content/Picture.h"

#include <cairo.h>

#include <string>

// The game's icon: Captain Zibo's face on a round night-sky badge, painted as vectors so every
// size (and the scalable picture) comes from the same drawing.
namespace AppIcon {

// The sizes of the icon theme's fixed-size pictures, in pixels.
inline constexpr int Sizes[] = {16, 24, 32, 48, 64, 128, 256};

// Paints the icon filling a Size x Size square at the origin.
void Paint(cairo_t* cr, double Size);
[[nodiscard]] TPicture Picture(int Size);
// Writes the scalable picture; false when the file cannot be written.
[[nodiscard]] bool SaveSvg(const std::string& Path, int Size);

} // namespace AppIcon
