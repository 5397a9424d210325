// SPDX-License-Identifier: MIT
#include "GameRun.h"
#include "Shot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace {
std::vector<uint8_t> ReadBytes(const std::filesystem::path& File) {
    std::ifstream in(File, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::filesystem::path& File, const std::vector<uint8_t>& Bytes) {
    std::ofstream(File, std::ios::binary).write(reinterpret_cast<const char*>(Bytes.data()),
                                                static_cast<std::streamsize>(Bytes.size()));
}

int32_t Int32At(const std::vector<uint8_t>& Bytes, size_t At) {
    uint32_t value = 0;
    std::memcpy(&value, Bytes.data() + At, sizeof(value));
    return static_cast<int32_t>(value);
}

// Where the key table of an archive keeps the record offset of Key; 0 when the key is absent.
size_t OffsetFieldOf(const std::vector<uint8_t>& Archive, const std::string& Key) {
    const int32_t count = Int32At(Archive, 4);
    size_t at = static_cast<size_t>(Int32At(Archive, 8));
    for (int32_t i = 0; i < count && at + 4 <= Archive.size(); ++i) {
        const auto length = static_cast<size_t>(Int32At(Archive, at));
        const std::string key(Archive.begin() + static_cast<std::ptrdiff_t>(at + 4),
                              Archive.begin() + static_cast<std::ptrdiff_t>(at + 4 + length));
        if (key == Key) {
            return at + 4 + length;
        }
        at += 4 + length + 4;
    }
    return 0;
}

int64_t FrameOf(const std::string& Line) { return std::stoll(TGameRun::Fields(Line)["frame"]); }

// Replaces every occurrence of From by To (of the same length) in the file.
void ReplaceAll(std::vector<uint8_t>& Bytes, const std::string& From, const std::string& To) {
    for (auto at = Bytes.begin(); (at = std::search(at, Bytes.end(), From.begin(), From.end())) != Bytes.end();) {
        at = std::copy(To.begin(), To.end(), at);
    }
}

struct TDamage {
    const char* What;
    const char* File;
    std::function<void(std::vector<uint8_t>&)> Change;
    // The second line of the message, or its beginning.
    const char* Detail;
};

// Each damaged file ends the start with the message naming what is missing.
void ExpectRefused(const TDamage& Damage) {
    TGameRun run;
    const std::filesystem::path file = run.Folder() / Damage.File;
    std::vector<uint8_t> bytes = ReadBytes(file);
    ASSERT_FALSE(bytes.empty()) << Damage.What;
    Damage.Change(bytes);
    WriteBytes(file, bytes);
    EXPECT_EQ(run.Run({"frames 10"}), 1) << Damage.What;
    EXPECT_TRUE(run.Has(std::string("messagebox text=\"Failed to load game data!\\n") + Damage.Detail))
        << Damage.What << "\n" << run.Errors();
    // Without the game's data the system's own box says it.
    EXPECT_TRUE(run.Has("\" style=system")) << Damage.What;
    EXPECT_FALSE(run.Has("enter state=3")) << Damage.What;
}
} // namespace

TEST(Startup, FreshStartGoesThroughLogoAndNameEntryToTheMenu) {
    TGameRun run;
    std::vector<std::string> commands = ToMainMenu();
    commands.push_back("dump");
    ASSERT_EQ(run.Run(commands), 0) << run.Errors();
    EXPECT_TRUE(run.Has("enter state=3"));
    EXPECT_TRUE(run.Has("enter state=1"));
    EXPECT_EQ(run.LastDump()["state"], "4");
    EXPECT_TRUE(run.Has("music play=1"));
    EXPECT_TRUE(run.Has(" quit"));
}

// A click or a key during the logo goes on to the next screen at once: the name entry on a first
// start, the main menu once a player exists.
TEST(Startup, AClickOrAKeySkipsTheLogo) {
    struct TCase {
        const char* Input;
        bool Profile;
        const char* Next;
    };
    const TCase cases[] = {{"click 400 300", false, "1"}, {"key 32", true, "4"}, {"key 27", false, "1"}};
    for (const TCase& c : cases) {
        TGameRun run;
        if (c.Profile) {
            WriteLowHardTable(run.Folder());
        }
        ASSERT_EQ(run.Run({"frames 20", c.Input, "frames 1", "dump", "frames 5", "dump"}), 0) << run.Errors();
        const std::vector<std::string> leave = run.Events("leave state=3");
        ASSERT_EQ(leave.size(), 1u) << c.Input;
        EXPECT_EQ(TGameRun::Fields(leave[0])["frame"], "21") << c.Input;
        const std::vector<std::string> dumps = run.Events("dump");
        ASSERT_EQ(dumps.size(), 2u);
        EXPECT_EQ(TGameRun::Fields(dumps[0])["state"], c.Next) << c.Input;
        // The input that ended the logo does nothing on the next screen.
        EXPECT_EQ(TGameRun::Fields(dumps[1])["state"], c.Next) << c.Input;
    }
}

// The logo is on screen before the rest of the data has loaded: its first frames are drawn while
// the pictures and fonts load, and it still lasts its full time. Its picture is the one of the
// language shown, centred, in both languages (a picture loaded ahead of the rest in the wrong
// variant would be placed by the size of one not yet there).
TEST(Startup, TheLogoShowsWhileTheDataLoad) {
    for (const char* locale : {"LANG=C.UTF-8", "LANG=ru_RU.UTF-8"}) {
        TGameRun run;
        run.SetLocale(locale);
        ASSERT_EQ(run.Run({"frames 150", "screenshot logo.png", "frames 240"}, 1, "--renderer gl"), 0) << run.Errors();
        const std::vector<std::string> enter = run.Events("enter state=3");
        const std::vector<std::string> loaded = run.Events("loaded");
        ASSERT_EQ(enter.size(), 1u) << locale;
        ASSERT_EQ(loaded.size(), 1u) << locale;
        EXPECT_EQ(FrameOf(enter[0]), 0) << locale;
        // Frame 1, the logo's first, was drawn before the last record loaded.
        EXPECT_GT(FrameOf(loaded[0]), 1) << locale;
        // The sound device and the songs come after that first picture: the logo's song
        // starts in frame 1, not before it.
        const std::vector<std::string> music = run.Events("music play=1");
        ASSERT_FALSE(music.empty()) << locale;
        EXPECT_EQ(FrameOf(music[0]), 1) << locale;
        const std::vector<std::string> leave = run.Events("leave state=3");
        ASSERT_EQ(leave.size(), 1u) << locale;
        EXPECT_EQ(FrameOf(leave[0]), 385) << locale;

        const TShot shot = LoadShot(run.Folder() / "logo.png");
        int left = shot.Width, right = -1;
        for (int y = 0; y < shot.Height; ++y) {
            for (int x = 0; x < shot.Width; ++x) {
                // The logo's orange lettering and planet (the cursor is orange too, but small
                // and at the window's centre).
                const uint32_t p = shot.At(x, y);
                if (((p >> 16) & 0xFF) > 200 && ((p >> 8) & 0xFF) > 90) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
            }
        }
        ASSERT_GE(right, left) << locale << ": no logo on screen";
        EXPECT_NEAR((left + right) / 2, 400, 40) << locale << ": the logo spans " << left << ".." << right;
    }
}

// A click during the logo before the data have loaded ends it on the first frame after they
// are all there, not earlier (no half-loaded screen) and not at the logo's end.
TEST(Startup, AnEarlyClickWaitsForTheData) {
    TGameRun run;
    ASSERT_EQ(run.Run({"frames 1", "click 400 300", "frames 30", "dump"}), 0) << run.Errors();
    const std::vector<std::string> loaded = run.Events("loaded");
    const std::vector<std::string> leave = run.Events("leave state=3");
    ASSERT_EQ(loaded.size(), 1u);
    ASSERT_EQ(leave.size(), 1u);
    EXPECT_GT(FrameOf(loaded[0]), 2);
    EXPECT_EQ(FrameOf(leave[0]), FrameOf(loaded[0]) + 1);
    EXPECT_EQ(run.LastDump()["state"], "1");
}

// Pictures need the OpenGL renderer; with frames only recorded a screenshot is refused with a
// line on standard error and no file.
TEST(Startup, ScreenshotsNeedTheGlRenderer) {
    for (const bool gl : {true, false}) {
        TGameRun run;
        std::vector<std::string> commands = ToMainMenu();
        commands.push_back("screenshot menu.png");
        ASSERT_EQ(run.Run(commands, 1, gl ? "--renderer gl" : ""), 0) << run.Errors();
        const std::filesystem::path shot = run.Folder() / "menu.png";
        EXPECT_EQ(std::filesystem::exists(shot), gl);
        if (gl) {
            // A drawn menu, not an empty frame: the PNG holds more than a blank picture compresses to.
            EXPECT_GT(std::filesystem::file_size(shot), 10000u);
        } else {
            EXPECT_NE(run.Errors().find("needs --renderer gl"), std::string::npos) << run.Errors();
        }
        EXPECT_TRUE(run.Has("enter state=4"));
    }
}

// Missing or damaged data ends the start with a message instead of an empty window that cannot
// be closed.
TEST(Startup, UnreadableDataEndsWithAMessage) {
    const struct {
        const char* File;
        bool Remove;
    } cases[] = {{"Data/data.fgg", true}, {"Data/gdata.fgg", false}, {"Data/data1.fgg", true}};
    for (const auto& c : cases) {
        TGameRun run;
        const std::filesystem::path file = run.Folder() / c.File;
        if (c.Remove) {
            std::filesystem::remove(file);
        } else {
            std::filesystem::resize_file(file, std::filesystem::file_size(file) / 2);
        }
        EXPECT_EQ(run.Run({"frames 10"}), 1) << c.File;
        // The second line names the file and what was wrong with it, in the box and on stderr.
        const std::string detail = file.string() + ": " + (c.Remove ? "no such file" : "");
        EXPECT_TRUE(run.Has("messagebox text=\"Failed to load game data!\\n" + detail)) << c.File;
        EXPECT_NE(run.Errors().find("Failed to load game data!\n" + detail), std::string::npos) << run.Errors();
        EXPECT_FALSE(run.Has("enter state=3")) << c.File;
    }
}

// Archives that open but lack records the game draws: the start ends with the message and the
// first missing name instead of a black board, invisible pieces or no text.
TEST(Startup, ArchiveWithoutTheGamesRecordsEndsWithAMessage) {
    const TDamage cases[] = {
        {"no records at all", "Data/gdata.fgg",
         [](auto& b) { b = {'A', 'S', 'D', 'b', 0, 0, 0, 0, 12, 0, 0, 0}; }, "Data/gdata.fgg: missing image back"},
        {"a zeroed record header", "Data/data.fgg",
         [](auto& b) {
             const size_t field = OffsetFieldOf(b, "RedCircle.piece");
             ASSERT_NE(field, 0u);
             std::fill_n(b.begin() + Int32At(b, field), 44, 0);
         },
         "Data/data.fgg: missing image RedCircle.piece"},
        {"a directory entry pointing at the file header", "Data/data1.fgg",
         [](auto& b) {
             const size_t field = OffsetFieldOf(b, "sharetext");
             ASSERT_NE(field, 0u);
             std::fill_n(b.begin() + static_cast<std::ptrdiff_t>(field), 4, 0);
         },
         "Data/data1.fgg: missing font sharetext"},
    };
    for (const TDamage& c : cases) {
        ExpectRefused(c);
    }
}

// A screens file whose forms or controls lack a name the screens bind ends the start with the
// message, instead of a name screen without its edit box or a menu without its buttons.
TEST(Startup, ScreensWithoutTheirControlsEndWithAMessage) {
    const TDamage cases[] = {
        {"the name screen's edit box renamed", "Data/gfx.fgg",
         [](auto& b) { ReplaceAll(b, "edit_name1", "edit_nameX"); }, "Data/gfx.fgg: missing edit box edit_name1"},
        {"the exit question's button renamed", "Data/gfx.fgg", [](auto& b) { ReplaceAll(b, "b_exit_yes", "b_exit_yeZ"); },
         "Data/gfx.fgg: missing button b_exit_yes"},
        {"the main menu renamed", "Data/gfx.fgg", [](auto& b) { ReplaceAll(b, "scr_mainmenu", "scr_mainmenX"); },
         "Data/gfx.fgg: missing form scr_mainmenu"},
        {"the file cut after its first forms", "Data/gfx.fgg", [](auto& b) { b.resize(b.size() / 4); },
         "Data/gfx.fgg: missing "},
    };
    for (const TDamage& c : cases) {
        ExpectRefused(c);
    }
}

// A record whose packed bytes are damaged is only found when it is unpacked, while the logo
// already shows: the start still ends with the system's box naming the archive, exit code 1 and
// no further screen, whether the record is among the first or the last to load.
TEST(Startup, DataDamagedWhileTheLogoShowsEndsWithAMessage) {
    const struct {
        const char* File;
        const char* Key;
    } cases[] = {{"Data/data.fgg", "RedCircle.piece"}, {"Data/data1.fgg", "sharetext"}};
    for (const auto& c : cases) {
        TGameRun run;
        const std::filesystem::path file = run.Folder() / c.File;
        std::vector<uint8_t> bytes = ReadBytes(file);
        const size_t field = OffsetFieldOf(bytes, c.Key);
        ASSERT_NE(field, 0u) << c.Key;
        const auto record = static_cast<size_t>(Int32At(bytes, field));
        const auto stored = static_cast<size_t>(Int32At(bytes, record + 6));
        ASSERT_GT(stored, 64u) << c.Key;
        // The header and the directory stay as they were: only the packed bytes are wrong.
        std::fill_n(bytes.begin() + static_cast<std::ptrdiff_t>(record + 44 + stored / 2), 16, 0x5A);
        WriteBytes(file, bytes);
        EXPECT_EQ(run.Run({"frames 60", "dump"}), 1) << c.Key;
        const std::vector<std::string> boxes = run.Events("messagebox");
        ASSERT_EQ(boxes.size(), 1u) << c.Key;
        EXPECT_NE(boxes[0].find("text=\"Failed to load game data!\\n" + file.string() + ": the record"), std::string::npos)
            << boxes[0];
        EXPECT_NE(boxes[0].find("style=system"), std::string::npos) << boxes[0];
        EXPECT_GT(FrameOf(boxes[0]), 0) << c.Key;
        EXPECT_TRUE(run.Has("enter state=3")) << c.Key;
        EXPECT_FALSE(run.Has(" loaded")) << c.Key;
        EXPECT_FALSE(run.Has("enter state=1")) << c.Key;
        EXPECT_FALSE(run.Has(" dump")) << c.Key;
        EXPECT_NE(run.Errors().find("Failed to load game data!\n" + file.string() + ": the record"), std::string::npos)
            << run.Errors();
    }
}
