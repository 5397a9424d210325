// SPDX-License-Identifier: MIT
#include "ServerFixtures.h"
#include "screens/LineCode.h"
#include "screens/ScoreSubmit.h"
#include "server/ScoreStore.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <httplib.h>

#include <fstream>
#include <thread>

namespace {
// One raw connection to the server, for requests sent in pieces.
class TRawClient {
public:
    explicit TRawClient(int Port) : Socket(socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(static_cast<uint16_t>(Port));
        Connected = connect(Socket, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
        timeval limit{10, 0};
        setsockopt(Socket, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof(limit));
    }
    ~TRawClient() { close(Socket); }
    TRawClient(const TRawClient&) = delete;
    TRawClient& operator=(const TRawClient&) = delete;

    bool Send(const std::string& Text) { return send(Socket, Text.data(), Text.size(), MSG_NOSIGNAL) == ssize_t(Text.size()); }
    // One reply: its header and as many body bytes as its Content-Length says.
    std::string ReadReply() {
        std::string text;
        char buffer[4096];
        for (ssize_t got; (got = recv(Socket, buffer, sizeof(buffer), 0)) > 0;) {
            text.append(buffer, static_cast<size_t>(got));
            const size_t end = text.find("\r\n\r\n");
            const size_t length = text.find("Content-Length: ");
            if (end != std::string::npos && length != std::string::npos &&
                text.size() >= end + 4 + std::stoul(text.substr(length + 16))) {
                break;
            }
        }
        return text;
    }
    // Everything until the server closes the connection (or 10 s pass).
    std::string ReadAll() {
        std::string text;
        char buffer[4096];
        for (ssize_t got; (got = recv(Socket, buffer, sizeof(buffer), 0)) > 0;) {
            text.append(buffer, static_cast<size_t>(got));
        }
        return text;
    }
    bool Connected = false;

private:
    int Socket;
};

TScoreSubmission GameScore(const TScoresProcess& Server, const std::string& Name, int32_t Score) {
    TScoreSubmission game;
    game.ServiceUrl = Server.BaseUrl() + "/cgi/version.pl";
    game.Difficulty = 1;
    game.PlayerName = Name;
    game.Score = Score;
    game.Country = "Earth";
    return game;
}
} // namespace

// The game's own client code sends a score; the service stores it, shows it, and stops on
// SIGTERM with exit code 0.
TEST(ScoresProcess, TakesTheGamesScoreAndStopsOnSigterm) {
    TTempFolder folder;
    TScoresProcess server(folder.Path(), {"--database", (folder.Path() / "scores.db").string()});
    ASSERT_NE(server.Port(), 0) << server.Log();
    std::vector<std::string> requests;
    EXPECT_TRUE(SubmitScore(GameScore(server, "Tester", 777), [&](const std::string& Url, long Status) {
        requests.push_back(Url + " " + std::to_string(Status));
    }));
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1].substr(requests[1].size() - 4), " 200");

    httplib::Client client("127.0.0.1", server.Port());
    const auto json = client.Get("/api/scores?type=1");
    ASSERT_TRUE(json);
    EXPECT_NE(json->body.find("\"name\":\"Tester\",\"country\":\"Earth\",\"score\":777"), std::string::npos);
    EXPECT_EQ(json->get_header_value("Access-Control-Allow-Origin"), "*");
    const auto health = client.Get("/healthz");
    ASSERT_TRUE(health);
    EXPECT_EQ(health->body, "ok\n");
    const auto logo = client.Get("/logo.png");
    ASSERT_TRUE(logo);
    EXPECT_EQ(logo->get_header_value("Content-Type"), "image/png");
    EXPECT_EQ(logo->body.substr(1, 3), "PNG");

    EXPECT_EQ(server.Stop(), 0);
    EXPECT_NE(server.Log().find("event=accepted request=hs type=1 score=777 name=Tester client=127.0.0.1"),
              std::string::npos)
        << server.Log();
    EXPECT_NE(server.Log().find("event=stopped"), std::string::npos);
}

// A request whose first half arrived before SIGTERM is still answered; new connections are not.
TEST(ScoresProcess, RequestInFlightIsFinishedAfterSigterm) {
    TTempFolder folder;
    TScoresProcess server(folder.Path(), {"--database", (folder.Path() / "scores.db").string()});
    ASSERT_NE(server.Port(), 0) << server.Log();
    TRawClient slow(server.Port());
    ASSERT_TRUE(slow.Connected);
    ASSERT_TRUE(slow.Send("GET /healthz HTTP/1.1\r\nHost: x\r\n"));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    std::thread stopper([&] { EXPECT_EQ(server.Stop(), 0); });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    ASSERT_TRUE(slow.Send("Connection: close\r\n\r\n"));
    const std::string reply = slow.ReadAll();
    stopper.join();
    EXPECT_EQ(reply.substr(0, 15), "HTTP/1.1 200 OK") << reply;
    EXPECT_NE(reply.find("\r\n\r\nok\n"), std::string::npos);
    EXPECT_FALSE(TRawClient(server.Port()).Connected);
}

TEST(ScoresProcess, KeepsConnectionsAliveAndLimitsRequestSizes) {
    TTempFolder folder;
    TScoresProcess server(folder.Path(), {"--database", (folder.Path() / "scores.db").string()});
    ASSERT_NE(server.Port(), 0) << server.Log();
    {
        // Three requests, one after the other, on one connection.
        TRawClient client(server.Port());
        for (int i = 0; i < 3; ++i) {
            ASSERT_TRUE(client.Send("GET /healthz HTTP/1.1\r\nHost: x\r\n\r\n"));
            const std::string reply = client.ReadReply();
            EXPECT_EQ(reply.substr(0, 15), "HTTP/1.1 200 OK") << i;
            EXPECT_NE(reply.find("Keep-Alive: timeout=5, max=100"), std::string::npos) << reply;
        }
    }
    httplib::Client client("127.0.0.1", server.Port());
    const auto longLine = client.Get("/cgi/version.pl?prg=Velmorant&hs&inf=" + std::string(9000, 'Q'));
    ASSERT_TRUE(longLine);
    EXPECT_EQ(longLine->status, 414);
    TRawClient bigHeader(server.Port());
    ASSERT_TRUE(bigHeader.Send("GET /healthz HTTP/1.1\r\nHost: x\r\nX-Filler: " + std::string(9000, 'a') + "\r\n\r\n"));
    EXPECT_EQ(bigHeader.ReadAll().find("HTTP/1.1 200"), std::string::npos);
    const auto unknown = client.Get("/cgi/version.pl?hs&prg=Velmorant&inf=QQQQQQQQ");
    ASSERT_TRUE(unknown);
    EXPECT_EQ(unknown->status, 400);
    EXPECT_EQ(unknown->body, "ERR bad-format\n");
    EXPECT_EQ(server.Stop(), 0);
}

// X-Forwarded-For names the client only when the operator says a proxy writes it.
TEST(ScoresProcess, ForwardedAddressIsTrustedOnlyWhenAsked) {
    for (const bool trust : {false, true}) {
        TTempFolder folder;
        std::vector<std::string> arguments = {"--database", (folder.Path() / "scores.db").string()};
        if (trust) {
            arguments.push_back("--trust-proxy");
        }
        TScoresProcess server(folder.Path(), arguments);
        ASSERT_NE(server.Port(), 0) << server.Log();
        httplib::Client client("127.0.0.1", server.Port());
        const auto reply = client.Get("/cgi/version.pl?prg=Nobody&show", {{"X-Forwarded-For", "198.51.100.1, 203.0.113.9"}});
        ASSERT_TRUE(reply);
        EXPECT_EQ(reply->status, 404);
        EXPECT_EQ(server.Stop(), 0);
        const std::string expected = trust ? "client=203.0.113.9" : "client=127.0.0.1";
        EXPECT_NE(server.Log().find("event=refused reason=unknown-program status=404 " + expected), std::string::npos)
            << server.Log();
    }
}

TEST(ScoresProcess, CommandLine) {
    TTempFolder folder;
    const std::string program = TScoresProcess::Program().string();
    const auto run = [&](const std::string& Arguments) {
        return Shell("cd '" + folder.Path().string() + "' && '" + program + "' " + Arguments + " > out.txt 2> err.txt");
    };
    const auto read = [&](const char* Name) {
        std::ifstream in(folder.Path() / Name);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    };
    EXPECT_EQ(run("--help"), 0);
    EXPECT_NE(read("out.txt").find("--database"), std::string::npos);
    EXPECT_EQ(run("--version"), 0);
    EXPECT_EQ(read("out.txt").substr(0, 12), "zibo-scores ");
    for (const char* bad : {"--bogus", "--listen nowhere", "--listen 127.0.0.1:70000", "--rate-limit -1", "--threads 0",
                            "--database"}) {
        EXPECT_EQ(run(bad), 2) << bad;
        EXPECT_NE(read("err.txt").find("Usage:"), std::string::npos) << bad;
    }
    EXPECT_EQ(run("--listen 127.0.0.1:0 --database /nonexistent/folder/scores.db"), 1);
    EXPECT_NE(read("err.txt").find("event=failed reason=database"), std::string::npos) << read("err.txt");
}

// Behind a load balancer: the handshake goes to one server, the score to another, and both
// show it; the ticket is spent for both.
TEST(ScoresProcess, TwoServersShareOnePostgresqlDatabase) {
    if (!HasPostgresql()) {
        GTEST_SKIP() << "zibo-scores was built without libpqxx";
    }
    TPostgresCluster cluster;
    if (!cluster.Available()) {
        GTEST_SKIP() << cluster.Why();
    }
    TTempFolder folder;
    TScoresProcess first(folder.Path(), {"--database", cluster.Url()});
    TScoresProcess second(folder.Path(), {"--database", cluster.Url()});
    ASSERT_NE(first.Port(), 0) << first.Log();
    ASSERT_NE(second.Port(), 0) << second.Log();
    httplib::Client one("127.0.0.1", first.Port());
    httplib::Client two("127.0.0.1", second.Port());
    const auto handshake = one.Get("/cgi/version.pl?version&prg=Velmorant");
    ASSERT_TRUE(handshake);
    TScoreSubmission game = GameScore(first, "Shared", 1234);
    const std::string score =
        "/cgi/version.pl?hs&prg=Velmorant&inf=" + EncodeLine(BuildScoreText(game, HandshakeTicket(handshake->body)));
    const auto accepted = two.Get(score.c_str());
    ASSERT_TRUE(accepted);
    EXPECT_EQ(accepted->body, "OK\n");
    const auto again = one.Get(score.c_str());
    ASSERT_TRUE(again);
    EXPECT_EQ(again->body, "ERR used-ticket\n");
    for (httplib::Client* client : {&one, &two}) {
        const auto json = client->Get("/api/scores?type=1");
        ASSERT_TRUE(json);
        EXPECT_NE(json->body.find("\"name\":\"Shared\",\"country\":\"Earth\",\"score\":1234"), std::string::npos);
    }
    EXPECT_EQ(first.Stop(), 0);
    EXPECT_EQ(second.Stop(), 0);
}
