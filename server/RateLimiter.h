// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <unordered_map>

// Counts the requests of each client address in windows of one minute and refuses those past
// the limit. The table of addresses is bounded: quiet addresses are dropped, and when more
// distinct addresses than MaxClients are busy within one minute, new ones are refused.
class TRateLimiter {
public:
    static constexpr int64_t WindowMs = 60'000;
    static constexpr size_t MaxClients = 100'000;

    // Limit requests per minute per address; 0 lets everything through.
    explicit TRateLimiter(uint32_t Limit) : Limit(Limit) {}

    // Counts one request of Client at NowMs (a steady clock) and says whether it may go on.
    [[nodiscard]] bool Allow(const std::string& Client, int64_t NowMs);
    [[nodiscard]] size_t Tracked() const;

private:
    struct TWindow {
        int64_t StartMs = 0;
        uint32_t Count = 0;
    };
    void DropQuiet(int64_t NowMs);

    const uint32_t Limit;
    std::unordered_map<std::string, TWindow> Windows;
    mutable std::mutex Guard;
};
