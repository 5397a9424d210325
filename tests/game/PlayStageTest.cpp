// SPDX-License-Identifier: MIT
#include "GameRun.h"
#include "PlayBot.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
std::vector<std::string> Between(const std::vector<std::string>& Lines, const std::string& Fragment) {
    std::vector<std::string> out;
    for (const std::string& line : Lines) {
        if (line.find(Fragment) != std::string::npos) {
            out.push_back(line);
        }
    }
    return out;
}
} // namespace

TEST(PlayBot, FindsTheSwapThatClearsMostTiles) {
    // Kind 1 lines up in row 0 by swapping (4,0) with (5,0) over no tile, or in column 0 by
    // swapping (0,3) with (0,4) over two.
    TDumpBoard board(8, std::vector<std::string>(8));
    for (int r = 0; r < 8; ++r) {
        for (int c = 0; c < 8; ++c) {
            board[r][c] = std::to_string(2 + (c + 2 * r) % 5) + ".0.0";
        }
    }
    board[0][2] = board[0][3] = board[0][5] = "1.0.0";
    board[1][0] = "1.0.1";
    board[2][0] = "1.0.1";
    board[4][0] = "1.0.0";
    const auto move = FindSwap(board);
    ASSERT_TRUE(move.has_value());
    EXPECT_EQ(move->Col1, 0);
    EXPECT_EQ(move->Row1, 3);
    EXPECT_EQ(move->Col2, 0);
    EXPECT_EQ(move->Row2, 4);
}

// A player that reads the board and swaps pieces into lines clears the first stage on easy
// well within its time; the time left is added to the score and the second stage begins.
TEST(PlayStage, BotClearsStageOneAndReachesStageTwo) {
    TGameRun folder;
    TLiveGame game(folder.Folder(), 1);
    std::vector<std::string> start = ToMainMenu();
    for (const char* command : {"click 600 296", "frames 5", "click 600 268", "frames 5", "key 27",
                                "frames 250", "key 27", "frames 5"}) {
        start.emplace_back(command);
    }
    game.Send(start);
    std::string dump;
    for (int move = 0; move < 150; ++move) {
        const TDumpBoard board = game.Dump(dump);
        ASSERT_FALSE(dump.empty()) << "the game stopped answering";
        if (TGameRun::Fields(dump)["state"] != "12") {
            break;
        }
        const auto swap = FindSwap(board);
        game.Send(swap ? SwapClicks(*swap) : std::vector<std::string>{});
        game.Send({"frames 80"});
    }
    game.Send({"frames 250"});
    game.Dump(dump);
    auto complete = TGameRun::Fields(dump);
    ASSERT_EQ(complete["state"], "15");
    const int timeLeft = std::stoi(complete["timeleft"]);
    const int score = std::stoi(complete["score"]);
    EXPECT_GT(timeLeft, 10);
    EXPECT_GT(score, 0);

    game.Send({"frames 800", "key 13", "frames 5"});
    game.Dump(dump);
    auto next = TGameRun::Fields(dump);
    EXPECT_EQ(next["state"], "12");
    EXPECT_EQ(next["stage"], "2");
    EXPECT_EQ(next["score"], std::to_string(score + timeLeft));

    const std::vector<std::string> lines = game.Finish();
    EXPECT_EQ(Between(lines, "sound name=stagecomplete").size(), 1u);
    EXPECT_EQ(Between(lines, "enter state=15").size(), 1u);
    EXPECT_EQ(Between(lines, "sound name=startlevel").size(), 1u) << "stage 2 is still in its run-in";
    // Stage 2 opens no story and no how-to-play.
    EXPECT_EQ(Between(lines, "enter state=27").size(), 1u);
    EXPECT_EQ(Between(lines, "enter state=28").size(), 1u);
}
