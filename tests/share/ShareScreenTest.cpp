// SPDX-License-Identifier: MIT
#include "share/ShareScreen.h"
#include "engine/Canvas.h"
#include "engine/Device.h"
#include "engine/Font.h"
#include "platform/RecordingBackend.h"
#include "platform/Screenshot.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
// Every picture is one flat colour, so a drawn texture tells which picture it was.
struct TPictureFile {
    const char* Name;
    uint32_t Color;
    int Width;
    int Height;
};
const TPictureFile Pictures[] = {
    {"wdata/back.png", 0xFF000001, 8, 6},     {"wdata/a.png", 0xFF000002, 40, 20},
    {"wdata/a_h.png", 0xFF000003, 40, 20},    {"wdata/b.png", 0xFF000004, 40, 20},
    {"wdata/b_h.png", 0xFF000005, 40, 20},    {"wdata/exit.png", 0xFF000006, 50, 30},
    {"wdata/exit_h.png", 0xFF000007, 50, 30}, {"wdata/exit_w.png", 0xFF000008, 50, 30},
    {"wdata/huge.png", 0xFF000009, 300, 10},
};

// Three buttons: "a" at (100, 100) 40x20, "b" overlapping it at (120, 110), the exit button
// at (300, 400) 50x30 with its hover picture at (298, 398) and its waiting one at (310, 410).
std::vector<std::string> GoodLines() {
    return {"3",
            "wdata/back.png",
            "95 95 0 0",
            "100 100 40 20",
            "wdata/a.png",
            "  wdata/a_h.png",
            "wdata/a.url",
            " 118 108 0 0",
            "120 110 40 20",
            "wdata/b.png",
            "wdata/b_h.png",
            "wdata/b.url",
            "298 398 0 0",
            "300 400 50 30",
            "310 410 0 0",
            "wdata/exit.png",
            "wdata/exit_h.png",
            "wdata/exit_w.png",
            "464 532",
            "5",
            "90 214 255",
            "TRUE",
            "22"};
}

class ShareScreenTest : public testing::Test {
protected:
    void SetUp() override {
        Folder = fs::temp_directory_path() / ("share_test_" + std::to_string(getpid()));
        fs::remove_all(Folder);
        fs::create_directories(Folder / "wdata");
        Previous = fs::current_path();
        fs::current_path(Folder);
        for (const TPictureFile& p : Pictures) {
            ASSERT_TRUE(WritePng(p.Name,
                                 std::vector<uint32_t>(static_cast<size_t>(p.Width) * p.Height, p.Color),
                                 p.Width, p.Height));
        }
        std::ofstream("wdata/a.url") << "a";
        std::ofstream("wdata/b.url") << "b";
        ASSERT_TRUE(Device.Initialize());
        Fonts.SetCanvas(&Canvas);
        Share.OnOpenFile = [this](const std::string& Path) { Opened.push_back(Path); };
        Share.OnClose = [this] { ++Closes; };
    }
    void TearDown() override {
        fs::current_path(Previous);
        fs::remove_all(Folder);
    }

    void Load(const std::vector<std::string>& Lines) {
        std::ofstream out("wdata/config.ini", std::ios::binary);
        for (const std::string& line : Lines) {
            out << line << "\r\n";
        }
        out.close();
        Share.LoadShareSettings();
    }

    // The colours of the pictures drawn by one frame, with their top-left corners.
    std::vector<std::pair<uint32_t, TPoint>> Frame() {
        auto& backend = *static_cast<TRecordingBackend*>(Device.Backend());
        backend.Batches.clear();
        Share.Draw(Canvas);
        Canvas.Flush();
        std::vector<std::pair<uint32_t, TPoint>> drawn;
        for (const auto& batch : backend.Batches) {
            const auto texture = backend.Textures.find(batch.Texture);
            for (size_t v = 0; texture != backend.Textures.end() && v + 3 < batch.Vertices.size(); v += 4) {
                drawn.emplace_back(texture->second.Pixels.at(0),
                                   // The canvas shifts quads by half a pixel to hit texel centres.
                                   TPoint{static_cast<int32_t>(std::lround(batch.Vertices[v].X + 0.5f)),
                                          static_cast<int32_t>(std::lround(batch.Vertices[v].Y + 0.5f))});
            }
        }
        return drawn;
    }

    fs::path Folder;
    fs::path Previous;
    TGfxDevice Device{[](const TDisplaySettings&) { return std::make_unique<TRecordingBackend>(800, 600); }};
    TGfxCanvas Canvas{Device};
    TGfxFonts Fonts{Device};
    TShareScreen Share{Device, Fonts};
    std::vector<std::string> Opened;
    int Closes = 0;
};

TEST_F(ShareScreenTest, CompleteFileDescribesTheScreen) {
    Load(GoodLines());
    ASSERT_TRUE(Share.Available);
    ASSERT_EQ(Share.Buttons().size(), 3u);
    const auto& a = Share.Buttons()[0];
    EXPECT_EQ(a.Link, "wdata/a.url");
    EXPECT_EQ(a.HoverPicture, "wdata/a_h.png");
    EXPECT_EQ(a.WaitingPicture, "wdata/a.png");
    EXPECT_TRUE(a.Active);
    EXPECT_EQ(Share.Buttons()[1].HoverAt.X, 118);
    const auto& exit = Share.Buttons()[2];
    EXPECT_EQ(exit.Link, "exit");
    EXPECT_FALSE(exit.Active);
    EXPECT_EQ(exit.WaitingAt.X, 310);
    EXPECT_EQ(exit.Size.Y, 30);
    EXPECT_EQ(Share.CountdownCentre.X, 464);
    EXPECT_EQ(Share.Countdown, 5);
    // Red is the third number.
    EXPECT_EQ(Share.CountdownColor, 0xFFFFD65Au);
    EXPECT_TRUE(Share.DigitSizing);
    EXPECT_EQ(Share.DigitWidth, 22);
}

TEST_F(ShareScreenTest, AnyMissingOrMalformedPieceMakesTheScreenUnavailable) {
    struct TCase {
        const char* What;
        std::function<void(std::vector<std::string>&)> Change;
    };
    const TCase cases[] = {
        {"two spaces in a number line", [](auto& l) { l[3] = "100  100 40 20"; }},
        {"a trailing space", [](auto& l) { l[19] = "5 "; }},
        {"a word for a number", [](auto& l) { l[20] = "90 2x4 255"; }},
        {"a number too few", [](auto& l) { l[18] = "464"; }},
        {"an empty number line", [](auto& l) { l[0] = ""; }},
        {"no buttons", [](auto& l) { l[0] = "0"; }},
        {"an empty name line", [](auto& l) { l[5] = "   "; }},
        {"a missing link file", [](auto& l) { l[6] = "wdata/none.url"; }},
        {"a missing picture", [](auto& l) { l[1] = "wdata/none.png"; }},
        {"the file ends early", [](auto& l) { l.resize(20); }},
        {"the digit width is missing", [](auto& l) { l.pop_back(); }},
        // The exit button would wait for a zero the clock never reaches.
        {"a negative countdown", [](auto& l) { l[19] = "-1"; }},
        {"a countdown past a minute", [](auto& l) { l[19] = "61"; }},
        {"the largest countdown", [](auto& l) { l[19] = "2147483647"; }},
    };
    for (const TCase& c : cases) {
        std::vector<std::string> lines = GoodLines();
        c.Change(lines);
        Load(lines);
        EXPECT_FALSE(Share.Available) << c.What;
        // Nothing of an unusable file holds the window.
        EXPECT_EQ(Share.Countdown, 0) << c.What;
    }
    for (const char* seconds : {"0", "60"}) {
        std::vector<std::string> lines = GoodLines();
        lines[19] = seconds;
        Load(lines);
        EXPECT_TRUE(Share.Available) << seconds;
    }
    // Without digit sizing the line after the mode is not needed.
    std::vector<std::string> lines = GoodLines();
    lines[21] = "FALSE";
    lines.pop_back();
    Load(lines);
    EXPECT_TRUE(Share.Available);
    fs::remove("wdata/config.ini");
    Share.LoadShareSettings();
    EXPECT_FALSE(Share.Available);
}

TEST_F(ShareScreenTest, ClicksWaitForTheGuardAndGoToTheFirstButtonUnderTheMouse) {
    Load(GoodLines());
    for (int frame = 0; frame < 4; ++frame) {
        Share.Click({110, 105});
        (void)Frame();
    }
    EXPECT_TRUE(Opened.empty());
    struct TCase {
        TPoint At;
        std::string Opened;
    };
    const TCase cases[] = {
        {{110, 105}, "wdata/a.url"},
        // Inside both: the earlier button takes it.
        {{130, 115}, "wdata/a.url"},
        // The right and bottom edges belong to the button.
        {{140, 120}, "wdata/a.url"},
        {{160, 130}, "wdata/b.url"},
        {{161, 131}, ""},
        {{99, 105}, ""},
    };
    for (const TCase& c : cases) {
        Opened.clear();
        Share.Click(c.At);
        EXPECT_EQ(Opened.empty() ? std::string() : Opened[0], c.Opened) << c.At.X << "," << c.At.Y;
        EXPECT_LE(Opened.size(), 1u);
    }
    Share.Click({325, 415});
    EXPECT_EQ(Closes, 1);
}

TEST_F(ShareScreenTest, ButtonsAtTheEndsOfThirtyTwoBitsKeepTheirEdges) {
    struct TCase {
        const char* Normal;
        TPoint Inside;
        TPoint Outside;
        std::vector<std::string> Opened;
    };
    const TCase cases[] = {
        {"2147483647 2147483647 40 20", {2147483647, 2147483647}, {2147483646, 2147483647}, {"wdata/a.url"}},
        {"2147483600 100 2147483647 20", {2147483647, 110}, {2147483599, 110}, {"wdata/a.url"}},
        // A negative size has no inside at all.
        {"-2147483648 -2147483648 -5 -5", {-2147483648, -2147483648}, {-2147483647, -2147483647}, {}},
    };
    for (const TCase& c : cases) {
        std::vector<std::string> lines = GoodLines();
        lines[3] = c.Normal;
        Load(lines);
        ASSERT_TRUE(Share.Available) << c.Normal;
        (void)Frame();
        Share.ClickGuard = 0;
        Opened.clear();
        Share.Click(c.Inside);
        Share.Click(c.Outside);
        EXPECT_EQ(Opened, c.Opened) << c.Normal;
        // The pointer at the far corner of the range tests every button for hovering.
        Share.SetMouse({2147483647, 2147483647});
        (void)Frame();
    }
}

TEST_F(ShareScreenTest, ExitButtonWaitsForTheCountdownThenFollowsTheMouse) {
    Load(GoodLines());
    const auto exitPicture = [](const std::vector<std::pair<uint32_t, TPoint>>& Drawn) {
        for (const auto& [color, at] : Drawn) {
            if (color >= 0xFF000006 && color <= 0xFF000008) {
                return std::make_pair(color, at);
            }
        }
        return std::make_pair(0u, TPoint{});
    };
    Share.SetMouse({320, 410});
    auto drawn = Frame();
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn[0].first, 0xFF000001u);
    EXPECT_EQ(exitPicture(drawn).first, 0xFF000008u);
    EXPECT_EQ(exitPicture(drawn).second.X, 310);
    Share.Countdown = 0;
    (void)Frame();
    drawn = Frame();
    EXPECT_EQ(exitPicture(drawn).first, 0xFF000007u);
    EXPECT_EQ(exitPicture(drawn).second.X, 298);
    Share.SetMouse({0, 0});
    drawn = Frame();
    EXPECT_EQ(exitPicture(drawn).first, 0xFF000006u);
    EXPECT_EQ(exitPicture(drawn).second.X, 300);
    // The link buttons, hovered or not, show their own pictures at their own places.
    Share.SetMouse({105, 105});
    drawn = Frame();
    ASSERT_GE(drawn.size(), 4u);
    EXPECT_EQ(drawn[1].first, 0xFF000003u);
    EXPECT_EQ(drawn[1].second.X, 95);
    EXPECT_EQ(drawn[2].first, 0xFF000004u);
}

TEST_F(ShareScreenTest, PicturesAreDecodedOnceAndOversizedOnesAreNotDrawn) {
    std::vector<std::string> lines = GoodLines();
    lines[4] = "wdata/huge.png";
    Load(lines);
    (void)Frame();
    auto& backend = *static_cast<TRecordingBackend*>(Device.Backend());
    const size_t textures = backend.Textures.size();
    for (int frame = 0; frame < 5; ++frame) {
        const auto drawn = Frame();
        for (const auto& [color, at] : drawn) {
            EXPECT_NE(color, 0xFF000009u);
        }
        // Background, button "b" and the exit button; "a" has no drawable picture.
        EXPECT_EQ(drawn.size(), 3u);
    }
    EXPECT_EQ(backend.Textures.size(), textures);
}

// A language's pictures lie in a folder of its code beside the Russian ones: the screen shows
// them at once when the language is chosen, keeps the Russian picture where the language has
// none (button "b", the waiting exit button), and goes back to the Russian ones.
TEST_F(ShareScreenTest, ALanguageShowsItsOwnPicturesWhereItHasThem) {
    fs::create_directories("wdata/en");
    ASSERT_TRUE(WritePng("wdata/en/back.png", std::vector<uint32_t>(8 * 6, 0xFF0000A1), 8, 6));
    ASSERT_TRUE(WritePng("wdata/en/a.png", std::vector<uint32_t>(40 * 20, 0xFF0000A2), 40, 20));
    Load(GoodLines());
    const auto colours = [this] {
        std::vector<uint32_t> out;
        for (const auto& [colour, at] : Frame()) {
            out.push_back(colour);
        }
        return out;
    };
    const std::vector<uint32_t> russian = {0xFF000001, 0xFF000002, 0xFF000004, 0xFF000008};
    EXPECT_EQ(colours(), russian);
    Share.SetLanguage("en");
    EXPECT_EQ(colours(), (std::vector<uint32_t>{0xFF0000A1, 0xFF0000A2, 0xFF000004, 0xFF000008}));
    Share.SetLanguage("ru");
    EXPECT_EQ(colours(), russian);
}

// The names in the settings file are inside the game's data folder, wherever the game was
// started from; the backdrop reaches the device only when the screen first shows.
TEST_F(ShareScreenTest, NamesAreFoundInTheDataFolderAndTheBackdropLoadsWhenShown) {
    Load(GoodLines());
    const fs::path elsewhere = Folder / "elsewhere";
    fs::create_directories(elsewhere);
    fs::current_path(elsewhere);
    Share.SetFolder(Folder.string());
    Share.LoadShareSettings();
    ASSERT_TRUE(Share.Available);
    auto& backend = *static_cast<TRecordingBackend*>(Device.Backend());
    EXPECT_TRUE(backend.Textures.empty());
    const auto drawn = Frame();
    ASSERT_FALSE(drawn.empty());
    EXPECT_EQ(drawn[0].first, 0xFF000001u) << "the backdrop comes first";
    EXPECT_EQ(drawn[0].second, (TPoint{0, 0}));
}
} // namespace
