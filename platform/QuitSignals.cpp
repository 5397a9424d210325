// SPDX-License-Identifier: MIT
#include "platform/QuitSignals.h"

#include <SDL.h>

#include <csignal>
#include <initializer_list>

namespace {
volatile std::sig_atomic_t Received = 0;

extern "C" void NoteSignal(int Number) {
    Received = Number;
}
} // namespace

void InstallQuitSignals() {
    // Left to itself the video system would turn these into a close request, which only asks
    // the player a question.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    struct sigaction Action {};
    Action.sa_handler = NoteSignal;
    sigemptyset(&Action.sa_mask);
    Action.sa_flags = 0;
    for (const int Number : {SIGTERM, SIGINT, SIGHUP}) {
        sigaction(Number, &Action, nullptr);
    }
}

int QuitSignal() {
    return Received;
}
