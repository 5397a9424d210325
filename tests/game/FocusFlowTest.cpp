// SPDX-License-Identifier: MIT
#include "GameRun.h"

#include <gtest/gtest.h>

// Alt+Tab away while a stage runs pauses it with the clock stopped, as minimising does; in the
// menus it changes nothing; coming back leaves the pause screen until the player resumes.
TEST(FocusFlow, LosingTheFocusPausesAStageOnly) {
    TGameRun run;
    std::vector<std::string> commands = ToMainMenu();
    commands.insert(commands.end(),
                    {"focus out", "frames 2", "dump", "focus in", "click 600 296", "frames 3", "click 600 268",
                     "frames 3", "key 27", "frames 120", "key 27", "frames 5", "dump", "focus out", "frames 2", "dump",
                     "frames 300", "focus in", "frames 2", "dump", "key 80", "frames 2", "dump"});
    ASSERT_EQ(run.Run(commands), 0) << run.Errors();
    const std::vector<std::string> dumps = run.Events("dump");
    ASSERT_EQ(dumps.size(), 5u);
    const auto field = [&dumps](size_t Index, const char* Key) { return TGameRun::Fields(dumps[Index])[Key]; };
    EXPECT_EQ(field(0, "state"), "4");  // the menu stays
    EXPECT_EQ(field(1, "state"), "12"); // playing
    EXPECT_EQ(field(2, "state"), "16"); // focus gone: paused
    EXPECT_EQ(field(3, "state"), "16"); // focus back: still paused, three seconds later
    EXPECT_EQ(field(3, "timeleft"), field(2, "timeleft")); // the clock stood still
    EXPECT_EQ(field(4, "state"), "12"); // P resumes
    EXPECT_EQ(run.Count("focus window=out"), 2);
    EXPECT_EQ(run.Count("focus window=in"), 2);
}
