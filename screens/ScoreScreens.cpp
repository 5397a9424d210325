// SPDX-License-Identifier: MIT
#include "board/GameEngine.h"
#include "board/ScreenState.h"
#include "gui/GuiControl.h"
#include "scene/Decor.h"
#include "screens/GameState.h"
#include "screens/ScoreSubmit.h"
#include "screens/ScreenHost.h"
#include "screens/Screens.h"
#include "screens/Settings.h"

#include <charconv>

namespace {
// The number a label shows; anything unreadable counts as 0.
int64_t ShownNumber(const std::string& Text) {
    int64_t value = 0;
    std::from_chars(Text.data(), Text.data() + Text.size(), value);
    return value;
}

// The counted-up score rises in big steps while far from the score, then point by point.
int64_t CountStep(int64_t Gap) {
    if (Gap > 10000) {
        return 1000;
    }
    if (Gap > 1000) {
        return 100;
    }
    if (Gap > 100) {
        return 10;
    }
    return 1;
}

void MarkNamedDead(TGameEngine& Engine, const std::string& Name) {
    for (int32_t i = 0; i < Engine.SpriteCount(); ++i) {
        TSprite* sprite = Engine.SpriteAt(i);
        if (sprite && !sprite->Dead() && sprite->Name == Name) {
            sprite->MarkDead();
        }
    }
}

// Once the seconds are counted in, the lower panel with the clock slides down and away.
void SendLowerPanelAway(TScreens& S) {
    TPanel* panel = S.State().DownPanel;
    if (IsLive(S.Host().Engine(), panel)) {
        panel->Leaving = true;
    }
}

// One frame of the final score: the score counts up, then the stage's remaining seconds are
// added one by one as a bonus on show.
void CountUp(TScreens& S) {
    TGameState& g = S.State();
    TGameEngine& engine = S.Host().Engine();
    const int64_t score = S.Host().GetScore();
    int64_t shown = ShownNumber(S.Text("yourscore"));
    if (g.FrameCounter > 40) {
        if (shown < score) {
            shown += CountStep(score - shown);
            S.SetText("yourscore", std::to_string(shown));
        } else {
            g.ScoreCounted = true;
        }
    }
    if (g.FrameCounter > 100 && g.ScoreCounted && !g.TimeCounted) {
        TLevelRecord& level = engine.Level();
        if (level.TimeLeft > 0) {
            --level.TimeLeft;
            S.SetText("yourscore", std::to_string(shown + 1));
        }
        g.TimeCounted = level.TimeLeft == 0;
        if (g.TimeCounted) {
            SendLowerPanelAway(S);
        }
    }
}

void RegisterYourScore(TScreens& S) {
    S.Register(ssYourScore,
               {
                   [&S] {
                       S.EnterForm(ssYourScore, "scr_yourscoreis");
                       S.PlaceByEndPicture("scr_yourscoreis");
                       TGameState& g = S.State();
                       TGameEngine& engine = S.Host().Engine();
                       MarkNamedDead(engine, "Element");
                       MarkNamedDead(engine, "LevelTarget");
                       g.FrameCounter = 0;
                       g.NotedSeconds = engine.Level().TimeLeft;
                       g.ScoreCounted = false;
                       g.TimeCounted = false;
                       S.SetText("yourscore", "0");
                       S.SetVisible("b_yourscore_next", false);
                   },
                   [&S] {
                       TGameState& g = S.State();
                       if (g.Released(vkEnter) && g.FrameCounter > 100) {
                           S.Press("b_yourscore_next");
                       } else {
                           CountUp(S);
                           const int64_t score = S.Host().GetScore();
                           if ((g.FrameCounter > 150 && g.ScoreCounted && g.TimeCounted) || score == 0) {
                               S.SetVisible("b_yourscore_next", true);
                           }
                           if (g.FrameCounter < score + static_cast<int64_t>(g.NotedSeconds) + 150) {
                               ++g.FrameCounter;
                           }
                       }
                       S.Host().RenderFrame(true);
                   },
                   [&S] {
                       TGameState& g = S.State();
                       if (IsLive(S.Host().Engine(), g.DownPanel)) {
                           g.DownPanel->MarkDead();
                       }
                       g.DownPanel = nullptr;
                       S.HideForm("scr_yourscoreis");
                   },
               });
    S.Bind("b_yourscore_next", [&S] { S.ClickGo(ssYourScore, ssCountry); });
}

void RegisterCountry(TScreens& S) {
    S.Register(ssCountry, {
                              [&S] {
                                  S.EnterForm(ssCountry, "scr_ycountry");
                                  S.PlaceByEndPicture("scr_ycountry");
                                  S.State().FrameCounter = 0;
                                  S.SetText("e_ycountry", S.Host().Settings().Country);
                                  if (TGuiControl* edit = S.Control("e_ycountry")) {
                                      edit->SetFocus();
                                  }
                                  S.SetVisible("b_ycountry_next", true);
                                  S.SetEnabled("b_ycountry_next", false);
                              },
                              [&S] {
                                  const bool ready = !TrimName(S.Text("e_ycountry")).empty();
                                  S.SetEnabled("b_ycountry_next", ready);
                                  if (ready && S.State().Released(vkEnter)) {
                                      S.Press("b_ycountry_next");
                                  } else {
                                      ++S.State().FrameCounter;
                                  }
                                  S.Host().RenderFrame(true);
                              },
                              [&S] {
                                  // The country is kept exactly as typed, spaces included.
                                  S.Host().Settings().Country = S.Text("e_ycountry");
                                  S.HideForm("scr_ycountry");
                              },
                          });
    S.Bind("b_ycountry_next", [&S] {
        if (TrimName(S.Text("e_ycountry")).empty()) {
            return;
        }
        S.ClickGo(ssCountry, ssSendScore);
    });
}

// Both answers end the game: the menu music returns, the scene goes, and the score enters
// the local table of its difficulty. Returns the finished game for the submission.
TScoreSubmission FinishGame(TScreens& S) {
    IScreenHost& host = S.Host();
    host.StopMusic(3);
    host.PlayMusic(1);
    host.PlaySound("check");
    S.ScreenLeave(ssSendScore);
    S.ScreenLeave(ssPlaying);
    TSettings& settings = host.Settings();
    const uint8_t difficulty = host.Engine().Difficulty;
    TScoreSubmission game;
    game.ServiceUrl = host.ScoreServiceUrl();
    game.Difficulty = difficulty;
    game.PlayerName = settings.PlayerName;
    game.Score = host.GetScore();
    game.Country = settings.Country;
    const int32_t row = InsertHighScore(settings, game.Score, difficulty, settings.PlayerName);
    if (row >= 0) {
        S.State().ShownTable = difficulty;
        S.State().EnteredTable = difficulty;
        S.State().EnteredRow = row;
    }
    S.ScreenEnter(row >= 0 ? ssHighScore : ssMainMenu);
    return game;
}

void RegisterSendScore(TScreens& S) {
    S.Register(ssSendScore, {
                                [&S] {
                                    S.EnterForm(ssSendScore, "scr_sendscore");
                                    S.PlaceByEndPicture("scr_sendscore");
                                },
                                [&S] {
                                    if (S.State().Released(vkEscape)) {
                                        S.Press("b_sendscore_no");
                                    }
                                    S.Host().RenderFrame(true);
                                },
                                [&S] {
                                    S.HideForm("scr_sendscore");
                                    TGameEngine& engine = S.Host().Engine();
                                    for (int32_t i = 0; i < engine.SpriteCount(); ++i) {
                                        TSprite* sprite = engine.SpriteAt(i);
                                        if (sprite && !sprite->Dead() && sprite->Name != "cursor" &&
                                            sprite->Name != "Cosmos") {
                                            sprite->MarkDead();
                                        }
                                    }
                                },
                            });
    S.Bind("b_sendscore_yes", [&S] { S.SendScore(FinishGame(S)); });
    S.Bind("b_sendscore_no", [&S] { (void)FinishGame(S); });
}
} // namespace

void RegisterScoreScreens(TScreens& Screens) {
    RegisterYourScore(Screens);
    RegisterCountry(Screens);
    RegisterSendScore(Screens);
}
