// SPDX-License-Identifier: MIT
#include "GameRun.h"

#include <gtest/gtest.h>

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
