// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

class TSoundSystem;
struct TGameFolders;

// The game's music and sound effects: three looping songs (tracks 1 to 3) and nine named
// effects. An effect played again restarts from its beginning; different effects overlap.
// Without a sound device, or before Start, everything plays silently.
class TGameSound {
public:
    TGameSound();
    ~TGameSound();
    TGameSound(const TGameSound&) = delete;
    TGameSound& operator=(const TGameSound&) = delete;

    // Opens the sound device.
    void Start();
    // Loads the songs (Sounds/1.xm to 3.xm, looping, at MusicVolume) and the effects
    // (Sounds/NAME.wav) from the data folder.
    void Load(const TGameFolders& Folders, int32_t MusicVolume);
    // Plays the effect called Name at Volume; a name of no effect plays nothing.
    void PlayEffect(const std::string& Name, int32_t Volume);
    [[nodiscard]] static bool IsTrack(int32_t Track) { return Track >= 1 && Track <= 3; }
    // A song from its beginning, and its end; anything but a track does nothing.
    void PlaySong(int32_t Track);
    void StopSong(int32_t Track);
    void SetMusicVolume(int32_t Volume);
    // Once a frame: an output that takes sound faster than it can play it is closed, and the
    // game goes on silent (see TSoundSystem::CheckOutput).
    void CheckOutput();
    // Frees the songs and closes the device.
    void Close();

private:
    struct TSlot {
        const char* Name = "";
        int32_t Stream = 0;
        int32_t Channel = -1;
        bool Playing = false;
    };

    std::unique_ptr<TSoundSystem> System;
    std::array<TSlot, 9> Slots;
    std::array<int32_t, 3> Songs{};
};
