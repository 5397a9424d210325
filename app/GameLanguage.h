// SPDX-License-Identifier: MIT
#pragma once

#include "screens/GameTexts.h"

#include <string>
#include <utility>
#include <vector>

class TGuiControl;

// The language the game speaks: its texts, and the screens' own captions shown in it. A run
// starts in the language of --lang or of the desktop; the player may switch it in Options.
class TGameLanguage {
public:
    explicit TGameLanguage(std::string DataFolder) : DataFolder(std::move(DataFolder)) {}

    // The language of a run: Wanted (--lang) when given, else the locale's; English where no
    // catalogue has it.
    [[nodiscard]] std::string StartLanguage(const std::string& Wanted) const;
    // Russian and every language whose catalogue came with the data.
    [[nodiscard]] std::vector<std::string> Installed() const;
    // Reads Language's catalogue and shows the screens' own texts in it.
    void Use(const std::string& Language);
    // The installed language to speak for Code (see ChooseLanguage).
    [[nodiscard]] std::string Closest(const std::string& Code) const { return ChooseLanguage(Code, Installed()); }
    // Remembers the texts the screens file gave the controls under Root, and shows them in the
    // current language. The controls must outlive this object.
    void TranslateScreens(TGuiControl& Root);
    [[nodiscard]] const TGameTexts& Texts() const { return Texts_; }

private:
    std::string DataFolder;
    TGameTexts Texts_;
    TGuiTranslation GuiTexts;
};
