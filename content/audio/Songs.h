// SPDX-License-Identifier: MIT
#pragma once

#include "content/audio/XmModule.h"

#include <span>

// The game's three songs, composed on every run from the same seeds.
struct TSong {
    // The file under "Sounds/": "1.xm" plays in the menus, "2.xm" during a stage, "3.xm"
    // from game over until the score is recorded.
    const char* File;
    TXmModule (*Make)();
};

[[nodiscard]] std::span<const TSong> Songs();

// The menu theme: calm and friendly, a bell melody with an echo over slow pads, F major.
[[nodiscard]] TXmModule MakeMenuSong();
// The stage theme: upbeat, a square lead over driving bass and drums at 132 beats a minute,
// C major; it loops back past its intro without a seam.
[[nodiscard]] TXmModule MakeGameSong();
// The game-over and score theme: slow and reflective, A minor.
[[nodiscard]] TXmModule MakeScoreSong();
