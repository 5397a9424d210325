// SPDX-License-Identifier: MIT
#include "GameRun.h"
#include "PlayBot.h"
#include "ScoreTestServer.h"
#include "screens/LineCode.h"
#include "screens/Settings.h"

#include <gtest/gtest.h>

namespace {
// "Россия" in the game's code page.
const std::string Russia = "\xD0\xEE\xF1\xF1\xE8\xFF";

// The score text the service received with the score request, decoded.
std::string SentText(const std::vector<std::string>& Targets) {
    for (const std::string& target : Targets) {
        const size_t at = target.find("&inf=");
        if (target.find("?hs&prg=Velmorant&inf=") != std::string::npos && at != std::string::npos) {
            return DecodeLine(target.substr(at + 5));
        }
    }
    return {};
}

// One profile, and a hard table low enough that a score of 0 enters it at the top; no share
// screen, so the window closes as soon as the player confirms leaving.
void PrepareHardGame(const TGameRun& Run) {
    WriteLowHardTable(Run.Folder());
    std::filesystem::remove(Run.Folder() / "wdata" / "config.ini");
}

const std::vector<std::string> ToScoreSent = HardGameToScoreSent();

int64_t FrameOf(const std::string& Line) {
    return std::stoll(TGameRun::Fields(Line)["frame"]);
}

// The position of the first line holding Fragment, or Lines.size() when none does.
size_t FirstHolding(const std::vector<std::string>& Lines, const std::string& Fragment) {
    for (size_t i = 0; i < Lines.size(); ++i) {
        if (Lines[i].find(Fragment) != std::string::npos) {
            return i;
        }
    }
    return Lines.size();
}

// A hard game whose clock runs out without a move: the final score, the country typed in
// Cyrillic, the score sent to a local service and the high-score table with the new row. The
// window then closes through the exit question; without share data it closes at once and the
// settings reach the file.
TEST(ScoreFlow, GameOverSendsTheScoreAndShowsTheTable) {
    TScoreTestServer server([](const std::string& Target) {
        return Target.find("?version&") != std::string::npos ? std::string("OK|1|2|3|t42|rest")
                                                             : std::string("done");
    });
    ASSERT_NE(server.Port(), 0);
    TGameRun run;
    PrepareHardGame(run);

    const std::vector<std::string> commands = {
        "frames 390",    "click 600 295", "frames 5",    "click 600 376", "frames 100", "key 27",
        "frames 200",    "click 502 504", "frames 2000", "dump",          "key 13",     "frames 5",
        "type Россия",   "frames 2",      "key 13",      "frames 5",      "dump",       "click 325 366",
        "frames 5",      "dump",          "key 27",      "frames 3",      "close",      "frames 3",
        "click 505 376", "frames 3"};
    ASSERT_EQ(run.Run(commands, 1, "--score-server " + server.HostPort()), 0) << run.Errors();

    const auto dumps = run.Events("dump");
    ASSERT_EQ(dumps.size(), 3u);
    EXPECT_EQ(TGameRun::Fields(dumps[0])["state"], "20");
    EXPECT_EQ(TGameRun::Fields(dumps[1])["state"], "21");
    EXPECT_EQ(TGameRun::Fields(dumps[2])["state"], "8");
    EXPECT_TRUE(run.Has("enter state=13"));
    EXPECT_TRUE(run.Has("enter state=25"));
    EXPECT_TRUE(run.Has("music stop=3"));
    EXPECT_FALSE(run.Has("messagebox"));
    // Back to the menu; the exit question leads to the share screen, which closes the window
    // at once.
    const auto enters = run.Events("enter");
    ASSERT_FALSE(enters.empty());
    EXPECT_EQ(TGameRun::Fields(enters.back())["state"], "26");
    EXPECT_TRUE(run.Has("config saved")) << [&run] {
        std::string tail;
        for (size_t i = run.Lines().size() > 12 ? run.Lines().size() - 12 : 0; i < run.Lines().size(); ++i) {
            tail += run.Lines()[i] + "\n";
        }
        return tail;
    }();

    // The handshake, then the score with the ticket and the country.
    ASSERT_EQ(run.Count("http url="), 2);
    EXPECT_TRUE(run.Has("http url=" + server.Url() + "?version&prg=Velmorant status=200"));
    std::string expected = "type=2|name=Tester|score=0|key=Z|p=t42|add=" + Russia + "|z=";
    expected.append((5 - expected.size() % 5) % 5, '2');
    EXPECT_EQ(SentText(server.Targets()), expected);

    TSettings saved;
    LoadConfig((run.Folder() / "Config.cfg").string(), saved);
    EXPECT_EQ(saved.Country, Russia);
    EXPECT_EQ(saved.HighScores[2][0].Name, "Tester");
    EXPECT_EQ(saved.HighScores[2][0].Score, "0");
    EXPECT_EQ(saved.HighScores[2][1].Name, "Nobody");
}

// The score goes out beside the game: while the service holds its answer to the handshake the
// high-score table is already up and the frames go on; the outcome is traced (and, for a refused
// handshake, told to the player) only once the answer comes.
TEST(ScoreFlow, SendingTheScoreKeepsTheFramesGoing) {
    const struct {
        int Status;
        const char* Handshake;
        bool Refused;
    } cases[] = {{200, "OK|1|2|3|t42|rest", false}, {200, "ok", true}, {500, "OK|1|2|3|t42|rest", true}};
    for (const auto& c : cases) {
        const std::string handshake = c.Handshake;
        TScoreTestServer server([&handshake](const std::string& Target) {
            return Target.find("?version&") != std::string::npos ? handshake : std::string("done");
        });
        ASSERT_NE(server.Port(), 0);
        server.SetStatus(c.Status);
        server.Hold();
        TGameRun folder;
        PrepareHardGame(folder);
        TLiveGame game(folder.Folder(), 1, "--score-server " + server.HostPort());
        std::vector<std::string> commands = ToScoreSent;
        commands.push_back("frames 20");
        game.Send(commands);
        std::string held;
        (void)game.Dump(held);
        ASSERT_FALSE(held.empty()) << c.Handshake;
        std::vector<std::string> lines = game.ReadTrace();
        // The table is up and twenty frames passed with the handshake unanswered.
        EXPECT_EQ(TGameRun::Fields(held)["state"], "8") << c.Handshake;
        const size_t entered = FirstHolding(lines, "enter state=8");
        ASSERT_LT(entered, lines.size());
        EXPECT_GE(FrameOf(held) - FrameOf(lines[entered]), 20) << c.Handshake;
        EXPECT_EQ(CountHolding(lines, "http url="), 0) << c.Handshake;
        EXPECT_EQ(server.Answered(), 0) << c.Handshake;

        server.Release();
        // Frames until the outcome is in the trace (a generous bound of frames for a lost game).
        const std::string outcome = c.Refused ? "messagebox" : "?hs&";
        for (int i = 0; i < 3000 && CountHolding(game.ReadTrace(), outcome) == 0; ++i) {
            std::string dump;
            game.Send({"frames 5"});
            (void)game.Dump(dump);
        }
        lines = game.Finish();
        const size_t told = FirstHolding(lines, outcome);
        ASSERT_LT(told, lines.size()) << c.Handshake;
        EXPECT_GT(told, FirstHolding(lines, held)) << c.Handshake;
        EXPECT_EQ(CountHolding(lines, "messagebox text=\"Can't connect to server!\""), c.Refused ? 1 : 0)
            << c.Handshake;
        EXPECT_EQ(CountHolding(lines, "http url="), c.Refused ? 1 : 2) << c.Handshake;
        EXPECT_EQ(CountHolding(lines, "?version&prg=Velmorant status=" + std::to_string(c.Status)), 1)
            << c.Handshake;
    }
}

// Closing the window while the service stays silent: the game quits once the submission's
// budget is spent, with the failed handshake traced, no message and the settings saved.
TEST(ScoreFlow, ClosingDuringASilentSubmissionQuits) {
    TScoreTestServer silent([](const std::string&) { return std::string("OK|1|2|3|t42|"); }, true);
    ASSERT_NE(silent.Port(), 0);
    TGameRun run;
    PrepareHardGame(run);
    std::vector<std::string> commands = ToScoreSent;
    const std::vector<std::string> leave = {"frames 5", "dump",  "key 27",        "frames 3",
                                            "close",    "frames 3", "click 505 376", "frames 3"};
    commands.insert(commands.end(), leave.begin(), leave.end());
    ASSERT_EQ(run.Run(commands, 1, "--score-server " + silent.HostPort()), 0) << run.Errors();
    const std::vector<std::string>& lines = run.Lines();
    // The frames went on and the window closed before the request ended.
    EXPECT_LT(FirstHolding(lines, " dump "), FirstHolding(lines, "http url="));
    EXPECT_LT(FirstHolding(lines, "config saved"), FirstHolding(lines, "http url="));
    EXPECT_EQ(run.Count("http url=" + silent.Url() + "?version&prg=Velmorant status=0"), 1);
    EXPECT_FALSE(run.Has("messagebox"));
    EXPECT_TRUE(run.Has(" quit"));
}
} // namespace
