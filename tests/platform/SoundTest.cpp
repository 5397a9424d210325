// SPDX-License-Identifier: MIT
#include "platform/Sound.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {
namespace fs = std::filesystem;

// Effects and songs load from regular files of sensible size only: the game's own files load,
// while a file past the size cap or a device that never ends is refused before it is read.
TEST(Sound, LoadsTheGamesFilesAndRefusesHugeOnes) {
    // No sound card needed: the dummy driver mixes into nothing.
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    TSoundSystem sound;
    if (!sound.Init()) {
        GTEST_SKIP() << "no audio driver";
    }
    const fs::path sounds = fs::path(ZIBO_GAME_DIR) / "Sounds";
    EXPECT_GT(sound.StreamOpen((sounds / "check.wav").string()), 0);
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
    fs::remove_all(dir);
    sound.Close();
}
} // namespace
