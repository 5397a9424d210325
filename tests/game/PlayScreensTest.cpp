// SPDX-License-Identifier: MIT
#include "GameRun.h"
#include "LookRun.h"
#include "Shot.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
// Main menu "new game", then "easy" on the difficulty screen.
const std::vector<std::string> kStartEasy = {"click 600 296", "frames 5", "click 600 268", "frames 5"};

void Append(std::vector<std::string>& To, const std::vector<std::string>& More) {
    To.insert(To.end(), More.begin(), More.end());
}

// The frame of the first trace line holding Fragment after line From, or -1.
int FrameOf(const TGameRun& Run, const std::string& Fragment, size_t From = 0, size_t* At = nullptr) {
    const auto& lines = Run.Lines();
    for (size_t i = From; i < lines.size(); ++i) {
        if (lines[i].find(Fragment) != std::string::npos) {
            if (At) {
                *At = i;
            }
            return std::stoi(TGameRun::Fields(lines[i])["frame"]);
        }
    }
    return -1;
}

// The dumps of a run, in order.
std::vector<std::map<std::string, std::string>> Dumps(const TGameRun& Run) {
    std::vector<std::map<std::string, std::string>> out;
    for (const std::string& line : Run.Events("dump")) {
        out.push_back(TGameRun::Fields(line));
    }
    return out;
}
} // namespace

// One game through the story, the run-in, how to play, the pause and the exit-to-menu question.
TEST(PlayScreens, StoryRunInOverlaysAndTheWayBackToTheMenu) {
    TGameRun run;
    std::vector<std::string> c = ToMainMenu();
    Append(c, kStartEasy);
    // Each step ends in a dump; the numbers are the dumps' indexes below.
    const std::vector<std::vector<std::string>> steps = {
        // 0: the story of stage 1.
        {"dump"},
        // 1: both pages, then play; Escape, P and F1 during the run-in.
        {"frames 100", "key 13", "frames 3", "key 13", "frames 1", "key 27", "frames 1", "key 80", "frames 1",
         "key 112", "frames 1", "dump"},
        // 2: how to play over the built board; 3: three seconds later.
        {"frames 200", "dump"},
        {"frames 300", "dump"},
        // 4: playing, a second and a half later.
        {"key 27", "frames 150", "dump"},
        // 5: paused; 6: three seconds later, resumed.
        {"key 80", "frames 2", "dump"},
        {"frames 300", "key 80", "frames 2", "dump"},
        // 7: the exit question; 8: three seconds later, answered by Escape.
        {"key 27", "frames 2", "dump"},
        {"frames 300", "key 27", "frames 2", "dump"},
        // 9: the question again, answered "yes".
        {"key 27", "frames 2", "click 325 366", "frames 120", "dump"},
    };
    for (const auto& step : steps) {
        Append(c, step);
    }
    ASSERT_EQ(run.Run(c), 0) << run.Errors();
    auto d = Dumps(run);
    ASSERT_EQ(d.size(), 10u);

    EXPECT_EQ(d[0]["state"], "27");
    EXPECT_EQ(d[0]["stage"], "1");
    EXPECT_EQ(d[0]["difficulty"], "0");
    // Choosing the difficulty hands the menu music over to the game's.
    size_t at = 0;
    const int stop1 = FrameOf(run, "music stop=1", 0, &at);
    EXPECT_GE(stop1, 0);
    EXPECT_GE(FrameOf(run, "music play=2", at), stop1);

    // Escape, P and F1 in the run-in do nothing.
    EXPECT_EQ(d[1]["state"], "12");
    const int runIn = std::stoi(d[1]["frame"]);
    EXPECT_GT(FrameOf(run, "enter state=0"), runIn);
    EXPECT_GT(FrameOf(run, "enter state=16"), runIn);

    // The first stage opens how to play once the board is built; the clock waits meanwhile.
    EXPECT_EQ(d[2]["state"], "28");
    EXPECT_TRUE(run.Has("sound name=startlevel"));
    EXPECT_EQ(d[3]["timeleft"], d[2]["timeleft"]);
    EXPECT_EQ(d[4]["state"], "12");
    EXPECT_EQ(std::stoi(d[4]["timeleft"]), std::stoi(d[3]["timeleft"]) - 1);

    // Pause and resume keep the time.
    EXPECT_EQ(d[5]["state"], "16");
    EXPECT_EQ(d[6]["state"], "12");
    EXPECT_EQ(d[6]["timeleft"], d[5]["timeleft"]);

    // Escape answers the exit question with "no": play resumes with the clock unchanged.
    EXPECT_EQ(d[7]["state"], "0");
    EXPECT_EQ(d[8]["state"], "12");
    EXPECT_EQ(d[8]["timeleft"], d[7]["timeleft"]);

    // "Yes" forfeits the stage's time, brings the menu music back and, 100 frames on, the
    // final score.
    const int stop2 = FrameOf(run, "music stop=2", 0, &at);
    ASSERT_GE(stop2, 0);
    EXPECT_GE(FrameOf(run, "music play=1", at), stop2);
    const int finalScore = FrameOf(run, "enter state=20");
    EXPECT_NEAR(finalScore - stop2, 100, 1);
    EXPECT_EQ(d[9]["timeleft"], "0");
}

// Escape while the story panel slides in goes straight to the stage.
TEST(PlayScreens, EscapeDuringTheStorySlideInStartsTheStage) {
    TGameRun run;
    std::vector<std::string> c = ToMainMenu();
    Append(c, kStartEasy);
    Append(c, {"frames 10", "key 27", "frames 2", "dump"});
    ASSERT_EQ(run.Run(c), 0) << run.Errors();
    size_t at = 0;
    const int story = FrameOf(run, "enter state=27", 0, &at);
    const int play = FrameOf(run, "enter state=12", at);
    ASSERT_GE(story, 0);
    // The panel needs some 55 frames to come to rest; the stage began well before.
    EXPECT_GT(play, story);
    EXPECT_LT(play - story, 30);
    EXPECT_EQ(run.LastDump()["state"], "12");
    EXPECT_EQ(run.LastDump()["stage"], "1");
}

// One stage played into: a shot in play, one with the top-left piece selected, one paused.
class PlayLook : public TLookRun<PlayLook> {
protected:
    static void SetUpTestSuite() {
        Start();
        std::vector<std::string> c = ToMainMenu();
        Append(c, kStartEasy);
        Append(c, {"frames 100", "key 27", "frames 200", "click 502 504", "frames 50", "move 400 590", "frames 2",
                   "screenshot play.png", "move 244 160", "frames 2", "click 244 160", "move 400 590", "frames 3",
                   "screenshot selected.png",
                   "key 80", "frames 2", "dump", "screenshot pause.png"});
        Photograph(c);
    }
};

// The pause hides the board under a dark veil, keeps "ПАУЗА" where it is drawn and writes the
// way back under it.
TEST_F(PlayLook, PauseVeilsTheBoardAndSaysHowToGoOn) {
    ASSERT_EQ(Run->LastDump()["state"], "16");
    const TShot play = Shot("play.png");
    const TShot pause = Shot("pause.png");
    // Above the pause text the board's pieces are bright in play and sunk under the veil.
    const auto Bright = [](int R, int G, int B) { return R + G + B > 400; };
    const int Lit = CountPixels(play, 222, 138, 574, 280, Bright);
    EXPECT_GT(Lit, 1000);
    EXPECT_LT(CountPixels(pause, 222, 138, 574, 280, Bright), Lit / 50);
    // "ПАУЗА" is red at (350, 290); the hint is light text in the band under it.
    const auto Red = [](int R, int G, int B) { return R > 180 && G < 100 && B < 100; };
    EXPECT_GT(CountPixels(pause, 350, 290, 520, 336, Red), 300);
    EXPECT_GT(CountPixels(pause, 330, 336, 540, 366, Bright), 150);
}

// The selected piece wears a gold frame along its cell's edges, which a merely hovered or
// resting piece never shows.
TEST_F(PlayLook, TheSelectedPieceWearsAGoldFrame) {
    const TShot play = Shot("play.png");
    const TShot selected = Shot("selected.png");
    const auto Gold = [](int R, int G, int B) { return R > 200 && G > 100 && B < 120; };
    // The band 1..4 pixels inside the left edge of cell (0, 0), whose corner is (222, 138),
    // along the middle of the edge.
    const int Before = CountPixels(play, 223, 150, 227, 172, Gold);
    const int After = CountPixels(selected, 223, 150, 227, 172, Gold);
    EXPECT_LT(Before, 5);
    EXPECT_GT(After, 30);
}
