// SPDX-License-Identifier: MIT
#include "server/ServerOptions.h"

#include <charconv>
#include <functional>
#include <map>

namespace {
constexpr uint32_t MaxRateLimit = 1'000'000;
constexpr size_t MaxThreads = 256;

// A whole decimal number from Min to Max.
template <typename T>
bool ParseNumber(const std::string& Text, T Min, T Max, T& Value) {
    T parsed{};
    const auto [end, error] = std::from_chars(Text.data(), Text.data() + Text.size(), parsed);
    if (error != std::errc() || end != Text.data() + Text.size() || parsed < Min || parsed > Max) {
        return false;
    }
    Value = parsed;
    return true;
}

using TSetter = std::function<bool(TServerOptions&, const std::string&)>;

const std::map<std::string, TSetter>& ValueOptions() {
    static const std::map<std::string, TSetter> options = {
        {"--listen", [](TServerOptions& O, const std::string& V) { return ParseListenAddress(V, O.Host, O.Port); }},
        {"--database", [](TServerOptions& O, const std::string& V) { O.Database = V; return !V.empty(); }},
        {"--rate-limit",
         [](TServerOptions& O, const std::string& V) { return ParseNumber<uint32_t>(V, 0, MaxRateLimit, O.RateLimit); }},
        {"--threads", [](TServerOptions& O, const std::string& V) { return ParseNumber<size_t>(V, 1, MaxThreads, O.Threads); }},
    };
    return options;
}
} // namespace

bool ParseListenAddress(const std::string& Text, std::string& Host, int& Port) {
    const size_t colon = Text.rfind(':');
    if (colon == std::string::npos || colon == 0) {
        return false;
    }
    std::string host = Text.substr(0, colon);
    if (host.front() == '[') {
        if (host.size() < 3 || host.back() != ']') {
            return false;
        }
        host = host.substr(1, host.size() - 2);
    }
    int port = 0;
    if (!ParseNumber<int>(Text.substr(colon + 1), 0, 65535, port)) {
        return false;
    }
    Host = host;
    Port = port;
    return true;
}

TParsedOptions ParseServerOptions(const std::vector<std::string>& Arguments) {
    TParsedOptions parsed;
    for (size_t i = 0; i < Arguments.size(); ++i) {
        std::string name = Arguments[i];
        std::string value;
        const size_t equals = name.find('=');
        const bool inlineValue = equals != std::string::npos;
        if (inlineValue) {
            value = name.substr(equals + 1);
            name = name.substr(0, equals);
        }
        if (name == "--help" || name == "-h") {
            parsed.Options.Help = true;
            continue;
        }
        if (name == "--version") {
            parsed.Options.Version = true;
            continue;
        }
        if (name == "--trust-proxy") {
            parsed.Options.TrustProxy = true;
            continue;
        }
        const auto found = ValueOptions().find(name);
        if (found == ValueOptions().end()) {
            parsed.Error = "unknown option " + name;
            return parsed;
        }
        if (!inlineValue) {
            if (i + 1 >= Arguments.size()) {
                parsed.Error = name + " needs a value";
                return parsed;
            }
            value = Arguments[++i];
        }
        if (!found->second(parsed.Options, value)) {
            parsed.Error = "bad value for " + name + ": \"" + value + "\"";
            return parsed;
        }
    }
    return parsed;
}

std::string ServerUsage() {
    return "Usage: zibo-scores [options]\n"
           "The online high-score service of Captain Zibo.\n\n"
           "  --listen HOST:PORT     address to serve on (default 127.0.0.1:8642; port 0 picks a free one)\n"
           "  --database WHERE       SQLite file (default scores.db, created on first start) or\n"
           "                         postgresql://user@host/dbname for a shared PostgreSQL database\n"
           "  --trust-proxy          take the client address from X-Forwarded-For (behind a proxy only)\n"
           "  --rate-limit N         scores per minute per client address (default 30, 0: no limit)\n"
           "  --threads N            worker threads (default 8)\n"
           "  --help                 this text\n"
           "  --version              the version\n";
}
