// SPDX-License-Identifier: MIT
#pragma once

#include <string>

// The lines of a control file or of standard input. It reads without stdio buffering, so a
// wait for the next line can be given up when a quit signal comes (see QuitSignals.h).
class TLineInput {
public:
    TLineInput() = default;
    ~TLineInput();
    TLineInput(const TLineInput&) = delete;
    TLineInput& operator=(const TLineInput&) = delete;

    // "-" is standard input. False when the file cannot be opened.
    bool Open(const std::string& Name);
    [[nodiscard]] bool IsOpen() const { return File >= 0; }

    enum class TStatus { Line, None, End };
    // The next line, without its line end: Line. None when no whole line is there yet and
    // Wait is false, or when a quit signal ended the wait. End after the last line. A line
    // longer than MaxLine characters comes in pieces.
    TStatus Next(std::string& Line, bool Wait);

    static constexpr size_t MaxLine = 4095;

private:
    bool TakeLine(std::string& Line);
    // Reads what is there (waiting up to a poll's slice when Wait); false when nothing came.
    bool Fill(bool Wait);

    int File = -1;
    bool Owned = false;
    bool Ended = false;
    std::string Buffer;
};
