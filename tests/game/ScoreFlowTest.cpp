// SPDX-License-Identifier: MIT
#include "GameRun.h"
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
    // One profile, and a hard table low enough that a score of 0 enters it at the top.
    TSettings settings;
    ResetHighScores(settings);
    AddProfile(settings, "Tester");
    for (THighScoreRow& row : settings.HighScores[2]) {
        row.Name = "Nobody";
        row.Score = "0";
    }
    SaveConfig((run.Folder() / "Config.cfg").string(), settings);
    std::filesystem::remove(run.Folder() / "wdata" / "config.ini");

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

} // namespace
