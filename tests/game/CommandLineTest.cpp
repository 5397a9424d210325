// SPDX-License-Identifier: MIT
#include "GameRun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

// The game's own answers to --help, --version and a bad command line: where they go and how the
// program ends. None of them opens a window or touches a file.
TEST(CommandLine, HelpVersionAndBadOptionsExitWithoutStarting) {
    const std::filesystem::path game = std::filesystem::path(ZIBO_GAME_DIR) / "zibo";
    TGameRun folder; // an unrelated, empty working folder of its own
    const struct {
        const char* Arguments;
        int Exit;
        const char* OutStarts; // standard output begins with this ("" for nothing at all)
        const char* ErrStarts;
    } cases[] = {
        {"--help", 0, "usage: zibo [OPTION]...\n", ""},
        {"-h", 0, "usage: zibo [OPTION]...\n", ""},
        {"--version", 0, "zibo " ZIBO_TEST_VERSION "\n", ""},
        {"--frobnicate", 2, "", "zibo: unknown option '--frobnicate'\nusage: zibo [OPTION]...\n"},
        {"--seed", 2, "", "zibo: option '--seed' needs a value\nusage: zibo [OPTION]...\n"},
        {"--headless=1", 2, "", "zibo: option '--headless' takes no value\nusage: zibo [OPTION]...\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Arguments);
        const TProgramRun run = RunProgram(ShellQuote(game.string()) + " " + c.Arguments, folder.Folder());
        EXPECT_EQ(run.Exit, c.Exit);
        EXPECT_TRUE(run.Out.starts_with(c.OutStarts)) << run.Out;
        EXPECT_TRUE(run.Err.starts_with(c.ErrStarts)) << run.Err;
        if (*c.OutStarts == '\0') {
            EXPECT_EQ(run.Out, "");
        }
        if (*c.ErrStarts == '\0') {
            EXPECT_EQ(run.Err, "");
        }
    }
    // --version prints exactly one line.
    EXPECT_EQ(RunProgram(ShellQuote(game.string()) + " --version", folder.Folder()).Out,
              std::string("zibo ") + ZIBO_TEST_VERSION + "\n");
}

// A windowed start without a display ends at once with one clear line instead of running
// unseen; nothing is written to the user folder.
TEST(CommandLine, WindowedStartWithoutADisplayStopsWithAClearLine) {
    const std::filesystem::path game = std::filesystem::path(ZIBO_GAME_DIR) / "zibo";
    TGameRun folder;
    const char* environments[] = {
        "SDL_VIDEODRIVER=offscreen", // only a driver that draws nowhere
        "SDL_VIDEODRIVER=dummy",
        "-u SDL_VIDEODRIVER", // SDL finds no driver at all
    };
    for (const char* environment : environments) {
        SCOPED_TRACE(environment);
        // "timeout" only guards the test against a game that would run on unseen.
        const TProgramRun run = RunProgram("env -u DISPLAY -u WAYLAND_DISPLAY " + std::string(environment) +
                                               " timeout 120 " + ShellQuote(game.string()) +
                                               " --data-dir . --user-dir user",
                                           folder.Folder());
        EXPECT_EQ(run.Exit, 1);
        EXPECT_EQ(run.Err, "zibo: no display: set DISPLAY or run with --headless\n");
        EXPECT_FALSE(std::filesystem::exists(folder.Folder() / "user"));
    }
}

} // namespace
