// SPDX-License-Identifier: MIT
#include "app/Options.h"

#include <charconv>

std::optional<TOptions> ParseOptions(const std::vector<std::string>& Arguments, std::string& Error) {
    TOptions o;
    for (size_t i = 0; i < Arguments.size(); ++i) {
        const std::string& a = Arguments[i];
        const auto value = [&](std::string& Out) {
            if (i + 1 >= Arguments.size()) {
                Error = a + " needs a value";
                return false;
            }
            Out = Arguments[++i];
            return true;
        };
        if (a == "--headless") {
            o.Headless = true;
        } else if (a == "--seed") {
            std::string text;
            if (!value(text)) {
                return std::nullopt;
            }
            uint64_t seed = 0;
            const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), seed);
            if (ec != std::errc() || end != text.data() + text.size()) {
                Error = "--seed needs a whole number";
                return std::nullopt;
            }
            o.Seed = seed;
        } else if (a == "--control") {
            if (!value(o.ControlFile)) {
                return std::nullopt;
            }
        } else if (a == "--trace") {
            if (!value(o.TraceFile)) {
                return std::nullopt;
            }
        } else if (a == "--score-server") {
            if (!value(o.ScoreServer)) {
                return std::nullopt;
            }
        } else {
            Error = "unknown option " + a;
            return std::nullopt;
        }
    }
    return o;
}
