// SPDX-License-Identifier: MIT
#include "screens/ScoreSubmit.h"

#include "platform/Http.h"
#include "screens/LineCode.h"

#include <algorithm>
#include <chrono>

namespace {
constexpr char ProgramQuery[] = "prg=Velmorant";
constexpr long HttpOk = 200;

using TSteady = std::chrono::steady_clock;

// The time left of the submission's budget, in milliseconds (0 when spent).
long RemainingMs(const TScoreSubmission& Submission, TSteady::time_point Start) {
    const auto spent = std::chrono::duration_cast<std::chrono::milliseconds>(TSteady::now() - Start).count();
    return std::max<long>(0, Submission.TotalTimeoutMs - static_cast<long>(spent));
}

THttpReply Get(const TScoreSubmission& Submission, const std::string& Query, long BudgetMs,
               const std::atomic<bool>* Cancel, const THttpTraceEvent& Trace) {
    THttpRequest request;
    request.Url = Submission.ServiceUrl + "?" + Query;
    request.TotalTimeoutMs = BudgetMs;
    request.ConnectTimeoutMs = std::min(Submission.ConnectTimeoutMs, BudgetMs);
    request.Cancel = Cancel;
    THttpReply reply = HttpGet(request);
    if (Trace) {
        Trace(request.Url, reply.Ok ? reply.Status : 0);
    }
    return reply;
}
} // namespace

namespace {
constexpr size_t MaxHostLength = 253;
constexpr size_t MaxLabelLength = 63;

bool IsAsciiAlnum(char C) {
    return (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z') || (C >= '0' && C <= '9');
}

bool IsHexDigit(char C) {
    return (C >= '0' && C <= '9') || (C >= 'a' && C <= 'f') || (C >= 'A' && C <= 'F');
}

// Dot-separated labels of letters, digits and inner hyphens.
bool IsHostName(std::string_view Host) {
    if (Host.empty() || Host.size() > MaxHostLength) {
        return false;
    }
    size_t start = 0;
    while (start <= Host.size()) {
        const size_t dot = std::min(Host.find('.', start), Host.size());
        const std::string_view label = Host.substr(start, dot - start);
        if (label.empty() || label.size() > MaxLabelLength || label.front() == '-' || label.back() == '-') {
            return false;
        }
        for (const char c : label) {
            if (!IsAsciiAlnum(c) && c != '-') {
                return false;
            }
        }
        start = dot + 1;
    }
    return true;
}

// "[...]" holding hexadecimal digits, colons and dots (an IPv4 tail).
bool IsBracketedAddress(std::string_view Host) {
    if (Host.size() < 4 || Host.front() != '[' || Host.back() != ']') {
        return false;
    }
    const std::string_view inside = Host.substr(1, Host.size() - 2);
    return inside.find(':') != std::string_view::npos &&
           std::all_of(inside.begin(), inside.end(), [](char c) { return IsHexDigit(c) || c == ':' || c == '.'; });
}

bool IsPort(std::string_view Port) {
    if (Port.empty() || Port.size() > 5 || Port.front() == '0') {
        return false;
    }
    int32_t value = 0;
    for (const char c : Port) {
        if (c < '0' || c > '9') {
            return false;
        }
        value = value * 10 + (c - '0');
    }
    return value <= 65535;
}
} // namespace

bool IsServiceAddress(std::string_view Address) {
    std::string_view host = Address;
    const size_t bracket = Address.rfind(']');
    const size_t colon = Address.rfind(':');
    if (colon != std::string_view::npos && (bracket == std::string_view::npos || colon > bracket)) {
        if (!IsPort(Address.substr(colon + 1))) {
            return false;
        }
        host = Address.substr(0, colon);
    }
    return IsHostName(host) || IsBracketedAddress(host);
}

namespace {
// A path under which a service lives: "/" and then letters, digits and "-._~/", no "..".
bool IsBasePath(std::string_view Path) {
    if (Path.empty()) {
        return true;
    }
    return Path.front() == '/' && Path.find("..") == std::string_view::npos &&
           std::all_of(Path.begin(), Path.end(), [](char c) { return IsAsciiAlnum(c) || std::string_view("-._~/").find(c) != std::string_view::npos; });
}
} // namespace

std::string ServiceScriptUrl(std::string_view Address) {
    constexpr std::string_view ScriptPath = "/cgi/version.pl";
    for (const std::string_view scheme : {"http://", "https://"}) {
        if (Address.starts_with(scheme)) {
            const std::string_view rest = Address.substr(scheme.size());
            const size_t slash = std::min(rest.find('/'), rest.size());
            std::string_view path = rest.substr(slash);
            while (!path.empty() && path.back() == '/') {
                path.remove_suffix(1);
            }
            if (!IsServiceAddress(rest.substr(0, slash)) || !IsBasePath(path)) {
                return {};
            }
            return std::string(Address.substr(0, scheme.size() + slash)) + std::string(path) + std::string(ScriptPath);
        }
    }
    return IsServiceAddress(Address) ? "http://" + std::string(Address) + std::string(ScriptPath) : std::string();
}

bool HandshakeAccepted(long Status, const std::string& Reply) {
    return Status == HttpOk && Reply.size() >= 2 && Reply.compare(0, 2, "OK") == 0 &&
           !HandshakeTicket(Reply).empty();
}

std::string HandshakeTicket(const std::string& Reply) {
    size_t start = 0;
    for (int bar = 0; bar < 4; ++bar) {
        start = Reply.find('|', start);
        if (start == std::string::npos) {
            return {};
        }
        ++start;
    }
    const size_t end = Reply.find('|', start);
    if (end == std::string::npos) {
        return {};
    }
    return Reply.substr(start, end - start);
}

std::string BuildScoreText(const TScoreSubmission& Submission, const std::string& Ticket) {
    const char digit = static_cast<char>('0' + Submission.Difficulty % 10);
    std::string text = std::string("type=") + digit;
    text += "|name=" + Submission.PlayerName;
    text += "|score=" + std::to_string(Submission.Score);
    text += std::string("|key=") + ScoreKeyLetter;
    text += "|p=" + Ticket;
    text += "|add=" + Submission.Country;
    text += "|z=";
    while (text.size() % 5 != 0) {
        text.push_back(digit);
    }
    return text;
}

bool SubmitScore(const TScoreSubmission& Submission, const THttpTraceEvent& Trace,
                 const std::atomic<bool>* Cancel) {
    const TSteady::time_point start = TSteady::now();
    const THttpReply handshake =
        Get(Submission, std::string("version&") + ProgramQuery, Submission.TotalTimeoutMs, Cancel, Trace);
    if (!handshake.Ok || !HandshakeAccepted(handshake.Status, handshake.Body)) {
        return false;
    }
    const std::string text = BuildScoreText(Submission, HandshakeTicket(handshake.Body));
    const std::string query = std::string("hs&") + ProgramQuery + "&inf=" + UrlEncodeQuery(EncodeLine(text));
    // The service's answer to the score itself changes nothing for the player; with the budget
    // spent it is not sent at all.
    const long left = RemainingMs(Submission, start);
    if (left > 0) {
        (void)Get(Submission, query, left, Cancel, Trace);
    }
    return true;
}
