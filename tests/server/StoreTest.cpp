// SPDX-License-Identifier: MIT
#include "ServerFixtures.h"
#include "server/ScoreStore.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {
// The same cases on the embedded store and on a throw-away PostgreSQL server.
class StoreTest : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        if (GetParam() == "sqlite") {
            Store = OpenScoreStore((Folder.Path() / "scores.db").string());
            return;
        }
        if (!HasPostgresql()) {
            GTEST_SKIP() << "zibo-scores was built without libpqxx";
        }
        Cluster = std::make_unique<TPostgresCluster>();
        if (!Cluster->Available()) {
            GTEST_SKIP() << Cluster->Why();
        }
        Store = OpenScoreStore(Cluster->Url());
    }

    TScoreRecord Score(int32_t Type, const std::string& Name, int64_t Points, int64_t Time) const {
        return {Type, Name, "Land", Points, Time, "192.0.2.1"};
    }

    // Stores a score through a fresh ticket.
    void Add(const TScoreRecord& Record) {
        const std::string ticket = "t" + std::to_string(++Tickets);
        Store->AddTicket(ticket, Record.Time);
        ASSERT_EQ(Store->AddScore(ticket, Record.Time, Record), TTicketUse::Accepted);
    }

    TTempFolder Folder;
    std::unique_ptr<TPostgresCluster> Cluster;
    std::unique_ptr<IScoreStore> Store;
    int Tickets = 0;
};

std::string NameOf(const ::testing::TestParamInfo<std::string>& Info) { return Info.param; }
} // namespace

TEST_P(StoreTest, TicketIsGoodForOneScoreWithinItsTime) {
    const TScoreRecord record = Score(1, "Zibo", 500, 1000);
    EXPECT_EQ(Store->AddScore("never-issued", 0, record), TTicketUse::Unknown);
    Store->AddTicket("abc", 1000);
    EXPECT_EQ(Store->AddScore("abc", 1001, record), TTicketUse::Expired);
    EXPECT_EQ(Store->AddScore("abc", 1000, record), TTicketUse::Accepted);
    EXPECT_EQ(Store->AddScore("abc", 1000, record), TTicketUse::Used);
    EXPECT_EQ(Store->ScoreCount(), 1);
    Store->ForgetTickets(1001);
    EXPECT_EQ(Store->AddScore("abc", 0, record), TTicketUse::Unknown);
    EXPECT_TRUE(Store->Healthy());
}

TEST_P(StoreTest, TopScoresAreBestFirstThenOldestFirstWithinTheirPeriod) {
    Add(Score(0, "Second", 700, 200));
    Add(Score(0, "First", 900, 300));
    Add(Score(0, "Third", 700, 250));
    Add(Score(0, "Old", 950, 10));
    Add(Score(1, "Other", 5000, 300));
    const auto top = Store->TopScores(0, 100, 10);
    ASSERT_EQ(top.size(), 3u);
    EXPECT_EQ(top[0].Name, "First");
    EXPECT_EQ(top[1].Name, "Second");
    EXPECT_EQ(top[2].Name, "Third");
    EXPECT_EQ(top[0].Score, 900);
    EXPECT_EQ(top[0].Time, 300);
    EXPECT_EQ(top[0].Country, "Land");
    EXPECT_EQ(Store->TopScores(0, 0, 2).size(), 2u);
    EXPECT_EQ(Store->TopScores(0, 0, 10).front().Name, "Old");
    EXPECT_TRUE(Store->TopScores(2, 0, 10).empty());
}

// Parameters are bound: quotes, SQL and Cyrillic come back as they went in.
TEST_P(StoreTest, TextComesBackVerbatim) {
    for (const std::string name : {"O'Neil", "x'); DROP TABLE scores; --", "Зибо \"Z\"", "\\%_"}) {
        Add(Score(2, name, 1, 50));
    }
    EXPECT_EQ(Store->ScoreCount(), 4);
    std::vector<std::string> names;
    for (const TScoreRecord& row : Store->TopScores(2, 0, 10)) {
        names.push_back(row.Name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"O'Neil", "x'); DROP TABLE scores; --", "Зибо \"Z\"", "\\%_"}));
}

// Sent twice at the same moment, a ticket still buys one score.
TEST_P(StoreTest, RacingRedemptionsOfOneTicketStoreOneScore) {
    Store->AddTicket("shared", 100);
    std::atomic<int> accepted{0};
    std::vector<std::thread> threads;
    for (int i = 0; i < 6; ++i) {
        threads.emplace_back([&] {
            if (Store->AddScore("shared", 0, Score(0, "Racer", 10, 100)) == TTicketUse::Accepted) {
                ++accepted;
            }
        });
    }
    for (std::thread& t : threads) {
        t.join();
    }
    EXPECT_EQ(accepted.load(), 1);
    EXPECT_EQ(Store->ScoreCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(Stores, StoreTest, ::testing::Values("sqlite", "postgresql"), NameOf);

TEST(SqliteStore, FileIsCreatedInWalModeAndKeepsScores) {
    TTempFolder folder;
    const std::string file = (folder.Path() / "new" / "scores.db").string();
    EXPECT_THROW((void)OpenScoreStore(file), std::runtime_error); // its folder does not exist
    std::filesystem::create_directory(folder.Path() / "new");
    {
        auto store = OpenScoreStore(file);
        store->AddTicket("k", 5);
        ASSERT_EQ(store->AddScore("k", 0, {0, "Keep", "", 42, 5, "192.0.2.1"}), TTicketUse::Accepted);
        EXPECT_TRUE(std::filesystem::exists(file + "-wal"));
    }
    auto reopened = OpenScoreStore(file);
    ASSERT_EQ(reopened->TopScores(0, 0, 10).size(), 1u);
    EXPECT_EQ(reopened->TopScores(0, 0, 10)[0].Name, "Keep");
}

TEST(PostgresStore, UnreachableServerIsAClearError) {
    if (!HasPostgresql()) {
        GTEST_SKIP() << "zibo-scores was built without libpqxx";
    }
    try {
        (void)OpenScoreStore("postgresql://zibo@127.0.0.1:" + std::to_string(FreeLoopbackPort()) + "/none");
        FAIL() << "opened a database nobody serves";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("postgresql: cannot connect"), std::string::npos) << e.what();
    }
}
