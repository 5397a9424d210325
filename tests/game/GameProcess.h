// SPDX-License-Identifier: MIT
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// The real game, headless, as a child process of the test: commands go in through its standard
// input, which stays open, so the game waits between them as it does for a driver; the test can
// send it signals (a desktop's logout, a kill -9) at chosen moments and collect its exit.
class TGameProcess {
public:
    TGameProcess(const std::filesystem::path& Folder, uint64_t Seed);
    // A game still running is killed.
    ~TGameProcess();
    TGameProcess(const TGameProcess&) = delete;
    TGameProcess& operator=(const TGameProcess&) = delete;

    [[nodiscard]] bool Started() const { return Pid > 0; }
    void Send(const std::vector<std::string>& Commands);
    // Waits until a trace line holding Fragment follows a line holding After (the start of
    // the trace when After is empty); false when the game ends first or the wait runs past a
    // generous bound that only a hung game reaches.
    bool WaitForTrace(const std::string& Fragment, const std::string& After = "");
    void Signal(int Number);
    // Waits for the game to end: its exit code, or -N when signal N ended it (-1 when it
    // never ends; it is then killed).
    int Wait();
    [[nodiscard]] std::vector<std::string> Trace() const;

private:
    std::filesystem::path Folder;
    pid_t Pid = -1;
    int Input = -1;
    bool Ended = false;
    int Status = 0;
};
