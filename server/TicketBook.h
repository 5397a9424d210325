// SPDX-License-Identifier: MIT
#pragma once

#include "server/ScoreStore.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>

// Hands out the tickets of the handshake and takes them back with the scores. A ticket is 32
// random hexadecimal digits, kept in the store, good for one score within TicketLifetime.
class TTicketBook {
public:
    static constexpr int64_t TicketLifetime = 10 * 60;
    static constexpr size_t TicketLength = 32;

    explicit TTicketBook(IScoreStore& Store) : Store(Store) {}

    // A fresh ticket, recorded as issued at Now.
    [[nodiscard]] std::string Issue(int64_t Now);
    // Hands in the ticket with the score (stored only when the ticket is good).
    [[nodiscard]] TTicketUse Redeem(const std::string& Ticket, int64_t Now, const TScoreRecord& Score);

    // The form every ticket has; anything else is not worth a look in the store.
    [[nodiscard]] static bool LooksLikeTicket(std::string_view Ticket);

private:
    void ForgetOldTickets(int64_t Now);

    IScoreStore& Store;
    std::atomic<uint32_t> IssuedCount{0};
};
