// SPDX-License-Identifier: MIT
#include "GameRun.h"
#include "PlayBot.h"

#include "screens/Settings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int Left = 37, Up = 38, Right = 39, Down = 40, Space = 32, Enter = 13, Escape = 27;

std::string Key(int Code) { return "key " + std::to_string(Code); }

// The board cursor's cell from the last "boardcursor" trace line; (-1, -1) before the first.
std::pair<int, int> CursorCell(const std::vector<std::string>& Lines) {
    for (auto line = Lines.rbegin(); line != Lines.rend(); ++line) {
        if (line->find(" boardcursor ") != std::string::npos) {
            const std::string at = TGameRun::Fields(*line)["at"];
            const size_t comma = at.find(',');
            return {std::stoi(at.substr(0, comma)), std::stoi(at.substr(comma + 1))};
        }
    }
    return {-1, -1};
}

// Keys from the first start to the running stage 1 on easy: the name typed, the menu and the
// difficulty chosen with the focus ring, the story and the how-to-play card closed with Escape.
std::vector<std::string> KeysToStageOne() {
    return {"frames 390", "type Tester", "frames 2", Key(Enter), "frames 5", Key(Down), Key(Down), Key(Enter),
            "frames 5",   Key(Down),     Key(Enter), "frames 5", Key(Escape), "frames 250", Key(Escape), "frames 5"};
}

// The commands a player's hands send for the board: the four arrows and the select.
struct TControls {
    std::string Left, Up, Right, Down, Select;
};
const TControls Keyboard{Key(Left), Key(Up), Key(Right), Key(Down), Key(Space)};
const TControls Gamepad{"pad left", "pad up", "pad right", "pad down", "pad a"};

// Commands that bring the cursor from From to the swap's first cell, select it and push it
// toward the second; each gets a frame of its own, as a player's would.
std::vector<std::string> SwapKeys(std::pair<int, int> From, const TSwapMove& Move, const TControls& Hands = Keyboard) {
    std::vector<std::string> keys;
    const auto press = [&keys, &Hands](int Code) {
        const std::string& command = Code == Left    ? Hands.Left
                                     : Code == Right ? Hands.Right
                                     : Code == Up    ? Hands.Up
                                     : Code == Down  ? Hands.Down
                                                     : Hands.Select;
        keys.push_back(command);
        keys.emplace_back("frames 1");
    };
    if (From.first < 0) {
        press(Down); // shows the cursor near the middle, at (3, 3)
        From = {3, 3};
    }
    for (int c = From.first; c != Move.Col1; c += c < Move.Col1 ? 1 : -1) {
        press(c < Move.Col1 ? Right : Left);
    }
    for (int r = From.second; r != Move.Row1; r += r < Move.Row1 ? 1 : -1) {
        press(r < Move.Row1 ? Down : Up);
    }
    press(Space);
    if (Move.Col2 != Move.Col1) {
        press(Move.Col2 > Move.Col1 ? Right : Left);
    } else {
        press(Move.Row2 > Move.Row1 ? Down : Up);
    }
    return keys;
}

bool IsPointerCommand(const std::string& Line) {
    for (const char* command : {"move", "press", "release", "click"}) {
        if (Line.rfind(command, 0) == 0) {
            return true;
        }
    }
    return false;
}

// Plays the running stage to its end with the bot's swaps, made with the given controls; the
// commands sent are added to Sent. Returns the number of moves.
int PlayStage(TLiveGame& Game, const TControls& Hands, std::vector<std::string>& Sent) {
    std::string dump;
    int moves = 0;
    for (; moves < 150; ++moves) {
        const TDumpBoard board = Game.Dump(dump);
        EXPECT_FALSE(dump.empty()) << "the game stopped answering";
        if (dump.empty() || TGameRun::Fields(dump)["state"] != "12") {
            break;
        }
        const auto swap = FindSwap(board);
        std::vector<std::string> keys =
            swap ? SwapKeys(CursorCell(Game.ReadTrace()), *swap, Hands) : std::vector<std::string>{};
        keys.emplace_back("frames 80");
        Game.Send(keys);
        Sent.insert(Sent.end(), keys.begin(), keys.end());
    }
    return moves;
}

} // namespace

// From the first start to the second stage with the keyboard alone: the name typed, the menu
// and the difficulty chosen with the focus ring, the story and the how-to-play card closed with
// Escape, and every swap of stage 1 made with the board cursor.
TEST(KeyboardPlay, StageOneIsClearedWithKeysAlone) {
    TGameRun folder;
    TLiveGame game(folder.Folder(), 1);
    std::vector<std::string> sent = KeysToStageOne();
    game.Send(sent);
    std::string dump;
    const int moves = PlayStage(game, Keyboard, sent);
    game.Send({"frames 250"});
    game.Dump(dump);
    EXPECT_EQ(TGameRun::Fields(dump)["state"], "15");
    EXPECT_GT(std::stoi(TGameRun::Fields(dump)["score"]), 0);
    game.Send({"frames 800", Key(Enter), "frames 5"});
    game.Dump(dump);
    EXPECT_EQ(TGameRun::Fields(dump)["stage"], "2");
    const std::vector<std::string> lines = game.Finish();
    EXPECT_GT(moves, 3);
    EXPECT_GE(CountHolding(lines, "boardcursor at=3,3"), 1);
    for (const std::string& line : sent) {
        EXPECT_FALSE(IsPointerCommand(line)) << line;
    }
}

// R presses the reshuffle button: a new board without lines, as a click on the button makes.
TEST(KeyboardPlay, RReshufflesTheBoard) {
    TGameRun folder;
    TLiveGame game(folder.Folder(), 1);
    game.Send(KeysToStageOne());
    std::string dump;
    const TDumpBoard before = game.Dump(dump);
    ASSERT_EQ(TGameRun::Fields(dump)["state"], "12");
    game.Send({Key('R'), "frames 200"});
    const TDumpBoard after = game.Dump(dump);
    EXPECT_EQ(TGameRun::Fields(dump)["state"], "12");
    EXPECT_NE(before, after);
    game.Finish();
}

// H marks a swap on the board in play: pressed while the new pieces still grow in, it waits
// for them; the traced swap lines pieces up on the dumped board, and it costs and scores nothing.
TEST(KeyboardPlay, HMarksASwapThatMakesALine) {
    TGameRun folder;
    TLiveGame game(folder.Folder(), 3);
    game.Send(KeysToStageOne());
    std::string dump;
    TDumpBoard board = game.Dump(dump);
    ASSERT_EQ(TGameRun::Fields(dump)["state"], "12");
    const std::string score = TGameRun::Fields(dump)["score"];
    game.Send({Key('H'), "frames 1"});
    game.Dump(dump);
    EXPECT_TRUE(CountHolding(game.ReadTrace(), " hint from=") == 0) << "the board had not settled yet";
    game.Send({"frames 100"});
    board = game.Dump(dump);
    EXPECT_EQ(TGameRun::Fields(dump)["score"], score);
    const std::vector<std::string> lines = game.Finish();
    std::string from, to;
    for (const std::string& line : lines) {
        if (line.find(" hint ") != std::string::npos) {
            from = TGameRun::Fields(line)["from"];
            to = TGameRun::Fields(line)["to"];
        }
    }
    ASSERT_FALSE(from.empty());
    const auto cell = [](const std::string& At) {
        const size_t comma = At.find(',');
        return std::make_pair(std::stoi(At.substr(0, comma)), std::stoi(At.substr(comma + 1)));
    };
    const auto [c1, r1] = cell(from);
    const auto [c2, r2] = cell(to);
    EXPECT_EQ(std::abs(c1 - c2) + std::abs(r1 - r2), 1);
    // The swap, made on the dumped board, must leave three of a kind in a row or a column.
    std::swap(board[static_cast<size_t>(r1)][static_cast<size_t>(c1)], board[static_cast<size_t>(r2)][static_cast<size_t>(c2)]);
    const auto kind = [&board](int C, int R) {
        const std::string& k = board[static_cast<size_t>(R)][static_cast<size_t>(C)];
        return k.substr(0, k.find('.'));
    };
    bool line = false;
    for (int c = 0; c < 8; ++c) {
        for (int r = 0; r < 8; ++r) {
            line = line || (r + 2 < 8 && kind(c, r) == kind(c, r + 1) && kind(c, r) == kind(c, r + 2)) ||
                   (c + 2 < 8 && kind(c, r) == kind(c + 1, r) && kind(c, r) == kind(c + 2, r));
        }
    }
    EXPECT_TRUE(line) << from << " " << to;
}

// The same with a game controller alone: a player's profile is already there (a pad cannot
// type a name), and the menus, the story, the how-to-play card, every swap of stage 1 and the
// way on to stage 2 go through pad buttons only.
TEST(GamepadPlay, StageOneIsClearedWithThePadAlone) {
    TGameRun folder;
    TSettings profile;
    ResetHighScores(profile);
    AddProfile(profile, "Tester");
    SaveConfig((folder.Folder() / "Config.cfg").string(), profile);
    TLiveGame game(folder.Folder(), 1);
    std::vector<std::string> sent = {"frames 390", "pad down", "pad down", "pad a", "frames 5", "pad down",
                                     "pad a", "frames 5", "pad b", "frames 250", "pad b", "frames 100",
                                     "padstick 32767 900", "frames 45", "padstick 0 0",
                                     "pad y", "frames 1", "pad start", "frames 5"};
    game.Send(sent);
    std::string dump;
    game.Dump(dump);
    EXPECT_EQ(TGameRun::Fields(dump)["state"], "16"); // Start paused the stage
    sent.insert(sent.end(), {"pad start", "frames 5"});
    game.Send({"pad start", "frames 5"});
    game.Dump(dump);
    EXPECT_EQ(TGameRun::Fields(dump)["state"], "12");
    const int moves = PlayStage(game, Gamepad, sent);
    game.Send({"frames 250"});
    game.Dump(dump);
    EXPECT_EQ(TGameRun::Fields(dump)["state"], "15");
    game.Send({"frames 800", "pad a", "frames 5"});
    game.Dump(dump);
    EXPECT_EQ(TGameRun::Fields(dump)["stage"], "2");
    const std::vector<std::string> lines = game.Finish();
    EXPECT_GT(moves, 3);
    EXPECT_EQ(CountHolding(lines, " hint from="), 1); // Y showed the hint
    // The stick leaning right showed the cursor at once and, held, moved it on by one cell.
    std::vector<std::string> cursor;
    for (const std::string& line : lines) {
        if (line.find(" boardcursor ") != std::string::npos && cursor.size() < 2) {
            cursor.push_back(TGameRun::Fields(line)["at"]);
        }
    }
    EXPECT_EQ(cursor, (std::vector<std::string>{"3,3", "4,3"}));
    for (const std::string& line : sent) {
        EXPECT_TRUE(line.rfind("pad", 0) == 0 || line.rfind("frames ", 0) == 0) << line;
    }
}
