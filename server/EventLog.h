// SPDX-License-Identifier: MIT
#pragma once

#include <cstdio>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

// One line per event, "event=NAME key=value ...", values quoted when they hold spaces, quotes
// or control characters (which are escaped), so that a log reader can split every line alike.
class TEventLog {
public:
    using TFields = std::vector<std::pair<std::string, std::string>>;

    // Lines go to Out (stderr unless a test passes its own file); nullptr keeps them.
    explicit TEventLog(std::FILE* Out = stderr) : Out(Out) {}

    void Write(const std::string& Event, const TFields& Fields);
    // The lines written while no file was given.
    [[nodiscard]] std::vector<std::string> Kept() const;

    [[nodiscard]] static std::string FormatLine(const std::string& Event, const TFields& Fields);

private:
    std::FILE* Out;
    std::vector<std::string> KeptLines;
    mutable std::mutex Guard;
};
