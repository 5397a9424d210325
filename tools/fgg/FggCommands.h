// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdio>
#include <limits>
#include <span>
#include <string>
#include <string_view>

// Where a command writes: record bytes and listings to Out, one-line errors to Err.
struct TFggIo {
    std::FILE* Out = stdout;
    std::FILE* Err = stderr;
};

// Exit codes shared by every command.
inline constexpr int FggOk = 0;
inline constexpr int FggFailed = 1;
inline constexpr int FggUsage = 2;

// A command's arguments, without the program and command names.
using TFggArgs = std::span<const std::string>;

struct TFggCommand {
    std::string_view Name;
    // Shown after the name in the usage text.
    std::string_view Arguments;
    size_t MinArgs = 0;
    size_t MaxArgs = std::numeric_limits<size_t>::max();
    int (*Run)(TFggArgs Args, const TFggIo& Io) = nullptr;
};

// Every command fgg knows, in the order the usage text lists them.
[[nodiscard]] std::span<const TFggCommand> FggCommands();
[[nodiscard]] const TFggCommand* FindFggCommand(std::string_view Name);
void PrintFggUsage(std::FILE* To);
// Runs a command line (without the program name) and returns the exit code.
[[nodiscard]] int RunFgg(TFggArgs CommandLine, const TFggIo& Io);
