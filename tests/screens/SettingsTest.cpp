// SPDX-License-Identifier: MIT
#include "screens/LineCode.h"
#include "screens/Settings.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {
class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override {
        Dir = std::filesystem::temp_directory_path() /
              ("zibo-settings-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(Dir);
        Path = (Dir / "Config.cfg").string();
        ResetHighScores(Defaults);
    }
    void TearDown() override { std::filesystem::remove_all(Dir); }

    void WriteRaw(const std::vector<std::string>& PlainLines) {
        std::ofstream out(Path, std::ios::binary);
        for (const std::string& l : PlainLines) {
            out << EncodeLine(l) << "\r\n";
        }
    }

    std::filesystem::path Dir;
    std::string Path;
    TSettings Defaults;
};
} // namespace

TEST_F(SettingsFile, MissingFileKeepsEveryDefault) {
    TSettings s = Defaults;
    LoadConfig(Path, s);
    EXPECT_EQ(s.PlayerCount, 0);
    EXPECT_EQ(s.MusicVolume, 250);
    EXPECT_EQ(s.SoundVolume, 250);
    EXPECT_TRUE(s.Antialias);
    EXPECT_FALSE(s.FullScreen);
    for (const auto& table : s.HighScores) {
        for (int32_t j = 0; j < HighScoreRows; ++j) {
            EXPECT_EQ(table[j].Name, "\xC2\xF3\xEB\xEA\xEE");
            EXPECT_EQ(table[j].Score, std::to_string(1000 - 100 * j));
            EXPECT_EQ(table[j].Place, std::to_string(j + 1));
        }
    }
}

TEST_F(SettingsFile, RoundTripsEveryFieldIncludingCyrillic) {
    TSettings s = Defaults;
    s.FullScreen = true;
    s.Antialias = false;
    s.MusicVolume = 125;
    s.SoundVolume = 0;
    s.Country = "\xD0\xEE\xF1\xF1\xE8\xFF"; // "Россия"
    AddProfile(s, "\xC2\xE0\xF1\xFF");      // "Вася"
    AddProfile(s, "Bob1234");
    s.CurrentPlayer = 0;
    s.PlayerName = s.Players[0];
    s.HighScores[1][0] = {"1", "Kate", "4321"};
    s.KeyCodes = {65, 32};
    SaveConfig(Path, s);

    TSettings back = Defaults;
    LoadConfig(Path, back);
    EXPECT_TRUE(back.FullScreen);
    EXPECT_FALSE(back.Antialias);
    EXPECT_EQ(back.MusicVolume, 125);
    EXPECT_EQ(back.SoundVolume, 0);
    EXPECT_EQ(back.Country, s.Country);
    EXPECT_EQ(back.PlayerName, s.PlayerName);
    EXPECT_EQ(back.PlayerCount, 2);
    EXPECT_EQ(back.CurrentPlayer, 0);
    EXPECT_EQ(back.Players[0], s.Players[0]);
    EXPECT_EQ(back.Players[1], "Bob1234");
    EXPECT_EQ(back.HighScores[1][0].Name, "Kate");
    EXPECT_EQ(back.HighScores[1][0].Score, "4321");
    EXPECT_EQ(back.KeyCodes, (std::vector<int32_t>{65, 32}));
}

// The language chosen in Options is the line after the key codes. A file without it (an older
// build's) or with anything but a language code there leaves the desktop's language.
TEST_F(SettingsFile, TheLanguageLineFollowsTheKeyCodes) {
    TSettings s = Defaults;
    s.Language = "en";
    const std::vector<std::string> lines = ConfigLines(s);
    ASSERT_EQ(lines.size(), 6u + 60u + 2u + 1u + 4u + 1u + 1u);
    EXPECT_EQ(lines[lines.size() - 2], "en%%%");
    SaveConfig(Path, s);
    TSettings back = Defaults;
    LoadConfig(Path, back);
    EXPECT_EQ(back.Language, "en");

    for (const char* line : {"", "1234567890", "EN", "%%%%%"}) {
        SCOPED_TRACE(line);
        s.Language = line;
        SaveConfig(Path, s);
        TSettings other = Defaults;
        LoadConfig(Path, other);
        EXPECT_EQ(other.Language, "");
        EXPECT_EQ(other.KeyCodes, Defaults.KeyCodes);
    }
}

// The automatic hint is the line after the language: it round-trips, and a file without it (an
// older build's, ending at the language) or with anything but "true" there reads as off.
TEST_F(SettingsFile, TheAutoHintLineFollowsTheLanguage) {
    TSettings s = Defaults;
    s.Language = "en";
    s.AutoHint = true;
    std::vector<std::string> lines = ConfigLines(s);
    EXPECT_EQ(lines.back(), "true%");
    SaveConfig(Path, s);
    TSettings back = Defaults;
    LoadConfig(Path, back);
    EXPECT_TRUE(back.AutoHint);
    EXPECT_EQ(back.Language, "en");

    struct TCase {
        const char* Last; // nullptr: the line is missing
        bool On;
    } cases[] = {{nullptr, false}, {"false", false}, {"", false}, {"TRUE%", false}, {"1", false}, {"true%", true}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Last ? c.Last : "(missing)");
        lines.pop_back();
        if (c.Last) {
            lines.emplace_back(c.Last);
        }
        WriteRaw(lines);
        TSettings other = Defaults;
        LoadConfig(Path, other);
        EXPECT_EQ(other.AutoHint, c.On);
        EXPECT_EQ(other.Language, "en");
        if (!c.Last) {
            lines.emplace_back("");
        }
    }
}

TEST_F(SettingsFile, LineLayoutAndPadding) {
    TSettings s = Defaults;
    AddProfile(s, "Bob1234");
    const std::vector<std::string> lines = ConfigLines(s);
    ASSERT_EQ(lines.size(), 6u + 60u + 2u + 1u + 1u + 4u + 1u + 1u);
    EXPECT_EQ(lines[0], "false");
    EXPECT_EQ(lines[1], "true");
    EXPECT_EQ(lines[2], "250%%%%%%%");
    EXPECT_EQ(lines[5], "Bob1234%%%");    // current name padded to a multiple of 5
    EXPECT_EQ(lines[68], "Bob1234%%%");   // profile padded like a number, to 10
    EXPECT_EQ(lines[69], "4%%%%%%%%%");   // key-code count follows the profiles directly

    TSettings none = Defaults;
    const std::vector<std::string> empty = ConfigLines(none);
    EXPECT_EQ(empty[4], "");               // empty country
    EXPECT_EQ(empty[66], "0%%%%%%%%%");    // no profile lines after the count
    EXPECT_EQ(empty[68], "4%%%%%%%%%");
}

TEST_F(SettingsFile, NameEndingInPercentLosesIt) {
    TSettings s = Defaults;
    AddProfile(s, "50%");
    SaveConfig(Path, s);
    TSettings back = Defaults;
    LoadConfig(Path, back);
    EXPECT_EQ(back.Players[0], "50");
}

TEST_F(SettingsFile, BadInputGivesSensibleValues) {
    // Huge counts are capped, CurrentPlayer is kept in range, garbage stops reading.
    std::vector<std::string> lines = {"false", "nonsense", "9999999999", "-40%%%%%%%"};
    WriteRaw(lines);
    TSettings s = Defaults;
    LoadConfig(Path, s);
    EXPECT_FALSE(s.FullScreen);
    EXPECT_TRUE(s.Antialias); // anything but "false" reads as on
    EXPECT_EQ(s.MusicVolume, 250); // not a 32-bit number: reading stopped here

    lines = {"true", "true", "900", "-40"};
    lines.push_back("");
    lines.push_back("");
    for (int i = 0; i < 60; ++i) {
        lines.push_back(i % 2 ? "x" : "");
    }
    lines.push_back("500");  // PlayerCount
    lines.push_back("77");   // CurrentPlayer
    for (int i = 0; i < 500; ++i) {
        lines.push_back(PadPercent("P" + std::to_string(i), 10));
    }
    lines.push_back("1000"); // key-code count
    for (int i = 0; i < 30; ++i) {
        lines.push_back("65");
    }
    WriteRaw(lines);
    s = Defaults;
    LoadConfig(Path, s);
    EXPECT_EQ(s.MusicVolume, 250);
    EXPECT_EQ(s.SoundVolume, 0);
    EXPECT_EQ(s.HighScores[0][0].Score, "1000"); // "x" is not a score
    EXPECT_EQ(s.PlayerCount, MaxPlayers);
    EXPECT_EQ(s.CurrentPlayer, MaxPlayers - 1);
    EXPECT_EQ(s.Players[9], "P9");
    EXPECT_EQ(s.KeyCodes.size(), static_cast<size_t>(MaxKeyCodes));
}

TEST_F(SettingsFile, TruncatedFileKeepsTheRest) {
    std::ofstream(Path, std::ios::binary) << EncodeLine("true") << "\r\n";
    TSettings s = Defaults;
    LoadConfig(Path, s);
    EXPECT_TRUE(s.FullScreen);
    EXPECT_EQ(s.MusicVolume, 250);
    EXPECT_EQ(s.KeyCodes.size(), 4u);
}

// A settings file is a few kilobytes: one that runs past a mebibyte (a huge file, a device
// that never ends) is not read at all and every default stays; one just inside the limit is read.
TEST_F(SettingsFile, OversizedFileKeepsEveryDefault) {
    TSettings saved = Defaults;
    saved.MusicVolume = 10;
    const std::string padding(1024 * 1024, ' ');
    const struct {
        size_t Padding;
        bool Read;
    } cases[] = {{padding.size() - 4096, true}, {padding.size(), false}};
    for (const auto& c : cases) {
        SaveConfig(Path, saved);
        std::ofstream(Path, std::ios::binary | std::ios::app) << padding.substr(0, c.Padding);
        TSettings s = Defaults;
        LoadConfig(Path, s);
        EXPECT_EQ(s.MusicVolume, c.Read ? 10 : 250) << c.Padding;
    }
    std::filesystem::remove(Path);
    std::filesystem::create_symlink("/dev/zero", Path);
    TSettings s = Defaults;
    LoadConfig(Path, s);
    EXPECT_EQ(s.MusicVolume, 250);
    EXPECT_EQ(s.PlayerCount, 0);
}

TEST_F(SettingsFile, ProfileCountFarBeyondTheFileStopsAtItsEnd) {
    // A damaged count asks to pass over two billion profile lines the file does not have;
    // reading ends with the file's last line instead.
    std::vector<std::string> lines = {"true", "true", "100", "100", "", ""};
    for (int i = 0; i < 60; ++i) {
        lines.push_back("");
    }
    lines.push_back("2147483647");
    lines.push_back("3");
    for (int i = 0; i < 12; ++i) {
        lines.push_back(PadPercent("P" + std::to_string(i), 10));
    }
    WriteRaw(lines);
    TSettings s = Defaults;
    LoadConfig(Path, s);
    EXPECT_EQ(s.PlayerCount, MaxPlayers);
    EXPECT_EQ(s.CurrentPlayer, 3);
    EXPECT_EQ(s.Players[9], "P9");
    EXPECT_EQ(s.KeyCodes, Defaults.KeyCodes);
}

TEST_F(SettingsFile, FailedSaveReportsAndKeepsTheOldFile) {
    TSettings s = Defaults;
    SaveConfig(Path, s);
    const auto before = std::filesystem::file_size(Path);
    std::filesystem::create_directory(Path + ".tmp"); // the temporary file cannot be created
    s.Country = "Elsewhere";
    EXPECT_THROW(SaveConfig(Path, s), EInOutError);
    EXPECT_EQ(std::filesystem::file_size(Path), before);
}

TEST(HighScores, InsertsAboveTiesAndDropsTheLastRow) {
    struct TCase {
        int32_t Score;
        bool Entered;
        int32_t Row;
    };
    for (const TCase c : {TCase{1000, true, 0}, TCase{99, false, -1}, TCase{100, true, 9}, TCase{550, true, 5}}) {
        TSettings s;
        ResetHighScores(s);
        EXPECT_EQ(InsertHighScore(s, c.Score, 0, "Me"), c.Row) << c.Score;
        if (c.Entered) {
            EXPECT_EQ(s.HighScores[0][c.Row].Name, "Me");
            EXPECT_EQ(s.HighScores[0][c.Row].Score, std::to_string(c.Score));
            EXPECT_EQ(s.HighScores[0][c.Row].Place, std::to_string(c.Row + 1));
            if (c.Row < 9) {
                EXPECT_EQ(s.HighScores[0][c.Row + 1].Score, std::to_string(1000 - 100 * c.Row));
            }
        }
        EXPECT_EQ(s.HighScores[1][0].Name, "\xC2\xF3\xEB\xEA\xEE"); // other tables untouched
    }
}

TEST(Profiles, DeleteFollowsTheIndexRules) {
    auto five = [] {
        TSettings s;
        for (const char* n : {"A", "B", "C", "D", "E"}) {
            AddProfile(s, n);
        }
        return s;
    };
    TSettings s = five();
    s.CurrentPlayer = 2;
    DeleteCurrentProfile(s);
    EXPECT_EQ(s.PlayerCount, 4);
    EXPECT_EQ(s.CurrentPlayer, 2);
    EXPECT_EQ(s.PlayerName, "D");

    s = five();
    s.CurrentPlayer = 4;
    DeleteCurrentProfile(s);
    EXPECT_EQ(s.CurrentPlayer, 3);
    EXPECT_EQ(s.PlayerName, "D");

    TSettings one;
    AddProfile(one, "Solo");
    DeleteCurrentProfile(one);
    EXPECT_EQ(one.PlayerCount, 0);
    EXPECT_EQ(one.PlayerName, "");
}

TEST(Profiles, TrimRemovesOnlySpaces) {
    EXPECT_EQ(TrimName("  Ann  "), "Ann");
    EXPECT_EQ(TrimName("   "), "");
    EXPECT_EQ(TrimName("\tAnn "), "\tAnn");
}
