// SPDX-License-Identifier: MIT
// The profile and high-score screens driven through the real game, with the settings read
// back from it while it runs.
#include "GameInProcess.h"

#include "board/ScreenState.h"
#include "gui/GuiBase.h"
#include "gui/GuiControl.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
// Main menu "change player", then the change screen's buttons and the create screen's edit box.
constexpr const char* ChangePlayer = "click 600 240";
constexpr const char* NewPlayer = "click 457 526";
constexpr const char* DeletePlayer = "click 580 526";
constexpr const char* Done = "click 703 526";
constexpr const char* DeleteYes = "click 505 366";

class ProfileFlow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Game.Started());
        for (const std::string& line : ToMainMenu()) {
            Run(line);
        }
        Run(ChangePlayer);
        ASSERT_TRUE(Game.WaitFor(ssChangePlayer, 5));
    }

    void Run(const std::string& Line) { ASSERT_TRUE(Game.Run(Line)) << Line; }
    [[nodiscard]] TSettings& Settings() { return Game.Game().Settings(); }

    // From the change screen: the create screen, the typed text, Enter.
    void Create(const std::string& Typed) {
        Run(NewPlayer);
        ASSERT_TRUE(Game.WaitFor(ssCreatePlayer, 5));
        Run("type " + Typed);
        Run("frames 2");
        Run("key 13");
        Run("frames 2");
    }

    [[nodiscard]] std::vector<std::string> Names() {
        std::vector<std::string> names;
        for (int32_t i = 0; i < Settings().PlayerCount; ++i) {
            names.push_back(Cp1251ToUtf8(Settings().Players[static_cast<size_t>(i)]));
        }
        return names;
    }

    [[nodiscard]] bool Enabled(const char* Name) {
        const TGuiControl* control = Game.Game().Gui().FindControl(Name);
        return control && control->Enabled();
    }

    TGameInProcess Game{1};
};
} // namespace

// Names lose the spaces around them, an all-space name cannot be created, and typing stops at
// the edit box's length.
TEST_F(ProfileFlow, TypedNamesAreTrimmedAndLimited) {
    Create("  Анна  ");
    EXPECT_EQ(Game.Screen(), ssChangePlayer);
    Create("     ");
    EXPECT_EQ(Game.Screen(), ssCreatePlayer) << "an all-space name is not accepted";
    EXPECT_FALSE(Enabled("b_create_create"));
    Run("key 27");
    ASSERT_TRUE(Game.WaitFor(ssChangePlayer, 5));
    Create("Абвгдежзийклмнопрст");
    EXPECT_EQ(Names(), (std::vector<std::string>{"Tester", "Анна", "Абвгдежзийкл"}));
    EXPECT_EQ(Settings().CurrentPlayer, 2);
}

// Ten profiles disable "new"; deleting one brings it back on the next visit.
TEST_F(ProfileFlow, TenProfilesDisableCreationUntilOneIsDeleted) {
    for (int i = 2; i <= 10; ++i) {
        Create("P" + std::to_string(i));
        ASSERT_EQ(Game.Screen(), ssChangePlayer);
    }
    EXPECT_EQ(Settings().PlayerCount, 10);
    Run("frames 2");
    EXPECT_FALSE(Enabled("b_change_create"));
    Run(NewPlayer);
    Run("frames 2");
    EXPECT_EQ(Game.Screen(), ssChangePlayer);

    // The last profile goes; the one before it becomes current.
    Run(DeletePlayer);
    ASSERT_TRUE(Game.WaitFor(ssDeletePlayer, 5));
    Run(DeleteYes);
    ASSERT_TRUE(Game.WaitFor(ssChangePlayer, 5));
    EXPECT_EQ(Settings().PlayerCount, 9);
    EXPECT_EQ(Settings().CurrentPlayer, 8);
    Run(Done);
    ASSERT_TRUE(Game.WaitFor(ssMainMenu, 5));
    EXPECT_EQ(Cp1251ToUtf8(Settings().PlayerName), "P9");
    Run(ChangePlayer);
    ASSERT_TRUE(Game.WaitFor(ssChangePlayer, 5));
    Run("frames 2");
    EXPECT_TRUE(Enabled("b_change_create"));
}

// Deleting the last profile leaves an empty list that says how to make one; Escape there goes
// back to the welcome screen, since no menu can greet a player who is not there.
TEST_F(ProfileFlow, AnEmptyListSaysHowToCreateAPlayerAndEscapeGoesBack) {
    const TGuiControl* empty = Game.Game().Gui().FindControl("players_empty");
    ASSERT_NE(empty, nullptr);
    EXPECT_FALSE(empty->Visible());
    Run(DeletePlayer);
    ASSERT_TRUE(Game.WaitFor(ssDeletePlayer, 5));
    Run(DeleteYes);
    ASSERT_TRUE(Game.WaitFor(ssChangePlayer, 5));
    ASSERT_EQ(Settings().PlayerCount, 0);
    EXPECT_TRUE(empty->Visible());
    Run("key 27");
    EXPECT_TRUE(Game.WaitFor(ssEnterName, 5));
}

namespace {
class HighScoreFlow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Game.Started());
        for (const std::string& line : ToMainMenu()) {
            ASSERT_TRUE(Game.Run(line));
        }
        ASSERT_TRUE(Game.Run("click 600 349"));
        ASSERT_TRUE(Game.WaitFor(ssHighScore, 5));
    }

    [[nodiscard]] uint32_t HeadingColor() {
        const TGuiControl* t1 = Game.Game().Gui().FindControl("t1");
        return t1 ? t1->Bkgrnd.GetColor(0) : 0;
    }

    TGameInProcess Game{1};
};
} // namespace

// The tabs colour the headings by difficulty (the top of each heading's gradient, red in the
// lowest byte: amber for medium, crimson for hard, sea green for easy); "online" opens the
// score page of the shown table; clearing while the medium table shows resets all three.
TEST_F(HighScoreFlow, TabsOnlinePageAndClearingAllTables) {
    const struct {
        const char* Tab;
        uint32_t Color;
        int Table;
    } tabs[] = {{"click 555 229", 0xFF2A92E0, 1}, {"click 687 229", 0xFF5E40C8, 2}, {"click 423 229", 0xFF8CA32F, 0}};
    for (const auto& tab : tabs) {
        ASSERT_TRUE(Game.Run(tab.Tab));
        ASSERT_TRUE(Game.Run("frames 2"));
        EXPECT_EQ(HeadingColor(), tab.Color) << tab.Tab;
        EXPECT_EQ(Game.Game().State().ShownTable, tab.Table);
        ASSERT_TRUE(Game.Run("click 555 549"));
        ASSERT_TRUE(Game.Run("frames 2"));
        EXPECT_EQ(Game.TraceCount("/cgi/version.pl?prg=Velmorant&show&type=" + std::to_string(tab.Table)), 1);
    }

    TSettings& settings = Game.Game().Settings();
    for (auto& table : settings.HighScores) {
        table[0].Name = "Someone";
        table[0].Score = "5000";
    }
    ASSERT_TRUE(Game.Run("click 555 229"));
    ASSERT_TRUE(Game.Run("click 414 549"));
    ASSERT_TRUE(Game.WaitFor(ssClearScores, 5));
    ASSERT_TRUE(Game.Run("click 505 376"));
    ASSERT_TRUE(Game.WaitFor(ssHighScore, 5));
    for (const auto& table : settings.HighScores) {
        EXPECT_EQ(table[0].Score, "1000");
    }
}
