// SPDX-License-Identifier: MIT
// Feeds arbitrary bytes to the GUI stream loader as the screens file: loading must fail
// cleanly or build a tree, and that tree must survive a frame of updates, input and drawing
// through the recording device.
#include "FuzzScreen.h"

#include "archive/Stream.h"
#include "gui/GuiBase.h"

#include <cstdint>
#include <vector>

namespace {

TFuzzScreen& Screen() {
    static TFuzzScreen Made;
    static const bool Filled = [] {
        // Run from a game folder, the controls find the game's own pictures and fonts.
        Made.LoadGameArchive("Data/gdata.fgg");
        Made.LoadGameArchive("Data/data1.fgg");
        TMemoryStream Stream(TestFontRecord());
        return Made.Fonts.AddFont().LoadFromStream(Stream, aqHigh, alFull);
    }();
    (void)Filled;
    return Made;
}

// A few presses, clicks and keys where the game's screens keep their buttons and boxes.
void Poke(TGuiBase& Gui) {
    static const TPoint Points[] = {{400, 300}, {120, 80}, {650, 520}};
    for (const TPoint& At : Points) {
        Gui.OnMouseMove(0, At.X, At.Y);
        Gui.OnMouseDown(0, ssLeft, At.X, At.Y);
        Gui.OnMouseUp(0, 0, At.X, At.Y);
        Gui.OnClick();
    }
    Gui.OnDblClick();
    // Tab, a letter, Backspace, Enter and the arrows.
    for (const uint16_t Key : {9, 65, 8, 13, 37, 39}) {
        Gui.OnKeyDown(Key, 0);
        Gui.OnKeyPress(static_cast<uint8_t>(Key));
        Gui.OnKeyUp(Key, 0);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    TFuzzScreen& Fuzz = Screen();
    if (!Fuzz.Ready) {
        return 0;
    }
    TGuiBase Gui;
    Gui.SetCanvas(&Fuzz.Canvas);
    Gui.SetImages(&Fuzz.Images);
    Gui.SetFonts(&Fuzz.Fonts);
    Gui.SetDevice(&Fuzz.Device);
    TMemoryStream Stream(std::vector<uint8_t>(Data, Data + Size));
    (void)Gui.Root().LoadFromStream(Stream);
    Gui.Update();
    Fuzz.Frame([&] { Gui.Render(); });
    Poke(Gui);
    Gui.Update();
    Fuzz.Frame([&] { Gui.Render(); });
    return 0;
}
