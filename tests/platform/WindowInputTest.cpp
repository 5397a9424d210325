// SPDX-License-Identifier: MIT
#include "platform/Text.h"
#include "platform/WindowInput.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Writes each window event as a short line.
class TLog final : public IWindowListener {
public:
    void MouseDown(const TMouseInput& E) override { Add("down", E); }
    void MouseUp(const TMouseInput& E) override { Add("up", E); }
    void MouseMove(const TMouseInput& E) override { Add("move", E); }
    void Click() override { Lines.push_back("click"); }
    void DoubleClick() override { Lines.push_back("dblclick"); }
    void KeyDown(uint8_t Key, uint8_t Shift) override { Key2("keydown", Key, Shift); }
    void KeyUp(uint8_t Key, uint8_t Shift) override { Key2("keyup", Key, Shift); }
    void KeyPress(char C) override { Lines.push_back("press " + std::to_string(static_cast<uint8_t>(C))); }
    void CloseRequest() override { Lines.push_back("close"); }
    void Minimized() override { Lines.push_back("minimized"); }
    void FocusChanged(bool Focused) override { Lines.push_back(Focused ? "focus" : "blur"); }

    std::vector<std::string> Lines;

private:
    void Add(const char* Kind, const TMouseInput& E) {
        Lines.push_back(std::string(Kind) + " b" + std::to_string(E.Button) + " s" + std::to_string(E.Shift) +
                        " " + std::to_string(E.Logical.X) + "," + std::to_string(E.Logical.Y));
    }
    void Key2(const char* Kind, uint8_t Key, uint8_t Shift) {
        Lines.push_back(std::string(Kind) + " " + std::to_string(Key) + " s" + std::to_string(Shift));
    }
};

struct TInputFixture : ::testing::Test {
    TInputFixture() { Input.SetListener(&Log); }
    TWindowInput Input;
    TLog Log;
};

TEST(TWindowInputMapping, ClientPixelsMapToTheLogicalScreenHalfToEven) {
    struct TCase {
        TRect Area;
        TPoint Client;
        TPoint Logical;
        TPoint Position;
    };
    const TCase Cases[] = {
        {{0, 0, 800, 600}, {123, 456}, {123, 456}, {123, 456}},
        // 1600x1200: x / 2 with halves to even.
        {{0, 0, 1600, 1200}, {5, 7}, {2, 4}, {5, 7}},
        {{0, 0, 1600, 1200}, {7, 1}, {4, 0}, {7, 1}},
        // Full screen 1920x1080: a 1440x1080 area 240 pixels in, scale 1.8.
        {{240, 0, 1680, 1080}, {240 + 720, 540}, {400, 300}, {720, 540}},
        {{240, 0, 1680, 1080}, {0, 0}, {-133, 0}, {-240, 0}},
    };
    for (const TCase& Case : Cases) {
        TWindowInput Input;
        TLog Log;
        Input.SetListener(&Log);
        Input.SetDrawingArea(Case.Area);
        EXPECT_EQ(Input.ToLogical(Case.Client), Case.Logical);
        TMouseInput Seen;
        struct TGrab final : IWindowListener {
            TMouseInput* Out;
            explicit TGrab(TMouseInput* O) : Out(O) {}
            void MouseMove(const TMouseInput& E) override { *Out = E; }
        } Grab(&Seen);
        Input.SetListener(&Grab);
        Input.MouseMove(Case.Client);
        EXPECT_EQ(Seen.Position, Case.Position);
        EXPECT_EQ(Seen.Logical, Case.Logical);
    }
    TWindowInput Scaled;
    Scaled.SetDrawingArea({240, 0, 1680, 1080});
    EXPECT_EQ(Scaled.ToClient({400, 300}), (TPoint{960, 540}));
    EXPECT_EQ(Scaled.ToLogical(Scaled.ToClient({799, 599})), (TPoint{799, 599}));
}

TEST_F(TInputFixture, ReleaseClicksAndSecondPressDoubleClicks) {
    Input.MouseDown(mb::Left, {10, 20});
    Input.MouseUp(mb::Left, {10, 20});
    Input.MouseDown(mb::Left, {10, 20}, true);
    Input.MouseUp(mb::Left, {10, 20});
    Input.MouseDown(mb::Right, {3, 4});
    Input.MouseMove({5, 6});
    Input.MouseUp(mb::Right, {5, 6});
    Input.MouseDown(7, {1, 1});
    const std::vector<std::string> Expected{
        "down b0 s8 10,20", "up b0 s0 10,20",  "click",           "dblclick",     "down b0 s72 10,20",
        "up b0 s0 10,20",   "down b1 s16 3,4", "move b3 s16 5,6", "up b1 s0 5,6",
    };
    EXPECT_EQ(Log.Lines, Expected);
}

TEST_F(TInputFixture, ModifiersShapeTheShiftStateAndControlKeysType) {
    Input.KeyDown(16);
    Input.KeyDown(65);
    Input.KeyUp(16);
    Input.KeyDown(13);
    Input.KeyDown(8);
    Input.KeyDown(17);
    Input.Focus(false);
    Input.KeyUp(65);
    const std::vector<std::string> Expected{
        "keydown 16 s1", "keydown 65 s1", "keyup 16 s0",   "keydown 13 s0", "press 13",
        "keydown 8 s0",  "press 8",       "keydown 17 s4", "blur",          "keyup 65 s0",
    };
    EXPECT_EQ(Log.Lines, Expected);
}

// Characters the code page cannot hold are not typed at all (no "?" in their place).
TEST_F(TInputFixture, TypedTextArrivesInCodePage1251) {
    // "Зи", the euro sign, a snowman, a plain letter, then "Zoë".
    Input.Text("\xD0\x97\xD0\xB8\xE2\x82\xAC\xE2\x98\x83"
               "a"
               "Zo\xC3\xAB");
    ASSERT_EQ(Log.Lines.size(), 6u);
    EXPECT_EQ(Log.Lines[0], "press 199");
    EXPECT_EQ(Log.Lines[1], "press 232");
    // The euro sign exists in 1251 (0x88); the snowman and "ë" do not.
    EXPECT_EQ(Log.Lines[2], "press 136");
    EXPECT_EQ(Log.Lines[3], "press 97");
    EXPECT_EQ(Log.Lines[4], "press 90");
    EXPECT_EQ(Log.Lines[5], "press 111");
}

TEST(Text, DroppingConversionLeavesOutWhatTheCodePageLacks) {
    const struct {
        const char* Utf8;
        const char* Cp1251;
    } cases[] = {
        {"Zo\xC3\xAB", "Zo"},                         // "Zoë"
        {"\xD0\x81\xD0\xBB\xD0\xBA\xD0\xB0", "\xA8\xEB\xEA\xE0"}, // "Ёлка" is all there
        {"\xE2\x98\x83\xF0\x9F\x98\x80", ""},      // a snowman and an emoji
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8ToCp1251Dropping(c.Utf8), c.Cp1251) << c.Utf8;
    }
    EXPECT_EQ(Utf8ToCp1251("Zo\xC3\xAB"), "Zo?");
}

TEST_F(TInputFixture, WindowRequestsReachTheListener) {
    Input.Close();
    Input.Minimize();
    Input.Focus(true);
    EXPECT_EQ(Log.Lines, (std::vector<std::string>{"close", "minimized", "focus"}));
}

} // namespace
