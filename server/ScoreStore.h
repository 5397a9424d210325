// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One stored score. Names and countries are UTF-8 (converted from the game's code page when
// the score arrives); times are seconds since 1970 (UTC).
struct TScoreRecord {
    int32_t Type = 0;
    std::string Name;
    std::string Country;
    int64_t Score = 0;
    int64_t Time = 0;
    std::string Client;
};

// What became of a ticket handed in with a score.
enum class TTicketUse { Accepted, Unknown, Expired, Used };

// Where tickets and scores live: the only state of the service, so that several servers may
// share one database. Every call is safe from any thread; a failing database throws
// std::runtime_error.
class IScoreStore {
public:
    virtual ~IScoreStore() = default;

    // Records a freshly issued ticket.
    virtual void AddTicket(const std::string& Ticket, int64_t IssuedAt) = 0;
    // In one transaction: when the ticket was issued at or after NotBefore and never used,
    // marks it used and stores the score (Accepted); otherwise stores nothing.
    virtual TTicketUse AddScore(const std::string& Ticket, int64_t NotBefore, const TScoreRecord& Score) = 0;
    // Drops the tickets issued before Time.
    virtual void ForgetTickets(int64_t Before) = 0;
    // The best Limit scores of one difficulty made at or after Since: highest first, equal
    // scores in the order they came.
    virtual std::vector<TScoreRecord> TopScores(int32_t Type, int64_t Since, int32_t Limit) = 0;
    // How many scores are stored (all difficulties).
    virtual int64_t ScoreCount() = 0;
    // A round trip to the database.
    virtual bool Healthy() = 0;
};

// The store a --database value names: "postgresql://..." or "postgres://..." opens
// PostgreSQL (when the server was built with it), anything else is an SQLite file, created
// on first use. Throws std::runtime_error with a readable reason when it cannot be opened.
[[nodiscard]] std::unique_ptr<IScoreStore> OpenScoreStore(const std::string& Database);

// Whether this build can open PostgreSQL databases.
[[nodiscard]] bool HasPostgresql();
