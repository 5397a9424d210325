// SPDX-License-Identifier: MIT
#include "ServerFixtures.h"
#include "screens/LineCode.h"
#include "screens/ScoreSubmit.h"
#include "server/ScoreService.h"
#include "server/SqliteStore.h"

#include <gtest/gtest.h>

namespace {
// "Зибо" and "Россия" in the game's code page, and in UTF-8.
const std::string Zibo1251 = "\xC7\xE8\xE1\xEE";
const std::string ZiboUtf8 = "Зибо";
const std::string Russia1251 = "\xD0\xEE\xF1\xF1\xE8\xFF";

// The service over an SQLite file in a temporary folder, with clocks the test moves.
class ServiceTest : public ::testing::Test {
protected:
    TTempFolder Folder;
    TSqliteStore Store{(Folder.Path() / "scores.db").string()};
    TEventLog Log{nullptr};
    int64_t Now = 1'800'000'000;
    int64_t Steady = 0;
    TScoreService Service{Store, Log, {30}, {[this] { return Now; }, [this] { return Steady; }}};

    // A GET of the script with a query of "key=value" or "key" words joined by "&".
    TServiceReply Get(const std::string& Query, const std::string& Client = "192.0.2.1",
                      const std::string& Path = "/cgi/version.pl") {
        TServiceRequest request{Path, {}, Client, ""};
        size_t start = 0;
        while (start <= Query.size() && !Query.empty()) {
            const size_t amp = std::min(Query.find('&', start), Query.size());
            const std::string word = Query.substr(start, amp - start);
            const size_t eq = word.find('=');
            request.Params.emplace(word.substr(0, eq), eq == std::string::npos ? "" : word.substr(eq + 1));
            start = amp + 1;
        }
        return Service.Handle(request);
    }

    std::string Handshake(const std::string& Client = "192.0.2.1") {
        const TServiceReply reply = Get("version&prg=Velmorant", Client);
        EXPECT_EQ(reply.Status, 200);
        return HandshakeTicket(reply.Body);
    }

    static std::string Inf(uint8_t Type, const std::string& Name, int32_t Score, const std::string& Ticket,
                           const std::string& Country = Russia1251) {
        TScoreSubmission game;
        game.Difficulty = Type;
        game.PlayerName = Name;
        game.Score = Score;
        game.Country = Country;
        return EncodeLine(BuildScoreText(game, Ticket));
    }

    TServiceReply Send(uint8_t Type, const std::string& Name, int32_t Score, const std::string& Client = "192.0.2.1") {
        const std::string ticket = Handshake(Client);
        return Get("hs&prg=Velmorant&inf=" + Inf(Type, Name, Score, ticket), Client);
    }

    [[nodiscard]] bool Logged(const std::string& Fragment) const {
        for (const std::string& line : Log.Kept()) {
            if (line.find(Fragment) != std::string::npos) {
                return true;
            }
        }
        return false;
    }
};
} // namespace

TEST_F(ServiceTest, HandshakeHandsOutFreshTicketsInTheGamesReplyForm) {
    const TServiceReply first = Get("version&prg=Velmorant");
    const TServiceReply second = Get("version&prg=Velmorant");
    EXPECT_TRUE(HandshakeAccepted(first.Status, first.Body)) << first.Body;
    EXPECT_EQ(first.Body.substr(0, 9), "OK|1|0|0|");
    EXPECT_EQ(HandshakeTicket(first.Body).size(), 32u);
    EXPECT_NE(HandshakeTicket(first.Body), HandshakeTicket(second.Body));
}

TEST_F(ServiceTest, AcceptedScoreIsStoredAndShownInUtf8) {
    const TServiceReply reply = Send(2, Zibo1251, 4321);
    EXPECT_EQ(reply.Status, 200);
    EXPECT_EQ(reply.Body, "OK\n");
    ASSERT_EQ(Store.ScoreCount(), 1);
    const auto top = Store.TopScores(2, 0, 10);
    ASSERT_EQ(top.size(), 1u);
    EXPECT_EQ(top[0].Name, ZiboUtf8);
    EXPECT_EQ(top[0].Country, "Россия");
    EXPECT_EQ(top[0].Score, 4321);
    EXPECT_EQ(top[0].Time, Now);
    EXPECT_TRUE(Logged("event=accepted request=hs type=2 score=4321"));

    const TServiceReply page = Get("prg=Velmorant&show&type=2");
    EXPECT_EQ(page.ContentType, "text/html; charset=utf-8");
    EXPECT_NE(page.Body.find("<td class=\"name\">Зибо<"), std::string::npos);
    const TServiceReply json = Get("type=2&period=today", "192.0.2.1", "/api/scores");
    EXPECT_EQ(json.ContentType, "application/json");
    EXPECT_NE(json.Body.find("\"name\":\"Зибо\",\"country\":\"Россия\",\"score\":4321"), std::string::npos) << json.Body;
}

// Every bad request is refused with its status and reason, logged with the reason, and leaves
// the table empty.
TEST_F(ServiceTest, BadRequestsAreRefusedWithTheirReasonAndStoreNothing) {
    const std::string usedTicket = Handshake();
    ASSERT_EQ(Get("hs&prg=Velmorant&inf=" + Inf(0, "First", 1, usedTicket)).Status, 200);
    const int64_t stored = Store.ScoreCount();
    const std::string expiredTicket = Handshake();
    Now += 11 * 60;
    const std::string ticket = Handshake();
    const std::string inf = "&inf=" + Inf(0, "Player", 10, ticket);
    const struct {
        std::string Query;
        int Status;
        const char* Reason;
    } cases[] = {
        {"hs&prg=Velmorant&inf=" + std::string(40, '!'), 400, "bad-encoding"},
        {"hs&prg=Velmorant&inf=" + Inf(0, "Player", 10, ticket).substr(3), 400, "bad-encoding"},
        {"hs&prg=Velmorant&inf=" + EncodeLine(PadPercent("type=0|name=Player|score=10|key=Q|p=" + ticket + "|add=|z=", 5)), 400,
         "wrong-key"},
        {"hs&prg=Velmorant&inf=" + Inf(0, "First", 1, usedTicket), 400, "used-ticket"},
        {"hs&prg=Velmorant&inf=" + Inf(0, "Player", 10, std::string(32, 'f')), 400, "unknown-ticket"},
        {"hs&prg=Velmorant&inf=" + Inf(0, "Player", 10, "1' OR '1'='1"), 400, "unknown-ticket"},
        {"hs&prg=Velmorant&inf=" + Inf(0, "Player", 10, expiredTicket), 400, "expired-ticket"},
        {"hs&prg=Velmorant&inf=" + std::string(70000, 'Q'), 400, "too-long"},
        {"hs&prg=Velmorant&inf=" + Inf(0, "<script>", 10, ticket), 400, "bad-name"},
        {"hs&prg=Velmorant&inf=" + Inf(0, "<script>alert(1)</script>", 10, ticket), 400, "bad-name"},
        {"hs&prg=Velmorant&inf=" + Inf(0, "'); DROP TABLE scores; --", 10, ticket), 400, "bad-name"},
        {"hs&prg=Velmorant&inf=" + Inf(0, "\"quoted name\"", 10, ticket), 400, "bad-name"},
        {"hs&prg=Velmorant&inf=" + Inf(0, "Player", 10, ticket, "<img src=x onerror=alert(1)>"), 400, "bad-country"},
        {"hs&prg=Velmorant&inf=" + Inf(0, "Player", 10, ticket, std::string(41, 'x')), 400, "bad-country"},
        {"hs&prg=Velmorant&inf=" + Inf(0, "Player", 999999999, ticket), 400, "score-too-high"},
        {"hs&prg=Velmorant", 400, "missing-score"},
        {"hs&prg=Velmorant" + inf + inf, 400, "repeated-parameter"},
        {"hs&prg=Other" + inf, 404, "unknown-program"},
        {"hs" + inf, 404, "unknown-program"},
        {"prg=Velmorant" + inf, 400, "unknown-request"},
        {"hs&version&prg=Velmorant" + inf, 400, "unknown-request"},
        {"prg=Velmorant&show&type=3", 400, "bad-type"},
        {"prg=Velmorant&show&type=1&period=year", 400, "bad-period"},
    };
    for (const auto& c : cases) {
        const TServiceReply reply = Get(c.Query);
        EXPECT_EQ(reply.Status, c.Status) << c.Reason;
        EXPECT_EQ(reply.Body, std::string("ERR ") + c.Reason + "\n");
        EXPECT_TRUE(Logged(std::string("event=refused reason=") + c.Reason + " status=" + std::to_string(c.Status)))
            << c.Reason;
    }
    EXPECT_EQ(Store.ScoreCount(), stored);
    // The ticket the refused texts carried is still good for the real score.
    EXPECT_EQ(Get("hs&prg=Velmorant" + inf).Status, 200);
}

// Names the markup rule lets through are stored as sent and escaped on the page.
TEST_F(ServiceTest, QuotesAndSqlInNamesAreStoredVerbatimAndEscaped) {
    ASSERT_EQ(Send(1, "O'Neil", 30).Status, 200);
    ASSERT_EQ(Send(1, "x';--\"&", 20).Status, 200);
    const auto top = Store.TopScores(1, 0, 10);
    ASSERT_EQ(top.size(), 2u);
    EXPECT_EQ(top[0].Name, "O'Neil");
    EXPECT_EQ(top[1].Name, "x';--\"&");
    const std::string page = Get("prg=Velmorant&show&type=1").Body;
    EXPECT_NE(page.find("O&#39;Neil"), std::string::npos);
    EXPECT_NE(page.find("x&#39;;--&quot;&amp;"), std::string::npos);
    EXPECT_EQ(page.find("x';--"), std::string::npos);
}

TEST_F(ServiceTest, SubmissionsPastTheLimitPerMinuteAreRefused) {
    for (int i = 0; i < 30; ++i) {
        ASSERT_EQ(Get("hs&prg=Velmorant&inf=QQQQQQQQ").Status, 400) << i;
    }
    EXPECT_EQ(Get("hs&prg=Velmorant&inf=QQQQQQQQ").Status, 429);
    EXPECT_TRUE(Logged("event=refused reason=rate-limited status=429 client=192.0.2.1"));
    // Another address has its own count; the first one's count starts again a minute later.
    EXPECT_EQ(Send(0, "Other", 5, "192.0.2.2").Status, 200);
    Steady += 60'000;
    EXPECT_EQ(Send(0, "Again", 5).Status, 200);
}

TEST_F(ServiceTest, TablesShowTheBestHundredOfTheChosenPeriod) {
    for (int i = 0; i < 105; ++i) {
        ASSERT_EQ(Send(0, "P" + std::to_string(i), 1000 + i, "198.51.100." + std::to_string(i)).Status, 200);
    }
    Now += 8 * 24 * 60 * 60;
    ASSERT_EQ(Send(0, "Late", 5).Status, 200);
    const auto rows = [this](const std::string& Period) {
        const std::string json = Get("type=0&period=" + Period, "192.0.2.1", "/api/scores").Body;
        size_t count = 0;
        for (size_t at = json.find("\"rank\":"); at != std::string::npos; at = json.find("\"rank\":", at + 1)) {
            ++count;
        }
        return count;
    };
    EXPECT_EQ(rows("all"), 100u);
    EXPECT_EQ(rows("week"), 1u);
    EXPECT_EQ(rows("today"), 1u);
    const std::string page = Get("prg=Velmorant&show&type=0").Body;
    EXPECT_LT(page.find(">P104<"), page.find(">P103<"));
    EXPECT_EQ(page.find(">P4<"), std::string::npos);
    EXPECT_EQ(Get("type=2", "192.0.2.1", "/api/scores").Body, "{\"type\":2,\"period\":\"all\",\"scores\":[]}\n");
}

TEST_F(ServiceTest, PagesSpeakTheBrowsersLanguage) {
    const auto page = [this](const std::string& Languages) {
        TServiceRequest request{"/cgi/version.pl", {{"prg", "Velmorant"}, {"show", ""}, {"type", "1"}}, "192.0.2.1",
                                Languages};
        return Service.Handle(request).Body;
    };
    for (const auto& [languages, english] : std::vector<std::pair<std::string, bool>>{
             {"", false}, {"ru-RU,ru;q=0.9,en;q=0.8", false}, {"en-GB,en;q=0.9,ru;q=0.5", true},
             {"de-DE,en;q=0.7", true}, {"fr", false}}) {
        const std::string html = page(languages);
        EXPECT_EQ(html.find("<html lang=\"en\">") != std::string::npos, english) << languages;
        EXPECT_EQ(html.find(english ? "World high scores" : "Мировые рекорды") != std::string::npos, true) << languages;
    }
}

TEST_F(ServiceTest, HealthAndUnknownPaths) {
    EXPECT_EQ(Get("", "192.0.2.1", "/healthz").Body, "ok\n");
    EXPECT_EQ(Get("", "192.0.2.1", "/nothing").Status, 404);
}
