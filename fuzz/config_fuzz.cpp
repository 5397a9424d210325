// SPDX-License-Identifier: MIT
// Feeds arbitrary bytes to the two settings readers of the game folder. The first byte picks
// the reader: even for the settings file "Config.cfg", odd for the share screen's
// "wdata/config.ini" (and with bit 1 set the share screen is also drawn and clicked, which
// decodes the pictures it names). The rest is the file.
#include "ScratchFile.h"
#include "FuzzScreen.h"

#include "archive/Stream.h"
#include "screens/Settings.h"
#include "share/ShareScreen.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

const TScratchFile& Scratch() {
    static const TScratchFile File("config", ".cfg");
    return File;
}

TFuzzScreen& Screen() {
    static TFuzzScreen Made;
    static const bool Filled = [] {
        // The countdown is drawn in this font, which the share screen also scales.
        TMemoryStream Stream(TestFontRecord());
        TGfxFont& Font = Made.Fonts.AddFont();
        Font.Name = "sharetext";
        return Font.LoadFromStream(Stream, aqHigh, alFull);
    }();
    (void)Filled;
    return Made;
}

void ReadSettings() {
    TSettings Settings;
    ResetHighScores(Settings);
    LoadConfig(Scratch().Name(), Settings);
    // What the game does with the values right after reading them.
    (void)InsertHighScore(Settings, 500, 1, Settings.PlayerName);
    if (Settings.PlayerCount > 0) {
        Settings.PlayerName = Settings.Players[static_cast<size_t>(Settings.CurrentPlayer)];
    }
    DeleteCurrentProfile(Settings);
    (void)ConfigLines(Settings);
}

void ReadShareSettings(bool Draw) {
    TFuzzScreen& Fuzz = Screen();
    TShareScreen Share(Fuzz.Device, Fuzz.Fonts);
    Share.LoadShareSettings(Scratch().Name());
    if (!Draw || !Fuzz.Ready) {
        return;
    }
    Share.OnOpenFile = [](const std::string&) {};
    Share.OnClose = [] {};
    for (const TPoint At : {TPoint{400, 300}, TPoint{INT32_MAX, INT32_MAX}, TPoint{-1, -1}}) {
        Share.SetMouse(At);
        Fuzz.Frame([&] { Share.Draw(Fuzz.Canvas); });
    }
    Share.ClickGuard = 0;
    Share.Click({400, 300});
    Share.Countdown = 0;
    Fuzz.Frame([&] { Share.Draw(Fuzz.Canvas); });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    if (Size == 0 || !Scratch().Write(Data + 1, Size - 1)) {
        return 0;
    }
    if (Data[0] % 2 == 0) {
        ReadSettings();
    } else {
        ReadShareSettings((Data[0] & 2) != 0);
    }
    std::remove(Scratch().Name().c_str());
    return 0;
}
