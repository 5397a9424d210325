// SPDX-License-Identifier: MIT
#pragma once

class TGameTexts;

#include "screens/Settings.h"

#include <functional>
#include <string>

// Keeps the settings file in step with the settings: at the end of every frame the main window
// asks it to save, and it writes the file when the settings differ from what it last tried to
// write or when a save was asked for (leaving the options), so nothing a player makes is lost
// to a crash and no frame saves twice. A failed save is not tried again every frame; the next
// change or request tries again.
class TSettingsSaver {
public:
    explicit TSettingsSaver(std::string FileName) : FileName_(std::move(FileName)) {}

    // What the file holds now (just read at start-up): no save until something changes.
    void Adopt(const TSettings& Settings) { Last = Settings; }
    // The next SaveIfChanged saves even when nothing changed.
    void Request() { Requested = true; }

    struct TOutcome {
        bool Attempted = false;
        bool Saved = false;
        int Error = 0; // errno of a failed save
    };
    // The end-of-frame save: only when something changed or a save was asked for.
    TOutcome SaveIfChanged(const TSettings& Settings);
    // A save now, whatever changed (the last one before the game ends).
    TOutcome SaveNow(const TSettings& Settings);

    [[nodiscard]] const std::string& FileName() const { return FileName_; }

    // Makes the file's folder ready before each save (the player's folder is made on the
    // first one); returns 0, or the errno value of why it cannot be.
    std::function<int()> PrepareFolder;

private:
    std::string FileName_;
    TSettings Last;
    bool Requested = false;
};

// What the player reads when the settings cannot be saved, in the current language (UTF-8):
// the file's full path and the reason, said plainly.
[[nodiscard]] std::string SaveFailedMessage(const TGameTexts& Texts, const std::string& FileName, int Error);
