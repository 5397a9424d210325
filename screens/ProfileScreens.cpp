// SPDX-License-Identifier: MIT
#include "board/ScreenState.h"
#include "gui/GuiButton.h"
#include "gui/GuiControl.h"
#include "gui/GuiListBox.h"
#include "screens/GameState.h"
#include "screens/ScreenHost.h"
#include "screens/Screens.h"
#include "screens/Settings.h"

#include <array>

namespace {
// A name screen: the edit box's text less its outer spaces is the candidate; the button is
// enabled exactly when there is one; Enter acts as the button.
void RegisterNameScreen(TScreens& S, uint8_t State, const std::string& Form, const std::string& Edit,
                        const std::string& Button, uint8_t Next, bool EscapeGoesBack) {
    const auto create = [&S, State, Edit, Next] {
        TSettings& settings = S.Host().Settings();
        const std::string name = TrimName(S.Text(Edit));
        if (name.empty() || settings.PlayerCount >= MaxPlayers) {
            return;
        }
        AddProfile(settings, name);
        S.ClickGo(State, Next);
    };
    S.Register(State, {
        [&S, State, Form, Edit] {
            S.EnterForm(State, Form);
            S.SetText(Edit, "");
            if (TGuiControl* edit = S.Control(Edit)) {
                edit->SetFocus();
            }
        },
        [&S, State, Edit, Button, create, EscapeGoesBack] {
            if (EscapeGoesBack && S.State().Released(vkEscape)) {
                S.ClickGo(State, ssChangePlayer);
            }
            const bool ready = !TrimName(S.Text(Edit)).empty();
            S.SetEnabled(Button, ready);
            if (ready && S.State().Released(vkEnter)) {
                create();
            }
            S.Host().RenderFrame(true, true);
        },
        [&S, Form] { S.HideForm(Form); },
    });
    S.Bind(Button, create);
}

void RegisterChange(TScreens& S) {
    S.Register(ssChangePlayer, {
        [&S] {
            S.EnterForm(ssChangePlayer, "scr_change");
            const TSettings& settings = S.Host().Settings();
            if (auto* list = dynamic_cast<TGuiListBox*>(S.Control("players"))) {
                list->Items.assign(settings.Players.begin(), settings.Players.begin() + settings.PlayerCount);
                list->ItemIndex = settings.CurrentPlayer;
            }
            S.SetEnabled("b_change_back", settings.PlayerCount > 0);
            S.SetEnabled("b_change_delete", settings.PlayerCount > 0);
            S.SetEnabled("b_change_create", settings.PlayerCount != MaxPlayers);
            S.SetVisible("players_empty", settings.PlayerCount == 0);
        },
        [&S] {
            // Escape goes back to the menu; with no player left there is no menu to greet
            // anyone, so it goes back to the welcome screen that asks for a name.
            if (S.State().Released(vkEscape)) {
                if (S.Host().Settings().PlayerCount > 0) {
                    S.Press("b_change_back");
                } else {
                    S.ClickGo(ssChangePlayer, ssEnterName);
                }
            }
            S.Host().RenderFrame(true, true);
        },
        [&S] {
            S.HideForm("scr_change");
            TSettings& settings = S.Host().Settings();
            if (const auto* list = dynamic_cast<TGuiListBox*>(S.Control("players"))) {
                // A list with nothing selected keeps the current profile.
                if (list->ItemIndex >= 0 && list->ItemIndex < settings.PlayerCount) {
                    settings.CurrentPlayer = list->ItemIndex;
                }
            }
            settings.CurrentPlayer = std::clamp(settings.CurrentPlayer, 0, std::max(settings.PlayerCount - 1, 0));
            settings.PlayerName = settings.Players[static_cast<size_t>(settings.CurrentPlayer)];
        },
    });
    S.Bind("b_change_back", [&S] { S.ClickGo(ssChangePlayer, ssMainMenu); });
    S.Bind("b_change_delete", [&S] { S.ClickGo(ssChangePlayer, ssDeletePlayer); });
    S.Bind("b_change_create", [&S] { S.ClickGo(ssChangePlayer, ssCreatePlayer); });
}

void RegisterDelete(TScreens& S) {
    S.Register(ssDeletePlayer, {
        [&S] {
            S.EnterForm(ssDeletePlayer, "scr_delete");
            const TSettings& settings = S.Host().Settings();
            S.SetText("delete_name", settings.Players[static_cast<size_t>(std::clamp(settings.CurrentPlayer, 0, 9))]);
        },
        [&S] {
            if (S.State().Released(vkEscape)) {
                S.Press("b_delete_no");
            }
            S.Host().RenderFrame(true, true);
        },
        [&S] { S.HideForm("scr_delete"); },
    });
    S.Bind("b_delete_yes", [&S] {
        DeleteCurrentProfile(S.Host().Settings());
        S.ClickGo(ssDeletePlayer, ssChangePlayer);
    });
    S.Bind("b_delete_no", [&S] { S.ClickGo(ssDeletePlayer, ssChangePlayer); });
}

const std::array<const char*, 3> kTabs = {"b_highscore_easy", "b_highscore_medium", "b_highscore_hard"};

// The canvas reads red from a colour's lowest byte; the colours below are written 0xAARRGGBB.
constexpr uint32_t CanvasOrder(uint32_t Argb) {
    return (Argb & 0xFF00FF00u) | ((Argb >> 16) & 0xFFu) | ((Argb & 0xFFu) << 16);
}
TGuiFill VerticalFill(uint32_t Top, uint32_t Bottom, bool Shown = true) {
    return TGuiFill(CanvasOrder(Top), CanvasOrder(Top), CanvasOrder(Bottom), CanvasOrder(Bottom), Shown);
}

// Each difficulty heads its table in a deep colour of the game's panels, light from the top:
// sea green for easy, amber for medium, crimson for hard.
TGuiFill HeadingFill(uint8_t Table) {
    static constexpr uint32_t kTops[3] = {0xFF2FA38C, 0xFFE0922A, 0xFFC8405E};
    static constexpr uint32_t kBottoms[3] = {0xFF1A6A64, 0xFFA85E16, 0xFF862446};
    const size_t t = std::min<size_t>(Table, 2);
    return VerticalFill(kTops[t], kBottoms[t]);
}

// The row the player has just entered glows in the titles' gold behind its text; the other rows
// show the panel's dark well through.
TGuiFill EnteredRowFill(bool Entered) {
    return VerticalFill(0xA0FFC850, 0xA0C86E1E, Entered);
}

// The shown table's tab shows pattern 1 in each of its states, the others pattern 0; the
// headings take the table's colour and the rows are filled from the table.
void ShowTable(TScreens& S) {
    const uint8_t shown = S.State().ShownTable;
    for (size_t i = 0; i < kTabs.size(); ++i) {
        if (auto* tab = dynamic_cast<TGuiButton*>(S.Control(kTabs[i]))) {
            const int32_t pattern = i == shown ? 1 : 0;
            tab->NormalGlyph = pattern;
            tab->DisabledGlyph = pattern;
            tab->ClickedGlyph = pattern;
        }
    }
    for (const char* label : {"t1", "t2", "t3"}) {
        if (TGuiControl* c = S.Control(label)) {
            c->Bkgrnd = HeadingFill(shown);
        }
    }
    const auto& table = S.Host().Settings().HighScores[std::min<size_t>(shown, 2)];
    const int32_t entered = S.State().EnteredTable == shown ? S.State().EnteredRow : -1;
    for (int32_t row = 1; row <= HighScoreRows; ++row) {
        const THighScoreRow& r = table[static_cast<size_t>(row - 1)];
        const std::string n = std::to_string(row);
        S.SetText("n" + n, n);
        S.SetText("name" + n, r.Name);
        S.SetText("score" + n, r.Score);
        for (const std::string& cell : {"n" + n, "name" + n, "score" + n}) {
            if (TGuiControl* c = S.Control(cell)) {
                c->Bkgrnd = EnteredRowFill(row - 1 == entered);
            }
        }
    }
}

void SelectTable(TScreens& S, uint8_t Table) {
    S.Host().PlaySound("check");
    S.State().ShownTable = Table;
    ShowTable(S);
}

void RegisterHighScores(TScreens& S) {
    S.Register(ssHighScore, {
        [&S] {
            S.EnterForm(ssHighScore, "scr_highscore");
            ShowTable(S);
        },
        [&S] {
            if (S.State().Released(vkEscape)) {
                S.Press("b_highscore_back");
            }
            S.Host().RenderFrame(true, true);
        },
        [&S] {
            S.HideForm("scr_highscore");
            S.State().EnteredRow = -1;
        },
    });
    S.Bind("b_highscore_back", [&S] { S.ClickGo(ssHighScore, ssMainMenu); });
    S.Bind("b_highscore_clear", [&S] { S.ClickGo(ssHighScore, ssClearScores); });
    S.Bind("b_highscore_view", [&S] {
        S.Host().PlaySound("check");
        S.Host().OpenLink(S.Host().ScoreServiceUrl() + "?prg=Velmorant&show&type=" +
                          std::to_string(S.State().ShownTable));
    });
    for (uint8_t i = 0; i < 3; ++i) {
        S.Bind(kTabs[i], [&S, i] { SelectTable(S, i); });
    }
    S.Register(ssClearScores, {
        [&S] { S.EnterForm(ssClearScores, "scr_clear"); },
        [&S] {
            if (S.State().Released(vkEscape)) {
                S.Press("b_clear_no");
            }
            S.Host().RenderFrame(true, true);
        },
        [&S] { S.HideForm("scr_clear"); },
    });
    S.Bind("b_clear_yes", [&S] {
        S.Host().PlaySound("check");
        ResetHighScores(S.Host().Settings());
        S.Go(ssClearScores, ssHighScore);
    });
    S.Bind("b_clear_no", [&S] { S.ClickGo(ssClearScores, ssHighScore); });
}
} // namespace

void RegisterProfileScreens(TScreens& Screens) {
    RegisterNameScreen(Screens, ssEnterName, "scr_entername", "edit_name1", "b_entername_create", ssMainMenu, false);
    RegisterNameScreen(Screens, ssCreatePlayer, "scr_create", "edit_name", "b_create_create", ssChangePlayer, true);
    RegisterChange(Screens);
    RegisterDelete(Screens);
    RegisterHighScores(Screens);
}
