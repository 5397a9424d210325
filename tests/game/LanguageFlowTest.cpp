// SPDX-License-Identifier: MIT
#include "GameRun.h"

#include <gtest/gtest.h>

namespace {

// A first start speaks the locale's language (the first set of LANGUAGE, LC_ALL, LC_MESSAGES
// and LANG); --lang overrides it for the run. The main menu's texts show which.
TEST(LanguageFlow, AFirstStartSpeaksTheLocalesLanguageUnlessTheCommandLineSaysOtherwise) {
    const struct {
        const char* Locale;
        const char* Options;
        const char* Language;
        const char* StartGame;
        const char* Hello;
    } cases[] = {
        {"LANG=en_US.UTF-8", "", "en", "\"New game\"", "\"Hi, Tester!\""},
        {"LANG=ru_RU.UTF-8", "", "ru", "\"Новая игра\"", "\"Привет, Tester!\""},
        {"LANGUAGE=ru:en LANG=en_US.UTF-8", "", "ru", "\"Новая игра\"", "\"Привет, Tester!\""},
        {"LC_ALL=en_GB.UTF-8 LANG=ru_RU.UTF-8", "", "en", "\"New game\"", "\"Hi, Tester!\""},
        {"LANG=ru_RU.UTF-8", "--lang en", "en", "\"New game\"", "\"Hi, Tester!\""},
        {"LANG=en_US.UTF-8", "--lang ru", "ru", "\"Новая игра\"", "\"Привет, Tester!\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Locale) + " " + c.Options);
        TGameRun run;
        run.SetLocale(c.Locale);
        std::vector<std::string> commands = ToMainMenu();
        commands.insert(commands.end(), {"texts", "quit"});
        ASSERT_EQ(run.Run(commands, 1, c.Options), 0) << run.Errors();
        EXPECT_TRUE(run.Has(std::string("language name=") + c.Language));
        EXPECT_TRUE(run.Has(std::string("text control=b_mainmenu_startgame value=") + c.StartGame));
        EXPECT_TRUE(run.Has(std::string("text control=hello value=") + c.Hello));
    }
}

// The texts command lists only what is on show: the main menu's controls, none of the hidden
// forms'.
TEST(LanguageFlow, TheTextsCommandListsTheVisibleControls) {
    TGameRun run;
    std::vector<std::string> commands = ToMainMenu();
    commands.insert(commands.end(), {"texts", "quit"});
    ASSERT_EQ(run.Run(commands), 0) << run.Errors();
    const std::vector<std::string> texts = run.Events("text");
    ASSERT_FALSE(texts.empty());
    for (const std::string& line : texts) {
        const std::string control = TGameRun::Fields(line)["control"];
        EXPECT_TRUE(control.starts_with("scr_mainmenu") || control.starts_with("b_mainmenu_") || control == "hello")
            << line;
    }
    EXPECT_TRUE(run.Has("text control=b_mainmenu_exit value=Quit"));
}

} // namespace
