#include "board/ScreenState.h"
#include "gui/GuiControl.h"
#include "screens/GameState.h"
#include "screens/ScreenHost.h"
#include "screens/Screens.h"
#include "screens/Settings.h"

namespace {
// The first start: the player's name before anything else.
void RegisterEnterName(TScreens& S) {
    const auto create = [&S] {
        TSettings& settings = S.Host().Settings();
        const std::string name = TrimName(S.Text("edit_name1"));
        if (name.empty() || settings.PlayerCount >= MaxPlayers) {
            return;
        }
        AddProfile(settings, name);
        S.ClickGo(ssEnterName, ssMainMenu);
    };
    S.Register(ssEnterName, {
        [&S] {
            S.EnterForm(ssEnterName, "scr_entername");
            S.SetText("edit_name1", "");
            if (TGuiControl* edit = S.Control("edit_name1")) {
                edit->SetFocus();
            }
        },
        [&S, create] {
            const bool ready = !TrimName(S.Text("edit_name1")).empty();
            S.SetEnabled("b_entername_create", ready);
            if (ready && S.State().Released(vkEnter)) {
                create();
            }
            S.Host().RenderFrame(true, true);
        },
        [&S] { S.HideForm("scr_entername"); },
    });
    S.Bind("b_entername_create", create);
}
} // namespace

void RegisterProfileScreens(TScreens& Screens) { RegisterEnterName(Screens); }
