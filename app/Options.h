// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The command line. A normal start uses none of these; they serve tests and automation.
struct TOptions {
    bool Headless = false;
    std::optional<uint64_t> Seed;
    std::string ControlFile; // "-" for standard input
    std::string TraceFile;   // "-" for standard output
    std::string ScoreServer; // HOST[:PORT]
};

// Parses argv; on a bad command line returns nothing and fills Error.
[[nodiscard]] std::optional<TOptions> ParseOptions(const std::vector<std::string>& Arguments, std::string& Error);
