// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>

class TCosmos;
class TElement;
class THelpWnd;
class TLevelTarget;
class TMenuSprite;
class Tmonster;
class TPanel;
class TSpeechPicture;
class TZibo;

// The values the screens share, owned by the main window. The screens keep no state of their
// own. Sprite references do not own their sprites (the board engine does); they are checked
// with IsLive before use because sweeps may free them.
struct TGameState {
    uint8_t ScreenState = 0;
    // One flag per virtual-key code, set on release and cleared after every frame update.
    std::array<uint8_t, 256> KeyReleased{};
    int32_t FrameCounter = 0;
    // Frames the board has waited, settled, for the player's next move (the automatic hint).
    int32_t IdleFrames = 0;
    // H was pressed while pieces still moved: the hint shows once they have settled.
    bool HintWanted = false;
    // A click or a key on the logo: it gives way to the next screen at its next frame.
    bool LogoSkipped = false;

    int32_t HelpPage = 1;
    int32_t HelpPageCount = 13;
    uint8_t SpeechPage = 1;
    uint8_t SpeechPageCount = 2;
    float SpeechSpeed = 0.0f;
    bool SpeechArrived = false;
    bool SpeechTextSet = false;
    bool ExitToMenuRunning = false;
    bool EndgameShown = false;
    int32_t HowToPlayPage = 0;
    // The high-score table shown: 0 easy, 1 medium, 2 hard.
    uint8_t ShownTable = 0;
    // The row (0 the top) of table EnteredTable that the game just finished took, highlighted
    // until the table screen is left; -1 for none.
    uint8_t EnteredTable = 0;
    int32_t EnteredRow = -1;
    // The final-score screen's count: the level's seconds noted on entry and what is left.
    uint32_t NotedSeconds = 0;
    bool ScoreCounted = false;
    bool TimeCounted = false;

    TZibo* Zibo = nullptr;
    Tmonster* Monster = nullptr;
    TPanel* BoardPanel = nullptr;
    TPanel* UpPanel = nullptr;
    TPanel* DownPanel = nullptr;
    TLevelTarget* LevelTarget = nullptr;
    TSpeechPicture* Speech = nullptr;
    TCosmos* Cosmos = nullptr;
    TElement* StageElement = nullptr;
    TMenuSprite* LogoSprite = nullptr;
    THelpWnd* HelpWnd = nullptr;

    [[nodiscard]] bool Released(uint8_t Key) const { return KeyReleased[Key] != 0; }
};

// Virtual-key codes the screens act on.
constexpr uint8_t vkEscape = 27;
constexpr uint8_t vkEnter = 13;
constexpr uint8_t vkP = 80;
constexpr uint8_t vkH = 72;
constexpr uint8_t vkR = 82;
constexpr uint8_t vkSpace = 32;
constexpr uint8_t vkLeft = 37;
constexpr uint8_t vkUp = 38;
constexpr uint8_t vkRight = 39;
constexpr uint8_t vkDown = 40;
constexpr uint8_t vkF1 = 112;
