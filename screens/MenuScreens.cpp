// SPDX-License-Identifier: MIT
#include "board/GameEngine.h"
#include "board/ScreenState.h"
#include "gui/GuiButton.h"
#include "gui/GuiGauge.h"
#include "scene/Decor.h"
#include "screens/GameState.h"
#include "screens/GameTexts.h"
#include "screens/ScreenHost.h"
#include "screens/Screens.h"
#include "screens/Settings.h"

#include <algorithm>
#include <vector>

namespace {
constexpr int32_t kVolumeStep = 25;
constexpr int32_t kVolumeMax = 250;

// The standard menu screen: a form, Escape as its way back, the GUI drawn every frame (over
// the menu background where BackImage says so).
// Enter runs when the screen is entered and, when EachFrame is set, before every frame as well.
void RegisterFormScreen(TScreens& S, uint8_t State, const std::string& Form, const std::string& EscapeButton,
                        bool BackImage, std::function<void()> Enter = {}, std::function<void()> Leave = {},
                        bool EachFrame = false) {
    S.Register(State, {
        [&S, State, Form, Enter] {
            S.EnterForm(State, Form);
            if (Enter) {
                Enter();
            }
        },
        [&S, EscapeButton, BackImage, Enter, EachFrame] {
            if (EachFrame && Enter) {
                Enter();
            }
            if (!EscapeButton.empty() && S.State().Released(vkEscape)) {
                S.Press(EscapeButton);
            }
            S.Host().RenderFrame(true, BackImage);
        },
        [&S, Form, Leave] {
            S.HideForm(Form);
            if (Leave) {
                Leave();
            }
        },
    });
}

void RegisterMainMenu(TScreens& S) {
    S.Register(ssMainMenu, {
        [&S] {
            S.EnterForm(ssMainMenu, "scr_mainmenu");
            S.SetText("hello", FillIn(S.Host().Texts().Tr("Привет, {name}!"), "{name}", S.Host().Settings().PlayerName));
            TGameState& g = S.State();
            if (!IsLive(S.Host().Engine(), g.Cosmos)) {
                g.Cosmos = &S.Host().Engine().Add<TCosmos>();
            }
        },
        [&S] {
            if (S.State().Released(vkEscape)) {
                S.Press("b_mainmenu_exit");
            }
            S.Host().RenderFrame(true);
        },
        [&S] {
            S.HideForm("scr_mainmenu");
            S.State().ScreenState = ssLeavingMenu;
        },
    });
    S.Bind("b_mainmenu_startgame", [&S] {
        S.Host().PlaySound("check");
        S.Host().SetScore(0);
        S.Host().Engine().CurrentStage = 1;
        S.State().EndgameShown = false;
        S.Go(ssMainMenu, ssChooseDifficulty);
    });
    S.Bind("b_mainmenu_highscore", [&S] {
        S.Host().PlaySound("check");
        S.State().ShownTable = 0;
        S.Go(ssMainMenu, ssHighScore);
    });
    S.Bind("b_mainmenu_options", [&S] { S.ClickGo(ssMainMenu, ssOptions); });
    S.Bind("b_mainmenu_help", [&S] { S.ClickGo(ssMainMenu, ssHelp); });
    S.Bind("b_mainmenu_exit", [&S] { S.ClickGo(ssMainMenu, ssExitGame); });
    S.Bind("b_mainmenu_presshere", [&S] { S.ClickGo(ssMainMenu, ssChangePlayer); });
    S.Bind("b_mainmenu_logo", [&S] { S.Host().OpenFile("website.url"); });
}

void RegisterExitGame(TScreens& S) {
    RegisterFormScreen(S, ssExitGame, "scr_exitgame", "b_exit_no", true);
    S.Bind("b_exit_yes", [&S] { S.Go(ssExitGame, ssShare); });
    S.Bind("b_exit_no", [&S] { S.ClickGo(ssExitGame, ssMainMenu); });
}

// The page on show; the way back is greyed out on the first page and the way on on the
// last, so neither looks as if it would turn the page.
void ShowHelpPage(TScreens& S) {
    TGameState& g = S.State();
    if (IsLive(S.Host().Engine(), g.HelpWnd)) {
        g.HelpWnd->ShowPage(g.HelpPage);
    }
    S.SetEnabled("b_help_previous", g.HelpPage > 1);
    S.SetEnabled("b_help_next", g.HelpPage < g.HelpPageCount);
}

void RegisterHelp(TScreens& S) {
    RegisterFormScreen(
        S, ssHelp, "scr_help", "b_help_back", false,
        [&S] {
            TGameState& g = S.State();
            g.HelpPage = 1;
            g.HelpWnd = &S.Host().Engine().Add<THelpWnd>(g.HelpPage);
            ShowHelpPage(S);
        },
        [&S] {
            TGameState& g = S.State();
            if (IsLive(S.Host().Engine(), g.HelpWnd)) {
                g.HelpWnd->MarkDead();
            }
            g.HelpWnd = nullptr;
        });
    S.Bind("b_help_back", [&S] { S.ClickGo(ssHelp, ssMainMenu); });
    S.Bind("b_help_next", [&S] {
        S.Host().PlaySound("check");
        TGameState& g = S.State();
        if (g.HelpPage < g.HelpPageCount) {
            ++g.HelpPage;
            ShowHelpPage(S);
        }
    });
    S.Bind("b_help_previous", [&S] {
        S.Host().PlaySound("check");
        TGameState& g = S.State();
        if (g.HelpPage > 1) {
            --g.HelpPage;
            ShowHelpPage(S);
        }
    });
}

void RegisterOptions(TScreens& S) {
    // Every way out of the options, the way to their sub-screens included, saves the settings.
    RegisterFormScreen(S, ssOptions, "scr_options", "b_options_back", true, {}, [&S] { S.Host().SaveSettings(); });
    S.Bind("b_options_back", [&S] { S.ClickGo(ssOptions, ssMainMenu); });
    S.Bind("b_options_graphics", [&S] { S.ClickGo(ssOptions, ssGraphics); });
    S.Bind("b_options_sound", [&S] { S.ClickGo(ssOptions, ssSound); });
    // The next language the game can speak, kept for the next start and shown at once.
    S.Bind("b_options_language", [&S] {
        S.Host().PlaySound("check");
        const std::vector<std::string> languages = S.Host().Languages();
        auto at = std::find(languages.begin(), languages.end(), S.Host().Texts().Language());
        const std::string next = at == languages.end() || at + 1 == languages.end() ? languages.front() : *(at + 1);
        S.Host().Settings().Language = next;
        S.Host().SetLanguage(next);
        S.Host().SaveSettings();
    });
}

// The volume gauges and the four buttons follow the two volumes.
void ShowVolumes(TScreens& S) {
    const TSettings& settings = S.Host().Settings();
    if (auto* bar = dynamic_cast<TGuiGauge*>(S.Control("bar_music"))) {
        bar->Theta = settings.MusicVolume;
    }
    if (auto* bar = dynamic_cast<TGuiGauge*>(S.Control("bar_fx"))) {
        bar->Theta = settings.SoundVolume;
    }
    S.SetEnabled("b_sound_musicmax", settings.MusicVolume < kVolumeMax);
    S.SetEnabled("b_sound_musicmin", settings.MusicVolume > 0);
    S.SetEnabled("b_sound_fxmax", settings.SoundVolume < kVolumeMax);
    S.SetEnabled("b_sound_fxmin", settings.SoundVolume > 0);
}

void RegisterSound(TScreens& S) {
    RegisterFormScreen(S, ssSound, "scr_sound", "b_sound_back", true, [&S] { ShowVolumes(S); });
    S.Bind("b_sound_back", [&S] { S.ClickGo(ssSound, ssOptions); });
    // One step of a volume, applied at once; the closing click already sounds at the new volume.
    const auto step = [&S](bool Music, int32_t Delta) {
        TSettings& settings = S.Host().Settings();
        int32_t& volume = Music ? settings.MusicVolume : settings.SoundVolume;
        volume = std::clamp(volume + Delta, 0, kVolumeMax);
        if (Music) {
            S.Host().ApplyMusicVolume();
        }
        ShowVolumes(S);
        S.Host().PlaySound("check");
    };
    S.Bind("b_sound_musicmax", [step] { step(true, kVolumeStep); });
    S.Bind("b_sound_musicmin", [step] { step(true, -kVolumeStep); });
    S.Bind("b_sound_fxmax", [step] { step(false, kVolumeStep); });
    S.Bind("b_sound_fxmin", [step] { step(false, -kVolumeStep); });
}

// A switch button shows pattern 0 in all three of its states when on, 1 when off.
void ShowSwitch(TScreens& S, const std::string& Name, bool On) {
    if (auto* button = dynamic_cast<TGuiButton*>(S.Control(Name))) {
        const int32_t pattern = On ? 0 : 1;
        button->NormalGlyph = pattern;
        button->DisabledGlyph = pattern;
        button->ClickedGlyph = pattern;
    }
}

void ShowSwitches(TScreens& S) {
    ShowSwitch(S, "b_fullscreen", S.Host().FullScreen());
    ShowSwitch(S, "b_antialias", S.Host().Settings().Antialias);
    ShowSwitch(S, "b_autohint", S.Host().Settings().AutoHint);
}

void RegisterGraphics(TScreens& S) {
    // The switches follow full screen also when F11 or Alt+Enter changes it.
    RegisterFormScreen(S, ssGraphics, "scr_graphics", "b_graphics_back", true, [&S] { ShowSwitches(S); }, {}, true);
    S.Bind("b_graphics_back", [&S] { S.ClickGo(ssGraphics, ssOptions); });
    S.Bind("b_fullscreen", [&S] {
        S.Host().PlaySound("check");
        S.Host().SetFullScreen(!S.Host().FullScreen());
        ShowSwitches(S);
    });
    S.Bind("b_antialias", [&S] {
        S.Host().PlaySound("check");
        S.Host().SetAntialias(!S.Host().Settings().Antialias);
        ShowSwitches(S);
    });
    S.Bind("b_autohint", [&S] {
        S.Host().PlaySound("check");
        S.Host().Settings().AutoHint = !S.Host().Settings().AutoHint;
        ShowSwitches(S);
    });
}
} // namespace

void RegisterMenuScreens(TScreens& Screens) {
    RegisterMainMenu(Screens);
    RegisterExitGame(Screens);
    RegisterHelp(Screens);
    RegisterOptions(Screens);
    RegisterSound(Screens);
    RegisterGraphics(Screens);
}
