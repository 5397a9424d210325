// SPDX-License-Identifier: MIT
#include "server/SqliteStore.h"

#include <sqlite3.h>

#include <stdexcept>

namespace {
constexpr int BusyTimeoutMs = 5000;

const char* const kSchema = R"sql(
CREATE TABLE IF NOT EXISTS tickets (
    ticket TEXT PRIMARY KEY,
    issued INTEGER NOT NULL,
    used INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX IF NOT EXISTS tickets_by_issue ON tickets (issued);
CREATE TABLE IF NOT EXISTS scores (
    id INTEGER PRIMARY KEY,
    type INTEGER NOT NULL,
    name TEXT NOT NULL,
    country TEXT NOT NULL,
    score INTEGER NOT NULL,
    created INTEGER NOT NULL,
    client TEXT NOT NULL
);
CREATE INDEX IF NOT EXISTS scores_by_rank ON scores (type, score DESC, created, id);
)sql";

[[noreturn]] void Fail(sqlite3* Db, const std::string& What) {
    throw std::runtime_error("sqlite: " + What + ": " + (Db ? sqlite3_errmsg(Db) : "out of memory"));
}
} // namespace

// One prepared statement, finalized when it goes out of scope; parameters are bound, never
// pasted into the text.
class TSqliteStore::TStatement {
public:
    TStatement(sqlite3* Db, const char* Sql) : Db(Db) {
        if (sqlite3_prepare_v2(Db, Sql, -1, &Handle, nullptr) != SQLITE_OK) {
            Fail(Db, "prepare");
        }
    }
    ~TStatement() { sqlite3_finalize(Handle); }
    TStatement(const TStatement&) = delete;
    TStatement& operator=(const TStatement&) = delete;

    TStatement& Bind(int Index, int64_t Value) {
        Check(sqlite3_bind_int64(Handle, Index, Value));
        return *this;
    }
    TStatement& Bind(int Index, const std::string& Value) {
        Check(sqlite3_bind_text(Handle, Index, Value.data(), static_cast<int>(Value.size()), SQLITE_TRANSIENT));
        return *this;
    }
    // True while a row is there to read.
    bool Step() {
        const int rc = sqlite3_step(Handle);
        if (rc != SQLITE_ROW && rc != SQLITE_DONE) {
            Fail(Db, "step");
        }
        return rc == SQLITE_ROW;
    }
    [[nodiscard]] int64_t Int(int Column) const { return sqlite3_column_int64(Handle, Column); }
    [[nodiscard]] std::string Text(int Column) const {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(Handle, Column));
        return text ? std::string(text, static_cast<size_t>(sqlite3_column_bytes(Handle, Column))) : std::string();
    }

private:
    void Check(int Rc) const {
        if (Rc != SQLITE_OK) {
            Fail(Db, "bind");
        }
    }
    sqlite3* Db;
    sqlite3_stmt* Handle = nullptr;
};

TSqliteStore::TSqliteStore(const std::string& File) {
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX;
    if (sqlite3_open_v2(File.c_str(), &Db, flags, nullptr) != SQLITE_OK) {
        const std::string reason = Db ? sqlite3_errmsg(Db) : "out of memory";
        sqlite3_close(Db);
        throw std::runtime_error("sqlite: cannot open " + File + ": " + reason);
    }
    try {
        sqlite3_busy_timeout(Db, BusyTimeoutMs);
        Execute("PRAGMA journal_mode=WAL");
        Execute("PRAGMA synchronous=NORMAL");
        Execute(kSchema);
    } catch (...) {
        sqlite3_close(Db);
        throw;
    }
}

TSqliteStore::~TSqliteStore() { sqlite3_close(Db); }

void TSqliteStore::Execute(const char* Sql) {
    char* error = nullptr;
    if (sqlite3_exec(Db, Sql, nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string reason = error ? error : "unknown error";
        sqlite3_free(error);
        throw std::runtime_error("sqlite: " + reason);
    }
}

void TSqliteStore::AddTicket(const std::string& Ticket, int64_t IssuedAt) {
    std::lock_guard<std::mutex> lock(Guard);
    TStatement(Db, "INSERT INTO tickets (ticket, issued) VALUES (?1, ?2)").Bind(1, Ticket).Bind(2, IssuedAt).Step();
}

TTicketUse TSqliteStore::UseTicket(const std::string& Ticket, int64_t NotBefore) {
    int64_t issued = 0;
    int64_t used = 0;
    {
        TStatement find(Db, "SELECT issued, used FROM tickets WHERE ticket = ?1");
        if (!find.Bind(1, Ticket).Step()) {
            return TTicketUse::Unknown;
        }
        issued = find.Int(0);
        used = find.Int(1);
    }
    if (used != 0) {
        return TTicketUse::Used;
    }
    if (issued < NotBefore) {
        return TTicketUse::Expired;
    }
    TStatement(Db, "UPDATE tickets SET used = 1 WHERE ticket = ?1").Bind(1, Ticket).Step();
    return TTicketUse::Accepted;
}

void TSqliteStore::InsertScore(const TScoreRecord& Score) {
    TStatement insert(Db, "INSERT INTO scores (type, name, country, score, created, client) "
                          "VALUES (?1, ?2, ?3, ?4, ?5, ?6)");
    insert.Bind(1, Score.Type).Bind(2, Score.Name).Bind(3, Score.Country).Bind(4, Score.Score);
    insert.Bind(5, Score.Time).Bind(6, Score.Client).Step();
}

TTicketUse TSqliteStore::AddScore(const std::string& Ticket, int64_t NotBefore, const TScoreRecord& Score) {
    std::lock_guard<std::mutex> lock(Guard);
    Execute("BEGIN IMMEDIATE");
    try {
        const TTicketUse use = UseTicket(Ticket, NotBefore);
        if (use == TTicketUse::Accepted) {
            InsertScore(Score);
        }
        Execute("COMMIT");
        return use;
    } catch (...) {
        sqlite3_exec(Db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

void TSqliteStore::ForgetTickets(int64_t Before) {
    std::lock_guard<std::mutex> lock(Guard);
    TStatement(Db, "DELETE FROM tickets WHERE issued < ?1").Bind(1, Before).Step();
}

std::vector<TScoreRecord> TSqliteStore::TopScores(int32_t Type, int64_t Since, int32_t Limit) {
    std::lock_guard<std::mutex> lock(Guard);
    TStatement top(Db, "SELECT name, country, score, created FROM scores WHERE type = ?1 AND created >= ?2 "
                       "ORDER BY score DESC, created, id LIMIT ?3");
    top.Bind(1, Type).Bind(2, Since).Bind(3, Limit);
    std::vector<TScoreRecord> rows;
    while (top.Step()) {
        rows.push_back({Type, top.Text(0), top.Text(1), top.Int(2), top.Int(3), {}});
    }
    return rows;
}

int64_t TSqliteStore::ScoreCount() {
    std::lock_guard<std::mutex> lock(Guard);
    TStatement count(Db, "SELECT COUNT(*) FROM scores");
    return count.Step() ? count.Int(0) : 0;
}

bool TSqliteStore::Healthy() {
    try {
        std::lock_guard<std::mutex> lock(Guard);
        return TStatement(Db, "SELECT 1").Step();
    } catch (const std::runtime_error&) {
        return false;
    }
}
