// SPDX-License-Identifier: MIT
#include "GameInProcess.h"
#include "GameRun.h"
#include "Shot.h"

#include "board/ScreenState.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {
int64_t FrameOf(const std::string& Line) {
    return std::stoll(TGameRun::Fields(Line)["frame"]);
}

// Leaving the game shows the share screen: a click in its first frames does nothing, a link
// button opens its file, Escape and the close box wait for the five-second countdown, and the
// exit button closes the window afterwards.
TEST(ShareFlow, CountdownHoldsTheWindowUntilTheExitButtonCloses) {
    TGameRun run;
    std::vector<std::string> commands = ToMainMenu();
    const std::vector<std::string> share = {
        "click 600 512", "frames 5",     "click 505 376", "click 240 435", "frames 10",
        "click 240 435", "key 27",       "close",         "frames 100",    "dump",
        "frames 450",    "move 400 530", "frames 2",      "click 400 530", "frames 5"};
    commands.insert(commands.end(), share.begin(), share.end());
    ASSERT_EQ(run.Run(commands), 0) << run.Errors();

    EXPECT_EQ(run.Count("open path=wdata/more_games.url"), 1);
    EXPECT_EQ(run.LastDump()["state"], "26");
    const auto enters = run.Events("enter");
    ASSERT_FALSE(enters.empty());
    EXPECT_EQ(TGameRun::Fields(enters.back())["state"], "26");
    const auto quits = run.Events("quit");
    ASSERT_EQ(quits.size(), 1u);
    // Five seconds of the one-second clock are 500 frames.
    EXPECT_GE(FrameOf(quits[0]) - FrameOf(enters.back()), 500);
    EXPECT_TRUE(run.Has("config saved"));
}

// A countdown the clock can never bring to zero (or one far too long) makes the share screen
// unusable: leaving the game closes the window at once and the settings are saved.
TEST(ShareFlow, CountdownOutOfRangeDoesNotHoldTheWindow) {
    for (const char* seconds : {"-1", "2147483647", "61"}) {
        TGameRun run;
        const std::filesystem::path ini = run.Folder() / "wdata" / "config.ini";
        std::vector<std::string> lines = ReadLines(ini);
        // The seconds are the fourth line from the end: centre, seconds, colour, sizing, width.
        ASSERT_GE(lines.size(), 5u);
        lines[lines.size() - 4] = seconds;
        {
            std::ofstream out(ini, std::ios::binary);
            for (const std::string& line : lines) {
                out << line << "\n";
            }
        }
        std::vector<std::string> commands = ToMainMenu();
        const std::vector<std::string> leave = {"click 600 512", "frames 5", "click 505 376",
                                               "frames 5",      "close",    "frames 5",      "dump"};
        commands.insert(commands.end(), leave.begin(), leave.end());
        ASSERT_EQ(run.Run(commands), 0) << run.Errors();
        EXPECT_TRUE(run.Has("config saved")) << seconds;
        // The window closed before the last lines of the script ran.
        EXPECT_FALSE(run.Has(" dump")) << seconds;
    }
}
} // namespace

// A screenshot on the share screen shows the share screen: its backdrop fills the window above
// the buttons, where the main menu it was left from showed something else. The game is started
// from a folder of its own, so the screen's pictures must be found through the data folder.
TEST(ShareFlow, ScreenshotShowsTheShareScreenNotTheMenu) {
    TGameInProcess game(1, nullptr, [](TOptions& Options) {
        Options.Renderer = TRenderer::Gl;
        Options.TraceFile = (std::filesystem::current_path() / "trace.txt").string();
        const std::filesystem::path elsewhere = std::filesystem::current_path() / "elsewhere";
        std::filesystem::create_directory(elsewhere);
        std::filesystem::current_path(elsewhere);
    });
    ASSERT_TRUE(game.Started());
    const std::filesystem::path menu = game.RunFolder() / "menu.png";
    const std::filesystem::path share = game.RunFolder() / "share.png";
    for (const std::string& line : ToMainMenu()) {
        ASSERT_TRUE(game.Run(line)) << line;
    }
    for (const std::string& line : std::vector<std::string>{
             "move 795 595", "frames 30", "screenshot " + menu.string(), "click 600 512", "frames 5",
             "click 505 376", "move 795 595", "frames 30", "screenshot " + share.string()}) {
        ASSERT_TRUE(game.Run(line)) << line;
    }
    ASSERT_EQ(game.Screen(), ssShare);
    const TShot menuShot = LoadShot(menu);
    const TShot shareShot = LoadShot(share);
    const TShot backdrop = LoadShot(game.RunFolder() / "wdata" / "en" / "share_back.png");
    const auto Near = [](uint32_t A, uint32_t B, int Tolerance) {
        for (int shift = 0; shift < 24; shift += 8) {
            if (std::abs(static_cast<int>((A >> shift) & 255) - static_cast<int>((B >> shift) & 255)) >
                Tolerance) {
                return false;
            }
        }
        return true;
    };
    // Above the buttons (y < 380) the window is the backdrop.
    int asBackdrop = 0;
    int asMenu = 0;
    for (int y = 0; y < 380; ++y) {
        for (int x = 0; x < 800; ++x) {
            asBackdrop += Near(shareShot.At(x, y), backdrop.At(x, y), 8) ? 1 : 0;
            asMenu += Near(shareShot.At(x, y), menuShot.At(x, y), 8) ? 1 : 0;
        }
    }
    const int area = 800 * 380;
    EXPECT_GT(asBackdrop, area * 95 / 100);
    EXPECT_LT(asMenu, area / 2);
}
