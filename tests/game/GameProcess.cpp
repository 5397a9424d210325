// SPDX-License-Identifier: MIT
#include "GameProcess.h"

#include "GameRun.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
// Polls come this far apart; a game that takes 6000 of them (five minutes, far more than the
// longest script needs on a busy machine) is hung.
constexpr auto kPoll = std::chrono::milliseconds(50);
constexpr int kPolls = 6000;
} // namespace

TGameProcess::TGameProcess(const fs::path& Folder, uint64_t Seed) : Folder(Folder) {
    // A game that ended must not take the test with it when a command is written after.
    std::signal(SIGPIPE, SIG_IGN);
    int pipeEnds[2] = {-1, -1};
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0) {
        return;
    }
    const std::string game = (fs::path(ZIBO_GAME_DIR) / "zibo").string();
    const std::string seed = std::to_string(Seed);
    const std::string folder = Folder.string();
    const std::string errors = (Folder / "errors.txt").string();
    Pid = ::fork();
    if (Pid == 0) {
        // Only calls that are safe between fork and exec.
        const int err = ::open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (::dup2(pipeEnds[0], 0) < 0 || err < 0 || ::dup2(err, 2) < 0 || ::chdir(folder.c_str()) != 0) {
            ::_exit(127);
        }
        ::execl(game.c_str(), game.c_str(), "--headless", "--seed", seed.c_str(), "--data-dir", ".", "--user-dir", ".",
                "--control", "-", "--trace", "trace.txt", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(pipeEnds[0]);
    Input = pipeEnds[1];
}

TGameProcess::~TGameProcess() {
    if (Pid > 0 && !Ended) {
        ::kill(Pid, SIGKILL);
        Wait();
    }
    if (Input >= 0) {
        ::close(Input);
    }
}

void TGameProcess::Send(const std::vector<std::string>& Commands) {
    for (const std::string& c : Commands) {
        const std::string line = c + "\n";
        if (::write(Input, line.data(), line.size()) != static_cast<ssize_t>(line.size())) {
            return;
        }
    }
}

bool TGameProcess::WaitForTrace(const std::string& Fragment, const std::string& After) {
    for (int i = 0; i < kPolls; ++i) {
        bool afterSeen = After.empty();
        for (const std::string& line : Trace()) {
            if (afterSeen && line.find(Fragment) != std::string::npos) {
                return true;
            }
            afterSeen = afterSeen || line.find(After) != std::string::npos;
        }
        int status = 0;
        if (!Ended && ::waitpid(Pid, &status, WNOHANG) == Pid) {
            Ended = true;
            Status = status;
        }
        if (Ended) {
            return false;
        }
        std::this_thread::sleep_for(kPoll);
    }
    return false;
}

void TGameProcess::Signal(int Number) {
    if (Pid > 0 && !Ended) {
        ::kill(Pid, Number);
    }
}

int TGameProcess::Wait() {
    if (Pid <= 0) {
        return -1;
    }
    for (int i = 0; i < kPolls && !Ended; ++i) {
        int status = 0;
        if (::waitpid(Pid, &status, WNOHANG) == Pid) {
            Ended = true;
            Status = status;
            break;
        }
        std::this_thread::sleep_for(kPoll);
    }
    if (!Ended) {
        ::kill(Pid, SIGKILL);
        ::waitpid(Pid, &Status, 0);
        Ended = true;
        return -1;
    }
    return WIFEXITED(Status) ? WEXITSTATUS(Status) : -WTERMSIG(Status);
}

std::vector<std::string> TGameProcess::Trace() const {
    return ReadLines(Folder / "trace.txt");
}
