// SPDX-License-Identifier: MIT
#include "server/ScoreService.h"

#include "server/Cp1251.h"
#include "server/PageRenderer.h"
#include "server/ScoreCeiling.h"
#include "server/ScoreText.h"

#include <chrono>
#include <stdexcept>

namespace {
constexpr char ProgramName[] = "Velmorant";
constexpr int StatusBadRequest = 400;
constexpr int StatusNotFound = 404;
constexpr int StatusTooMany = 429;
constexpr int StatusUnavailable = 503;
constexpr char HtmlType[] = "text/html; charset=utf-8";
constexpr char JsonType[] = "application/json";

using TParams = std::multimap<std::string, std::string>;

bool Has(const TParams& Params, const std::string& Key) { return Params.count(Key) > 0; }

std::string Value(const TParams& Params, const std::string& Key) {
    const auto found = Params.find(Key);
    return found == Params.end() ? std::string() : found->second;
}

bool HasRepeatedKey(const TParams& Params) {
    for (auto it = Params.begin(); it != Params.end(); it = Params.upper_bound(it->first)) {
        if (Params.count(it->first) > 1) {
            return true;
        }
    }
    return false;
}

// Which of the script's three requests this is: "version", "hs" or "show"; empty when it
// names none or several.
std::string ScriptMode(const TParams& Params) {
    std::string mode;
    for (const char* name : {"version", "hs", "show"}) {
        if (Has(Params, name)) {
            if (!mode.empty()) {
                return {};
            }
            mode = name;
        }
    }
    return mode;
}

std::string TicketRefusal(TTicketUse Use) {
    switch (Use) {
    case TTicketUse::Unknown:
        return "unknown-ticket";
    case TTicketUse::Expired:
        return "expired-ticket";
    case TTicketUse::Used:
        return "used-ticket";
    default:
        return {};
    }
}

// Reads "type" (required) and "period" (optional) into Page; the refusal reason otherwise.
std::string ReadTableQuery(const TParams& Params, PageRenderer::TTablePage& Page) {
    const std::string type = Value(Params, "type");
    if (type.size() != 1 || type[0] < '0' || type[0] > '2') {
        return "bad-type";
    }
    Page.Type = type[0] - '0';
    if (Has(Params, "period") && !PageRenderer::ParsePeriod(Value(Params, "period"), Page.Period)) {
        return "bad-period";
    }
    return {};
}

TServiceReply Reply(int Status, std::string Body, std::string ContentType = "text/plain; charset=utf-8") {
    return {Status, std::move(ContentType), std::move(Body)};
}
} // namespace

TServiceClock TServiceClock::System() {
    return {[] {
                return static_cast<int64_t>(std::chrono::duration_cast<std::chrono::seconds>(
                                                std::chrono::system_clock::now().time_since_epoch())
                                                .count());
            },
            [] {
                return static_cast<int64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                                std::chrono::steady_clock::now().time_since_epoch())
                                                .count());
            }};
}

TScoreService::TScoreService(IScoreStore& Store, TEventLog& Log, TServiceSettings Settings, TServiceClock Clock)
    : Store(Store), Log(Log), Clock(std::move(Clock)), Tickets(Store),
      HandshakeLimit(Settings.SubmissionsPerMinute * 2), SubmissionLimit(Settings.SubmissionsPerMinute) {}

TServiceReply TScoreService::Handle(const TServiceRequest& Request) {
    try {
        if (Request.Path == "/cgi/version.pl") {
            return Script(Request);
        }
        if (Request.Path == "/api/scores") {
            return TableJson(Request);
        }
        if (Request.Path == "/healthz") {
            return Health();
        }
        return Reply(StatusNotFound, "not found\n");
    } catch (const std::exception& e) {
        return Refuse(Request, StatusUnavailable, "storage-failure", {{"detail", e.what()}});
    }
}

TServiceReply TScoreService::Refuse(const TServiceRequest& Request, int Status, const std::string& Reason,
                                    const TEventLog::TFields& Extra) {
    TEventLog::TFields fields = {{"reason", Reason}, {"status", std::to_string(Status)},
                                 {"client", Request.Client}, {"path", Request.Path}};
    fields.insert(fields.end(), Extra.begin(), Extra.end());
    Log.Write("refused", fields);
    return Reply(Status, "ERR " + Reason + "\n");
}

TServiceReply TScoreService::Script(const TServiceRequest& Request) {
    if (HasRepeatedKey(Request.Params)) {
        return Refuse(Request, StatusBadRequest, "repeated-parameter");
    }
    if (Value(Request.Params, "prg") != ProgramName) {
        return Refuse(Request, StatusNotFound, "unknown-program");
    }
    const std::string mode = ScriptMode(Request.Params);
    if (mode == "version") {
        return Handshake(Request);
    }
    if (mode == "hs") {
        return Submission(Request);
    }
    if (mode == "show") {
        return TablePage(Request);
    }
    return Refuse(Request, StatusBadRequest, "unknown-request");
}

TServiceReply TScoreService::Handshake(const TServiceRequest& Request) {
    if (!HandshakeLimit.Allow(Request.Client, Clock.SteadyMs())) {
        return Refuse(Request, StatusTooMany, "rate-limited", {{"request", "version"}});
    }
    return Reply(200, "OK|1|0|0|" + Tickets.Issue(Clock.NowSeconds()) + "|");
}

TServiceReply TScoreService::Submission(const TServiceRequest& Request) {
    const TEventLog::TFields what = {{"request", "hs"}};
    if (!SubmissionLimit.Allow(Request.Client, Clock.SteadyMs())) {
        return Refuse(Request, StatusTooMany, "rate-limited", what);
    }
    if (!Has(Request.Params, "inf")) {
        return Refuse(Request, StatusBadRequest, "missing-score", what);
    }
    const TScoreTextResult text = ReadScoreText(Value(Request.Params, "inf"));
    if (!text.Ok()) {
        return Refuse(Request, StatusBadRequest, text.Reason, what);
    }
    const TScoreFields& f = text.Fields;
    const TEventLog::TFields score = {{"request", "hs"},
                                      {"type", std::to_string(f.Type)},
                                      {"score", std::to_string(f.Score)},
                                      {"name", Cp1251::ToUtf8(f.Name)}};
    if (f.Score > ScoreCeiling::For(f.Type)) {
        return Refuse(Request, StatusBadRequest, "score-too-high", score);
    }
    const int64_t now = Clock.NowSeconds();
    const TScoreRecord record{f.Type, Cp1251::ToUtf8(f.Name), Cp1251::ToUtf8(f.Country), f.Score, now, Request.Client};
    const TTicketUse use = Tickets.Redeem(f.Ticket, now, record);
    if (use != TTicketUse::Accepted) {
        return Refuse(Request, StatusBadRequest, TicketRefusal(use), score);
    }
    TEventLog::TFields accepted = score;
    accepted.emplace_back("client", Request.Client);
    Log.Write("accepted", accepted);
    return Reply(200, "OK\n");
}

TServiceReply TScoreService::TablePage(const TServiceRequest& Request) {
    PageRenderer::TTablePage page;
    if (const std::string reason = ReadTableQuery(Request.Params, page); !reason.empty()) {
        return Refuse(Request, StatusBadRequest, reason, {{"request", "show"}});
    }
    page.Language = PageRenderer::ChooseLanguage(Request.AcceptLanguage);
    page.Rows = Store.TopScores(page.Type, PageRenderer::PeriodStart(page.Period, Clock.NowSeconds()), TableLength);
    return Reply(200, PageRenderer::RenderPage(page), HtmlType);
}

TServiceReply TScoreService::TableJson(const TServiceRequest& Request) {
    PageRenderer::TTablePage page;
    if (HasRepeatedKey(Request.Params)) {
        return Refuse(Request, StatusBadRequest, "repeated-parameter", {{"request", "api"}});
    }
    if (const std::string reason = ReadTableQuery(Request.Params, page); !reason.empty()) {
        return Refuse(Request, StatusBadRequest, reason, {{"request", "api"}});
    }
    page.Rows = Store.TopScores(page.Type, PageRenderer::PeriodStart(page.Period, Clock.NowSeconds()), TableLength);
    return Reply(200, PageRenderer::RenderJson(page), JsonType);
}

TServiceReply TScoreService::Health() {
    return Store.Healthy() ? Reply(200, "ok\n") : Reply(StatusUnavailable, "database unreachable\n");
}
