// SPDX-License-Identifier: MIT
#pragma once

#include "server/EventLog.h"
#include "server/RateLimiter.h"
#include "server/ScoreStore.h"
#include "server/TicketBook.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>

// One request as the HTTP front hands it over: the path, the decoded query parameters, the
// client's address (already chosen between the socket and X-Forwarded-For) and the
// browser's preferred languages.
struct TServiceRequest {
    std::string Path;
    std::multimap<std::string, std::string> Params;
    std::string Client;
    std::string AcceptLanguage;
};

struct TServiceReply {
    int Status = 200;
    std::string ContentType = "text/plain; charset=utf-8";
    std::string Body;
};

// Clocks the service reads: wall-clock seconds for tickets and score dates, and a steady
// millisecond clock for the rate limits. Tests put their own in.
struct TServiceClock {
    std::function<int64_t()> NowSeconds;
    std::function<int64_t()> SteadyMs;
    [[nodiscard]] static TServiceClock System();
};

struct TServiceSettings {
    // Accepted scores per minute and client address (0: no limit); handshakes may come
    // twice as often.
    uint32_t SubmissionsPerMinute = 30;
};

// The request handlers of the score script, the JSON table and the health check. Every
// refusal is written to the log with its reason.
class TScoreService {
public:
    static constexpr int32_t TableLength = 100;

    TScoreService(IScoreStore& Store, TEventLog& Log, TServiceSettings Settings,
                  TServiceClock Clock = TServiceClock::System());

    [[nodiscard]] TServiceReply Handle(const TServiceRequest& Request);

private:
    TServiceReply Script(const TServiceRequest& Request);
    TServiceReply Handshake(const TServiceRequest& Request);
    TServiceReply Submission(const TServiceRequest& Request);
    TServiceReply TablePage(const TServiceRequest& Request);
    TServiceReply TableJson(const TServiceRequest& Request);
    TServiceReply Health();
    TServiceReply Refuse(const TServiceRequest& Request, int Status, const std::string& Reason,
                         const TEventLog::TFields& Extra = {});

    IScoreStore& Store;
    TEventLog& Log;
    TServiceClock Clock;
    TTicketBook Tickets;
    TRateLimiter HandshakeLimit;
    TRateLimiter SubmissionLimit;
};
