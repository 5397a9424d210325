// SPDX-License-Identifier: MIT
#pragma once

#include "screens/ScoreSubmit.h"

#include <atomic>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// One score submission running on its own thread while the game goes on. The worker only
// talks to the score service and notes what happened here; the main thread collects the
// notes each frame and does everything that touches the game (trace, message box).
class TScoreSender {
public:
    // One request made: its address and the reply's status (0 when none arrived).
    struct TRequest {
        std::string Url;
        long Status = 0;
    };

    // Starts sending at once.
    explicit TScoreSender(TScoreSubmission Game);
    // Stops the requests (within about a second, never later than the budget) and waits for them.
    ~TScoreSender();
    TScoreSender(const TScoreSender&) = delete;
    TScoreSender& operator=(const TScoreSender&) = delete;

    // The requests finished since the last call, in order.
    [[nodiscard]] std::vector<TRequest> TakeRequests();
    // Once the worker is done: whether the service accepted the handshake.
    [[nodiscard]] std::optional<bool> Result() const;
    // Waits until the worker is done; the budget bounds the wait.
    void Wait();

private:
    void Send(const TScoreSubmission& Game);

    mutable std::mutex Guard;
    std::vector<TRequest> Requests;
    std::optional<bool> Accepted;
    std::atomic<bool> Cancel{false};
    std::thread Worker;
};
