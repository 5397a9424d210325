#include "GameRun.h"

#include <gtest/gtest.h>


TEST(Startup, FreshStartGoesThroughLogoAndNameEntryToTheMenu) {
    TGameRun run;
    std::vector<std::string> commands = ToMainMenu();
    commands.push_back("dump");
    ASSERT_EQ(run.Run(commands), 0) << run.Errors();
    EXPECT_TRUE(run.Has("enter state=3"));
    EXPECT_TRUE(run.Has("enter state=1"));
    EXPECT_EQ(run.LastDump()["state"], "4");
    EXPECT_TRUE(run.Has("music play=1"));
    EXPECT_TRUE(run.Has(" quit"));
}
