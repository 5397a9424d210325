// SPDX-License-Identifier: MIT
#pragma once

#include "server/ScoreStore.h"

#include <mutex>
#include <string>

struct sqlite3;
struct sqlite3_stmt;

// The embedded store: one SQLite file in WAL mode, created with its tables on first open.
// One connection serves every thread, one statement at a time.
class TSqliteStore final : public IScoreStore {
public:
    // Throws std::runtime_error when the file cannot be opened or set up.
    explicit TSqliteStore(const std::string& File);
    ~TSqliteStore() override;
    TSqliteStore(const TSqliteStore&) = delete;
    TSqliteStore& operator=(const TSqliteStore&) = delete;

    void AddTicket(const std::string& Ticket, int64_t IssuedAt) override;
    TTicketUse AddScore(const std::string& Ticket, int64_t NotBefore, const TScoreRecord& Score) override;
    void ForgetTickets(int64_t Before) override;
    std::vector<TScoreRecord> TopScores(int32_t Type, int64_t Since, int32_t Limit) override;
    int64_t ScoreCount() override;
    bool Healthy() override;

private:
    class TStatement;
    void Execute(const char* Sql);
    TTicketUse UseTicket(const std::string& Ticket, int64_t NotBefore);
    void InsertScore(const TScoreRecord& Score);

    sqlite3* Db = nullptr;
    std::mutex Guard;
};
