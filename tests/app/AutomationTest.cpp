// SPDX-License-Identifier: MIT
#include "app/Automation.h"
#include "platform/PadInput.h"

#include <gtest/gtest.h>

#include <string_view>

TEST(Automation, ParsesEveryCommandShape) {
    struct TCase {
        const char* Line;
        TCommandKind Kind;
        int32_t Count, X, Y;
        uint8_t Button, Key;
        const char* Text;
    };
    const TCase cases[] = {
        {"frames 120", TCommandKind::Frames, 120, 0, 0, 0, 0, ""},
        {"move 10 20", TCommandKind::Move, 0, 10, 20, 0, 0, ""},
        {"press 1 2 right", TCommandKind::Press, 0, 1, 2, 1, 0, ""},
        {"release 3 4", TCommandKind::Release, 0, 3, 4, 0, 0, ""},
        {"click 400 300 middle", TCommandKind::Click, 0, 400, 300, 2, 0, ""},
        {"key 27", TCommandKind::Key, 0, 0, 0, 0, 27, ""},
        {"keydown 13", TCommandKind::KeyDown, 0, 0, 0, 0, 13, ""},
        {"keyup 80", TCommandKind::KeyUp, 0, 0, 0, 0, 80, ""},
        {"type  Вася Пупкин", TCommandKind::Type, 0, 0, 0, 0, 0, " Вася Пупкин"},
        {"screenshot shot.png", TCommandKind::Screenshot, 0, 0, 0, 0, 0, "shot.png"},
        {"dump\r", TCommandKind::Dump, 0, 0, 0, 0, 0, ""},
        {"stats", TCommandKind::Stats, 0, 0, 0, 0, 0, ""},
        {"quit", TCommandKind::Quit, 0, 0, 0, 0, 0, ""},
        {"close", TCommandKind::Close, 0, 0, 0, 0, 0, ""},
        {"minimize", TCommandKind::Minimize, 0, 0, 0, 0, 0, ""},
        {"restore", TCommandKind::Restore, 0, 0, 0, 0, 0, ""},
        {"focus out", TCommandKind::Focus, 0, 0, 0, 0, 0, ""},
        {"focus in", TCommandKind::Focus, 0, 0, 0, 0, 0, ""},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Line);
        const TParsedLine p = ParseCommandLine(c.Line);
        ASSERT_TRUE(p.Command.has_value()) << p.Error;
        EXPECT_EQ(p.Command->Kind, c.Kind);
        EXPECT_EQ(p.Command->Count, c.Count);
        EXPECT_EQ(p.Command->X, c.X);
        EXPECT_EQ(p.Command->Y, c.Y);
        EXPECT_EQ(p.Command->Button, c.Button);
        EXPECT_EQ(p.Command->Key, c.Key);
        EXPECT_EQ(p.Command->Text, c.Text);
        EXPECT_EQ(p.Command->Focused, std::string_view(c.Line) == "focus in");
    }
    const TParsedLine display = ParseCommandLine("display 144 10000");
    ASSERT_TRUE(display.Command.has_value()) << display.Error;
    EXPECT_EQ(display.Command->Kind, TCommandKind::Display);
    EXPECT_EQ(display.Command->Count, 144);
    EXPECT_EQ(display.Command->Milliseconds, 10000);
}

TEST(Automation, ParsesPadCommands) {
    struct TCase {
        const char* Line;
        TCommandKind Kind;
        TPadButton Button;
    } cases[] = {{"pad a", TCommandKind::Pad, TPadButton::A},
                 {"pad start", TCommandKind::Pad, TPadButton::Start},
                 {"paddown left", TCommandKind::PadDown, TPadButton::Left},
                 {"padup y", TCommandKind::PadUp, TPadButton::Y}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Line);
        const TParsedLine p = ParseCommandLine(c.Line);
        ASSERT_TRUE(p.Command.has_value()) << p.Error;
        EXPECT_EQ(p.Command->Kind, c.Kind);
        EXPECT_EQ(p.Command->PadButton, static_cast<uint8_t>(c.Button));
    }
    const TParsedLine stick = ParseCommandLine("padstick -32768 32767");
    ASSERT_TRUE(stick.Command.has_value()) << stick.Error;
    EXPECT_EQ(stick.Command->Kind, TCommandKind::PadStick);
    EXPECT_EQ(stick.Command->X, -32768);
    EXPECT_EQ(stick.Command->Y, 32767);
}

TEST(Automation, SkipsBlankAndCommentLinesAndRejectsBadOnes) {
    for (const char* quiet : {"", "   ", "# a comment"}) {
        const TParsedLine p = ParseCommandLine(quiet);
        EXPECT_FALSE(p.Command.has_value());
        EXPECT_TRUE(p.Error.empty()) << quiet;
    }
    for (const char* bad : {"jump", "frames", "frames -1", "frames x", "move 1", "click 1 2 sideways",
                            "key 0", "key 256", "dump now", "stats 1", "screenshot", "focus", "focus away",
                            "focus in out", "display 60", "display 1001 100", "display 60 -1", "pad", "pad x", "pad A",
                            "pad a b", "paddown", "padstick 1", "padstick 40000 0", "padstick 0 -32769"}) {
        const TParsedLine p = ParseCommandLine(bad);
        EXPECT_FALSE(p.Command.has_value()) << bad;
        EXPECT_FALSE(p.Error.empty()) << bad;
    }
}
