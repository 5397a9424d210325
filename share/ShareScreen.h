#pragma once

#include "platform/Types.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TGfxCanvas;
class TGfxDevice;
class TGfxFonts;
class TGfxImage;

// The last screen before the window closes: a background picture with link buttons, an exit
// button and a countdown, all described by "wdata/config.ini". Without a complete settings
// file the screen is unavailable and leaving the game closes the window at once.
class TShareScreen {
public:
    TShareScreen(TGfxDevice& Device, TGfxFonts& Fonts);
    ~TShareScreen();
    TShareScreen(const TShareScreen&) = delete;
    TShareScreen& operator=(const TShareScreen&) = delete;

    // Reads "wdata/config.ini" (relative to the working folder).
    void LoadShareSettings();
    void Draw(TGfxCanvas& Canvas);
    // A mouse release at a logical point: the first button under it acts.
    void Click(TPoint At);

    // What the buttons do: open a link file, ask the window to close.
    std::function<void(const std::string&)> OnOpenFile;
    std::function<void()> OnClose;

    bool Available = false;
    int32_t Countdown = 0;
    int32_t ClickGuard = 4;
};
