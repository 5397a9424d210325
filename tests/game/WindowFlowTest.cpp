// SPDX-License-Identifier: MIT
// Full screen from the keyboard anywhere in the game, and the stored choice at the next start.
#include "GameInProcess.h"

#include "board/ScreenState.h"
#include "gui/GuiBase.h"
#include "gui/GuiButton.h"

#include <gtest/gtest.h>

namespace {
void RunAll(TGameInProcess& Game, std::initializer_list<const char*> Lines) {
    for (const char* line : Lines) {
        ASSERT_TRUE(Game.Run(line)) << line;
    }
}
} // namespace

TEST(WindowFlow, F11AndAltEnterSwitchFullScreenAnywhere) {
    TGameInProcess game(1);
    ASSERT_TRUE(game.Started());
    // On the name screen with a name typed: Alt+Enter switches and confirms nothing.
    RunAll(game, {"frames 390", "type Tester", "frames 2", "keydown 18", "key 13", "keyup 18", "frames 3"});
    EXPECT_TRUE(game.Game().FullScreen());
    EXPECT_EQ(game.Screen(), ssEnterName);
    EXPECT_EQ(game.Game().Settings().PlayerCount, 0);
    RunAll(game, {"key 122", "frames 2"});
    EXPECT_FALSE(game.Game().FullScreen());
    RunAll(game, {"key 13", "frames 3"});
    EXPECT_EQ(game.Screen(), ssMainMenu);

    // In the graphics options the switch's picture follows the keyboard (pattern 0 reads "on").
    RunAll(game, {"click 600 404", "frames 3", "click 600 344", "frames 3"});
    ASSERT_EQ(game.Screen(), ssGraphics);
    const auto* fullScreen = dynamic_cast<const TGuiButton*>(game.Game().Gui().FindControl("b_fullscreen"));
    ASSERT_NE(fullScreen, nullptr);
    EXPECT_EQ(fullScreen->NormalGlyph, 1);
    RunAll(game, {"key 122", "frames 2"});
    EXPECT_TRUE(game.Game().FullScreen());
    EXPECT_EQ(fullScreen->NormalGlyph, 0);
    // The choice is saved with the change.
    TSettings saved;
    LoadConfig("Config.cfg", saved);
    EXPECT_TRUE(saved.FullScreen);
    RunAll(game, {"keydown 122", "keydown 122", "keyup 122", "frames 2"}); // a held key switches once
    EXPECT_FALSE(game.Game().FullScreen());
    EXPECT_EQ(fullScreen->NormalGlyph, 1);
}

TEST(WindowFlow, TheStoredFullScreenChoiceIsAppliedAtStart) {
    TSettings settings;
    ResetHighScores(settings);
    settings.FullScreen = true;
    for (const bool stored : {true, false}) {
        settings.FullScreen = stored;
        TGameInProcess game(1, [&settings](const std::filesystem::path& Folder) {
            SaveConfig((Folder / "Config.cfg").string(), settings);
        });
        ASSERT_TRUE(game.Started());
        EXPECT_EQ(game.Game().FullScreen(), stored);
    }
}
