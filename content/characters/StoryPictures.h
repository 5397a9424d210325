// SPDX-License-Identifier: MIT
#pragma once

#include "content/Picture.h"
#include "content/characters/FaceLayout.h"

#include <string>

// The pictures beside the story text: "Planet.Speech" (stage 1), "Cave.Speech" (stage 5),
// "Room.Speech" (stage 9) and "Engine.Speech" (stage 13). Each is drawn by its sprite
// scaled about its middle, so its size is chosen to put the drawn card on the story panel
// left of the text lines that move aside for it and above the lines that stay.
namespace StoryPictures {

struct TStoryPicture {
    const char* Name;
    TSpritePlacement Placement;
};

// The story panel's form rests at screen x 222, y 136; its text lines start 24 pixels in
// and are 30 pixels apart from y 24; the lines that move aside go to these Lefts.
inline constexpr double PanelLeft = 222;
inline constexpr double PanelTop = 136;

inline constexpr TStoryPicture Pictures[] = {
    {"Planet.Speech", {97, 52, 0.4, 540, 440}},
    {"Cave.Speech", {197, 102, 0.6, 370, 320}},
    {"Room.Speech", {197, 70, 0.5, 280, 470}},
    {"Engine.Speech", {102, -30, 0.3, 480, 640}},
};
// The text Left (relative to the panel) each picture makes room for.
inline constexpr double MovedLabelLeft[] = {290, 290, 198, 205};
// The lowest screen y each picture may reach: the top of the first line that stays put.
inline constexpr double LowestY[] = {136 + 24 + 30 * 7, 136 + 24 + 30 * 7, 136 + 296, 136 + 24 + 30 * 8};

// Picture Index (0..3) of the table above.
[[nodiscard]] TPicture Paint(int Index);

} // namespace StoryPictures
