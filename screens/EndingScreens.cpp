// SPDX-License-Identifier: MIT
#include "board/GameEngine.h"
#include "board/LevelTarget.h"
#include "board/ScreenState.h"
#include "gui/GuiControl.h"
#include "scene/Decor.h"
#include "scene/Faces.h"
#include "screens/GameState.h"
#include "screens/ScreenHost.h"
#include "screens/Screens.h"
#include "screens/Settings.h"
#include "screens/StageScene.h"

#include <charconv>
#include <string>

namespace {
// The logo fades in, stays, fades out; then the main menu (or the first player's name). A click
// or a key cuts it short. The game's data load while it shows, and it ends only once they are all
// there.
void RegisterLogo(TScreens& S) {
    S.Register(ssLogo, {
                           [&S] {
                               TGameState& g = S.State();
                               g.ScreenState = ssLogo;
                               g.FrameCounter = 0;
                               g.LogoSkipped = false;
                               g.LogoSprite = &S.Host().Engine().Add<TMenuSprite>(400.0f, 280.0f, "logo");
                           },
                           [&S] {
                               TGameState& g = S.State();
                               if (IsLive(S.Host().Engine(), g.LogoSprite)) {
                                   if (g.FrameCounter > 30 && g.FrameCounter < 115) {
                                       g.LogoSprite->SetAlpha(g.LogoSprite->Alpha + 3);
                                   }
                                   if (g.FrameCounter > 322 && g.FrameCounter < 372) {
                                       g.LogoSprite->SetAlpha(g.LogoSprite->Alpha - 5);
                                   }
                               }
                               ++g.FrameCounter;
                               S.Host().RenderFrame(false);
                               // On a slow machine the logo stays until every picture is loaded.
                               if ((g.FrameCounter >= 385 || g.LogoSkipped) && S.Host().DataLoaded()) {
                                   S.ScreenLeave(ssLogo);
                                   if (S.Host().Settings().PlayerCount > 0) {
                                       S.ScreenEnter(ssMainMenu);
                                   } else {
                                       g.Cosmos = &S.Host().Engine().Add<TCosmos>();
                                       S.ScreenEnter(ssEnterName);
                                       S.HideForm("scr_mainmenu");
                                   }
                               }
                           },
                           [&S] {
                               TGameState& g = S.State();
                               if (IsLive(S.Host().Engine(), g.LogoSprite)) {
                                   g.LogoSprite->MarkDead();
                               }
                               g.LogoSprite = nullptr;
                           },
                       });
}

// The timeline of the stage-complete screen, in frames.
constexpr int32_t ShrinkFrame = 20;
constexpr int32_t PanelLeavesFrame = 70;
constexpr int32_t TargetFliesFrame = 170;
constexpr int32_t CountUpFrame = 330;
constexpr int32_t TimeBonusAfter = 390;
// Frames the game-over, the end picture and the way back to the menu last.
constexpr int32_t GameOverPanelFrame = 100;
constexpr int32_t GameOverFrames = 220;
constexpr int32_t EndPictureFrames = 400;
constexpr int32_t ExitToMenuFrames = 100;

// The number the stage-complete label shows (0 when it holds no number).
int32_t ShownScore(const TScreens& S) {
    const std::string text = S.Text("sc_score");
    int32_t value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc{} ? value : 0;
}

void SetShownScore(const TScreens& S, int32_t Value) {
    S.SetText("sc_score", std::to_string(Value));
}

void KillLevelTarget(TScreens& S) {
    TLevelTarget* target = S.State().LevelTarget;
    if (IsLive(S.Host().Engine(), target) && target->Name == "LevelTarget") {
        target->MarkDead();
    }
}

void KillSprite(TGameEngine& Engine, TSprite* Sprite) {
    if (IsLive(Engine, Sprite)) {
        Sprite->MarkDead();
    }
}

void SetBoardPanelLeaving(TScreens& S) {
    TPanel* panel = S.State().BoardPanel;
    if (IsLive(S.Host().Engine(), panel)) {
        panel->Leaving = true;
    }
}

void SlideFacesOut(TScreens& S) {
    TGameState& g = S.State();
    TGameEngine& engine = S.Host().Engine();
    if (IsLive(engine, g.Zibo)) {
        g.Zibo->SlidingOut = true;
    }
    if (IsLive(engine, g.Monster)) {
        g.Monster->SlidingOut = true;
    }
}

// The level target comes out of the upper panel at full size, trailing sparks, and flies to
// the middle of the screen while the score is counted.
void LaunchLevelTarget(TScreens& S) {
    TLevelTarget* target = S.State().LevelTarget;
    if (!IsLive(S.Host().Engine(), target)) {
        return;
    }
    target->ScaleX = target->ScaleY = 1.0f;
    target->StartTrail();
    target->Animating = true;
    target->Flying = true;
    target->TargetX = 353.0f;
    target->TargetY = 283.0f;
}

// Its last flight: into the element picture at the lower left, where it bursts.
void CollectLevelTarget(TScreens& S) {
    TLevelTarget* target = S.State().LevelTarget;
    if (!IsLive(S.Host().Engine(), target)) {
        return;
    }
    target->TargetX = 40.0f;
    target->TargetY = 530.0f;
    target->Flying = true;
    target->Collecting = true;
}

void EnterStageComplete(TScreens& S) {
    TGameState& g = S.State();
    S.ScreenLeave(ssPlaying);
    S.HideForm("scr_LevelMix");
    S.Host().SetLevelClock(false);
    S.Host().PlaySound("stagecomplete");
    g.FrameCounter = 0;
    S.SetText("sc_score", "0");
    // The next button waits for the count: Enter before it would carry the half-counted score
    // on as the player's score.
    S.SetVisible("b_stagecomplete_next", false);
    g.ScreenState = ssStageComplete;
    CreateStageElement(S);
}

void RunStageCompleteTimeline(TScreens& S) {
    TGameState& g = S.State();
    if (g.FrameCounter == ShrinkFrame) {
        ShrinkBoardAway(S.Host().Engine());
    }
    if (g.FrameCounter == PanelLeavesFrame) {
        SetBoardPanelLeaving(S);
    }
    if (g.FrameCounter == TargetFliesFrame) {
        S.ShowForm("scr_stagecomplete");
        S.SetVisible("b_stagecomplete_next", false);
        LaunchLevelTarget(S);
    }
}

void UpdateStageComplete(TScreens& S) {
    TGameState& g = S.State();
    IScreenHost& host = S.Host();
    RunStageCompleteTimeline(S);
    bool scoreCounted = false;
    bool timeCounted = false;
    if (g.FrameCounter >= CountUpFrame) {
        const int32_t shown = ShownScore(S);
        scoreCounted = shown >= host.GetScore();
        if (!scoreCounted) {
            SetShownScore(S, CountUpStep(shown, host.GetScore()));
        }
    }
    // One point for every second left, one second per frame, once the score is shown. The
    // running score takes each second with the label, so the lower panel's score counts up
    // beside its clock counting down and both scores read the same.
    if (g.FrameCounter > TimeBonusAfter && scoreCounted) {
        TLevelRecord& level = host.Engine().Level();
        if (level.TimeLeft > 0) {
            SetShownScore(S, ShownScore(S) + 1);
            host.SetScore(host.GetScore() + 1);
            --level.TimeLeft;
        } else {
            timeCounted = true;
            CollectLevelTarget(S);
        }
    }
    if (g.FrameCounter < host.GetScore() + 430) {
        ++g.FrameCounter;
    }
    host.RenderFrame(true);
    const TGuiControl* next = S.Control("b_stagecomplete_next");
    if (g.Released(vkEnter) && next && next->Visible()) {
        S.Press("b_stagecomplete_next");
        return;
    }
    if ((scoreCounted && timeCounted) || host.GetScore() == 0) {
        S.SetVisible("b_stagecomplete_next", true);
    }
}

void LeaveStageComplete(TScreens& S) {
    TGameState& g = S.State();
    TGameEngine& engine = S.Host().Engine();
    // The score is the label's number: the seconds counted so far (all of them once the next
    // button shows) are in it.
    S.Host().SetScore(ShownScore(S));
    KillLevelTarget(S);
    MarkDeadNamed(engine, "Piece");
    // The chapter's monster is beaten; the next chapter brings a new one.
    const uint8_t stage = engine.CurrentStage;
    if ((stage == 4 || stage == 8 || stage == 12) && IsLive(engine, g.Monster)) {
        g.Monster->MarkAllDead();
    }
    engine.FreeDead();
    S.SetVisible("b_stagecomplete_next", false);
    S.HideForm("scr_stagecomplete");
    KillSprite(engine, g.StageElement);
}

void RegisterStageComplete(TScreens& S) {
    S.Register(ssStageComplete, {
                                    [&S] { EnterStageComplete(S); },
                                    [&S] { UpdateStageComplete(S); },
                                    [&S] { LeaveStageComplete(S); },
                                });
    S.Bind("b_stagecomplete_next", [&S] {
        TGameEngine& engine = S.Host().Engine();
        S.ScreenLeave(ssStageComplete);
        if (engine.CurrentStage <= 15) {
            ++engine.CurrentStage;
            S.ScreenEnter(ChapterStartedBy(engine.CurrentStage) != 0 ? ssStory : ssPlaying);
        } else {
            S.ScreenEnter(ssAllStagesDone);
        }
    });
}

void EnterGameOver(TScreens& S) {
    TGameState& g = S.State();
    IScreenHost& host = S.Host();
    TGameEngine& engine = host.Engine();
    S.HideForm("scr_LevelMix");
    SlideFacesOut(S);
    ShrinkBoardAway(engine);
    KillLevelTarget(S);
    KillSprite(engine, g.UpPanel);
    g.FrameCounter = 0;
    g.ScreenState = ssGameOver;
    host.StopMusic(2);
    host.PlayMusic(3);
    host.PlaySound("gameover");
    host.SetLevelClock(false);
}

// The stage itself stays entered: the send-score screen leaves it later.
void RegisterGameOver(TScreens& S) {
    S.Register(ssGameOver, {
                               [&S] { EnterGameOver(S); },
                               [&S] {
                                   TGameState& g = S.State();
                                   if (g.FrameCounter == GameOverPanelFrame) {
                                       SetBoardPanelLeaving(S);
                                       S.ShowForm("scr_gameover");
                                   }
                                   S.Host().RenderFrame(true);
                                   ++g.FrameCounter;
                                   if (g.FrameCounter == GameOverFrames) {
                                       S.Go(ssGameOver, ssYourScore);
                                   }
                               },
                               [&S] { S.HideForm("scr_gameover"); },
                           });
}

void EnterAllStagesDone(TScreens& S) {
    TGameState& g = S.State();
    TGameEngine& engine = S.Host().Engine();
    KillSprite(engine, g.Zibo);
    if (IsLive(engine, g.Monster)) {
        g.Monster->MarkAllDead();
    }
    KillSprite(engine, g.UpPanel);
    KillSprite(engine, g.BoardPanel);
    KillLevelTarget(S);
    KillSprite(engine, g.DownPanel);
    MarkDeadNamed(engine, "Piece");
    g.ScreenState = ssAllStagesDone;
    g.FrameCounter = 0;
    g.EndgameShown = true;
    S.HideForm("scr_LevelMix");
    // The final-score screens expect the score music, which hands over to the menu's once
    // the score is recorded.
    S.Host().StopMusic(2);
    S.Host().PlayMusic(3);
}

// The end picture: Captain Zibo heads home; then the final score, over the same picture.
void RegisterAllStagesDone(TScreens& S) {
    S.Register(ssAllStagesDone, {
                                    [&S] { EnterAllStagesDone(S); },
                                    [&S] {
                                        TGameState& g = S.State();
                                        ++g.FrameCounter;
                                        if (g.FrameCounter == EndPictureFrames) {
                                            S.ScreenEnter(ssYourScore);
                                        }
                                        S.Host().RenderFrame(true);
                                    },
                                    {},
                                });
}

// Leaving the stage: the board and the faces go, the stage's time is forfeited (no time
// bonus for an abandoned stage), and the menu music comes back.
void ExitToMenuYes(TScreens& S) {
    TGameState& g = S.State();
    IScreenHost& host = S.Host();
    TGameEngine& engine = host.Engine();
    if (g.ExitToMenuRunning) {
        return;
    }
    host.StopMusic(2);
    host.PlayMusic(1);
    host.PlaySound("check");
    MarkDeadExcept(engine, {"cursor", "Cosmos", "Zibo", "Eye", "Mouth", "Panel", "Monster", "ZiboPupil"});
    SlideFacesOut(S);
    SetBoardPanelLeaving(S);
    KillSprite(engine, g.UpPanel);
    engine.Level().TimeLeft = 0;
    g.ExitToMenuRunning = true;
}

void ExitToMenuNo(TScreens& S) {
    TGameState& g = S.State();
    S.Host().PlaySound("check");
    S.ShowForm("scr_LevelMix");
    S.ScreenLeave(ssExitToMenu);
    g.FrameCounter = 81;
    g.ScreenState = ssPlaying;
}

void RegisterExitToMenu(TScreens& S) {
    S.Register(ssExitToMenu, {
                                 [&S] {
                                     TGameState& g = S.State();
                                     g.FrameCounter = 0;
                                     g.ExitToMenuRunning = false;
                                     g.ScreenState = ssExitToMenu;
                                     S.HideForm("scr_LevelMix");
                                     S.ShowForm("scr_exittomm");
                                 },
                                 [&S] {
                                     TGameState& g = S.State();
                                     // Escape answers the question only while it is still asked: once the
                                     // player has chosen to leave, the stage is already taken apart.
                                     if (g.Released(vkEscape) && !g.ExitToMenuRunning) {
                                         S.Press("b_exitmm_no");
                                     }
                                     if (g.ExitToMenuRunning) {
                                         if (g.FrameCounter == 0) {
                                             S.ScreenLeave(ssExitToMenu);
                                         }
                                         ++g.FrameCounter;
                                         if (g.FrameCounter == ExitToMenuFrames) {
                                             S.ScreenEnter(ssYourScore);
                                         }
                                     }
                                     S.Host().RenderFrame(true);
                                 },
                                 [&S] { S.HideForm("scr_exittomm"); },
                             });
    S.Bind("b_exitmm_yes", [&S] { ExitToMenuYes(S); });
    S.Bind("b_exitmm_no", [&S] { ExitToMenuNo(S); });
}
} // namespace

void RegisterEndingScreens(TScreens& Screens) {
    RegisterLogo(Screens);
    RegisterStageComplete(Screens);
    RegisterGameOver(Screens);
    RegisterAllStagesDone(Screens);
    RegisterExitToMenu(Screens);
}
