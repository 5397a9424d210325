// SPDX-License-Identifier: MIT
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// The online high-score service: a handshake that hands out a ticket, then the score itself
// as one encoded text. The game sends it from a worker thread (TScoreSender), so neither
// request holds up the frames.

// The fixed upper-case letter the service expects after "|key=".
inline constexpr char ScoreKeyLetter = 'Z';

// The project's own score service (zibo-scores, server/), used when neither --score-server
// nor "scoreserver.txt" names another. The only place the game names it.
inline constexpr char DefaultScoreService[] = "scores.kapitan-zibo.net";

// What one finished game sends.
struct TScoreSubmission {
    // The service's script, "http://host[:port]/cgi/version.pl".
    std::string ServiceUrl;
    uint8_t Difficulty = 0;
    // Code page 1251, as the settings hold them.
    std::string PlayerName;
    int32_t Score = 0;
    std::string Country;
    // The connection time-out of each request, and one time budget for both requests together.
    long ConnectTimeoutMs = 3000;
    long TotalTimeoutMs = 5000;
};

// Called for every request made: its address and the reply's status (0 when none arrived).
using THttpTraceEvent = std::function<void(const std::string& Url, long Status)>;

// A service address as "scoreserver.txt" may give it: a host name, an IPv4 address or an IPv6
// address in brackets, then optionally ":" and a port from 1 to 65535. Nothing else (no
// spaces, paths, queries or user names) may end up in the request address.
[[nodiscard]] bool IsServiceAddress(std::string_view Address);

// The service's script, "http://host[:port]/cgi/version.pl", for an address as the player
// gives it: a service address as above, or a base address "http://" or "https://", a service
// address and optionally a path of letters, digits and "-._~/" under which the service lives.
// Empty when Address is neither.
[[nodiscard]] std::string ServiceScriptUrl(std::string_view Address);

// A handshake the service accepted: status 200, a reply starting with exactly "OK" and a
// ticket that is not empty (a score sent without one is lost anyway).
[[nodiscard]] bool HandshakeAccepted(long Status, const std::string& Reply);
// The ticket: the text between the fourth and the fifth "|" of the reply, empty when the
// reply holds fewer than five.
[[nodiscard]] std::string HandshakeTicket(const std::string& Reply);

// "type=D|name=N|score=S|key=K|p=P|add=C|z=" padded with the difficulty digit until its
// length is a multiple of 5, so that the encoded line decodes back exactly.
[[nodiscard]] std::string BuildScoreText(const TScoreSubmission& Submission, const std::string& Ticket);

// Runs the handshake and, when the service accepts it, sends the score (whose reply is not
// looked at), both within TotalTimeoutMs. False when the handshake failed or was refused: the
// caller tells the player. Raising Cancel (from another thread) ends the requests early.
[[nodiscard]] bool SubmitScore(const TScoreSubmission& Submission, const THttpTraceEvent& Trace,
                               const std::atomic<bool>* Cancel = nullptr);
