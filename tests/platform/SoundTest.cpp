// SPDX-License-Identifier: MIT
#include "platform/Sound.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <unistd.h>

namespace {
namespace fs = std::filesystem;

// Effects and songs load from regular files of sensible size only: the game's own files load,
// while a file past the size cap or a device that never ends is refused before it is read.
TEST(Sound, LoadsTheGamesFilesAndRefusesHugeOnes) {
    TSoundSystem sound;
    if (!sound.Init()) {
        GTEST_SKIP() << "no audio driver";
    }
    const fs::path sounds = fs::path(ZIBO_GAME_DIR) / "Sounds";
    for (const auto& entry : fs::directory_iterator(sounds)) {
        if (entry.path().extension() == ".wav") {
            EXPECT_GT(sound.StreamOpen(entry.path().string()), 0) << entry.path();
        }
    }
    EXPECT_GT(sound.LoadSong((sounds / "1.xm").string()), 0);

    const fs::path dir = fs::temp_directory_path() / ("zibo-sound-" + std::to_string(getpid()));
    fs::create_directories(dir);
    const fs::path big = dir / "big.wav";
    fs::copy_file(sounds / "check.wav", big);
    // A valid start followed by a hole far past the cap.
    fs::resize_file(big, 16 * 1024 * 1024 + 1);
    const fs::path bigSong = dir / "big.xm";
    fs::copy_file(sounds / "1.xm", bigSong);
    fs::resize_file(bigSong, 16 * 1024 * 1024 + 1);
    EXPECT_EQ(sound.StreamOpen(big.string()), 0);
    EXPECT_EQ(sound.LoadSong(bigSong.string()), 0);
    EXPECT_EQ(sound.StreamOpen("/dev/zero"), 0);
    EXPECT_EQ(sound.LoadSong("/dev/zero"), 0);
    // Headers that promise more than the file holds, or a sound format the game never uses.
    std::ifstream in(sounds / "check.wav", std::ios::binary);
    const std::string wave((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const struct {
        const char* What;
        size_t At;
        std::string Bytes;
    } damages[] = {
        {"data past the end", 40, std::string("\xFF\xFF\xFF\x7F", 4)},
        {"format chunk past the end", 16, std::string("\x00\x00\x00\x70", 4)},
        {"compressed format", 20, std::string("\x55\x00", 2)},
        {"eight channels", 22, std::string("\x08\x00", 2)},
        {"not a wave", 8, "AVI "},
    };
    for (const auto& d : damages) {
        std::string bytes = wave;
        bytes.replace(d.At, d.Bytes.size(), d.Bytes);
        const fs::path file = dir / "damaged.wav";
        std::ofstream(file, std::ios::binary) << bytes;
        EXPECT_EQ(sound.StreamOpen(file.string()), 0) << d.What;
    }
    // The file cut inside its sound data.
    const fs::path cut = dir / "cut.wav";
    std::ofstream(cut, std::ios::binary) << wave.substr(0, 300);
    EXPECT_EQ(sound.StreamOpen(cut.string()), 0);
    fs::remove_all(dir);
    sound.Close();
}

// ALSA's null device takes sound without ever waiting for it to play, so the mixing thread
// would mix flat out at the raised priority audio threads get and starve the game's own
// thread. The sound system notices from the pace of the mixing and closes the device; every
// call after that does nothing, as without a device.
TEST(Sound, ClosesAnOutputThatTakesSoundFasterThanItCanPlay) {
    const fs::path home = fs::temp_directory_path() / ("zibo-null-sound-" + std::to_string(getpid()));
    fs::create_directories(home);
    std::ofstream(home / ".asoundrc") << "pcm.!default { type null }\n";
    const char* oldHome = std::getenv("HOME");
    const char* oldDriver = std::getenv("SDL_AUDIODRIVER");
    const std::string home0 = oldHome ? oldHome : "", driver0 = oldDriver ? oldDriver : "";
    ::setenv("HOME", home.c_str(), 1);
    ::setenv("SDL_AUDIODRIVER", "alsa", 1);
    bool opened = false;
    {
        TSoundSystem sound;
        opened = sound.Init();
        if (opened) {
            const fs::path sounds = fs::path(ZIBO_GAME_DIR) / "Sounds";
            sound.PlaySong(sound.LoadSong((sounds / "1.xm").string()));
            // The verdict needs four seconds of sound, which flat out take a fraction of that;
            // the bound only keeps a broken build from hanging.
            for (int wait = 0; wait < 3000 && sound.CheckOutput(); ++wait) {
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
            EXPECT_FALSE(sound.IsOpen());
            EXPECT_EQ(sound.StreamOpen((sounds / "check.wav").string()), 0);
            EXPECT_EQ(sound.StreamPlay(1), -1);
        }
    }
    const auto restore = [](const char* Name, bool WasSet, const std::string& Value) {
        WasSet ? ::setenv(Name, Value.c_str(), 1) : ::unsetenv(Name);
    };
    restore("HOME", oldHome != nullptr, home0);
    restore("SDL_AUDIODRIVER", oldDriver != nullptr, driver0);
    fs::remove_all(home);
    if (!opened) {
        GTEST_SKIP() << "ALSA's null device could not be opened";
    }
}
} // namespace
