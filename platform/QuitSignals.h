// SPDX-License-Identifier: MIT
#pragma once

// The ways a desktop asks a program to end: SIGTERM (logout, `kill`), SIGINT (Ctrl+C in a
// terminal) and SIGHUP (the terminal went away). Once installed they only note the signal;
// the frame loop and the wait for control lines look at it and end the game in good order.
// Blocking waits are interrupted by them (no automatic restart).
void InstallQuitSignals();
// The signal that asked the game to end, or 0.
[[nodiscard]] int QuitSignal();
