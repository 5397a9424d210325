#include "board/GameEngine.h"
#include "board/ScreenState.h"
#include "scene/Decor.h"
#include "screens/GameState.h"
#include "screens/ScreenHost.h"
#include "screens/Screens.h"
#include "screens/Settings.h"

namespace {
// The logo fades in, stays, fades out; then the main menu (or the first player's name).
void RegisterLogo(TScreens& S) {
    S.Register(ssLogo, {
        [&S] {
            TGameState& g = S.State();
            g.ScreenState = ssLogo;
            g.FrameCounter = 0;
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
            if (g.FrameCounter == 385) {
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
} // namespace

void RegisterEndingScreens(TScreens& Screens) { RegisterLogo(Screens); }
