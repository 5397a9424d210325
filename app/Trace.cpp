// SPDX-License-Identifier: MIT
#include "app/Trace.h"

namespace {
std::string QuoteIfNeeded(const std::string& Value) {
    const bool quote = Value.empty() || Value.find_first_of(" \"\t\n\\") != std::string::npos;
    if (!quote) {
        return Value;
    }
    std::string out = "\"";
    // A line break inside a value is written as \n, so every event stays on one line.
    for (const char c : Value) {
        if (c == '"' || c == '\\' || c == '\n') {
            out.push_back('\\');
        }
        out.push_back(c == '\n' ? 'n' : c);
    }
    out.push_back('"');
    return out;
}
} // namespace

TTrace::~TTrace() {
    if (Out && OwnsFile) {
        std::fclose(Out);
    }
}

bool TTrace::Open(const std::string& Target) {
    if (Target == "-") {
        Out = stdout;
        OwnsFile = false;
        return true;
    }
    Out = std::fopen(Target.c_str(), "w");
    OwnsFile = Out != nullptr;
    return Out != nullptr;
}

std::string TTrace::FormatLine(int64_t Frame, std::string_view Name, const TFields& Fields) {
    std::string line = "frame=" + std::to_string(Frame) + " " + std::string(Name);
    for (const auto& [key, value] : Fields) {
        line += ' ';
        line += key;
        line += '=';
        line += QuoteIfNeeded(value);
    }
    return line;
}

void TTrace::Event(std::string_view Name, const TFields& Fields) {
    if (!Out) {
        return;
    }
    const std::string line = FormatLine(FrameNumber, Name, Fields) + "\n";
    std::fwrite(line.data(), 1, line.size(), Out);
    std::fflush(Out);
}

void TTrace::RawEvent(std::string_view Text) {
    if (!Out) {
        return;
    }
    const std::string line = "frame=" + std::to_string(FrameNumber) + " " + std::string(Text) + "\n";
    std::fwrite(line.data(), 1, line.size(), Out);
    std::fflush(Out);
}
