// SPDX-License-Identifier: MIT
#include "gui/GuiButton.h"
#include "gui/GuiForm.h"
#include "gui/GuiLabel.h"
#include "screens/GameTexts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The first set variable of LANGUAGE, LC_ALL, LC_MESSAGES and LANG decides: "ru…" Russian,
// anything else English.
TEST(GameTexts, TheLocaleChoosesTheLanguage) {
    const struct {
        std::vector<std::string> Values; // LANGUAGE, LC_ALL, LC_MESSAGES, LANG
        TLanguage Expected;
    } cases[] = {
        {{"", "", "", "en_US.UTF-8"}, TLanguage::English},
        {{"", "", "", "ru_RU.UTF-8"}, TLanguage::Russian},
        {{"", "", "", "C.UTF-8"}, TLanguage::English},
        {{"", "", "", "ru"}, TLanguage::Russian},
        {{"", "", "", ""}, TLanguage::Russian},
        {{"ru:en", "", "", "en_US.UTF-8"}, TLanguage::Russian},
        {{"en_GB:ru", "", "", "ru_RU.UTF-8"}, TLanguage::English},
        {{"", "en_US.UTF-8", "ru_RU.UTF-8", "ru_RU.UTF-8"}, TLanguage::English},
        {{"", "", "ru_UA.UTF-8", "en_US.UTF-8"}, TLanguage::Russian},
        {{":ru", "", "", "en_US.UTF-8"}, TLanguage::English},
        {{"de_DE", "", "", "ru_RU.UTF-8"}, TLanguage::English},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Values[0] + "|" + c.Values[1] + "|" + c.Values[2] + "|" + c.Values[3]);
        EXPECT_EQ(LanguageFromLocale(c.Values), c.Expected);
    }
}

TEST(GameTexts, LanguageCodesGoBothWays) {
    for (const TLanguage language : {TLanguage::Russian, TLanguage::English}) {
        EXPECT_EQ(LanguageFromCode(LanguageCode(language)), language);
    }
    EXPECT_FALSE(LanguageFromCode("de").has_value());
    EXPECT_FALSE(LanguageFromCode("").has_value());
}

// Without a catalogue (or with a missing one) every text stays Russian.
TEST(GameTexts, AMissingCatalogueLeavesTheRussianTexts) {
    TGameTexts texts;
    std::string error;
    EXPECT_FALSE(texts.Load("/nonexistent-zibo-data", TLanguage::English, error));
    EXPECT_NE(error.find("/nonexistent-zibo-data/locale/en/LC_MESSAGES/zibo.mo"), std::string::npos) << error;
    EXPECT_EQ(texts.Language(), TLanguage::English);
    EXPECT_EQ(texts.Tr("Да"), "\xC4\xE0");
    EXPECT_EQ(texts.TrUtf8("Да"), "Да");
    EXPECT_EQ(texts.Tr(""), "");
}

TEST(GameTexts, FillInReplacesEveryField) {
    EXPECT_EQ(FillIn("Hi, {name}!", "{name}", "Zoe"), "Hi, Zoe!");
    EXPECT_EQ(FillIn("{a}{a}", "{a}", "{a}x"), "{a}x{a}x");
    EXPECT_EQ(FillIn("none", "{a}", "x"), "none");
}

// A text the screens changed (a score, a name) is left alone by a switch; the others follow
// the language and come back byte for byte.
TEST(GameTexts, ASwitchReplacesOnlyTheFilesOwnTexts) {
    TGuiForm form(nullptr);
    auto& title = form.Add<TGuiLabel>();
    title.SetText("\xC4\xE0"); // "Да"
    auto& score = form.Add<TGuiLabel>();
    score.SetText("0");
    auto& button = form.Add<TGuiButton>();
    button.Caption = "\xCD\xE5\xF2"; // "Нет"
    TGuiTranslation translation;
    translation.Capture(form);

    TMessageCatalog::TEntries entries = {{"Да", "Yes"}, {"Нет", "No"}, {"0", "zero"}};
    TGameTexts english;
    english.Use(TLanguage::English, TMessageCatalog(std::move(entries)));
    score.SetText("1200");
    translation.Apply(english);
    EXPECT_EQ(title.Text(), "Yes");
    EXPECT_EQ(button.Caption, "No");
    EXPECT_EQ(score.Text(), "1200");

    translation.Apply(TGameTexts{});
    EXPECT_EQ(title.Text(), "\xC4\xE0");
    EXPECT_EQ(button.Caption, "\xCD\xE5\xF2");
    EXPECT_EQ(score.Text(), "1200");
}

} // namespace
