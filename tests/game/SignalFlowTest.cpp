// SPDX-License-Identifier: MIT
// What a desktop's logout, a Ctrl+C or a closed terminal does to a running game.
#include "GameProcess.h"
#include "GameRun.h"

#include "screens/Settings.h"

#include <gtest/gtest.h>

#include <csignal>

namespace fs = std::filesystem;

namespace {
std::vector<std::string> Then(std::vector<std::string> Commands, const std::vector<std::string>& More) {
    Commands.insert(Commands.end(), More.begin(), More.end());
    return Commands;
}
} // namespace

// The game waits for its next command, as a game waits for its player, when the signal comes:
// it saves, skips the exit question and the share screen, and ends with code 0 without another
// command (its input stays open).
TEST(SignalFlow, QuitSignalsSaveAndEndAtOnceInEveryScreen) {
    const std::vector<std::string> toPlay =
        Then(ToMainMenu(), {"click 600 296", "frames 3", "click 600 268", "frames 3", "key 27", "frames 120",
                            "key 27", "frames 5"});
    struct TCase {
        const char* Where;
        std::vector<std::string> Commands;
        const char* State;
        int Signal;
        int32_t Profiles;
    };
    const TCase cases[] = {
        {"name screen", {"frames 390"}, "1", SIGTERM, 0},
        {"menu", ToMainMenu(), "4", SIGTERM, 1},
        {"play", toPlay, "12", SIGTERM, 1},
        {"menu, Ctrl+C", ToMainMenu(), "4", SIGINT, 1},
        {"play, terminal gone", toPlay, "12", SIGHUP, 1},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Where);
        TGameRun folder;
        TGameProcess game(folder.Folder(), 1);
        ASSERT_TRUE(game.Started());
        game.Send(Then(c.Commands, {"dump"}));
        ASSERT_TRUE(game.WaitForTrace(std::string("dump state=") + c.State + " "));
        game.Signal(c.Signal);
        EXPECT_EQ(game.Wait(), 0);

        const std::vector<std::string> trace = game.Trace();
        ASSERT_GE(trace.size(), 3u);
        EXPECT_NE(trace[trace.size() - 3].find("signal number=" + std::to_string(c.Signal)), std::string::npos);
        EXPECT_NE(trace[trace.size() - 2].find("config saved"), std::string::npos);
        EXPECT_NE(trace.back().find("quit"), std::string::npos);
        EXPECT_EQ(CountHolding(trace, "enter state=10"), 0); // no exit question
        EXPECT_EQ(CountHolding(trace, "enter state=26"), 0); // no share screen
        TSettings saved;
        LoadConfig((folder.Folder() / "Config.cfg").string(), saved);
        EXPECT_TRUE(fs::exists(folder.Folder() / "Config.cfg"));
        EXPECT_EQ(saved.PlayerCount, c.Profiles);
    }
}
