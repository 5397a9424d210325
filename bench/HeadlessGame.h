// SPDX-License-Identifier: MIT
#pragma once
// The game as a benchmark's child process: headless, fixed seed, a user folder of the
// benchmark's, a control script and a trace.

#include <spawn.h>
#include <sys/types.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

// The folder of the game to run: ZIBO_GAME_DIR, else build/game.
inline std::filesystem::path GameDir() {
    const char* Dir = std::getenv("ZIBO_GAME_DIR");
    return Dir != nullptr ? std::filesystem::path(Dir) : std::filesystem::path("build/game");
}

// Starts the game with the renderer ("gl" or "none"), reading its commands from Control and
// writing its trace to Trace ("-" for standard input and output), standard streams as the
// file actions set them. The child's process id, or -1.
inline pid_t SpawnHeadlessGame(const std::string& Renderer, const std::filesystem::path& UserDir,
                               const std::string& Control, const std::string& Trace,
                               const posix_spawn_file_actions_t& Actions) {
    const std::filesystem::path Game = GameDir();
    const std::vector<std::string> Args = {(Game / "zibo").string(),
                                           "--headless",
                                           "--seed",
                                           "1",
                                           "--renderer",
                                           Renderer,
                                           "--data-dir",
                                           Game.string(),
                                           "--user-dir",
                                           UserDir.string(),
                                           "--control",
                                           Control,
                                           "--trace",
                                           Trace};
    std::vector<char*> Argv;
    for (const std::string& Arg : Args) {
        Argv.push_back(const_cast<char*>(Arg.c_str()));
    }
    Argv.push_back(nullptr);
    pid_t Pid = -1;
    if (::posix_spawn(&Pid, Argv[0], &Actions, nullptr, Argv.data(), environ) != 0) {
        return -1;
    }
    return Pid;
}
