// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <functional>
#include <string>

// The online high-score service: a handshake that hands out a ticket, then the score itself
// as one encoded text. Both requests block the game until they finish or time out.

// The fixed upper-case letter the service expects after "|key=".
inline constexpr char ScoreKeyLetter = 'Z';

// What one finished game sends.
struct TScoreSubmission {
    // The service's script, "http://host[:port]/cgi/version.pl".
    std::string ServiceUrl;
    uint8_t Difficulty = 0;
    // Code page 1251, as the settings hold them.
    std::string PlayerName;
    int32_t Score = 0;
    std::string Country;
    // Time-outs of each request; an unreachable service must not freeze the game for long.
    long ConnectTimeoutMs = 3000;
    long TotalTimeoutMs = 5000;
};

// Called for every request made: its address and the reply's status (0 when none arrived).
using THttpTraceEvent = std::function<void(const std::string& Url, long Status)>;

// A handshake reply the service accepted starts with exactly "OK".
[[nodiscard]] bool HandshakeAccepted(const std::string& Reply);
// The ticket: the text between the fourth and the fifth "|" of the reply, empty when the
// reply holds fewer than five.
[[nodiscard]] std::string HandshakeTicket(const std::string& Reply);

// "type=D|name=N|score=S|key=K|p=P|add=C|z=" padded with the difficulty digit until its
// length is a multiple of 5, so that the encoded line decodes back exactly.
[[nodiscard]] std::string BuildScoreText(const TScoreSubmission& Submission, const std::string& Ticket);

// Runs the handshake and, when the service accepts it, sends the score (whose reply is not
// looked at). False when the handshake failed or was refused: the caller tells the player.
[[nodiscard]] bool SubmitScore(const TScoreSubmission& Submission, const THttpTraceEvent& Trace);
