// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

// Hands a file or an address to the desktop's default handler (xdg-open), or starts a
// program, without a shell and without waiting. False when it could not be started.
bool ShellOpen(const std::string& PathOrAddress);
bool StartDetached(const std::vector<std::string>& Arguments);
