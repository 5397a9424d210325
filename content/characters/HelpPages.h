// SPDX-License-Identifier: MIT
#pragma once

#include "content/Manifest.h"
#include "content/Picture.h"

// The help pages "1.help" ... "13.help": the story's start, the rules, the controls, the
// stage goal and every bonus, each with a small illustration, in the language of Words. The
// help screen shows a page at (314, 326) and the how-to-play overlay shows pages 2 and 3 at (248, 208),
// so one size fits both inside the 800x600 screen.
namespace HelpPages {

inline constexpr int Width = 300;
inline constexpr int Height = 260;
inline constexpr int Pages = 13;

// Page Number (1..13). The illustrations reuse the piece, bonus and tile pictures already
// registered in Manifest, and draw a plain stand-in for any that is missing.
[[nodiscard]] TPicture Page(int Number, const TManifest& Manifest, const TPictureWords& Words);

// The how-to-play overlay's cards "1.howto" and "2.howto" (Number 1 or 2): the rules of
// pages 2 and 3 without page numbers, the first under a title of its own.
inline constexpr int HowToPlayCards = 2;
[[nodiscard]] TPicture HowToPlayCard(int Number, const TManifest& Manifest, const TPictureWords& Words);

} // namespace HelpPages
