// SPDX-License-Identifier: MIT
#include "GameRun.h"

#include <gtest/gtest.h>

#include <filesystem>

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

// Missing or damaged data ends the start with a message instead of an empty window that cannot
// be closed.
TEST(Startup, UnreadableDataEndsWithAMessage) {
    const struct {
        const char* File;
        bool Remove;
    } cases[] = {{"Data/data.fgg", true}, {"Data/gdata.fgg", false}, {"Data/data1.fgg", true}};
    for (const auto& c : cases) {
        TGameRun run;
        const std::filesystem::path file = run.Folder() / c.File;
        if (c.Remove) {
            std::filesystem::remove(file);
        } else {
            std::filesystem::resize_file(file, std::filesystem::file_size(file) / 2);
        }
        EXPECT_EQ(run.Run({"frames 10"}), 1) << c.File;
        // The second line names the file and what was wrong with it, in the box and on stderr.
        const std::string detail = file.string() + ": " + (c.Remove ? "no such file" : "");
        EXPECT_TRUE(run.Has("messagebox text=\"Failed to load game data!\\n" + detail)) << c.File;
        EXPECT_NE(run.Errors().find("Failed to load game data!\n" + detail), std::string::npos) << run.Errors();
        EXPECT_FALSE(run.Has("enter state=3")) << c.File;
    }
}
