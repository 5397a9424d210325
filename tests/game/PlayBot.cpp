// SPDX-License-Identifier: MIT
#include "PlayBot.h"

#include "GameRun.h"

#include <chrono>
#include <cstdio>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;

namespace {
struct TCell {
    int Kind = -1;
    int Layer = 0;
};

TCell ParseCell(const std::string& Text) {
    TCell cell;
    int bonus = 0;
    if (std::sscanf(Text.c_str(), "%d.%d.%d", &cell.Kind, &bonus, &cell.Layer) != 3) {
        return {};
    }
    return cell;
}

using TGrid = std::vector<std::vector<TCell>>; // [col][row]

// The cells of the lines through (c, r), or 0 when none is three long.
int LineTilesThrough(const TGrid& G, int C, int R, bool& Line) {
    const int kind = G[C][R].Kind;
    if (kind < 0) {
        return 0;
    }
    int tiles = 0;
    for (const auto& [dc, dr] : {std::pair{1, 0}, std::pair{0, 1}}) {
        int from = 0, to = 0;
        while (C - dc * (from + 1) >= 0 && R - dr * (from + 1) >= 0 &&
               G[C - dc * (from + 1)][R - dr * (from + 1)].Kind == kind) {
            ++from;
        }
        while (C + dc * (to + 1) < 8 && R + dr * (to + 1) < 8 &&
               G[C + dc * (to + 1)][R + dr * (to + 1)].Kind == kind) {
            ++to;
        }
        if (from + to + 1 >= 3) {
            Line = true;
            for (int i = -from; i <= to; ++i) {
                tiles += G[C + dc * i][R + dr * i].Layer;
            }
        }
    }
    return tiles;
}
} // namespace

std::optional<TSwapMove> FindSwap(const TDumpBoard& Board) {
    if (Board.size() != 8) {
        return std::nullopt;
    }
    TGrid grid(8, std::vector<TCell>(8));
    for (int r = 0; r < 8; ++r) {
        if (Board[r].size() != 8) {
            return std::nullopt;
        }
        for (int c = 0; c < 8; ++c) {
            grid[c][r] = ParseCell(Board[r][c]);
        }
    }
    std::optional<TSwapMove> best;
    int bestTiles = -1;
    for (int c = 0; c < 8; ++c) {
        for (int r = 0; r < 8; ++r) {
            for (const auto& [dc, dr] : {std::pair{1, 0}, std::pair{0, 1}}) {
                const int c2 = c + dc, r2 = r + dr;
                if (c2 >= 8 || r2 >= 8) {
                    continue;
                }
                std::swap(grid[c][r].Kind, grid[c2][r2].Kind);
                bool line = false;
                const int tiles = LineTilesThrough(grid, c, r, line) + LineTilesThrough(grid, c2, r2, line);
                std::swap(grid[c][r].Kind, grid[c2][r2].Kind);
                if (line && tiles > bestTiles) {
                    bestTiles = tiles;
                    best = TSwapMove{c, r, c2, r2};
                }
            }
        }
    }
    return best;
}

std::vector<std::string> SwapClicks(const TSwapMove& Move) {
    // A piece knows it is under the pointer only after a frame has seen the pointer there, so
    // each click waits a frame after the move.
    const auto at = [](int Col, int Row) {
        return std::to_string(222 + 44 * Col + 22) + " " + std::to_string(138 + 44 * Row + 22);
    };
    const std::string first = at(Move.Col1, Move.Row1), second = at(Move.Col2, Move.Row2);
    return {"move " + first, "frames 1", "click " + first, "move " + second, "frames 1", "click " + second};
}

TLiveGame::TLiveGame(const fs::path& Folder, int Seed, const std::string& ExtraOptions) : Folder(Folder) {
    const std::string command = "cd '" + Folder.string() + "' && '" +
                                (fs::path(ZIBO_GAME_DIR) / "zibo").string() + "' --headless --seed " +
                                std::to_string(Seed) + " --data-dir . --user-dir . --renderer none --control - --trace trace.txt " +
                                ExtraOptions + " 2> errors.txt";
    Pipe = ::popen(command.c_str(), "w");
}

TLiveGame::~TLiveGame() {
    if (Pipe) {
        ::pclose(Pipe);
    }
}

void TLiveGame::Send(const std::vector<std::string>& Commands) {
    if (!Pipe) {
        return;
    }
    for (const std::string& c : Commands) {
        std::fputs((c + "\n").c_str(), Pipe);
    }
    std::fflush(Pipe);
}

std::vector<std::string> TLiveGame::ReadTrace() const {
    return ReadLines(Folder / "trace.txt");
}

TDumpBoard TLiveGame::Dump(std::string& DumpLine) {
    Send({"dump"});
    ++DumpsSeen;
    // The game writes the dump and its eight board lines before it reads the next command; a
    // game that has died leaves the wait after a generous bound instead of hanging the suite.
    for (int attempt = 0; attempt < 60000; ++attempt) {
        const std::vector<std::string> lines = ReadTrace();
        size_t dumps = 0;
        for (size_t i = 0; i < lines.size(); ++i) {
            if (lines[i].find(" dump ") == std::string::npos || ++dumps != DumpsSeen) {
                continue;
            }
            if (i + 8 >= lines.size()) {
                break;
            }
            DumpLine = lines[i];
            TDumpBoard board;
            for (size_t k = i + 1; k <= i + 8; ++k) {
                std::istringstream cells(lines[k].substr(lines[k].find("cells=") + 6));
                std::vector<std::string> row;
                for (std::string cell; cells >> cell;) {
                    row.push_back(cell);
                }
                board.push_back(row);
            }
            return board;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    DumpLine.clear();
    return {};
}

std::vector<std::string> TLiveGame::Finish() {
    if (Pipe) {
        ::pclose(Pipe);
        Pipe = nullptr;
    }
    return ReadTrace();
}
