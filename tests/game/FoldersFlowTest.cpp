// SPDX-License-Identifier: MIT
#include "GameRun.h"

#include "screens/Settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

// Options, then back: leaving the options saves the settings.
const std::vector<std::string> kSaveThroughOptions = {"click 600 404", "frames 3", "click 600 414", "frames 3"};

std::string ReadFile(const fs::path& File) {
    std::ifstream in(File, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The build tree's game started from the root folder finds its data beside the executable and
// keeps the player's files in $XDG_DATA_HOME/kapitan-zibo, made private on the first save.
TEST(Folders, BuildTreeGameStartedFromTheRootKeepsThePlayersFilesInXdgDataHome) {
    TGameRun scratch; // temporary folder for the script, the trace and the player's files
    const fs::path dir = scratch.Folder();
    {
        std::ofstream control(dir / "control.txt");
        for (const std::string& c : ToMainMenu()) {
            control << c << "\n";
        }
        for (const std::string& c : kSaveThroughOptions) {
            control << c << "\n";
        }
        control << "dump\n";
    }
    const fs::path game = fs::path(ZIBO_GAME_DIR) / "zibo";
    const TProgramRun run =
        RunProgram("cd / && env XDG_DATA_HOME=" + ShellQuote((dir / "xdg").string()) + " " + ShellQuote(game.string()) +
                       " --headless --seed 1 --control " + ShellQuote((dir / "control.txt").string()) + " --trace " +
                       ShellQuote((dir / "trace.txt").string()),
                   dir);
    ASSERT_EQ(run.Exit, 0) << run.Err;
    const std::vector<std::string> trace = ReadLines(dir / "trace.txt");
    EXPECT_EQ(CountHolding(trace, "dump state=4"), 1);
    EXPECT_EQ(CountHolding(trace, "config saved"), 2); // the new profile, then leaving the options

    const fs::path user = dir / "xdg" / "kapitan-zibo";
    TSettings saved;
    LoadConfig((user / "Config.cfg").string(), saved);
    ASSERT_EQ(saved.PlayerCount, 1);
    EXPECT_EQ(saved.Players[0], "Tester");
    EXPECT_EQ(fs::status(user).permissions() & fs::perms::all, fs::perms::owner_all);
    EXPECT_FALSE(fs::exists(fs::path(ZIBO_GAME_DIR) / "Config.cfg"));
}

// An earlier build kept Config.cfg beside the data. While the user folder has none, that file is
// read; the next save goes to the user folder and the old file stays as it was.
TEST(Folders, EarlierConfigBesideTheDataIsReadAndTheNextSaveGoesToTheUserFolder) {
    TGameRun run;
    TSettings old;
    ResetHighScores(old);
    AddProfile(old, "Old");
    old.MusicVolume = 17;
    SaveConfig((run.Folder() / "Config.cfg").string(), old);
    const std::string before = ReadFile(run.Folder() / "Config.cfg");

    std::vector<std::string> commands = {"frames 390", "dump"};
    commands.insert(commands.end(), kSaveThroughOptions.begin(), kSaveThroughOptions.end());
    ASSERT_EQ(run.Run(commands, 1, "--user-dir user"), 0) << run.Errors();
    // The profile was read: the logo leads straight to the menu, without the name entry.
    EXPECT_EQ(run.LastDump()["state"], "4");
    EXPECT_FALSE(run.Has("enter state=1"));

    TSettings saved;
    LoadConfig((run.Folder() / "user" / "Config.cfg").string(), saved);
    ASSERT_EQ(saved.PlayerCount, 1);
    EXPECT_EQ(saved.Players[0], "Old");
    EXPECT_EQ(saved.MusicVolume, 17);
    EXPECT_EQ(ReadFile(run.Folder() / "Config.cfg"), before);
}

} // namespace
