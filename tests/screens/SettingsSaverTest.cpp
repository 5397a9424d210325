// SPDX-License-Identifier: MIT
#include "screens/GameTexts.h"
#include "screens/SettingsSaver.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace fs = std::filesystem;

namespace {
class SettingsSaver : public ::testing::Test {
protected:
    void SetUp() override {
        Dir = fs::temp_directory_path() / ("zibo-saver-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(Dir);
        fs::create_directories(Dir);
        Path = (Dir / "Config.cfg").string();
        ResetHighScores(Settings);
    }
    void TearDown() override { fs::remove_all(Dir); }

    TSettings Loaded() const {
        TSettings s;
        ResetHighScores(s);
        LoadConfig(Path, s);
        return s;
    }

    fs::path Dir;
    std::string Path;
    TSettings Settings;
};
} // namespace

// One frame after another: a save only for a frame that changed something or asked for one.
TEST_F(SettingsSaver, SavesOnceForEachChangeAndForEachRequest) {
    TSettingsSaver saver(Path);
    saver.Adopt(Settings);
    EXPECT_FALSE(saver.SaveIfChanged(Settings).Attempted);
    EXPECT_FALSE(fs::exists(Path));

    AddProfile(Settings, "Tester");
    const TSettingsSaver::TOutcome first = saver.SaveIfChanged(Settings);
    EXPECT_TRUE(first.Attempted && first.Saved);
    EXPECT_EQ(Loaded(), Settings);
    EXPECT_FALSE(saver.SaveIfChanged(Settings).Attempted);

    InsertHighScore(Settings, 5000, 2, "Tester");
    EXPECT_TRUE(saver.SaveIfChanged(Settings).Saved);
    EXPECT_EQ(Loaded().HighScores[2][0].Score, "5000");

    saver.Request();
    EXPECT_TRUE(saver.SaveIfChanged(Settings).Saved);
    EXPECT_FALSE(saver.SaveIfChanged(Settings).Attempted);
}

// A failing save is not repeated every frame; the next change tries again and, the way clear,
// succeeds.
TEST_F(SettingsSaver, AFailedSaveWaitsForTheNextChange) {
    fs::create_directories(fs::path(Path) / "inside"); // the file's place is taken
    TSettingsSaver saver(Path);
    saver.Adopt(Settings);
    Settings.Country = "Mars";
    const TSettingsSaver::TOutcome failed = saver.SaveIfChanged(Settings);
    EXPECT_TRUE(failed.Attempted);
    EXPECT_FALSE(failed.Saved);
    EXPECT_EQ(failed.Error, EISDIR);
    EXPECT_FALSE(saver.SaveIfChanged(Settings).Attempted);

    fs::remove_all(Path);
    Settings.MusicVolume = 100;
    EXPECT_TRUE(saver.SaveIfChanged(Settings).Saved);
    EXPECT_EQ(Loaded().Country, "Mars");
}

TEST(SaveFailedMessage, NamesTheWholePathAndTheReasonInRussian) {
    const std::string readOnly = SaveFailedMessage(TGameTexts{}, "Config.cfg", EROFS);
    EXPECT_NE(readOnly.find((fs::current_path() / "Config.cfg").string()), std::string::npos) << readOnly;
    EXPECT_NE(readOnly.find("только для чтения"), std::string::npos) << readOnly;
    const std::string full = SaveFailedMessage(TGameTexts{}, "/data/Config.cfg", ENOSPC);
    EXPECT_NE(full.find("«/data/Config.cfg»"), std::string::npos) << full;
    EXPECT_NE(full.find("нет места"), std::string::npos) << full;
    // A reason without words of its own still says what the system said.
    EXPECT_NE(SaveFailedMessage(TGameTexts{}, "/data/Config.cfg", EMFILE).find(std::strerror(EMFILE)), std::string::npos);
}
