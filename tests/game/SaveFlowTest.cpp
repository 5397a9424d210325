// SPDX-License-Identifier: MIT
// The settings file follows the game: every change that matters is on the disk in the frame
// that made it, whatever becomes of the process afterwards.
#include "GameInProcess.h"
#include "GameProcess.h"
#include "GameRun.h"

#include "board/ScreenState.h"
#include "screens/Settings.h"

#include <gtest/gtest.h>

#include <csignal>
#include <functional>

namespace fs = std::filesystem;

namespace {
TSettings ReadSettings(const fs::path& File) {
    TSettings s;
    ResetHighScores(s);
    LoadConfig(File.string(), s);
    return s;
}

// A hard game whose clock runs out without a move, its country typed, the score not sent: the
// score enters the hard table (set low enough for a score of 0).
std::vector<std::string> GameOverToTheTable() {
    return {"frames 390",  "click 600 295", "frames 5",   "click 600 376", "frames 100", "key 27",
            "frames 200",  "click 502 504", "frames 2000", "key 13",       "frames 5",   "type Россия",
            "frames 2",    "key 13",        "frames 5",   "click 475 366", "frames 3"};
}
} // namespace

// One step after another, each a change the player would hate to lose: each is saved once, in
// its own frame, and the file then holds it.
TEST(SaveFlow, EveryChangeThatMattersIsSavedInTheFrameThatMadeIt) {
    TGameInProcess game(1);
    ASSERT_TRUE(game.Started());
    struct TStep {
        const char* What;
        std::vector<std::string> Commands;
        int32_t Saves;
        std::function<bool(const TSettings&)> InFile;
    };
    const std::vector<TStep> steps = {
        {"first profile", ToMainMenu(), 1, [](const TSettings& s) { return s.PlayerCount == 1 && s.Players[0] == "Tester"; }},
        {"second profile",
         {"click 600 240", "frames 3", "click 457 526", "frames 3", "type Second", "frames 2", "key 13", "frames 3"}, 1,
         [](const TSettings& s) { return s.PlayerCount == 2 && s.CurrentPlayer == 1; }},
        {"profile chosen", {"click 580 233", "frames 2", "click 703 526", "frames 3"}, 1,
         [](const TSettings& s) { return s.CurrentPlayer == 0 && s.PlayerName == "Tester"; }},
        {"profile deleted", {"click 600 240", "frames 3", "click 580 526", "frames 3", "click 505 366", "frames 3"}, 1,
         [](const TSettings& s) { return s.PlayerCount == 1 && s.Players[0] == "Second"; }},
        // Leaving the options for the sound screen saves as it always did, then the step itself.
        {"volume step", {"click 703 526", "frames 3", "click 600 404", "frames 3", "click 600 290", "frames 3",
                         "click 446 310", "frames 3"}, 2,
         [](const TSettings& s) { return s.MusicVolume == 225; }},
    };
    int32_t saves = 0;
    for (const TStep& step : steps) {
        SCOPED_TRACE(step.What);
        for (const std::string& line : step.Commands) {
            ASSERT_TRUE(game.Run(line)) << line;
        }
        // Moving between screens saves nothing more when nothing else changed.
        EXPECT_EQ(game.TraceCount("config saved"), saves + step.Saves);
        saves = game.TraceCount("config saved");
        EXPECT_TRUE(step.InFile(ReadSettings("Config.cfg")));
    }

    // A table that differs from the defaults, then cleared.
    game.Game().Settings().HighScores[1][0].Score = "5000";
    ASSERT_TRUE(game.Run("frames 1"));
    EXPECT_EQ(ReadSettings("Config.cfg").HighScores[1][0].Score, "5000");
    saves = game.TraceCount("config saved");
    for (const char* line : {"key 27", "frames 3", "key 27", "frames 3", "click 600 349", "frames 3",
                             "click 414 549", "frames 3", "click 505 376", "frames 3"}) {
        ASSERT_TRUE(game.Run(line)) << line;
    }
    ASSERT_EQ(game.Screen(), ssHighScore);
    // Leaving the options saved as it always did; clearing saved once more.
    EXPECT_EQ(game.TraceCount("config saved"), saves + 2);
    EXPECT_EQ(ReadSettings("Config.cfg").HighScores[1][0].Score, "1000");
}

// A kill -9 right after the change: the file already holds it, and a stale temporary file is
// never what is left.
TEST(SaveFlow, AKillRightAfterTheChangeLeavesItInTheFile) {
    struct TCase {
        const char* What;
        std::function<void(const fs::path&)> Prepare;
        std::vector<std::string> Commands;
        const char* SavedAfter;
        std::function<void(const TSettings&)> Check;
    };
    const TCase cases[] = {
        {"new profile", [](const fs::path&) {}, ToMainMenu(), "enter state=4",
         [](const TSettings& s) {
             ASSERT_EQ(s.PlayerCount, 1);
             EXPECT_EQ(s.Players[0], "Tester");
         }},
        {"high score", WriteLowHardTable, GameOverToTheTable(), "enter state=8",
         [](const TSettings& s) {
             EXPECT_EQ(s.HighScores[2][0].Name, "Tester");
             EXPECT_EQ(s.HighScores[2][0].Score, "0");
             EXPECT_EQ(s.Country, "\xD0\xEE\xF1\xF1\xE8\xFF"); // "Россия", saved when it was typed
         }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        TGameRun folder;
        c.Prepare(folder.Folder());
        TGameProcess game(folder.Folder(), 1);
        ASSERT_TRUE(game.Started());
        game.Send(c.Commands);
        ASSERT_TRUE(game.WaitForTrace("config saved", c.SavedAfter)) << [&game] {
            const std::vector<std::string> trace = game.Trace();
            std::string tail;
            for (size_t i = trace.size() > 10 ? trace.size() - 10 : 0; i < trace.size(); ++i) {
                tail += trace[i] + "\n";
            }
            return tail;
        }();
        game.Signal(SIGKILL);
        EXPECT_EQ(game.Wait(), -SIGKILL);
        c.Check(ReadSettings(folder.Folder() / "Config.cfg"));
        EXPECT_FALSE(fs::exists(folder.Folder() / "Config.cfg.tmp"));
    }
}

// The settings cannot be written (the file's place is taken by a folder, which stops even root):
// the player is told once, in the game's language, with the file and the reason, in the game's
// own box, which holds back clicks on the menu behind it until Enter closes it; every save point
// keeps trying; the game goes on and ends normally.
TEST(SaveFlow, AFailedSaveIsShownOnceAndTheGameGoesOn) {
    TGameRun run;
    fs::create_directories(run.Folder() / "Config.cfg" / "blocked");
    std::vector<std::string> commands = ToMainMenu();
    commands.insert(commands.end(), {"click 600 404", "frames 3", "texts", "dump", "key 13", "frames 3",
                                     "click 600 404", "frames 3", "click 600 414", "frames 3", "dump"});
    ASSERT_EQ(run.Run(commands, 1, "--lang ru"), 0) << run.Errors();
    EXPECT_EQ(run.LastDump()["state"], "4");
    EXPECT_EQ(run.Count("config failed reason="), 2); // the new profile, then leaving the options
    const std::vector<std::string> boxes = run.Events("messagebox");
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(TGameRun::Fields(boxes[0])["style"], "game");
    EXPECT_EQ(boxes[1].substr(boxes[1].find(' ') + 1), "messagebox closed");
    // While the box was open the click on "Настройки" behind it did nothing.
    const std::vector<std::string> dumps = run.Events("dump");
    ASSERT_EQ(dumps.size(), 2u);
    EXPECT_EQ(TGameRun::Fields(dumps[0])["state"], "4");
    EXPECT_TRUE(run.Has("text control=message_text value="));
    EXPECT_TRUE(run.Has("enter state=7"));
    const std::string text = TGameRun::Fields(boxes[0])["text"];
    EXPECT_NE(text.find((run.Folder() / "Config.cfg").string()), std::string::npos) << text;
    EXPECT_NE(text.find("на месте файла находится папка"), std::string::npos) << text;
    EXPECT_FALSE(run.Has("config saved"));
}
