// SPDX-License-Identifier: MIT
#pragma once

#include "content/audio/Synth.h"

#include <span>
#include <string_view>

// The game's nine sound effects, each synthesised to fit the moment it plays at.
struct TSoundEffect {
    // The effect's name; its file is "Sounds/<Name>.wav".
    const char* Name;
    TSignal (*Make)();
};

// Every effect, in the game's slot order ("check" first, "bonustaken" last).
[[nodiscard]] std::span<const TSoundEffect> SoundEffects();

// The finished samples of the named effect (peak near -3 dBFS, soft edges); empty for an
// unknown name.
[[nodiscard]] TSignal MakeSoundEffect(std::string_view Name);
