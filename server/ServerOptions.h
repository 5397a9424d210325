// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The command line of zibo-scores.
struct TServerOptions {
    std::string Host = "127.0.0.1";
    int Port = 8642;
    std::string Database = "scores.db";
    bool TrustProxy = false;
    uint32_t RateLimit = 30;
    size_t Threads = 8;
    bool Help = false;
    bool Version = false;
};

struct TParsedOptions {
    TServerOptions Options;
    // Empty when the command line was good.
    std::string Error;
};

[[nodiscard]] TParsedOptions ParseServerOptions(const std::vector<std::string>& Arguments);
[[nodiscard]] std::string ServerUsage();
// "HOST:PORT" or "[IPV6]:PORT"; false when either part is missing or the port is out of range.
[[nodiscard]] bool ParseListenAddress(const std::string& Text, std::string& Host, int& Port);
