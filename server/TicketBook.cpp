// SPDX-License-Identifier: MIT
#include "server/TicketBook.h"

#include <random>

namespace {
// Old tickets are cleared out once every this many issued; they are kept an hour after their
// lifetime so that a late score is told "expired" rather than "unknown".
constexpr uint32_t ForgetEvery = 1024;
constexpr int64_t KeptAfterLifetime = 60 * 60;

std::string RandomHex(size_t Length) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::random_device device;
    std::string text;
    text.reserve(Length);
    while (text.size() < Length) {
        uint32_t bits = device();
        for (int i = 0; i < 8 && text.size() < Length; ++i, bits >>= 4) {
            text.push_back(kDigits[bits & 15]);
        }
    }
    return text;
}
} // namespace

std::string TTicketBook::Issue(int64_t Now) {
    if (++IssuedCount % ForgetEvery == 0) {
        ForgetOldTickets(Now);
    }
    std::string ticket = RandomHex(TicketLength);
    Store.AddTicket(ticket, Now);
    return ticket;
}

TTicketUse TTicketBook::Redeem(const std::string& Ticket, int64_t Now, const TScoreRecord& Score) {
    if (!LooksLikeTicket(Ticket)) {
        return TTicketUse::Unknown;
    }
    return Store.AddScore(Ticket, Now - TicketLifetime, Score);
}

bool TTicketBook::LooksLikeTicket(std::string_view Ticket) {
    return Ticket.size() == TicketLength && Ticket.find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

void TTicketBook::ForgetOldTickets(int64_t Now) {
    Store.ForgetTickets(Now - TicketLifetime - KeptAfterLifetime);
}
