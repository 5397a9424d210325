// SPDX-License-Identifier: MIT
#include "game/ScoreTestServer.h"
#include "screens/LineCode.h"
#include "screens/ScoreSender.h"
#include "screens/ScoreSubmit.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {
TEST(SubmitScoreTest, HandshakeReplies) {
    struct TCase {
        long Status;
        std::string Reply;
        bool Accepted;
        std::string Ticket;
    };
    const TCase cases[] = {
        {200, "OK|1|2|3|x|rest", true, "x"},
        {200, "OK|1|2|3|x|", true, "x"},
        {200, std::string("OK|\0|\xFF|3|\x01\x02|", 12), true, std::string("\x01\x02", 2)},
        // Without a ticket the score would be sent in vain: the handshake failed.
        {200, "OK|1|2|3|x", false, ""},
        {200, "OK|1|2|3||rest", false, ""},
        {200, "OK|1|2", false, ""},
        {200, "OK", false, ""},
        {200, "ok|1|2|3|x|rest", false, "x"},
        {200, "O", false, ""},
        {200, "", false, ""},
        {200, " OK|1|2|3|x|", false, "x"},
        // Only a plain success counts, whatever the body says.
        {404, "OK|1|2|3|x|rest", false, "x"},
        {500, "OK|1|2|3|x|rest", false, "x"},
        {302, "OK|1|2|3|x|rest", false, "x"},
        {0, "OK|1|2|3|x|rest", false, "x"},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(HandshakeAccepted(c.Status, c.Reply), c.Accepted) << c.Status << " " << c.Reply;
        EXPECT_EQ(HandshakeTicket(c.Reply), c.Ticket) << c.Reply;
    }
}

// Only a bare address reaches the request line: anything that would change the request's
// path, query, user or scheme is refused.
TEST(SubmitScoreTest, ServiceAddresses) {
    const struct {
        std::string Address;
        bool Valid;
    } cases[] = {
        {"scores.example.net", true},
        {"localhost", true},
        {"127.0.0.1:8080", true},
        {"my-host.example:65535", true},
        {"[::1]:8080", true},
        {"[2001:db8::7]", true},
        {"host:1", true},
        {"", false},
        {"host:", false},
        {"host:0", false},
        {"host:65536", false},
        {"host:080", false},
        {"host:8a", false},
        {"host/path", false},
        {"host?x=1", false},
        {"user@host", false},
        {"http://host", false},
        {"two words", false},
        {"host.", false},
        {".host", false},
        {"a..b", false},
        {"-host", false},
        {"host-", false},
        {"[::1", false},
        {"[]", false},
        {"[host]", false},
        {std::string(64, 'a') + ".net", false},
        {std::string(63, 'a') + ".net", true},
        {"host\r\nX-Injected: 1", false},
        {std::string("ho\0st", 5), false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsServiceAddress(c.Address), c.Valid) << c.Address;
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

TScoreSubmission TestGame(const TScoreTestServer& Server, long TotalTimeoutMs) {
    TScoreSubmission game;
    game.ServiceUrl = Server.Url();
    game.Difficulty = 1;
    game.PlayerName = "Tester";
    game.Score = 4321;
    game.Country = "\xD0\xEE\xF1\xF1\xE8\xFF";
    game.ConnectTimeoutMs = 1000;
    game.TotalTimeoutMs = TotalTimeoutMs;
    return game;
}

TSubmitRun Submit(TScoreTestServer& Server, long TotalTimeoutMs = 5000) {
    const TScoreSubmission game = TestGame(Server, TotalTimeoutMs);
    TSubmitRun run;
    run.Accepted = SubmitScore(
        game, [&run](const std::string& Url, long Status) { run.Traced.emplace_back(Url, Status); });
    run.Targets = Server.Targets();
    return run;
}

// Until the server has read a request, or a generous bound when none ever comes.
void WaitForRequest(const TScoreTestServer& Server) {
    for (int i = 0; i < 30000 && Server.Targets().empty(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
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
    const std::string replies[] = {"ok",
                                   "",
                                   "OK|1|2",
                                   "OK|1|2|3|x",
                                   std::string("\0OK\xFF\xFE", 5),
                                   std::string(200000, '\x80')};
    for (const std::string& reply : replies) {
        TScoreTestServer server([&reply](const std::string&) { return reply; });
        const TSubmitRun run = Submit(server);
        EXPECT_FALSE(run.Accepted);
        EXPECT_EQ(run.Targets.size(), 1u);
        ASSERT_EQ(run.Traced.size(), 1u);
        EXPECT_EQ(run.Traced[0].second, 200);
    }
    // A reply that is not a plain success is refused whatever its body.
    for (const int status : {404, 500, 302}) {
        TScoreTestServer server([](const std::string&) { return std::string("OK|1|2|3|x|rest"); });
        server.SetStatus(status);
        const TSubmitRun run = Submit(server);
        EXPECT_FALSE(run.Accepted) << status;
        EXPECT_EQ(run.Targets.size(), 1u) << status;
        ASSERT_EQ(run.Traced.size(), 1u) << status;
        EXPECT_EQ(run.Traced[0].second, status);
    }
}

// The sender works on its own thread: while the service holds its answer nothing is finished
// and the caller goes on; once the answer comes both requests are noted in order.
TEST(SubmitScoreTest, SenderRunsBesideTheCallerAndNotesEachRequest) {
    TScoreTestServer server([](const std::string&) { return std::string("OK|1|2|3|t7|"); });
    ASSERT_NE(server.Port(), 0);
    server.Hold();
    // A budget far beyond the test's own time limit: only the service decides when this ends.
    TScoreSender sender(TestGame(server, 3600 * 1000));
    WaitForRequest(server);
    ASSERT_EQ(server.Targets().size(), 1u);
    EXPECT_FALSE(sender.Result().has_value());
    EXPECT_TRUE(sender.TakeRequests().empty());
    server.Release();
    sender.Wait();
    ASSERT_TRUE(sender.Result().has_value());
    EXPECT_TRUE(*sender.Result());
    const std::vector<TScoreSender::TRequest> requests = sender.TakeRequests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].Url, server.Url() + "?version&prg=Velmorant");
    EXPECT_EQ(requests[0].Status, 200);
    EXPECT_EQ(requests[1].Url.rfind(server.Url() + "?hs&prg=Velmorant&inf=", 0), 0u);
    EXPECT_TRUE(sender.TakeRequests().empty());
}

// Dropping a sender whose service never answers stops the request instead of waiting out an
// hour's budget (were it not stopped, the test would run into its time limit).
TEST(SubmitScoreTest, DroppedSenderStopsItsRequest) {
    TScoreTestServer silent([](const std::string&) { return std::string("OK|1|2|3|x|"); }, true);
    ASSERT_NE(silent.Port(), 0);
    {
        TScoreSender sender(TestGame(silent, 3600 * 1000));
        WaitForRequest(silent);
        EXPECT_EQ(silent.Targets().size(), 1u);
    }
    EXPECT_EQ(silent.Targets().size(), 1u);
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

// What --score-server and "scoreserver.txt" may give: a host with an optional port, or a full
// base address; nothing else reaches the request.
TEST(SubmitScoreTest, ServiceAddressesBecomeTheScriptUrl) {
    const struct {
        std::string Address;
        std::string Url;
    } cases[] = {
        {"scores.example.org", "http://scores.example.org/cgi/version.pl"},
        {"127.0.0.1:8642", "http://127.0.0.1:8642/cgi/version.pl"},
        {"http://127.0.0.1:8642", "http://127.0.0.1:8642/cgi/version.pl"},
        {"https://scores.example.org/", "https://scores.example.org/cgi/version.pl"},
        {"https://example.org/zibo/scores/", "https://example.org/zibo/scores/cgi/version.pl"},
        {"http://[::1]:8080/a_b-c~d.e", "http://[::1]:8080/a_b-c~d.e/cgi/version.pl"},
        {"ftp://example.org", ""},
        {"http://", ""},
        {"https://user@example.org", ""},
        {"http://example.org/a b", ""},
        {"http://example.org/../etc", ""},
        {"http://example.org/?x=1", ""},
        {"http://example.org:0", ""},
        {"HTTP://example.org", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ServiceScriptUrl(c.Address), c.Url) << c.Address;
    }
    EXPECT_EQ(ServiceScriptUrl(DefaultScoreService), "http://scores.kapitan-zibo.net/cgi/version.pl");
}
