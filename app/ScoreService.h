// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <string>

// The address of the score service's script: the --score-server option (Option) when given,
// else the first line of the player's scoreserver.txt (File) when there is one, else the
// game's own service. An address that is neither host[:port] nor an http(s) base is ignored
// with a line on stderr, and the game's own service is used.
[[nodiscard]] std::string ScoreServiceUrl(const std::string& Option, const std::filesystem::path& File);
