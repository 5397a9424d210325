// SPDX-License-Identifier: MIT
#pragma once

#include <cairo.h>

// Mouth shapes of the faces, painted around a centre in the caller's coordinates.
namespace MouthShapes {

// One shape: Curve > 0 lifts the corners (a smile), < 0 drops them (a frown); Open is how
// far the lips part; Teeth and Tongue show inside an open mouth.
struct TMouthShape {
    double Width = 40;
    double Curve = 0;
    double Open = 0;
    bool Teeth = false;
    bool Tongue = false;
};

// The hero's mouth for a pattern: 0 the happiest grin ... 6 the saddest.
[[nodiscard]] TMouthShape ZiboMouth(int Pattern);
// Paints a hero mouth of Size (its width in pixels) centred on (X, Y).
void PaintZiboMouth(cairo_t* cr, double X, double Y, const TMouthShape& Shape);

// Paints the shared monster mouth for a pattern: 0 calm (a smug closed grin with a fang)
// ... 6 most upset (a wide open howl full of teeth), Width pixels wide, centred on (X, Y).
void PaintMonsterMouth(cairo_t* cr, double X, double Y, double Width, int Pattern);

} // namespace MouthShapes
