// SPDX-License-Identifier: MIT
// The game keeps its speed on every display: a stage seen on a 60 Hz or a 144 Hz display for
// ten seconds of real time is the stage a 100 Hz run plays in the same logic frames.
#include "GameRun.h"

#include <gtest/gtest.h>

namespace {
std::vector<std::string> ToPlayThen(std::initializer_list<std::string> More) {
    std::vector<std::string> commands = ToMainMenu();
    commands.insert(commands.end(), {"click 600 296", "frames 3", "click 600 268", "frames 3", "key 27",
                                     "frames 120", "key 27", "frames 5", "dump"});
    commands.insert(commands.end(), More);
    return commands;
}

// The run's one "display" line: logic frames run, pictures presented and pictures held.
struct TDisplayCounts {
    int Frames = 0;
    int Presents = 0;
    int Held = 0;
};
TDisplayCounts DisplayCounts(const TGameRun& Run) {
    const std::vector<std::string> display = Run.Events("display");
    EXPECT_EQ(display.size(), 1u);
    if (display.empty()) {
        return {};
    }
    auto fields = TGameRun::Fields(display[0]);
    return {std::stoi(fields["frames"]), std::stoi(fields["presents"]), std::stoi(fields["held"])};
}

// Ten seconds of a stage on a display of Hz, then the same logic frames at 100 Hz.
void ExpectTheSpeedOfOneHundredHertz(int Hz) {
    TGameRun shown;
    ASSERT_EQ(shown.Run(ToPlayThen({"display " + std::to_string(Hz) + " 10000", "dump"})), 0) << shown.Errors();
    const auto [frames, presents, held] = DisplayCounts(shown);
    EXPECT_NEAR(frames, 1000, 2); // 100 logic frames per second of real time
    EXPECT_LE(presents, 1001);    // never more pictures than logic frames
    // One picture due per refresh (60 Hz when the display does not tell); those that show
    // exactly what is on screen already are held.
    const int refresh = Hz > 0 ? Hz : 60;
    if (refresh < 100) {
        EXPECT_NEAR(presents + held, refresh * 10, 2);
    }

    // The same logic frames at 100 Hz: the same stage, clock and score.
    TGameRun reference;
    ASSERT_EQ(reference.Run(ToPlayThen({"frames " + std::to_string(frames), "dump"})), 0) << reference.Errors();
    const std::vector<std::string> a = shown.Events("dump");
    const std::vector<std::string> b = reference.Events("dump");
    ASSERT_EQ(a.size(), 2u);
    ASSERT_EQ(b.size(), 2u);
    EXPECT_EQ(TGameRun::Fields(a[0])["state"], "12");
    EXPECT_NE(TGameRun::Fields(a[1])["timeleft"], TGameRun::Fields(a[0])["timeleft"]); // time went by
    EXPECT_EQ(a[1], b[1]); // frame number, state, stage, score, time left
    EXPECT_EQ(shown.LastBoard(), reference.LastBoard());
}
} // namespace

TEST(DisplayFlow, ASixtyHertzDisplayKeepsTheGamesSpeed) {
    ExpectTheSpeedOfOneHundredHertz(60);
}

TEST(DisplayFlow, AHundredAndFortyFourHertzDisplayKeepsTheGamesSpeed) {
    ExpectTheSpeedOfOneHundredHertz(144);
}

// A display that says nothing of its refresh and whose presents never wait (a virtual X
// server) gets sixty pictures a second, not one per logic frame.
TEST(DisplayFlow, ADisplayOfUnknownRateGetsSixtyPicturesASecond) {
    ExpectTheSpeedOfOneHundredHertz(0);
}

// The pause holds still: its picture is drawn once and then held, while the logic runs on at
// 100 frames a second; drawing every frame shows it 60 times a second.
TEST(DisplayFlow, AStillPictureIsDrawnOnce) {
    struct TCase {
        const char* Repaint;
        int Presents;
        int Held;
    };
    for (const TCase c : {TCase{"changed", 1, 59}, TCase{"always", 60, 0}}) {
        SCOPED_TRACE(c.Repaint);
        TGameRun run;
        ASSERT_EQ(run.Run(ToPlayThen({"focus out", "frames 50", "dump", "display 0 1000", "dump"}), 1,
                          std::string("--repaint ") + c.Repaint),
                  0)
            << run.Errors();
        const TDisplayCounts counts = DisplayCounts(run);
        EXPECT_NEAR(counts.Frames, 100, 2);
        EXPECT_NEAR(counts.Presents, c.Presents, 1);
        EXPECT_NEAR(counts.Held, c.Held, 1);
        const std::vector<std::string> dumps = run.Events("dump");
        ASSERT_EQ(dumps.size(), 3u);
        EXPECT_EQ(TGameRun::Fields(dumps[1])["state"], "16");
        EXPECT_EQ(TGameRun::Fields(dumps[2])["state"], "16");
    }
}

// In the main menu only the space behind it moves, and its picture moves every fourth logic
// frame: of the sixty pictures due in a second, those between two steps are held.
TEST(DisplayFlow, TheMenuIsDrawnOnlyWhenTheSpaceSteps) {
    struct TCase {
        const char* Repaint;
        int MinPresents;
        int MaxPresents;
    };
    for (const TCase c : {TCase{"changed", 24, 27}, TCase{"always", 59, 61}}) {
        SCOPED_TRACE(c.Repaint);
        TGameRun run;
        std::vector<std::string> commands = ToMainMenu();
        commands.insert(commands.end(), {"frames 100", "display 0 1000", "dump"});
        ASSERT_EQ(run.Run(commands, 1, std::string("--repaint ") + c.Repaint), 0) << run.Errors();
        const TDisplayCounts counts = DisplayCounts(run);
        EXPECT_GE(counts.Presents, c.MinPresents);
        EXPECT_LE(counts.Presents, c.MaxPresents);
        EXPECT_NEAR(counts.Presents + counts.Held, 60, 2);
        EXPECT_EQ(TGameRun::Fields(run.Events("dump").at(0))["state"], "4"); // the main menu
    }
}

// A minimised window shows nothing, so the game draws and runs no frames until it is restored,
// and then carries on without catching up the time it slept. A stage in play pauses.
TEST(DisplayFlow, AMinimisedWindowSleepsUntilItIsRestored) {
    TGameRun run;
    ASSERT_EQ(run.Run(ToPlayThen({"minimize", "display 60 3000", "dump", "restore", "display 60 1000", "dump"})), 0)
        << run.Errors();
    const std::vector<std::string> display = run.Events("display");
    ASSERT_EQ(display.size(), 2u);
    EXPECT_EQ(TGameRun::Fields(display[0])["frames"], "0");
    EXPECT_EQ(TGameRun::Fields(display[0])["presents"], "0");
    EXPECT_NEAR(std::stoi(TGameRun::Fields(display[1])["frames"]), 100, 2);
    // Sixty pictures due; the pause holds still, so most of them are held.
    EXPECT_NEAR(std::stoi(TGameRun::Fields(display[1])["presents"]) +
                    std::stoi(TGameRun::Fields(display[1])["held"]),
                60, 2);
    const std::vector<std::string> dumps = run.Events("dump");
    ASSERT_EQ(dumps.size(), 3u);
    EXPECT_EQ(TGameRun::Fields(dumps[1])["state"], "16");
    EXPECT_EQ(TGameRun::Fields(dumps[1])["frame"], TGameRun::Fields(dumps[0])["frame"]);
}

// In idle play the pictures between the background's steps change only where the bonuses on the
// board turn and the clock counts: a few small rectangles, not the window.
TEST(DisplayFlow, IdlePlayPicturesBetweenStepsChangeOnlySmallParts) {
    std::vector<std::string> commands = ToPlayThen({"frames 150"});
    for (int i = 0; i < 30; ++i) {
        commands.insert(commands.end(), {"frames 1", "stats"});
    }
    TGameRun run;
    ASSERT_EQ(run.Run(commands), 0) << run.Errors();
    const std::vector<std::string> stats = run.Events("stats");
    ASSERT_EQ(stats.size(), 30u);
    int whole = 0;
    int small = 0;
    for (const std::string& line : stats) {
        const long long damaged = std::stoll(TGameRun::Fields(line)["damaged"]);
        whole += damaged == 800 * 600 ? 1 : 0;
        // Four bonuses of 40x40 pixels with a pixel of margin around each.
        small += damaged > 0 && damaged <= 4 * 42 * 42 ? 1 : 0;
    }
    // One picture in four is a step of the background; the others change a few bonuses.
    EXPECT_NEAR(whole, 30 / 4, 1);
    EXPECT_EQ(whole + small, 30);
}
