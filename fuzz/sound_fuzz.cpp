// SPDX-License-Identifier: MIT
// Sound effects and songs loaded through the game's own sound system (SDL_mixer for WAV
// effects, libopenmpt for XM songs) on the dummy audio driver. They are not played: starting and
// stopping waits for the audio thread's next period, which would make each input take tens of
// milliseconds. The first byte picks: even for an effect, odd for a song; the rest is the file.
#include "ScratchFile.h"
#include "platform/Sound.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {
const TScratchFile& Scratch() {
    static const TScratchFile File("sound", "");
    return File;
}

TSoundSystem& Sound() {
    static TSoundSystem* Made = [] {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        auto* sound = new TSoundSystem();
        (void)sound->Init();
        return sound;
    }();
    return *Made;
}
// The system keeps every effect it opened (and a slot per song) until it closes; closing and
// opening the device costs far more than a load, so it happens once per few hundred loads.
void ReopenNowAndThen(TSoundSystem& Sound) {
    static int Loaded = 0;
    if (++Loaded % 256 == 0) {
        Sound.Close();
        (void)Sound.Init();
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    if (Size == 0 || !Scratch().Write(Data + 1, Size - 1)) {
        return 0;
    }
    TSoundSystem& sound = Sound();
    if ((Data[0] & 1) == 0) {
        const int32_t stream = sound.StreamOpen(Scratch().Name());
        if (stream > 0) {
            ReopenNowAndThen(sound);
        }
    } else {
        const int32_t song = sound.LoadSong(Scratch().Name());
        if (song > 0) {
            sound.FreeSong(song);
            ReopenNowAndThen(sound);
        }
    }
    return 0;
}
