// SPDX-License-Identifier: MIT
#include "app/GameLanguage.h"

#include "platform/Desktop.h"

#include <cstdio>

std::string TGameLanguage::StartLanguage(const std::string& Wanted) const {
    const std::string wanted = !Wanted.empty()
                                   ? Wanted
                                   : LocaleLanguage({EnvironmentValue("LANGUAGE"), EnvironmentValue("LC_ALL"),
                                                     EnvironmentValue("LC_MESSAGES"), EnvironmentValue("LANG")});
    return ChooseLanguage(wanted, Installed());
}

std::vector<std::string> TGameLanguage::Installed() const { return InstalledLanguages(DataFolder); }

void TGameLanguage::Use(const std::string& Language) {
    std::string why;
    // Russian needs no catalogue (one that is there may still mend a text); any other language
    // without its catalogue is shown in Russian, and says so.
    if (!Texts_.Load(DataFolder, Language, why) && Language != kRussian) {
        std::fprintf(stderr, "zibo: the %s texts are shown in Russian: %s\n", Language.c_str(), why.c_str());
    }
    GuiTexts.Apply(Texts_);
}

void TGameLanguage::TranslateScreens(TGuiControl& Root) {
    GuiTexts.Capture(Root);
    GuiTexts.Apply(Texts_);
}
