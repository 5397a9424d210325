// SPDX-License-Identifier: MIT
// Sound effects and songs loaded through the game's own sound system (SDL_mixer for WAV
// effects, libopenmpt for XM songs) on the dummy audio driver, then started and stopped. The
// first byte picks: even for an effect, odd for a song; the rest is the file.
#include "platform/Sound.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {
const std::string& ScratchFile() {
    static const std::string Path = "/tmp/zibo_sound_fuzz_" + std::to_string(getpid());
    return Path;
}

bool WriteInput(const uint8_t* Data, size_t Size) {
    std::FILE* File = std::fopen(ScratchFile().c_str(), "wb");
    if (!File) {
        return false;
    }
    const bool Written = Size == 0 || std::fwrite(Data, 1, Size, File) == Size;
    return std::fclose(File) == 0 && Written;
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
    if (Size == 0 || !WriteInput(Data + 1, Size - 1)) {
        return 0;
    }
    TSoundSystem& sound = Sound();
    if ((Data[0] & 1) == 0) {
        const int32_t stream = sound.StreamOpen(ScratchFile());
        if (stream > 0) {
            const int32_t channel = sound.StreamPlay(stream);
            sound.SetVolume(channel, Data[0]);
            sound.StreamStop(stream);
            ReopenNowAndThen(sound);
        }
    } else {
        const int32_t song = sound.LoadSong(ScratchFile());
        if (song > 0) {
            sound.SetLooping(song, true);
            sound.PlaySong(song);
            sound.StopSong(song);
            sound.FreeSong(song);
            ReopenNowAndThen(sound);
        }
    }
    return 0;
}
