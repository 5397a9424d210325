// SPDX-License-Identifier: MIT
#include "board/BoardHost.h"
#include "board/GameEngine.h"
#include "board/ScreenState.h"
#include "screens/GameState.h"
#include "screens/ScreenHost.h"
#include "screens/Screens.h"
#include "share/ShareScreen.h"

#include <cmath>

// The screen shown after the player confirmed leaving: its links and the countdown before
// the window may close. Without its data the window closes at once.
void RegisterShareScreen(TScreens& S) {
    S.Register(ssShare, {
                            [&S] {
                                S.State().ScreenState = ssShare;
                                TShareScreen* share = S.Host().Share();
                                if (share && share->Available) {
                                    // The countdown falls with the one-second clock.
                                    S.Host().SetLevelClock(true);
                                } else {
                                    if (share) {
                                        share->Countdown = 0;
                                    }
                                    S.Host().RequestClose();
                                }
                            },
                            [&S] {
                                if (S.State().Released(vkEscape)) {
                                    S.Host().RequestClose();
                                }
                                if (TShareScreen* share = S.Host().Share()) {
                                    const TPointF pointer = S.Host().Engine().Host().PointerPosition();
                                    share->SetMouse({static_cast<int32_t>(std::floor(pointer.X)),
                                                     static_cast<int32_t>(std::floor(pointer.Y))});
                                }
                                S.Host().RenderFrame(true);
                            },
                            nullptr,
                        });
}
