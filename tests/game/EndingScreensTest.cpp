// SPDX-License-Identifier: MIT
#include "GameRun.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
int FrameOfLine(const std::string& Line) {
    return std::stoi(TGameRun::Fields(Line)["frame"]);
}

// The frame of the first trace line holding Fragment, or -1.
int FirstFrame(const TGameRun& Run, const std::string& Fragment) {
    for (const std::string& line : Run.Lines()) {
        if (line.find(Fragment) != std::string::npos) {
            return FrameOfLine(line);
        }
    }
    return -1;
}
} // namespace

// Letting the clock of the first stage run out (15 seconds on hard) ends the game: the score
// music, the game-over sound, and 220 frames later the final score.
TEST(EndingScreens, TimeRunningOutEndsTheGame) {
    TGameRun run;
    std::vector<std::string> c = ToMainMenu();
    for (const char* command : {"click 600 296", "frames 5", "click 600 376", "frames 5", "key 27",
                                "frames 250", "key 27", "frames 1900", "dump"}) {
        c.emplace_back(command);
    }
    ASSERT_EQ(run.Run(c), 0) << run.Errors();

    const int gameOver = FirstFrame(run, "enter state=13");
    ASSERT_GE(gameOver, 0);
    EXPECT_EQ(FirstFrame(run, "sound name=gameover"), gameOver);
    EXPECT_EQ(FirstFrame(run, "music stop=2"), gameOver);
    EXPECT_EQ(FirstFrame(run, "music play=3"), gameOver);
    // The clock warns over the last ten seconds.
    EXPECT_GE(run.Count("sound name=timeending"), 10);
    EXPECT_EQ(FirstFrame(run, "enter state=20") - gameOver, 220);
    EXPECT_EQ(run.LastDump()["state"], "20");
}
