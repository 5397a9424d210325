// SPDX-License-Identifier: MIT
// The later chapters, driven inside the process: the real game runs headless while the test
// reads its state between frames and clears a stage's tiles at once, so a stage ends after a
// single swap and the chapters' turning points (the beaten monster, the next story, the end of
// the game) can be reached in seconds of play instead of hours.
#include "GameInProcess.h"

#include "board/GameEngine.h"
#include "board/ScreenState.h"
#include "gui/GuiBase.h"
#include "gui/GuiControl.h"
#include "scene/Decor.h"
#include "scene/Faces.h"
#include "screens/GameState.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {
class ChapterFlow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Game.Started());
        for (const std::string& line : ToMainMenu()) {
            Run(line);
        }
        // A new game on easy; the first story is skipped and the stage's help closed.
        for (const char* line : {"click 600 296", "frames 5", "click 600 268", "frames 5", "key 27"}) {
            Run(line);
        }
        ASSERT_TRUE(Game.WaitFor(ssHowToPlay, 1000));
        Run("key 27");
        ASSERT_TRUE(Game.WaitFor(ssPlaying, 10));
    }

    void Run(const std::string& Line) { ASSERT_TRUE(Game.Run(Line)) << Line; }
    [[nodiscard]] uint8_t Screen() const { return Game.Screen(); }
    [[nodiscard]] TGameEngine& Engine() { return Game.Game().Engine(); }

    // Once the board is built and still: every tile taken, then one swap to make a line, which
    // is what ends a stage.
    void TakeTilesAndSwap() {
        ASSERT_EQ(Screen(), ssPlaying);
        ASSERT_TRUE(Game.TakeTilesAndSwap());
        ASSERT_EQ(Engine().Level().LayersCleared, Engine().Level().LayerCount);
    }

    // Ends the stage and returns when the stage-complete screen is on.
    void FinishStage() {
        TakeTilesAndSwap();
        ASSERT_TRUE(Game.WaitFor(ssStageComplete, 2000)) << "stage " << int(Engine().CurrentStage);
    }

    // Leaves the stage-complete screen as soon as it lets the player go on.
    void NextStage() {
        ASSERT_EQ(Screen(), ssStageComplete);
        ASSERT_TRUE(Game.LeaveStageComplete());
    }

    [[nodiscard]] TGameState& State() { return Game.Game().State(); }

    // The hero's and the monster's mouth patterns.
    [[nodiscard]] std::pair<int32_t, int32_t> Mouths() {
        TZibo* zibo = State().Zibo;
        EXPECT_TRUE(IsLive(Engine(), zibo));
        EXPECT_NE(Monster(), nullptr);
        if (!IsLive(Engine(), zibo) || Monster() == nullptr) {
            return {-1, -1};
        }
        return {zibo->Mouth->PatternIndex, Monster()->Mouth->PatternIndex};
    }

    [[nodiscard]] Tmonster* Monster() {
        Tmonster* monster = Game.Game().State().Monster;
        return IsLive(Engine(), monster) ? monster : nullptr;
    }

    TGameInProcess Game{3};
};
} // namespace

// The first chapter's monster is beaten at stage 4; stage 5 opens the second chapter's story
// and brings the second monster.
TEST_F(ChapterFlow, StageFourBeatsTheFirstMonsterAndStageFiveBringsTheSecond) {
    ASSERT_NE(Monster(), nullptr);
    EXPECT_EQ(Monster()->MonsterType, 1);
    FinishStage();
    // The next stage is the fourth: the chapter's last.
    Engine().CurrentStage = 3;
    NextStage();
    ASSERT_EQ(Screen(), ssPlaying);
    ASSERT_EQ(Engine().CurrentStage, 4);
    ASSERT_NE(Monster(), nullptr);
    EXPECT_EQ(Monster()->MonsterType, 1);

    FinishStage();
    EXPECT_NE(Monster(), nullptr) << "the monster stays until the stage's results are left";
    NextStage();
    EXPECT_EQ(Monster(), nullptr);
    EXPECT_EQ(Screen(), ssStory);
    EXPECT_EQ(Engine().CurrentStage, 5);

    Run("key 27");
    ASSERT_TRUE(Game.WaitFor(ssPlaying, 10));
    Run("frames 1");
    ASSERT_NE(Monster(), nullptr);
    EXPECT_EQ(Monster()->MonsterType, 2);
}

// A stage starts with the hero worried and the monster content, whatever the story or the
// stage before left on their faces, and ends with the hero's happiest face and the monster's
// most upset one.
TEST_F(ChapterFlow, FacesGoFromWorriedAtTheStartToHappiestAtTheLastTile) {
    const std::pair<int32_t, int32_t> start{6, 0};
    const std::pair<int32_t, int32_t> end{0, 6};
    EXPECT_EQ(Mouths(), start) << "stage 1, after the story";
    FinishStage();
    EXPECT_EQ(Mouths(), end);
    EXPECT_FLOAT_EQ(State().Zibo->Mouth->Y, 238.0f);
    NextStage();
    ASSERT_EQ(Screen(), ssPlaying);
    EXPECT_EQ(Mouths(), start) << "stage 2, after stage 1's ending";
    EXPECT_FLOAT_EQ(State().Zibo->Mouth->Y, 252.0f);
}

// The stage-number picture ends at x 50, in play and on the stage-complete screen.
TEST_F(ChapterFlow, StageNumberPictureEndsAtFifty) {
    ASSERT_TRUE(IsLive(Engine(), State().StageElement));
    EXPECT_FLOAT_EQ(State().StageElement->X, 50.0f);
    EXPECT_FLOAT_EQ(State().StageElement->Y, 507.0f);
    FinishStage();
    ASSERT_TRUE(IsLive(Engine(), State().StageElement));
    EXPECT_FLOAT_EQ(State().StageElement->X, 50.0f);
}

// When the clock runs out, the final score counts the seconds in with the lower panel in
// place; once they are counted, the panel slides down out of the window.
TEST_F(ChapterFlow, FinalScoreSendsTheLowerPanelAwayOnceTheSecondsAreCounted) {
    Engine().Level().TimeLeft = 1;
    ASSERT_TRUE(Game.WaitFor(ssGameOver, 300));
    ASSERT_TRUE(Game.WaitFor(ssYourScore, 400));
    TPanel* panel = State().DownPanel;
    ASSERT_TRUE(IsLive(Engine(), panel));
    for (int32_t frame = 0; frame < 500 && !State().TimeCounted; ++frame) {
        EXPECT_FLOAT_EQ(panel->Y, 500.0f);
        Run("frames 1");
    }
    ASSERT_TRUE(State().TimeCounted);
    EXPECT_TRUE(panel->Leaving);
    int32_t frames = 0;
    for (; frames < 200 && panel->Leaving; ++frames) {
        Run("frames 1");
    }
    EXPECT_GT(frames, 20) << "a slide, not a jump";
    EXPECT_GE(panel->Y, 800.0f);
    EXPECT_EQ(Screen(), ssYourScore);
}

// Once the player has chosen to leave the stage, Escape no longer answers the question: the
// stage is already taken apart, and the way goes on to the final score.
TEST_F(ChapterFlow, EscapeAfterChoosingToLeaveDoesNotResumeTheStage) {
    Run("key 27");
    Run("frames 2");
    ASSERT_EQ(Screen(), ssExitToMenu);
    Run("click 325 366");
    Run("frames 5");
    ASSERT_TRUE(State().ExitToMenuRunning);
    Run("key 27");
    Run("frames 1");
    EXPECT_EQ(Screen(), ssExitToMenu);
    EXPECT_TRUE(Game.WaitFor(ssYourScore, 200));
}

// Seconds left on the clock when a stage ends are added to the score one by one.
TEST_F(ChapterFlow, SecondsLeftEnterTheScore) {
    FinishStage();
    Engine().Level().TimeLeft = 7;
    const int32_t score = Game.Game().GetScore();
    NextStage();
    EXPECT_EQ(Game.Game().GetScore(), score + 7);
    EXPECT_EQ(Engine().CurrentStage, 2);
}

// While the results count the seconds left into their score, the lower panel's score (the
// running score, as the dump reports it) takes each second with them: both read the same in the
// middle of the count and at its end, and the stage after starts from that score.
TEST_F(ChapterFlow, LowerPanelScoreFollowsTheResultsCount) {
    FinishStage();
    Engine().Level().TimeLeft = 7;
    const int32_t score = Game.Game().GetScore();
    // The two scores as the texts and dump reports give them.
    const auto Scores = [this] {
        Run("texts");
        Run("dump");
        std::string results;
        std::string running;
        for (const std::string& line : Game.Trace()) {
            const auto fields = TGameRun::Fields(line);
            if (fields.contains("control") && fields.at("control") == "sc_score") {
                results = fields.at("value");
            } else if (line.find(" dump ") != std::string::npos) {
                running = fields.at("score");
            }
        }
        return std::pair{results, running};
    };
    for (int32_t frame = 0; frame < 1000 && Engine().Level().TimeLeft > 3; ++frame) {
        Run("frames 1");
    }
    ASSERT_EQ(Engine().Level().TimeLeft, 3);
    EXPECT_EQ(Scores(), std::pair(std::to_string(score + 4), std::to_string(score + 4))) << "in the count";
    const TGuiControl* next = Game.Game().Gui().FindControl("b_stagecomplete_next");
    ASSERT_NE(next, nullptr);
    for (int32_t frame = 0; frame < 1000 && !next->Visible(); ++frame) {
        Run("frames 1");
    }
    EXPECT_EQ(Scores(), std::pair(std::to_string(score + 7), std::to_string(score + 7))) << "counted";
    NextStage();
    EXPECT_EQ(Game.Game().GetScore(), score + 7);
}

// The last tile taken in the stage's final second completes the stage, though the clock runs out
// while the results are on their way.
TEST_F(ChapterFlow, LastTileInTheFinalSecondStillCompletesTheStage) {
    TakeTilesAndSwap();
    for (int32_t frame = 0; frame < 500 && !Engine().StageComplete; ++frame) {
        Run("frames 1");
    }
    ASSERT_TRUE(Engine().StageComplete);
    Engine().Level().TimeLeft = 0;
    ASSERT_TRUE(Game.WaitFor(ssStageComplete, 300));
    EXPECT_TRUE(Engine().TimeUp) << "the clock ran out before the results came";
    NextStage();
    EXPECT_EQ(Screen(), ssPlaying);
    EXPECT_EQ(Engine().CurrentStage, 2);
}

// After the sixteenth stage the end picture stays for 400 frames, then the final score comes
// over the same picture.
TEST_F(ChapterFlow, LastStageShowsTheEndPictureThenTheFinalScore) {
    FinishStage();
    Engine().CurrentStage = 15;
    NextStage();
    ASSERT_EQ(Screen(), ssPlaying);
    ASSERT_EQ(Engine().CurrentStage, 16);
    FinishStage();
    NextStage();
    ASSERT_EQ(Screen(), ssAllStagesDone);
    int32_t frames = 0;
    while (Screen() == ssAllStagesDone && frames < 1000) {
        Run("frames 1");
        ++frames;
    }
    EXPECT_EQ(frames, 400);
    EXPECT_EQ(Screen(), ssYourScore);
    EXPECT_TRUE(Game.Game().State().EndgameShown);
    EXPECT_EQ(Monster(), nullptr);
}
