// SPDX-License-Identifier: MIT
#include "game/ScoreTestServer.h"
#include "screens/LineCode.h"
#include "screens/ScoreSubmit.h"

#include <gtest/gtest.h>

namespace {
TEST(SubmitScoreTest, HandshakeReplies) {
    struct TCase {
        std::string Reply;
        bool Accepted;
        std::string Ticket;
    };
    const TCase cases[] = {
        {"OK|1|2|3|x|rest", true, "x"},
        {"OK|1|2|3|x", true, ""},
        {"OK|1|2|3||rest", true, ""},
        {"OK|1|2|3|x|", true, "x"},
        {"OK", true, ""},
        {"ok|1|2|3|x|rest", false, "x"},
        {"O", false, ""},
        {"", false, ""},
        {" OK|1|2|3|x|", false, "x"},
        {std::string("OK|\0|\xFF|3|\x01\x02|", 12), true, std::string("\x01\x02", 2)},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(HandshakeAccepted(c.Reply), c.Accepted) << c.Reply;
        EXPECT_EQ(HandshakeTicket(c.Reply), c.Ticket) << c.Reply;
    }
}

TEST(SubmitScoreTest, ScoreTextIsPaddedWithTheDifficultyDigit) {
    struct TCase {
        uint8_t Difficulty;
        std::string Name;
        int32_t Score;
        std::string Country;
        std::string Ticket;
        std::string Text;
    };
    const TCase cases[] = {
        // 46 characters before the padding.
        {0, "Abcde", 12345, "", "", "type=0|name=Abcde|score=12345|key=Z|p=|add=|z=0000"},
        // Already a multiple of 5: no padding.
        {2, "Abcd", 12345, "", "", "type=2|name=Abcd|score=12345|key=Z|p=|add=|z="},
        {1, "\xC8\xE2\xE0\xED", 7, "\xD0\xEE\xF1\xF1\xE8\xFF", "x9",
         "type=1|name=\xC8\xE2\xE0\xED|score=7|key=Z|p=x9|add=\xD0\xEE\xF1\xF1\xE8\xFF|z=1"},
    };
    for (const TCase& c : cases) {
        TScoreSubmission game;
        game.Difficulty = c.Difficulty;
        game.PlayerName = c.Name;
        game.Score = c.Score;
        game.Country = c.Country;
        const std::string text = BuildScoreText(game, c.Ticket);
        EXPECT_EQ(text, c.Text);
        EXPECT_EQ(text.size() % 5, 0u);
        EXPECT_EQ(DecodeLine(EncodeLine(text)), text);
    }
}

// What a run against the test server saw: the request targets and the traced statuses.
struct TSubmitRun {
    bool Accepted = false;
    std::vector<std::string> Targets;
    std::vector<std::pair<std::string, long>> Traced;
};

TSubmitRun Submit(TScoreTestServer& Server, long TotalTimeoutMs = 5000) {
    TScoreSubmission game;
    game.ServiceUrl = Server.Url();
    game.Difficulty = 1;
    game.PlayerName = "Tester";
    game.Score = 4321;
    game.Country = "\xD0\xEE\xF1\xF1\xE8\xFF";
    game.ConnectTimeoutMs = 1000;
    game.TotalTimeoutMs = TotalTimeoutMs;
    TSubmitRun run;
    run.Accepted = SubmitScore(
        game, [&run](const std::string& Url, long Status) { run.Traced.emplace_back(Url, Status); });
    run.Targets = Server.Targets();
    return run;
}

// The score text the service received in the second request.
std::string SentText(const std::string& Target) {
    const std::string marker = "&inf=";
    const size_t at = Target.find(marker);
    return at == std::string::npos ? std::string() : DecodeLine(Target.substr(at + marker.size()));
}

TEST(SubmitScoreTest, AcceptedHandshakeSendsTheScoreWithTheTicket) {
    struct TCase {
        std::string Reply;
        std::string Ticket;
    };
    const TCase cases[] = {
        {"OK|1|2|3|x|rest", "x"},
        {"OK|1|2|3|x", ""},
        // Far past the reply limit: only the first part is read, the ticket is in it.
        {"OK|1|2|3|big|" + std::string(1 << 20, 'r'), "big"},
    };
    for (const TCase& c : cases) {
        TScoreTestServer server([&c](const std::string&) { return c.Reply; });
        ASSERT_NE(server.Port(), 0);
        const TSubmitRun run = Submit(server);
        EXPECT_TRUE(run.Accepted);
        ASSERT_EQ(run.Targets.size(), 2u);
        EXPECT_EQ(run.Targets[0], "/cgi/version.pl?version&prg=Velmorant");
        EXPECT_EQ(run.Targets[1].rfind("/cgi/version.pl?hs&prg=Velmorant&inf=", 0), 0u);
        std::string expected =
            "type=1|name=Tester|score=4321|key=Z|p=" + c.Ticket + "|add=\xD0\xEE\xF1\xF1\xE8\xFF|z=";
        expected.append((5 - expected.size() % 5) % 5, '1');
        EXPECT_EQ(SentText(run.Targets[1]), expected);
        ASSERT_EQ(run.Traced.size(), 2u);
        EXPECT_EQ(run.Traced[0].first, server.Url() + "?version&prg=Velmorant");
        EXPECT_EQ(run.Traced[0].second, 200);
    }
}

TEST(SubmitScoreTest, RefusedHandshakeSendsNothing) {
    const std::string replies[] = {"ok", "", std::string("\0OK\xFF\xFE", 5), std::string(200000, '\x80')};
    for (const std::string& reply : replies) {
        TScoreTestServer server([&reply](const std::string&) { return reply; });
        const TSubmitRun run = Submit(server);
        EXPECT_FALSE(run.Accepted);
        EXPECT_EQ(run.Targets.size(), 1u);
        ASSERT_EQ(run.Traced.size(), 1u);
        EXPECT_EQ(run.Traced[0].second, 200);
    }
}

TEST(SubmitScoreTest, UnreachableOrSilentServiceGivesUp) {
    // A port nobody listens on any more.
    int closedPort = 0;
    {
        TScoreTestServer gone([](const std::string&) { return std::string("OK"); });
        closedPort = gone.Port();
    }
    TScoreSubmission game;
    game.ServiceUrl = "http://127.0.0.1:" + std::to_string(closedPort) + "/cgi/version.pl";
    std::vector<long> statuses;
    EXPECT_FALSE(
        SubmitScore(game, [&statuses](const std::string&, long Status) { statuses.push_back(Status); }));
    EXPECT_EQ(statuses, std::vector<long>{0});

    TScoreTestServer silent([](const std::string&) { return std::string("OK|1|2|3|x|"); }, true);
    const TSubmitRun run = Submit(silent, 300);
    EXPECT_FALSE(run.Accepted);
    ASSERT_EQ(run.Traced.size(), 1u);
    EXPECT_EQ(run.Traced[0].second, 0);
}
} // namespace
