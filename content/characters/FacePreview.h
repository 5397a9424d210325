// SPDX-License-Identifier: MIT
#pragma once

#include "content/Picture.h"
#include "content/characters/FaceLayout.h"

#include <vector>

// Composes the faces the way the game draws their sprites, for the contact sheets and the
// tests: every sprite at its rest position, scale, draw mode and depth.
namespace FacePreview {

// Where the eye sprites sit and how they are turned while the pointer is at Pointer.
struct TEyePose {
    TScreenPoint Position;
    double Angle = 0;
};
[[nodiscard]] TEyePose ZiboEyePose(TScreenPoint Centre, TScreenPoint Pointer);
[[nodiscard]] TEyePose MonsterEyePose(int Type, TScreenPoint Centre, TScreenPoint Radius, TScreenPoint Pointer);

// The hero's face on an 800x600 screen with mouth Pattern, eyes watching Pointer.
[[nodiscard]] TPicture Zibo(const TPicture& Head, const TPicture& Eye, const TPicture& Pupil,
                            const TPicture& Mouth, int Pattern, TScreenPoint Pointer);
// A monster of Type (1..4) with the mouth pattern at its position from the mouth table.
[[nodiscard]] TPicture Monster(int Type, const TPicture& Head, const TPicture& Eye, const TPicture& Mouth,
                               int Pattern, TScreenPoint Pointer);
// Where the game puts the monster mouth of Type for Pattern (progress rising step by step).
[[nodiscard]] TSpritePlacement MonsterMouthAt(int Type, int Pattern);

} // namespace FacePreview
