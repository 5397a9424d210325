// SPDX-License-Identifier: MIT
#include "server/RateLimiter.h"

bool TRateLimiter::Allow(const std::string& Client, int64_t NowMs) {
    if (Limit == 0) {
        return true;
    }
    std::lock_guard<std::mutex> lock(Guard);
    auto found = Windows.find(Client);
    if (found == Windows.end()) {
        if (Windows.size() >= MaxClients) {
            DropQuiet(NowMs);
            if (Windows.size() >= MaxClients) {
                return false;
            }
        }
        found = Windows.emplace(Client, TWindow{NowMs, 0}).first;
    }
    TWindow& window = found->second;
    if (NowMs - window.StartMs >= WindowMs) {
        window = {NowMs, 0};
    }
    if (window.Count >= Limit) {
        return false;
    }
    ++window.Count;
    return true;
}

size_t TRateLimiter::Tracked() const {
    std::lock_guard<std::mutex> lock(Guard);
    return Windows.size();
}

void TRateLimiter::DropQuiet(int64_t NowMs) {
    std::erase_if(Windows, [NowMs](const auto& Entry) { return NowMs - Entry.second.StartMs >= WindowMs; });
}
