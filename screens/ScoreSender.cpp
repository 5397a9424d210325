// SPDX-License-Identifier: MIT
#include "screens/ScoreSender.h"

TScoreSender::TScoreSender(TScoreSubmission Game) : Worker([this, game = std::move(Game)] { Send(game); }) {}

TScoreSender::~TScoreSender() {
    Cancel = true;
    Wait();
}

void TScoreSender::Send(const TScoreSubmission& Game) {
    const auto note = [this](const std::string& Url, long Status) {
        const std::lock_guard<std::mutex> lock(Guard);
        Requests.push_back({Url, Status});
    };
    const bool accepted = SubmitScore(Game, note, &Cancel);
    const std::lock_guard<std::mutex> lock(Guard);
    Accepted = accepted;
}

std::vector<TScoreSender::TRequest> TScoreSender::TakeRequests() {
    const std::lock_guard<std::mutex> lock(Guard);
    std::vector<TRequest> taken;
    taken.swap(Requests);
    return taken;
}

std::optional<bool> TScoreSender::Result() const {
    const std::lock_guard<std::mutex> lock(Guard);
    return Accepted;
}

void TScoreSender::Wait() {
    if (Worker.joinable()) {
        Worker.join();
    }
}
