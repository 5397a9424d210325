// SPDX-License-Identifier: MIT
#include "server/EventLog.h"

namespace {
// The longest value written; the rest of a longer one is cut.
constexpr size_t MaxValueLength = 200;
constexpr size_t MaxKeptLines = 10'000;

bool NeedsQuotes(const std::string& Value) {
    if (Value.empty()) {
        return true;
    }
    for (const char c : Value) {
        if (c == ' ' || c == '"' || c == '=' || c == '\\' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            return true;
        }
    }
    return false;
}

std::string Quote(const std::string& Value) {
    std::string out = "\"";
    for (const char c : Value.substr(0, MaxValueLength)) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            static constexpr char kHex[] = "0123456789abcdef";
            out += "\\x";
            out += kHex[(c >> 4) & 15];
            out += kHex[c & 15];
        } else {
            out += c;
        }
    }
    return out + "\"";
}
} // namespace

std::string TEventLog::FormatLine(const std::string& Event, const TFields& Fields) {
    std::string line = "event=" + Event;
    for (const auto& [key, value] : Fields) {
        line += " " + key + "=" + (NeedsQuotes(value) || value.size() > MaxValueLength ? Quote(value) : value);
    }
    return line;
}

void TEventLog::Write(const std::string& Event, const TFields& Fields) {
    const std::string line = FormatLine(Event, Fields);
    std::lock_guard<std::mutex> lock(Guard);
    if (Out) {
        std::fprintf(Out, "%s\n", line.c_str());
        std::fflush(Out);
    } else if (KeptLines.size() < MaxKeptLines) {
        KeptLines.push_back(line);
    }
}

std::vector<std::string> TEventLog::Kept() const {
    std::lock_guard<std::mutex> lock(Guard);
    return KeptLines;
}
