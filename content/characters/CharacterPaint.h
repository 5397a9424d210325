// SPDX-License-Identifier: MIT
#pragma once

#include "content/Picture.h"
#include "content/characters/FaceLayout.h"

#include <cairo.h>

#include <cstdint>

// Drawing helpers shared by the character, story and help pictures: one palette, one
// outline weight and one way of shading, so every character looks drawn by the same hand.
namespace CharacterPaint {

// Colours are 0xAARRGGBB.
void SetColour(cairo_t* cr, uint32_t Colour);
void AddStop(cairo_pattern_t* Pattern, double Offset, uint32_t Colour);
// A colour moved toward white (Amount > 0) or black (Amount < 0), Amount in -1..1.
[[nodiscard]] uint32_t Shade(uint32_t Colour, double Amount);

// Sets the transformation so that drawing in screen coordinates lands in the picture of a
// sprite placed as given.
void UsePlacement(cairo_t* cr, const TSpritePlacement& Placement);

// Adds an ellipse to the current path.
void EllipsePath(cairo_t* cr, double CentreX, double CentreY, double RadiusX, double RadiusY);
// Adds a rectangle with rounded corners to the current path.
void RoundedRectPath(cairo_t* cr, double X, double Y, double Width, double Height, double Radius);

// Fills the current path with a round, lit-from-the-upper-left gradient around the given
// box (the usual body shading), keeping the path.
void FillLit(cairo_t* cr, uint32_t Colour, double CentreX, double CentreY, double Radius);
// Fills the current path with a top-to-bottom gradient, keeping the path.
void FillVertical(cairo_t* cr, uint32_t Top, uint32_t Bottom, double Y0, double Y1);
// Strokes the current path with the dark outline of the characters and clears the path.
void Outline(cairo_t* cr, double Width, uint32_t Colour = 0xFF2A1B3D);
// A soft white gloss spot.
void Gloss(cairo_t* cr, double CentreX, double CentreY, double RadiusX, double RadiusY, double Alpha);
// A soft round shadow (radial fade) under a figure.
void SoftShadow(cairo_t* cr, double CentreX, double CentreY, double RadiusX, double RadiusY, double Alpha);

// Draws a round eye iris with its pupil pushed toward image angle 0 (the right), so a
// rotated eye looks toward where it is turned; the gloss sits at GlossAngle.
void Iris(cairo_t* cr, double CentreX, double CentreY, double Radius, uint32_t Colour, double GlossAngle);

// Width of UTF-8 text in the current font.
[[nodiscard]] double TextWidth(cairo_t* cr, const char* Text);

// A box blur of Radius pixels over every channel (soft shadows and glows).
[[nodiscard]] TPicture Blur(const TPicture& Source, int Radius);

} // namespace CharacterPaint
