// SPDX-License-Identifier: MIT
#pragma once

#include "platform/OutputPace.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

// The sound layer: short WAV effects on mixer channels and tracker songs (XM) with a master
// volume and looping. Every operation is safe to call when the sound system could not start
// (no audio device, missing files): it then does nothing, and the game stays silent.
// Volumes run from 0 (silent) to 255 (full), linear.
class TSoundSystem {
public:
    TSoundSystem();
    ~TSoundSystem();
    TSoundSystem(const TSoundSystem&) = delete;
    TSoundSystem& operator=(const TSoundSystem&) = delete;

    // Opens the audio device at 44100 Hz with 64 mixing channels. False when there is none.
    bool Init();
    void Close();
    [[nodiscard]] bool IsOpen() const { return Open; }
    // Closes the device when its output takes sound faster than it can play it (see
    // TOutputPace): nothing could be heard from it, and its mixing thread would run flat out.
    // Every other call checks too; the game also asks once a frame. True while the device is open.
    bool CheckOutput();

    // Songs: a handle > 0, or 0 when the file cannot be loaded.
    int32_t LoadSong(const std::string& FileName);
    void FreeSong(int32_t Song);
    // Starts from the beginning.
    void PlaySong(int32_t Song);
    void StopSong(int32_t Song);
    void SetMasterVolume(int32_t Song, int32_t Volume);
    void SetLooping(int32_t Song, bool Looping);
    [[nodiscard]] bool IsSongPlaying(int32_t Song) const;

    // Effects: a handle > 0, or 0 when the file cannot be loaded.
    int32_t StreamOpen(const std::string& FileName);
    // Plays the stream from its start on a free channel; the channel, or -1.
    int32_t StreamPlay(int32_t Stream);
    // Stops the stream wherever it plays; it can be played again from the start.
    void StreamStop(int32_t Stream);
    void SetVolume(int32_t Channel, int32_t Volume);

private:
    struct TSong;
    struct TStream;
    static void MixSongs(void* User, uint8_t* Buffer, int Bytes);
    TSong* SongOf(int32_t Song) const;

    bool Open = false;
    TOutputPace Pace; // the mixing thread's
    std::atomic<bool> RunsAhead{false};
    mutable std::mutex SongLock;
    std::vector<std::unique_ptr<TSong>> Songs;
    std::vector<std::unique_ptr<TStream>> Streams;
    std::vector<float> MixBuffer;
};
