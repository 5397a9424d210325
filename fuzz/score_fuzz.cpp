// SPDX-License-Identifier: MIT
// The score service's side of the game: the handshake reply (status, "OK", the ticket), the
// score text built from it and its encoded form, and the service address of
// "scoreserver.txt". The first byte picks the reply's status (200 or another), the rest is the
// reply or the file.
#include "screens/LineCode.h"
#include "screens/ScoreSubmit.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    if (Size == 0) {
        return 0;
    }
    const long status = (Data[0] & 1) != 0 ? 200 : static_cast<long>(Data[0]) * 3;
    const std::string text(reinterpret_cast<const char*>(Data + 1), Size - 1);
    // The reply as the game reads it, at most the size the HTTP layer keeps.
    const std::string reply = text.substr(0, 64 * 1024);
    const bool accepted = HandshakeAccepted(status, reply);
    const std::string ticket = HandshakeTicket(reply);
    if (accepted && ticket.empty()) {
        std::abort();
    }
    TScoreSubmission game;
    game.Difficulty = static_cast<uint8_t>(Data[0] % 3);
    game.PlayerName = ticket.substr(0, 20);
    game.Country = ticket.substr(ticket.size() / 2);
    game.Score = static_cast<int32_t>(reply.size());
    const std::string score = BuildScoreText(game, ticket);
    if (score.size() % 5 != 0 || DecodeLine(EncodeLine(score)) != score) {
        std::abort();
    }
    // The first line of "scoreserver.txt" as the game reads it.
    const std::string line = text.substr(0, std::min(text.find('\n'), size_t{1024}));
    if (IsServiceAddress(line)) {
        // An accepted address never brings a character that changes the request line.
        if (line.find_first_of(" /?#@\r\n\t%") != std::string::npos) {
            std::abort();
        }
    }
    return 0;
}
