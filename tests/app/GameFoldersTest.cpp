// SPDX-License-Identifier: MIT
#include "app/GameFolders.h"

#include <gtest/gtest.h>

#include "generated/Version.h"

#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// A temporary folder of the test's own, removed afterwards.
class GameFoldersTest : public ::testing::Test {
protected:
    void SetUp() override {
        Dir = fs::temp_directory_path() / ("zibo-folders-" + std::to_string(::getpid()));
        fs::remove_all(Dir);
        fs::create_directories(Dir);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(Dir, ec);
    }
    void Touch(const fs::path& File) {
        fs::create_directories(File.parent_path());
        std::ofstream(File) << "x";
    }
    fs::path Dir;
};

TEST_F(GameFoldersTest, DataFolderIsTheOptionTheBuildTreeOrTheInstalledShare) {
    fs::create_directories(Dir / "build" / "game" / "Data");
    fs::create_directories(Dir / "usr" / "games");
    const struct {
        std::string Option;
        fs::path Executable;
        fs::path Data;
    } cases[] = {
        {"/opt/zibo-data", Dir / "build" / "game", "/opt/zibo-data"},
        // Beside an executable that holds Data/: the build tree.
        {"", Dir / "build" / "game", Dir / "build" / "game"},
        // An installed executable in <prefix>/games.
        {"", Dir / "usr" / "games", Dir / "usr" / "share" / "games" / "kapitan-zibo"},
        {"", "/usr/local/games", "/usr/local/share/games/kapitan-zibo"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Executable.string());
        EXPECT_EQ(FindDataFolder(c.Option, c.Executable), c.Data);
    }
    // A relative option is taken from the working folder.
    EXPECT_EQ(FindDataFolder("some/data", "/usr/games"), (fs::current_path() / "some" / "data").lexically_normal());
}

TEST(GameFolders, UserFolderIsTheOptionXdgDataHomeOrTheHomeDefault) {
    const struct {
        const char* Option;
        const char* XdgDataHome;
        const char* Home;
        const char* User;
    } cases[] = {
        {"/tmp/u", "/x", "/home/p", "/tmp/u"},
        {"", "/x/data", "/home/p", "/x/data/kapitan-zibo"},
        {"", "", "/home/p", "/home/p/.local/share/kapitan-zibo"},
        // A relative XDG_DATA_HOME is not valid and is ignored.
        {"", "relative", "/home/p", "/home/p/.local/share/kapitan-zibo"},
        {"", "", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Option) + "|" + c.XdgDataHome + "|" + c.Home);
        EXPECT_EQ(FindUserFolder(c.Option, c.XdgDataHome, c.Home), fs::path(c.User));
    }
}

// The settings are read from the user folder; while it has none, from an earlier build's file
// beside the data. They are always written to the user folder.
TEST_F(GameFoldersTest, ConfigIsReadFromAnEarlierBuildUntilTheUserFolderHasOne) {
    const TGameFolders folders{Dir / "data", Dir / "user"};
    EXPECT_EQ(folders.ConfigToRead(), Dir / "user" / "Config.cfg");
    Touch(Dir / "data" / "Config.cfg");
    EXPECT_EQ(folders.ConfigToRead(), Dir / "data" / "Config.cfg");
    Touch(Dir / "user" / "Config.cfg");
    EXPECT_EQ(folders.ConfigToRead(), Dir / "user" / "Config.cfg");
    EXPECT_EQ(folders.ConfigToWrite(), Dir / "user" / "Config.cfg");

    EXPECT_EQ(folders.PlayerFile("scoreserver.txt"), Dir / "data" / "scoreserver.txt");
    Touch(Dir / "user" / "scoreserver.txt");
    EXPECT_EQ(folders.PlayerFile("scoreserver.txt"), Dir / "user" / "scoreserver.txt");

    EXPECT_EQ(folders.InData("Data/data.fgg"), Dir / "data" / "Data" / "data.fgg");
    EXPECT_EQ(folders.InData("/etc/x.url"), fs::path("/etc/x.url"));
}

// The window icon comes from the icon theme beside the build tree's data, or from the one an
// installation put two folders above its data folder.
TEST_F(GameFoldersTest, WindowIconIsFoundInTheBuildTreeOrTheInstalledTheme) {
    const fs::path icon = fs::path("hicolor") / "64x64" / "apps" / (std::string(ZIBO_APP_ID) + ".png");
    const TGameFolders installed{Dir / "usr" / "share" / "games" / "kapitan-zibo", Dir / "user"};
    fs::create_directories(installed.Data);
    EXPECT_EQ(installed.IconFile(), fs::path());
    Touch(Dir / "usr" / "share" / "icons" / icon);
    EXPECT_EQ(installed.IconFile(), Dir / "usr" / "share" / "icons" / icon);
    Touch(installed.Data / "icons" / icon);
    EXPECT_EQ(installed.IconFile(), installed.Data / "icons" / icon);
}

} // namespace
