// SPDX-License-Identifier: MIT
#include "platform/Shell.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

bool StartDetached(const std::vector<std::string>& Arguments) {
    if (Arguments.empty()) {
        return false;
    }
    // A short-lived middle process starts the program and exits at once, so the program is
    // re-parented and never becomes a zombie of the game, and the game never waits for it.
    const pid_t middle = fork();
    if (middle < 0) {
        return false;
    }
    if (middle == 0) {
        std::vector<char*> argv;
        for (const std::string& a : Arguments) {
            argv.push_back(const_cast<char*>(a.c_str()));
        }
        argv.push_back(nullptr);
        setsid();
        pid_t child = 0;
        const int rc = posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ);
        _exit(rc == 0 ? 0 : 1);
    }
    int status = 0;
    waitpid(middle, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool ShellOpen(const std::string& PathOrAddress) { return StartDetached({"xdg-open", PathOrAddress}); }
