// SPDX-License-Identifier: MIT
#pragma once

#include "content/Picture.h"

#include <cairo.h>

#include <vector>

// Captain Zibo's face, cut into the sprites the game places: the head (with the far eye
// as a hole), the eyeball behind that hole ("zibo.pupil"), the iris that follows the
// pointer ("zibo.eye") and the seven mouths.
namespace HeroFace {

[[nodiscard]] TPicture Head();
[[nodiscard]] TPicture Eye();
[[nodiscard]] TPicture Pupil();
[[nodiscard]] std::vector<TPicture> Mouths();

// Paints the whole captain's bust (uniform, head, cap, both eyes looking toward angle Look
// and the mouth of that pattern) in the head's screen coordinates at rest; the menu and
// story pictures place him with a transformation.
void PaintBust(cairo_t* cr, int Mouth, double Look);


} // namespace HeroFace
