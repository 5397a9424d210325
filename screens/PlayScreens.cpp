// SPDX-License-Identifier: MIT
#include "board/GameEngine.h"
#include "board/LevelTarget.h"
#include "board/ScreenState.h"
#include "engine/Font.h"
#include "gui/GuiControl.h"
#include "scene/Decor.h"
#include "scene/Faces.h"
#include "screens/GameState.h"
#include "screens/Settings.h"
#include "screens/ScreenHost.h"
#include "screens/Screens.h"
#include "screens/StageScene.h"

namespace {
// The run-in: the board panel and the monster slide in for at least this many frames before
// the board is built and the clock starts.
constexpr int32_t RunInFrames = 80;
// The frames between the last tile cleared and the stage-complete screen, for the board's
// finishing animations.
constexpr int32_t StageCompleteDelay = 200;
// 15 s of a settled board without a move before the automatic hint.
constexpr int32_t AutoHintFrames = 1500;

// Sprites that outlive the playing screen: the scene around the board and the pieces, which
// the stage endings take away themselves.
void ClearStageSprites(TGameEngine& Engine) {
    MarkDeadExcept(Engine, {"cursor", "Cosmos", "Zibo", "Eye", "Mouth", "Panel", "Piece", "ZiboPupil",
                            "Monster", "LevelTarget"});
    Engine.FreeDead();
}

void RegisterChooseDifficulty(TScreens& S) {
    S.Register(ssChooseDifficulty, {
                                       [&S] { S.EnterForm(ssChooseDifficulty, "scr_choosedif"); },
                                       [&S] {
                                           if (S.State().Released(vkEscape)) {
                                               S.Press("b_choosedif_back");
                                           }
                                           S.Host().RenderFrame(true);
                                       },
                                       [&S] { S.HideForm("scr_choosedif"); },
                                   });
    S.Bind("b_choosedif_back", [&S] { S.ClickGo(ssChooseDifficulty, ssMainMenu); });
    const auto choose = [&S](uint8_t Difficulty) {
        S.Host().Engine().Difficulty = Difficulty;
        // The game's music takes over from the menu's.
        S.Host().StopMusic(1);
        S.Host().PlayMusic(2);
        S.Host().PlaySound("check");
        S.Go(ssChooseDifficulty, ssStory);
    };
    S.Bind("b_choosedif_easy", [choose] { choose(0); });
    S.Bind("b_choosedif_medium", [choose] { choose(1); });
    S.Bind("b_choosedif_hard", [choose] { choose(2); });
}

void EnterPlaying(TScreens& S) {
    TGameState& g = S.State();
    IScreenHost& host = S.Host();
    TGameEngine& engine = host.Engine();
    // The story panel is cleaned up whatever screen came before; a second leave is harmless.
    S.ScreenLeave(ssStory);
    g.ScreenState = ssPlaying;
    for (auto& column : engine.Board) {
        for (TBoardCell& cell : column) {
            cell.HasLayer = 0;
            cell.Shrinking = 0;
        }
    }
    g.FrameCounter = 0;
    g.BoardPanel = &engine.Add<TPanel>(202.0f, 120.0f, "board");
    engine.Add<TPanel>(0.0f, 281.0f, "backgame");
    g.LevelTarget = &engine.Add<TLevelTarget>(engine.CurrentStage, host.Particles());
    if (const int32_t chapter = ChapterStartedBy(engine.CurrentStage); chapter != 0 && host.Cursor()) {
        g.Monster = &CreateMonster(engine, *host.Cursor(), chapter);
    }
    engine.ResetFlags();
    engine.BoardCursor.Hide();
    engine.Hint.reset();
    engine.HintFrames = 0;
    g.IdleFrames = 0;
    g.HintWanted = false;
    if (TGfxFont* font = host.Fonts().Find("VerdanaIB[Aa]16_time")) {
        font->Scale = 1.0;
    }
    engine.BuildLevelTable();
    // The faces leave the story's talk and the last stage's ending behind: a stage starts with
    // no tile cleared.
    engine.ShowProgress();
    S.ShowForm("scr_LevelMix");
    CreateStageElement(S);
}

// The board is built once the run-in is over and the board panel and the monster are in place.
void StartStageWhenReady(TScreens& S) {
    TGameState& g = S.State();
    TGameEngine& engine = S.Host().Engine();
    const bool panelArriving = IsLive(engine, g.BoardPanel) && g.BoardPanel->Arriving;
    const bool monsterArriving = IsLive(engine, g.Monster) && g.Monster->SlidingIn;
    if (g.FrameCounter != RunInFrames || panelArriving || monsterArriving) {
        return;
    }
    engine.BuildBoard();
    g.FrameCounter = RunInFrames + 1;
    S.Host().PlaySound("startlevel");
    S.Host().SetLevelClock(true);
    if (engine.CurrentStage == 1) {
        S.ScreenEnter(ssHowToPlay);
    }
}

void ShowHint(TScreens& S) {
    TGameEngine& engine = S.Host().Engine();
    if (!engine.ShowHint()) {
        return;
    }
    const TSwap& h = *engine.Hint;
    S.Host().TraceEvent2("hint", "from", std::to_string(h.FromCol) + "," + std::to_string(h.FromRow), "to",
                         std::to_string(h.ToCol) + "," + std::to_string(h.ToRow));
}

// The hint shows on a settled board: when H asked for it (pressed while pieces still moved, it
// waits for them), or, with the automatic hint on, after AutoHintFrames settled frames without
// a move; any move starts that wait again.
void HintWhenDue(TScreens& S) {
    TGameState& g = S.State();
    TGameEngine& engine = S.Host().Engine();
    const bool settled = engine.IsBoardSettled();
    if (g.HintWanted && settled) {
        g.HintWanted = false;
        g.IdleFrames = 0;
        ShowHint(S);
        return;
    }
    if (!S.Host().Settings().AutoHint || !settled) {
        g.IdleFrames = 0;
        return;
    }
    if (engine.Hint) {
        return;
    }
    if (++g.IdleFrames >= AutoHintFrames) {
        g.IdleFrames = 0;
        ShowHint(S);
    }
}

void RunStageFrame(TScreens& S) {
    TGameState& g = S.State();
    TGameEngine& engine = S.Host().Engine();
    // A stage whose last tile went before the clock ran out is complete, even when the clock
    // runs out while the last pieces settle.
    if (engine.StageComplete) {
        ++g.FrameCounter;
        if (g.FrameCounter == StageCompleteDelay) {
            S.ScreenEnter(ssStageComplete);
        }
    } else if (engine.TimeUp) {
        S.ScreenEnter(ssGameOver);
    } else {
        engine.RunBoardCycle();
        engine.AgeHint();
        // A board without any move would leave the player stuck: it is reshuffled for them, for
        // free, even in the last seconds when the button is gone.
        if (g.FrameCounter > RunInFrames && engine.ReshuffleWhenStuck()) {
            S.Host().TraceEvent("reshuffle", "by", "game");
        }
        if (g.FrameCounter > RunInFrames) {
            HintWhenDue(S);
        }
    }
}

// The board by keyboard: the arrows and Space or Enter drive the board cursor, R presses the
// reshuffle button when it can be pressed.
void BoardKeys(TScreens& S) {
    const TGameState& g = S.State();
    TGameEngine& engine = S.Host().Engine();
    const TBoardCursor before = engine.BoardCursor;
    struct TArrow {
        uint8_t Key;
        int32_t DCol, DRow;
    };
    for (const TArrow& a : {TArrow{vkLeft, -1, 0}, TArrow{vkRight, 1, 0}, TArrow{vkUp, 0, -1}, TArrow{vkDown, 0, 1}}) {
        if (g.Released(a.Key)) {
            engine.CursorArrow(a.DCol, a.DRow);
        }
    }
    if (g.Released(vkSpace) || g.Released(vkEnter)) {
        engine.CursorSelect();
    }
    if (g.Released(vkH)) {
        S.State().HintWanted = true;
    }
    if (g.Released(vkR)) {
        const TGuiControl* mix = S.Control("b_Mix");
        if (mix != nullptr && mix->Enabled() && !mix->HasHiddenAncestorOrSelf()) {
            S.Press("b_Mix");
        }
    }
    const TBoardCursor& after = engine.BoardCursor;
    if (after.Shown() && (!before.Shown() || before.Col() != after.Col() || before.Row() != after.Row())) {
        S.Host().TraceEvent("boardcursor", "at", std::to_string(after.Col()) + "," + std::to_string(after.Row()));
    }
}

void UpdatePlaying(TScreens& S) {
    TGameState& g = S.State();
    if (g.FrameCounter < RunInFrames) {
        ++g.FrameCounter;
        S.Host().RenderFrame(false);
        return;
    }
    StartStageWhenReady(S);
    RunStageFrame(S);
    S.Host().RenderFrame(false);
    // Keys act only once the board is built, and only on the stage itself: an overlay or an
    // ending opened during this frame takes its own keys from the next frame on.
    if (g.FrameCounter <= RunInFrames || g.ScreenState != ssPlaying) {
        return;
    }
    if (g.Released(vkEscape)) {
        S.Host().PlaySound("check");
        S.ScreenEnter(ssExitToMenu);
    } else if (g.Released(vkP) || g.Released(vkF1)) {
        S.Host().PlaySound("check");
        S.ScreenEnter(ssPause);
    } else {
        BoardKeys(S);
    }
}

void RegisterPlaying(TScreens& S) {
    S.Register(ssPlaying, {
                              [&S] { EnterPlaying(S); },
                              [&S] { UpdatePlaying(S); },
                              [&S] {
                                  S.HideForm("scr_LevelMix");
                                  ClearStageSprites(S.Host().Engine());
                              },
                          });
    // A fresh board without lines; the tiles stay where they are.
    S.Bind("b_Mix", [&S] {
        TGameEngine& engine = S.Host().Engine();
        engine.ResetFlags();
        engine.MixBoard();
    });
}

// The pause overlay sits on the running stage; the sprites and the clock stand still.
void RegisterPause(TScreens& S) {
    S.Register(ssPause, {
                            [&S] {
                                S.State().ScreenState = ssPause;
                                S.HideForm("scr_LevelMix");
                            },
                            [&S] {
                                S.Host().RenderFrame(true);
                                const TGameState& g = S.State();
                                if (g.Released(vkP) || g.Released(vkF1)) {
                                    S.Host().PlaySound("check");
                                    S.ScreenLeave(ssPause);
                                    S.State().ScreenState = ssPlaying;
                                }
                            },
                            [&S] { S.ShowForm("scr_LevelMix"); },
                        });
}

void ShowHowToPlayPage(TScreens& S, int32_t Page) {
    S.State().HowToPlayPage = Page;
    S.SetVisible("b_howtoplay_next", Page == 0);
    S.SetVisible("b_howtoplay_previous", Page == 1);
}

// How to play, over the first stage of a game; the clock counts only once it is closed.
void RegisterHowToPlay(TScreens& S) {
    S.Register(ssHowToPlay, {
                                [&S] {
                                    S.State().ScreenState = ssHowToPlay;
                                    S.ShowForm("scr_howtoplay");
                                    S.HideForm("scr_LevelMix");
                                    ShowHowToPlayPage(S, 0);
                                },
                                [&S] {
                                    if (S.State().Released(vkEscape)) {
                                        S.Press("b_howtoplay_start");
                                    }
                                    S.Host().RenderFrame(true);
                                },
                                [&S] {
                                    S.HideForm("scr_howtoplay");
                                    S.ShowForm("scr_LevelMix");
                                },
                            });
    S.Bind("b_howtoplay_start", [&S] {
        S.ScreenLeave(ssHowToPlay);
        S.State().ScreenState = ssPlaying;
    });
    S.Bind("b_howtoplay_next", [&S] {
        if (S.State().HowToPlayPage == 0) {
            ShowHowToPlayPage(S, 1);
        }
    });
    S.Bind("b_howtoplay_previous", [&S] {
        if (S.State().HowToPlayPage == 1) {
            ShowHowToPlayPage(S, 0);
        }
    });
}
} // namespace

void RegisterPlayScreens(TScreens& Screens) {
    RegisterChooseDifficulty(Screens);
    RegisterStoryScreen(Screens);
    RegisterPlaying(Screens);
    RegisterPause(Screens);
    RegisterHowToPlay(Screens);
}
