// The later chapters, driven inside the process: the real game runs headless while the test
// reads its state between frames and clears a stage's tiles at once, so a stage ends after a
// single swap and the chapters' turning points (the beaten monster, the next story, the end of
// the game) can be reached in seconds of play instead of hours.
#include "GameRun.h"
#include "PlayBot.h"

#include "app/Form1.h"
#include "board/GameEngine.h"
#include "board/ScreenState.h"
#include "scene/Decor.h"
#include "scene/Faces.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {
class ChapterFlow : public ::testing::Test {
protected:
    void SetUp() override {
        // A headless run draws offscreen and plays into no device.
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        Before = fs::current_path();
        fs::current_path(Folder.Folder());
        TOptions options;
        options.Headless = true;
        options.Seed = 3;
        options.TraceFile = "trace.txt";
        Form = std::make_unique<TForm1>(options);
        ASSERT_TRUE(Form->FormCreate());
        for (const std::string& line : ToMainMenu()) {
            Run(line);
        }
        // A new game on easy; the first story is skipped and the stage's help closed.
        for (const char* line : {"click 600 296", "frames 5", "click 600 268", "frames 5", "key 27"}) {
            Run(line);
        }
        ASSERT_TRUE(WaitFor(ssHowToPlay, 1000));
        Run("key 27");
        ASSERT_TRUE(WaitFor(ssPlaying, 10));
    }

    void TearDown() override {
        Form.reset();
        fs::current_path(Before);
    }

    void Run(const std::string& Line) { ASSERT_TRUE(Form->RunControlLine(Line)) << Line; }

    [[nodiscard]] uint8_t Screen() { return Form->State().ScreenState; }
    [[nodiscard]] TGameEngine& Engine() { return Form->Engine(); }

    // Runs frames one at a time until the screen is State; false when it does not come.
    bool WaitFor(uint8_t State, int32_t Frames) {
        for (int32_t i = 0; i < Frames && Screen() != State; ++i) {
            Run("frames 1");
        }
        return Screen() == State;
    }

    // The board as the dump shows it.
    TDumpBoard Board() {
        TDumpBoard board(8, std::vector<std::string>(8));
        for (int r = 0; r < 8; ++r) {
            for (int c = 0; c < 8; ++c) {
                const TBoardCell& cell = Engine().Cell(c, r);
                board[r][c] = std::to_string(cell.Kind) + "." + std::to_string(cell.Bonus) + "." +
                              std::to_string(cell.HasLayer);
            }
        }
        return board;
    }

    [[nodiscard]] int32_t TilesOnBoard() {
        int32_t tiles = 0;
        for (int c = 0; c < 8; ++c) {
            for (int r = 0; r < 8; ++r) {
                tiles += Engine().Cell(c, r).HasLayer;
            }
        }
        return tiles;
    }

    // Once the board is built and still: every tile taken, then one swap to make a line, which
    // is what ends a stage. Returns when the stage-complete screen is on.
    void FinishStage() {
        ASSERT_EQ(Screen(), ssPlaying);
        for (int32_t frame = 0; frame < 2000 && (TilesOnBoard() == 0 || Engine().IsBoardBusy()); ++frame) {
            Run("frames 1");
        }
        ASSERT_EQ(TilesOnBoard(), Engine().Level().LayerCount);
        for (int c = 0; c < 8; ++c) {
            for (int r = 0; r < 8; ++r) {
                Engine().ClearLayerAt(c, r);
            }
        }
        ASSERT_EQ(Engine().Level().LayersCleared, Engine().Level().LayerCount);
        const auto swap = FindSwap(Board());
        ASSERT_TRUE(swap.has_value());
        for (const std::string& line : SwapClicks(*swap)) {
            Run(line);
        }
        ASSERT_TRUE(WaitFor(ssStageComplete, 2000)) << "stage " << int(Engine().CurrentStage);
    }

    // Presses Enter every frame from the stage-complete screen's first frame until it leaves:
    // the key counts only once the score and the seconds left are counted.
    void NextStage() {
        ASSERT_EQ(Screen(), ssStageComplete);
        for (int32_t frame = 0; frame < 5000 && Screen() == ssStageComplete; ++frame) {
            Run("key 13");
            Run("frames 1");
        }
        ASSERT_NE(Screen(), ssStageComplete);
    }

    [[nodiscard]] Tmonster* Monster() {
        Tmonster* monster = Form->State().Monster;
        return IsLive(Engine(), monster) ? monster : nullptr;
    }

    TGameRun Folder;
    fs::path Before;
    std::unique_ptr<TForm1> Form;
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
    ASSERT_TRUE(WaitFor(ssPlaying, 10));
    Run("frames 1");
    ASSERT_NE(Monster(), nullptr);
    EXPECT_EQ(Monster()->MonsterType, 2);
}

// Seconds left on the clock when a stage ends are added to the score one by one.
TEST_F(ChapterFlow, SecondsLeftEnterTheScore) {
    FinishStage();
    Engine().Level().TimeLeft = 7;
    const int32_t score = Form->GetScore();
    NextStage();
    EXPECT_EQ(Form->GetScore(), score + 7);
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
    EXPECT_TRUE(Form->State().EndgameShown);
    EXPECT_EQ(Monster(), nullptr);
}
