// SPDX-License-Identifier: MIT
#include "gui/GuiButton.h"
#include "gui/GuiForm.h"
#include "gui/GuiLabel.h"
#include "screens/GameTexts.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include <string>
#include <vector>

namespace {

// The first set variable of LANGUAGE, LC_ALL, LC_MESSAGES and LANG gives the wanted language;
// Russian and the installed languages are spoken as wanted, anything else in English.
TEST(GameTexts, TheLocaleChoosesTheLanguage) {
    const std::vector<std::string> installed = {"ru", "de", "en"};
    const struct {
        std::vector<std::string> Values; // LANGUAGE, LC_ALL, LC_MESSAGES, LANG
        const char* Wanted;
        const char* Spoken;
    } cases[] = {
        {{"", "", "", "en_US.UTF-8"}, "en", "en"},
        {{"", "", "", "ru_RU.UTF-8"}, "ru", "ru"},
        {{"", "", "", "C.UTF-8"}, "c", "en"},
        {{"", "", "", "POSIX"}, "posix", "en"},
        {{"", "", "", "ru"}, "ru", "ru"},
        {{"", "", "", ""}, "ru", "ru"},
        {{"ru:en", "", "", "en_US.UTF-8"}, "ru", "ru"},
        {{"en_GB:ru", "", "", "ru_RU.UTF-8"}, "en", "en"},
        {{"", "en_US.UTF-8", "ru_RU.UTF-8", "ru_RU.UTF-8"}, "en", "en"},
        {{"", "", "ru_UA.UTF-8", "en_US.UTF-8"}, "ru", "ru"},
        {{":ru", "", "", "en_US.UTF-8"}, "en", "en"},
        {{"", "", "", "de_DE@euro"}, "de", "de"},
        {{"", "", "", "fr_FR.UTF-8"}, "fr", "en"},
        {{"", "", "", "RU_ru"}, "ru", "ru"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Values[0] + "|" + c.Values[1] + "|" + c.Values[2] + "|" + c.Values[3]);
        EXPECT_EQ(LocaleLanguage(c.Values), c.Wanted);
        EXPECT_EQ(ChooseLanguage(LocaleLanguage(c.Values), installed), c.Spoken);
    }
}

// The installed languages are Russian and those whose catalogue is in the data folder.
TEST(GameTexts, InstalledLanguagesAreTheCataloguesInTheDataFolder) {
    const std::filesystem::path dir =
        std::filesystem::path(testing::TempDir()) / ("zibo_languages_" + std::to_string(getpid()));
    std::filesystem::remove_all(dir);
    for (const char* code : {"en", "de", "ru"}) {
        std::filesystem::create_directories(dir / "locale" / code / "LC_MESSAGES");
        std::ofstream(dir / "locale" / code / "LC_MESSAGES" / "zibo.mo") << "x";
    }
    std::filesystem::create_directories(dir / "locale" / "fr" / "LC_MESSAGES"); // no catalogue
    std::filesystem::create_directories(dir / "locale" / "Bad_Name" / "LC_MESSAGES");
    std::ofstream(dir / "locale" / "Bad_Name" / "LC_MESSAGES" / "zibo.mo") << "x";
    EXPECT_EQ(InstalledLanguages(dir.string()), (std::vector<std::string>{"ru", "de", "en"}));
    EXPECT_EQ(InstalledLanguages((dir / "none").string()), (std::vector<std::string>{"ru"}));
    std::filesystem::remove_all(dir);
}

// Without a catalogue (or with a missing one) every text stays Russian.
TEST(GameTexts, AMissingCatalogueLeavesTheRussianTexts) {
    TGameTexts texts;
    std::string error;
    EXPECT_FALSE(texts.Load("/nonexistent-zibo-data", kEnglish, error));
    EXPECT_NE(error.find("/nonexistent-zibo-data/locale/en/LC_MESSAGES/zibo.mo"), std::string::npos) << error;
    EXPECT_EQ(texts.Language(), kEnglish);
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
    english.Use(kEnglish, TMessageCatalog(std::move(entries)));
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
