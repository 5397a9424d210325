// SPDX-License-Identifier: MIT
#include "platform/LineInput.h"

#include "platform/QuitSignals.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {
// A wait looks for a quit signal at least this often (milliseconds), so one that lands just
// before the wait starts still ends it promptly.
constexpr int kSlice = 100;
} // namespace

TLineInput::~TLineInput() {
    if (Owned && File >= 0) {
        ::close(File);
    }
}

bool TLineInput::Open(const std::string& Name) {
    if (Name == "-") {
        File = 0;
        Owned = false;
    } else {
        File = ::open(Name.c_str(), O_RDONLY | O_CLOEXEC);
        Owned = File >= 0;
    }
    Ended = false;
    Buffer.clear();
    return File >= 0;
}

bool TLineInput::TakeLine(std::string& Line) {
    const size_t End = Buffer.find('\n');
    if (End == std::string::npos && Buffer.size() <= MaxLine && !(Ended && !Buffer.empty())) {
        return false;
    }
    const size_t Length = End == std::string::npos ? std::min(Buffer.size(), MaxLine) : End;
    Line.assign(Buffer, 0, Length);
    Buffer.erase(0, End == std::string::npos ? Length : End + 1);
    return true;
}

bool TLineInput::Fill(bool Wait) {
    pollfd Ready{File, POLLIN, 0};
    const int Polled = ::poll(&Ready, 1, Wait ? kSlice : 0);
    if (Polled <= 0) {
        return false; // nothing yet, or a signal came
    }
    char Chunk[4096];
    const ssize_t Got = ::read(File, Chunk, sizeof Chunk);
    if (Got > 0) {
        Buffer.append(Chunk, static_cast<size_t>(Got));
        return true;
    }
    if (Got == 0 || errno != EINTR) {
        Ended = true;
    }
    return Got == 0;
}

TLineInput::TStatus TLineInput::Next(std::string& Line, bool Wait) {
    if (File < 0) {
        return TStatus::End;
    }
    for (;;) {
        if (TakeLine(Line)) {
            return TStatus::Line;
        }
        if (Ended) {
            return TStatus::End;
        }
        if (QuitSignal() != 0) {
            return TStatus::None;
        }
        if (!Fill(Wait) && !Wait) {
            return TStatus::None;
        }
    }
}
