// SPDX-License-Identifier: MIT
#include "GameInProcess.h"
#include "GameRun.h"
#include "engine/Image.h"
#include "gui/GuiBase.h"
#include "gui/GuiButton.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

namespace fs = std::filesystem;

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

namespace {

const char* const kOptions = "click 600 404";
const char* const kLanguage = "click 600 472";
const char* const kOptionsBack = "click 600 414";

// The Options switch changes every caption at once, the main menu's included, is kept in
// Config.cfg for the next start (over the desktop's language), and --lang still wins for a run.
TEST(LanguageFlow, TheOptionsSwitchShowsAtOnceAndIsKept) {
    TGameRun run;
    std::vector<std::string> commands = ToMainMenu();
    commands.insert(commands.end(), {kOptions, "frames 3", "texts", kLanguage, "frames 3", "texts", kOptionsBack,
                                     "frames 3", "texts", "quit"});
    ASSERT_EQ(run.Run(commands), 0) << run.Errors();
    EXPECT_TRUE(run.Has("text control=b_options_language value=\"Language: English\""));
    EXPECT_TRUE(run.Has("language name=ru"));
    EXPECT_TRUE(run.Has("text control=b_options_language value=\"Язык: Русский\""));
    EXPECT_TRUE(run.Has("text control=b_options_sound value=Звук"));
    EXPECT_TRUE(run.Has("text control=b_mainmenu_startgame value=\"Новая игра\""));
    EXPECT_TRUE(run.Has("text control=hello value=\"Привет, Tester!\""));

    TGameRun next;
    fs::copy_file(run.Folder() / "Config.cfg", next.Folder() / "Config.cfg");
    next.SetLocale("LANG=en_US.UTF-8");
    ASSERT_EQ(next.Run({"frames 400", "texts", "quit"}), 0) << next.Errors();
    EXPECT_TRUE(next.Has("text control=b_mainmenu_startgame value=\"Новая игра\""));

    TGameRun once;
    fs::copy_file(run.Folder() / "Config.cfg", once.Folder() / "Config.cfg");
    ASSERT_EQ(once.Run({"frames 400", "texts", "quit"}, 1, "--lang en"), 0) << once.Errors();
    EXPECT_TRUE(once.Has("text control=b_mainmenu_startgame value=\"New game\""));
}

} // namespace


namespace {

// The pictures with words switch with the texts: the help page, the title and the GUI's
// on/off switch (found by list position) show the English variant at once, a picture drawn
// without words (no variant) stays the one it was, and switching back brings every Russian
// picture back.
TEST(LanguageFlow, TheOptionsSwitchChangesThePicturesWithWords) {
    TGameInProcess game{1, {}, [](TOptions& O) { O.Language = "ru"; }};
    ASSERT_TRUE(game.Started());
    for (const std::string& line : ToMainMenu()) {
        ASSERT_TRUE(game.Run(line)) << line;
    }
    TGfxImages& images = game.Game().Images();
    const auto* fullScreen = dynamic_cast<const TGuiButton*>(game.Game().Gui().FindControl("b_fullscreen"));
    ASSERT_NE(fullScreen, nullptr);
    const char* const worded[] = {"1.help", "13.help", "2.howto", "title", "logo", "gui_switch"};
    std::map<std::string, TGfxImage*> russian;
    std::map<std::string, TGfxImage*> english;
    for (const std::string name : worded) {
        russian[name] = images.Find(name);
        english[name] = images.Find(name + "@en");
        ASSERT_NE(russian[name], nullptr) << name;
        ASSERT_NE(english[name], nullptr) << name;
    }
    TGfxImage* const board = images.Find("board");
    ASSERT_EQ(images.Items(fullScreen->ImageIndex), russian["gui_switch"]);

    for (const char* line : {kOptions, "frames 3", kLanguage, "frames 3"}) {
        ASSERT_TRUE(game.Run(line)) << line;
    }
    ASSERT_EQ(game.TraceCount("language name=en"), 1);
    for (const std::string name : worded) {
        EXPECT_EQ(images.Find(name), english[name]) << name;
    }
    EXPECT_EQ(images.Items(fullScreen->ImageIndex), english["gui_switch"]);
    EXPECT_EQ(images.Find("board"), board);
    EXPECT_EQ(images.Find("board@en"), nullptr);

    for (const char* line : {kLanguage, "frames 3"}) {
        ASSERT_TRUE(game.Run(line)) << line;
    }
    for (const std::string name : worded) {
        EXPECT_EQ(images.Find(name), russian[name]) << name;
    }
    EXPECT_EQ(images.Items(fullScreen->ImageIndex), russian["gui_switch"]);
}

} // namespace
