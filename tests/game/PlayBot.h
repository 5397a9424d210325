// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// A board as the game's dump shows it: [row][column] cells "K.B.L".
using TDumpBoard = std::vector<std::vector<std::string>>;

// A swap of two neighbouring cells, by column and row.
struct TSwapMove {
    int Col1 = 0, Row1 = 0, Col2 = 0, Row2 = 0;
};

// The swap that makes a line and clears the most tiles (ties: the first found, top-left
// first), or nothing when no swap makes a line.
[[nodiscard]] std::optional<TSwapMove> FindSwap(const TDumpBoard& Board);
// The commands that make the swap: a click on the first cell, then one on its neighbour.
[[nodiscard]] std::vector<std::string> SwapClicks(const TSwapMove& Move);

// The game run interactively: commands go in through a pipe while it waits between them, and
// the trace is read back from its file, so a player can look at a dump before choosing.
class TLiveGame {
public:
    TLiveGame(const std::filesystem::path& Folder, int Seed, const std::string& ExtraOptions = "");
    ~TLiveGame();
    TLiveGame(const TLiveGame&) = delete;
    TLiveGame& operator=(const TLiveGame&) = delete;

    void Send(const std::vector<std::string>& Commands);
    // Asks for a dump and waits until its board is in the trace; returns the dump line's
    // fields through the trace, and its board.
    TDumpBoard Dump(std::string& DumpLine);
    // Ends the control input, waits for the game to quit and returns every trace line.
    std::vector<std::string> Finish();
    // Every trace line written so far.
    [[nodiscard]] std::vector<std::string> ReadTrace() const;

private:
    std::filesystem::path Folder;
    FILE* Pipe = nullptr;
    size_t DumpsSeen = 0;
};
