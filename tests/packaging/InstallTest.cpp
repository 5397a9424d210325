// SPDX-License-Identifier: MIT
#include "Packaging.h"

#include "screens/Settings.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

namespace fs = std::filesystem;

namespace {

const std::string kAppId = ZIBO_TEST_APP_ID;

std::string ReadFile(const fs::path& File) {
    std::ifstream in(File, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every file and folder under Root with its type, mode and bytes: two equal snapshots mean
// nothing was written, added or removed there.
std::map<std::string, std::string> Snapshot(const fs::path& Root) {
    std::map<std::string, std::string> out;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(Root)) {
        const auto mode = static_cast<unsigned>(entry.symlink_status().permissions());
        std::string state = std::to_string(static_cast<int>(entry.symlink_status().type())) + " " + std::to_string(mode);
        if (entry.is_regular_file()) {
            state += " " + ReadFile(entry.path());
        }
        out[fs::relative(entry.path(), Root).string()] = state;
    }
    return out;
}

void WriteLines(const fs::path& File, const std::vector<std::string>& Lines) {
    std::ofstream out(File);
    for (const std::string& line : Lines) {
        out << line << "\n";
    }
}

class InstallTest : public ::testing::Test {
protected:
    void SetUp() override {
        const TProgramRun install = InstallInto(Scratch.Path() / "root", "/opt/zibo", Scratch.Path());
        ASSERT_EQ(install.Exit, 0) << install.Out << install.Err;
    }
    [[nodiscard]] fs::path Prefix() const { return Scratch.Path() / "root" / "opt" / "zibo"; }

    TScratch Scratch{"install"};
};

TEST_F(InstallTest, EveryPartLandsInItsPlaceUnderThePrefix) {
    std::vector<std::string> files = {
        "games/zibo",
        "bin/zibo-fgg",
        "share/games/kapitan-zibo/Data/data.fgg",
        "share/games/kapitan-zibo/Data/gdata.fgg",
        "share/games/kapitan-zibo/Data/data1.fgg",
        "share/games/kapitan-zibo/Data/gfx.fgg",
        "share/games/kapitan-zibo/Sounds/1.xm",
        "share/games/kapitan-zibo/Sounds/check.wav",
        "share/games/kapitan-zibo/wdata/config.ini",
        "share/games/kapitan-zibo/website.url",
        "share/applications/" + kAppId + ".desktop",
        "share/metainfo/" + kAppId + ".metainfo.xml",
        "share/icons/hicolor/scalable/apps/" + kAppId + ".svg",
        "share/man/man6/zibo.6.gz",
        "share/man/man1/zibo-fgg.1.gz",
        "share/doc/kapitan-zibo/README.md",
        "share/doc/kapitan-zibo/LICENSE",
        "share/doc/kapitan-zibo/LICENSES/DejaVu.txt",
        "share/doc/kapitan-zibo/copyright",
    };
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        const std::string side = std::to_string(size);
        files.push_back("share/icons/hicolor/" + side + "x" + side + "/apps/" + kAppId + ".png");
    }
    for (const std::string& file : files) {
        EXPECT_TRUE(fs::is_regular_file(Prefix() / file)) << file;
    }
    EXPECT_FALSE(fs::exists(Prefix() / "share/games/kapitan-zibo/Config.cfg"));
    const TProgramRun version = RunProgram(ShellQuote((Prefix() / "bin" / "zibo-fgg").string()) + " --version",
                                           Scratch.Path());
    EXPECT_EQ(version.Exit, 0);
    EXPECT_EQ(version.Out, std::string("fgg ") + ZIBO_TEST_VERSION + "\n");
}

// The installed game runs from an unrelated working folder with its data folder read-only and
// the player's folder in XDG_DATA_HOME: it reaches the menu, creates a profile and saves it there,
// and a second run reads it back. Tests run as root, who may write into read-only folders, so
// the whole installation is compared before and after: not one file may change or appear.
TEST_F(InstallTest, InstalledGameKeepsEveryWriteInTheUserFolder) {
    const fs::path dir = Scratch.Path();
    const fs::path data = Prefix() / "share" / "games" / "kapitan-zibo";
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(data)) {
        fs::permissions(entry.path(), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove);
    }
    fs::permissions(data, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const auto before = Snapshot(dir / "root");
    fs::create_directories(dir / "elsewhere");
    fs::create_directories(dir / "home");

    const auto play = [&](const std::vector<std::string>& Commands) {
        WriteLines(dir / "control.txt", Commands);
        fs::remove(dir / "trace.txt");
        const TProgramRun run = RunProgram(
            "cd elsewhere && env HOME=" + ShellQuote((dir / "home").string()) + " XDG_DATA_HOME=" +
                ShellQuote((dir / "xdg").string()) + " " + ShellQuote((Prefix() / "games" / "zibo").string()) +
                " --headless --seed 1 --control ../control.txt --trace ../trace.txt",
            dir);
        EXPECT_EQ(run.Exit, 0) << run.Err;
        return ReadLines(dir / "trace.txt");
    };
    std::vector<std::string> first = ToMainMenu();
    first.insert(first.end(), {"click 600 404", "frames 3", "click 600 414", "frames 3", "dump"});
    const std::vector<std::string> trace = play(first);
    EXPECT_EQ(CountHolding(trace, "enter state=1"), 1) << "a fresh player enters a name";
    EXPECT_EQ(CountHolding(trace, "dump state=4"), 1);
    EXPECT_EQ(CountHolding(trace, "config saved"), 2); // the new profile, then leaving the options

    const fs::path config = dir / "xdg" / "kapitan-zibo" / "Config.cfg";
    TSettings saved;
    LoadConfig(config.string(), saved);
    ASSERT_EQ(saved.PlayerCount, 1);
    EXPECT_EQ(saved.Players[0], "Tester");

    const std::vector<std::string> second = play({"frames 390", "dump"});
    EXPECT_EQ(CountHolding(second, "enter state=1"), 0) << "the saved profile is read back";
    EXPECT_EQ(CountHolding(second, "dump state=4"), 1);

    EXPECT_EQ(Snapshot(dir / "root"), before);
    EXPECT_TRUE(fs::is_empty(dir / "elsewhere"));
    EXPECT_TRUE(fs::is_empty(dir / "home"));
}

// The desktop entry and the metainfo pass their validators (offline).
TEST_F(InstallTest, DesktopEntryAndMetainfoPassTheirValidators) {
    const TProgramRun desktop = RunProgram(
        "desktop-file-validate " + ShellQuote((Prefix() / "share/applications" / (kAppId + ".desktop")).string()),
        Scratch.Path());
    EXPECT_EQ(desktop.Exit, 0) << desktop.Out << desktop.Err;
    EXPECT_EQ(desktop.Out + desktop.Err, "");
    const TProgramRun metainfo = RunProgram(
        "appstreamcli validate --no-net --pedantic " +
            ShellQuote((Prefix() / "share/metainfo" / (kAppId + ".metainfo.xml")).string()),
        Scratch.Path());
    EXPECT_EQ(metainfo.Exit, 0) << metainfo.Out << metainfo.Err;

    const std::string entry = ReadFile(Prefix() / "share/applications" / (kAppId + ".desktop"));
    for (const std::string& line : std::vector<std::string>{"Categories=Game;LogicGame;", "Name[ru]=Капитан Зибо", "Exec=zibo",
                                   "Icon=" + kAppId, "StartupWMClass=" + kAppId}) {
        EXPECT_NE(entry.find("\n" + line + "\n"), std::string::npos) << line;
    }
}

} // namespace
