// SPDX-License-Identifier: MIT
#pragma once

#include "server/ScoreStore.h"

#include <memory>
#include <string>

// The store for several servers behind one load balancer: a PostgreSQL database reached
// through a small pool of connections. Tables are created on first open, under a lock, so
// servers starting together do not trip over each other.
class TPostgresStore final : public IScoreStore {
public:
    // Throws std::runtime_error when the database cannot be reached or set up.
    TPostgresStore(const std::string& Url, size_t Connections);
    ~TPostgresStore() override;
    TPostgresStore(const TPostgresStore&) = delete;
    TPostgresStore& operator=(const TPostgresStore&) = delete;

    void AddTicket(const std::string& Ticket, int64_t IssuedAt) override;
    TTicketUse AddScore(const std::string& Ticket, int64_t NotBefore, const TScoreRecord& Score) override;
    void ForgetTickets(int64_t Before) override;
    std::vector<TScoreRecord> TopScores(int32_t Type, int64_t Since, int32_t Limit) override;
    int64_t ScoreCount() override;
    bool Healthy() override;

private:
    // The connections, each lent to one call at a time.
    class TPool;
    class TLease;
    std::unique_ptr<TPool> Pool;
};
