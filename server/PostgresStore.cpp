// SPDX-License-Identifier: MIT
#include "server/PostgresStore.h"

#include <pqxx/pqxx>

#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <vector>

namespace {
// Any number the servers agree on: the lock that serialises creating the tables.
constexpr int64_t SchemaLock = 0x5A1B0;

const char* const kSchema = R"sql(
CREATE TABLE IF NOT EXISTS tickets (
    ticket TEXT PRIMARY KEY,
    issued BIGINT NOT NULL,
    used BOOLEAN NOT NULL DEFAULT FALSE
);
CREATE INDEX IF NOT EXISTS tickets_by_issue ON tickets (issued);
CREATE TABLE IF NOT EXISTS scores (
    id BIGSERIAL PRIMARY KEY,
    type SMALLINT NOT NULL,
    name TEXT NOT NULL,
    country TEXT NOT NULL,
    score BIGINT NOT NULL,
    created BIGINT NOT NULL,
    client TEXT NOT NULL
);
CREATE INDEX IF NOT EXISTS scores_by_rank ON scores (type, score DESC, created, id);
)sql";

// Runs Work in a transaction on Connection, turning the library's errors into runtime_error.
template <typename TWork>
auto InTransaction(pqxx::connection& Connection, TWork&& Work) {
    try {
        pqxx::work transaction(Connection);
        auto result = Work(transaction);
        transaction.commit();
        return result;
    } catch (const pqxx::failure& e) {
        throw std::runtime_error(std::string("postgresql: ") + e.what());
    }
}
} // namespace

class TPostgresStore::TPool {
public:
    TPool(const std::string& Url, size_t Count) {
        try {
            for (size_t i = 0; i < std::max<size_t>(1, Count); ++i) {
                Connections.push_back(std::make_unique<pqxx::connection>(Url));
                Idle.push_back(Connections.back().get());
            }
        } catch (const std::exception& e) {
            throw std::runtime_error(std::string("postgresql: cannot connect: ") + e.what());
        }
    }

    pqxx::connection& Acquire() {
        std::unique_lock<std::mutex> lock(Guard);
        Returned.wait(lock, [this] { return !Idle.empty(); });
        pqxx::connection* connection = Idle.back();
        Idle.pop_back();
        return *connection;
    }

    void Release(pqxx::connection& Connection) {
        {
            std::lock_guard<std::mutex> lock(Guard);
            Idle.push_back(&Connection);
        }
        Returned.notify_one();
    }

private:
    std::vector<std::unique_ptr<pqxx::connection>> Connections;
    std::vector<pqxx::connection*> Idle;
    std::mutex Guard;
    std::condition_variable Returned;
};

// A connection borrowed from the pool for one call.
class TPostgresStore::TLease {
public:
    explicit TLease(TPostgresStore& Store) : Pool(*Store.Pool), Connection(Pool.Acquire()) {}
    ~TLease() { Pool.Release(Connection); }
    TLease(const TLease&) = delete;
    TLease& operator=(const TLease&) = delete;
    pqxx::connection& operator*() const { return Connection; }

private:
    TPool& Pool;
    pqxx::connection& Connection;
};

TPostgresStore::TPostgresStore(const std::string& Url, size_t Connections)
    : Pool(std::make_unique<TPool>(Url, Connections)) {
    TLease lease(*this);
    InTransaction(*lease, [](pqxx::work& T) {
        T.exec_params("SELECT pg_advisory_xact_lock($1)", SchemaLock);
        T.exec(kSchema);
        return 0;
    });
}

TPostgresStore::~TPostgresStore() = default;

void TPostgresStore::AddTicket(const std::string& Ticket, int64_t IssuedAt) {
    TLease lease(*this);
    InTransaction(*lease, [&](pqxx::work& T) {
        T.exec_params("INSERT INTO tickets (ticket, issued) VALUES ($1, $2)", Ticket, IssuedAt);
        return 0;
    });
}

TTicketUse TPostgresStore::AddScore(const std::string& Ticket, int64_t NotBefore, const TScoreRecord& Score) {
    TLease lease(*this);
    return InTransaction(*lease, [&](pqxx::work& T) {
        // The row stays locked until the end of the transaction: a ticket sent twice at once
        // is accepted once.
        const pqxx::result found = T.exec_params("SELECT issued, used FROM tickets WHERE ticket = $1 FOR UPDATE", Ticket);
        if (found.empty()) {
            return TTicketUse::Unknown;
        }
        if (found[0][1].as<bool>()) {
            return TTicketUse::Used;
        }
        if (found[0][0].as<int64_t>() < NotBefore) {
            return TTicketUse::Expired;
        }
        T.exec_params("UPDATE tickets SET used = TRUE WHERE ticket = $1", Ticket);
        T.exec_params("INSERT INTO scores (type, name, country, score, created, client) VALUES ($1, $2, $3, $4, $5, $6)",
                      Score.Type, Score.Name, Score.Country, Score.Score, Score.Time, Score.Client);
        return TTicketUse::Accepted;
    });
}

void TPostgresStore::ForgetTickets(int64_t Before) {
    TLease lease(*this);
    InTransaction(*lease, [&](pqxx::work& T) {
        T.exec_params("DELETE FROM tickets WHERE issued < $1", Before);
        return 0;
    });
}

std::vector<TScoreRecord> TPostgresStore::TopScores(int32_t Type, int64_t Since, int32_t Limit) {
    TLease lease(*this);
    return InTransaction(*lease, [&](pqxx::work& T) {
        const pqxx::result rows =
            T.exec_params("SELECT name, country, score, created FROM scores WHERE type = $1 AND created >= $2 "
                          "ORDER BY score DESC, created, id LIMIT $3",
                          Type, Since, Limit);
        std::vector<TScoreRecord> top;
        for (const auto& row : rows) {
            top.push_back({Type, row[0].as<std::string>(), row[1].as<std::string>(), row[2].as<int64_t>(),
                           row[3].as<int64_t>(), {}});
        }
        return top;
    });
}

int64_t TPostgresStore::ScoreCount() {
    TLease lease(*this);
    return InTransaction(*lease, [](pqxx::work& T) { return T.exec("SELECT COUNT(*) FROM scores")[0][0].as<int64_t>(); });
}

bool TPostgresStore::Healthy() {
    try {
        TLease lease(*this);
        return InTransaction(*lease, [](pqxx::work& T) { return T.exec("SELECT 1").size() == 1; });
    } catch (const std::exception&) {
        return false;
    }
}
