// SPDX-License-Identifier: MIT
#include "GameRun.h"

#include "screens/Settings.h"

#include <gtest/gtest.h>

// Screen positions of the menu buttons (form position plus the button's centre).
namespace {
const char* const kOptions = "click 600 404";
const char* const kSound = "click 600 290";
const char* const kMusicMin = "click 446 310";
const char* const kFxMin = "click 446 396";
const char* const kSoundBack = "click 580 458";
const char* const kOptionsBack = "click 600 414";

std::vector<std::string> With(std::vector<std::string> Commands, std::initializer_list<std::string> More) {
    Commands.insert(Commands.end(), More);
    return Commands;
}
} // namespace

TEST(MenuFlow, CloseBoxAndEscapeInTheMenuAskBeforeLeaving) {
    TGameRun run;
    ASSERT_EQ(run.Run(With(ToMainMenu(), {"close", "frames 3", "dump", "key 27", "frames 3", "dump", "key 27",
                                          "frames 3", "dump"})),
              0)
        << run.Errors();
    const std::vector<std::string> dumps = run.Events("dump");
    ASSERT_EQ(dumps.size(), 3u);
    EXPECT_EQ(TGameRun::Fields(dumps[0])["state"], "10"); // the close box opens the exit question
    EXPECT_EQ(TGameRun::Fields(dumps[1])["state"], "4");  // Escape there answers "no"
    EXPECT_EQ(TGameRun::Fields(dumps[2])["state"], "10"); // Escape in the menu asks again
    EXPECT_TRUE(run.Has("leave state=4"));
    EXPECT_EQ(run.Count("config saved"), 1); // the new profile; closing was only asked
}

TEST(MenuFlow, TenStepsDownSilenceTheMusicAndEachDepartureFromOptionsSaves) {
    TGameRun run;
    std::vector<std::string> commands = With(ToMainMenu(), {kOptions, "frames 3", kSound, "frames 3"});
    for (int i = 0; i < 11; ++i) { // the eleventh press finds the button disabled
        commands.push_back(kMusicMin);
        commands.push_back("frames 2");
    }
    commands.insert(commands.end(), {kFxMin, "frames 2", kSoundBack, "frames 3", kOptionsBack, "frames 3", "dump"});
    ASSERT_EQ(run.Run(commands), 0) << run.Errors();
    EXPECT_EQ(run.LastDump()["state"], "4");
    // The new profile, options → sound, each of the eleven volume steps that changed a volume,
    // then options → menu.
    EXPECT_EQ(run.Count("config saved"), 14);

    // Each of the ten music steps played its click, the eleventh did nothing, then one effects
    // step and "back" clicked.
    int32_t clicksInSound = 0;
    bool inSound = false;
    for (const std::string& line : run.Lines()) {
        if (line.find("enter state=22") != std::string::npos) {
            inSound = true;
        } else if (line.find("leave state=22") != std::string::npos) {
            inSound = false;
        } else if (inSound && line.find("sound name=check") != std::string::npos) {
            ++clicksInSound;
        }
    }
    EXPECT_EQ(clicksInSound, 12);
    // The effects step's own click already sounds at the new volume.
    EXPECT_TRUE(run.Has("sound name=check volume=225"));

    TSettings saved;
    ResetHighScores(saved);
    LoadConfig((run.Folder() / "Config.cfg").string(), saved);
    EXPECT_EQ(saved.MusicVolume, 0);
    EXPECT_EQ(saved.SoundVolume, 225);
    EXPECT_EQ(saved.PlayerCount, 1);
    EXPECT_EQ(saved.Players[0], "Tester");
}

TEST(MenuFlow, CyrillicNamesSurviveTheSettingsFileAndGreetThePlayer) {
    TGameRun run;
    ASSERT_EQ(run.Run({"frames 390", "type Вася", "frames 2", "key 13", "frames 5", kOptions, "frames 3",
                       kOptionsBack, "frames 3", "dump"}),
              0)
        << run.Errors();
    EXPECT_EQ(run.LastDump()["state"], "4");
    TSettings saved;
    LoadConfig((run.Folder() / "Config.cfg").string(), saved);
    ASSERT_EQ(saved.PlayerCount, 1);
    EXPECT_EQ(saved.Players[0], "\xC2\xE0\xF1\xFF"); // "Вася" in code page 1251

    // A second start reads the profile and goes from the logo straight to the menu.
    TGameRun second;
    std::filesystem::copy_file(run.Folder() / "Config.cfg", second.Folder() / "Config.cfg");
    ASSERT_EQ(second.Run({"frames 390", "dump"}), 0) << second.Errors();
    EXPECT_EQ(second.LastDump()["state"], "4");
    EXPECT_FALSE(second.Has("enter state=1"));
}

TEST(MenuFlow, CloseBoxAndMinimiseWhilePlayingOpenOverlaysInsteadOfClosing) {
    TGameRun run;
    // New game, easy, skip the story, let the board arrive, close the how-to-play overlay.
    ASSERT_EQ(run.Run(With(ToMainMenu(), {"click 600 296", "frames 3", "click 600 268", "frames 3", "key 27",
                                          "frames 120", "key 27", "frames 5", "close", "frames 2", "dump",
                                          "key 27", "frames 2", "dump", "minimize", "frames 2", "dump", "key 80",
                                          "frames 2", "dump"})),
              0)
        << run.Errors();
    const std::vector<std::string> dumps = run.Events("dump");
    ASSERT_EQ(dumps.size(), 4u);
    EXPECT_EQ(TGameRun::Fields(dumps[0])["state"], "0");  // the exit-to-menu question
    EXPECT_EQ(TGameRun::Fields(dumps[1])["state"], "12"); // Escape answers "no"
    EXPECT_EQ(TGameRun::Fields(dumps[2])["state"], "16"); // minimising pauses
    EXPECT_EQ(TGameRun::Fields(dumps[3])["state"], "12"); // P resumes
    EXPECT_EQ(TGameRun::Fields(dumps[0])["timeleft"], TGameRun::Fields(dumps[3])["timeleft"]);
    EXPECT_EQ(run.Count("config saved"), 1); // the new profile only
}
