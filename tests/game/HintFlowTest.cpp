// SPDX-License-Identifier: MIT
// The automatic hint, driven inside the process so the frames of a settled board can be
// counted exactly.
#include "GameInProcess.h"

#include "board/GameEngine.h"
#include "board/ScreenState.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Stage 1 from the main menu, the board built and settled, with the switch as given.
void ReachSettledStage(TGameInProcess& Game, bool AutoHint) {
    ASSERT_TRUE(Game.Started());
    for (const std::string& line : ToMainMenu()) {
        ASSERT_TRUE(Game.Run(line));
    }
    Game.Game().Settings().AutoHint = AutoHint;
    for (const char* line : {"click 600 296", "frames 5", "click 600 268", "frames 5", "key 27"}) {
        ASSERT_TRUE(Game.Run(line));
    }
    ASSERT_TRUE(Game.WaitFor(ssHowToPlay, 1000));
    ASSERT_TRUE(Game.Run("key 27"));
    ASSERT_TRUE(Game.WaitFor(ssPlaying, 10));
    for (int i = 0; i < 300 && !Game.Game().Engine().IsBoardSettled(); ++i) {
        ASSERT_TRUE(Game.Run("frames 1"));
    }
    ASSERT_TRUE(Game.Game().Engine().IsBoardSettled());
}

// With the switch on, the hint shows by itself on the 1,500th frame (15 s) of a settled board
// without a move, and not a frame before; with it off (the default) it never does.
TEST(HintFlow, TheAutomaticHintComesAfterFifteenSecondsWithoutAMove) {
    struct TCase {
        bool On;
        int32_t HintsAfter1499, HintsAfter1500;
    } cases[] = {{true, 0, 1}, {false, 0, 0}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.On ? "on" : "off");
        TGameInProcess game(11);
        ReachSettledStage(game, c.On);
        ASSERT_TRUE(game.Run("frames 1499"));
        EXPECT_EQ(game.TraceCount(" hint from="), c.HintsAfter1499);
        ASSERT_TRUE(game.Run("frames 1"));
        EXPECT_EQ(game.TraceCount(" hint from="), c.HintsAfter1500);
        EXPECT_EQ(game.Game().Engine().Hint.has_value(), c.On);
        EXPECT_EQ(game.Screen(), ssPlaying);
    }
}

} // namespace
