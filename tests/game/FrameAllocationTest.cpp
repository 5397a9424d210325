// SPDX-License-Identifier: MIT
// A steady frame allocates nothing. The game counts the heap allocations its frames make (the
// `allocs` field of `stats`); a stretch of frames in which nothing starts (no sound, no
// explosion, no new piece, no screen coming or going) must count none, on every screen a
// player stays on. Frames where something starts may allocate, so each stretch below says why
// it is steady.
#include "GameInProcess.h"

#include "board/GameEngine.h"
#include "board/ScreenState.h"
#include "gui/GuiBase.h"
#include "gui/GuiControl.h"
#include "gui/GuiValue.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

// The allocations the next Frames logic frames make.
int64_t AllocationsOver(TGameInProcess& Game, int32_t Frames) {
    Game.Run("stats");
    Game.Run("frames " + std::to_string(Frames));
    Game.Run("stats");
    const std::vector<std::string> lines = Game.Trace();
    for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
        if (line->find(" stats ") != std::string::npos) {
            return std::stoll(TGameRun::Fields(*line).at("allocs"));
        }
    }
    ADD_FAILURE() << "no stats line";
    return -1;
}

// Runs the lines, then frames one at a time until the screen is State.
void Reach(TGameInProcess& Game, const std::vector<std::string>& Lines, uint8_t State) {
    for (const std::string& line : Lines) {
        ASSERT_TRUE(Game.Run(line)) << line;
    }
    ASSERT_TRUE(Game.WaitFor(State, 1000)) << "screen " << int{Game.Screen()};
}

} // namespace

TEST(FrameAllocations, SteadyFramesAllocateNothing) {
    TGameInProcess game(5);
    ASSERT_TRUE(game.Started());
    Reach(game, ToMainMenu(), ssMainMenu);
    // The count sees the game's allocations: the logo and the name entry made plenty.
    ASSERT_TRUE(game.Run("stats"));
    EXPECT_GT(std::stoll(TGameRun::Fields(game.Trace().back()).at("allocs")), 0);
    ASSERT_TRUE(game.Run("frames 100"));

    // The menus stand still but for the turning background, the cursor and the buttons'
    // glow: nothing starts while nobody clicks.
    struct TMenu {
        const char* Name;
        std::vector<std::string> Way;
        uint8_t State;
        std::vector<std::string> Back;
    };
    const TMenu menus[] = {
        {"main menu", {}, ssMainMenu, {}},
        {"options", {"click 600 404"}, ssOptions, {"click 600 414"}},
        {"high scores", {"click 600 349"}, ssHighScore, {"key 27"}},
        {"player list", {"click 600 240"}, ssChangePlayer, {"click 703 526"}},
    };
    for (const TMenu& menu : menus) {
        SCOPED_TRACE(menu.Name);
        Reach(game, menu.Way, menu.State);
        // The screen's own entry (its form, its sound) is over after a few frames.
        ASSERT_TRUE(game.Run("frames 50"));
        EXPECT_EQ(AllocationsOver(game, 300), 0);
        Reach(game, menu.Back, ssMainMenu);
        ASSERT_TRUE(game.Run("frames 50"));
    }

    // Stage 1 from its first frame: the board's pieces fall into place and settle, the clock
    // ticks every second, its text redrawn; the warning sound of the last ten seconds is far off.
    Reach(game, {"click 600 296", "frames 5", "click 600 268", "frames 5", "key 27"}, ssHowToPlay);
    Reach(game, {"key 27"}, ssPlaying);
    TGameEngine& engine = game.Game().Engine();
    ASSERT_TRUE(engine.IsBoardBusy());
    EXPECT_EQ(AllocationsOver(game, 400), 0);
    EXPECT_TRUE(engine.IsBoardSettled());

    // The pause: the veil and its two texts in the player's language over a still board.
    Reach(game, {"key 80"}, ssPause);
    ASSERT_TRUE(game.Run("frames 5"));
    EXPECT_EQ(AllocationsOver(game, 300), 0);
    Reach(game, {"key 80"}, ssPlaying);

    // The stage results once the stage's marker has flown in (its trail starts at frame 170)
    // and before the seconds left are counted (from frame 390, each one a new score): the
    // results' score counts up from 0, a new text every frame.
    ASSERT_TRUE(game.TakeTilesAndSwap());
    ASSERT_TRUE(game.WaitFor(ssStageComplete, 2000));
    ASSERT_TRUE(game.Run("frames 200"));
    const TGuiControl* shown = game.Game().Gui().FindControl("sc_score");
    ASSERT_NE(shown, nullptr);
    const std::string before = ValueToString(shown->GetValueByName("Text"));
    EXPECT_EQ(AllocationsOver(game, 180), 0);
    EXPECT_EQ(game.Screen(), ssStageComplete);
    EXPECT_NE(ValueToString(shown->GetValueByName("Text")), before) << "the score did not count up in the stretch";
}
