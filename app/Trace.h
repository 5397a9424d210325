// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The automation trace: one event per line, flushed per line, in the form
// `frame=N EVENT key=value ...`. A value that holds a space, a double quote or nothing is
// written in double quotes, with \" and \\ escaped inside. Texts are UTF-8.
class TTrace {
public:
    TTrace() = default;
    ~TTrace();
    TTrace(const TTrace&) = delete;
    TTrace& operator=(const TTrace&) = delete;

    // "-" is standard output. False when the file cannot be created.
    bool Open(const std::string& Target);
    [[nodiscard]] bool IsOpen() const { return Out != nullptr; }

    void SetFrame(int64_t Frame) { FrameNumber = Frame; }
    [[nodiscard]] int64_t Frame() const { return FrameNumber; }

    using TFields = std::vector<std::pair<std::string_view, std::string>>;
    // Writes one event line; does nothing while no trace is open.
    void Event(std::string_view Name, const TFields& Fields = {});

    // Writes `frame=N ` followed by Text as it stands (for lines whose layout is fixed, such
    // as the board rows of a dump).
    void RawEvent(std::string_view Text);

    // The formatting of one line, for tests.
    [[nodiscard]] static std::string FormatLine(int64_t Frame, std::string_view Name, const TFields& Fields);

private:
    std::FILE* Out = nullptr;
    bool OwnsFile = false;
    int64_t FrameNumber = 0;
};
