// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

// The values of the game's one screen number. The board and the scene read it to decide what
// moves and what is drawn; the screens change it.
enum TScreenState : uint8_t {
    ssExitToMenu = 0,
    ssEnterName = 1,
    ssLeavingMenu = 2,
    ssLogo = 3,
    ssMainMenu = 4,
    ssHelp = 6,
    ssOptions = 7,
    ssHighScore = 8,
    ssClearScores = 9,
    ssExitGame = 10,
    ssPlaying = 12,
    ssGameOver = 13,
    ssChooseDifficulty = 14,
    ssStageComplete = 15,
    ssPause = 16,
    ssCreatePlayer = 17,
    ssChangePlayer = 18,
    ssDeletePlayer = 19,
    ssYourScore = 20,
    ssSendScore = 21,
    ssSound = 22,
    ssGraphics = 23,
    ssAllStagesDone = 24,
    ssCountry = 25,
    ssShare = 26,
    ssStory = 27,
    ssHowToPlay = 28,
};
