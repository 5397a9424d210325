// SPDX-License-Identifier: MIT
#include "screens/ScoreSubmit.h"

#include "platform/Http.h"
#include "screens/LineCode.h"

namespace {
constexpr char ProgramQuery[] = "prg=Velmorant";

THttpReply Get(const TScoreSubmission& Submission, const std::string& Query, const THttpTraceEvent& Trace) {
    THttpRequest request;
    request.Url = Submission.ServiceUrl + "?" + Query;
    request.ConnectTimeoutMs = Submission.ConnectTimeoutMs;
    request.TotalTimeoutMs = Submission.TotalTimeoutMs;
    THttpReply reply = HttpGet(request);
    if (Trace) {
        Trace(request.Url, reply.Ok ? reply.Status : 0);
    }
    return reply;
}
} // namespace

bool HandshakeAccepted(const std::string& Reply) {
    return Reply.size() >= 2 && Reply.compare(0, 2, "OK") == 0;
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

bool SubmitScore(const TScoreSubmission& Submission, const THttpTraceEvent& Trace) {
    const THttpReply handshake = Get(Submission, std::string("version&") + ProgramQuery, Trace);
    if (!handshake.Ok || !HandshakeAccepted(handshake.Body)) {
        return false;
    }
    const std::string text = BuildScoreText(Submission, HandshakeTicket(handshake.Body));
    const std::string query = std::string("hs&") + ProgramQuery + "&inf=" + UrlEncodeQuery(EncodeLine(text));
    // The service's answer to the score itself changes nothing for the player.
    (void)Get(Submission, query, Trace);
    return true;
}
