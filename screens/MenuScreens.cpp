#include "board/GameEngine.h"
#include "board/ScreenState.h"
#include "scene/Decor.h"
#include "screens/GameState.h"
#include "screens/ScreenHost.h"
#include "screens/Screens.h"
#include "screens/Settings.h"

namespace {
// The main menu: a greeting for the player and the ways into the game.
void RegisterMainMenu(TScreens& S) {
    S.Register(ssMainMenu, {
        [&S] {
            S.EnterForm(ssMainMenu, "scr_mainmenu");
            // "Привет, " + name + "!"
            S.SetText("hello", "\xCF\xF0\xE8\xE2\xE5\xF2, " + S.Host().Settings().PlayerName + "!");
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
}
} // namespace

void RegisterMenuScreens(TScreens& Screens) { RegisterMainMenu(Screens); }
