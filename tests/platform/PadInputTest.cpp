// SPDX-License-Identifier: MIT
#include "platform/PadInput.h"
#include "platform/WindowInput.h"
#include "platform/KeyEventLog.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

class PadInput : public ::testing::Test {
protected:
    PadInput() { Keys.SetListener(&Log); }
    std::vector<std::string> Take() { return std::exchange(Log.Events, {}); }
    void Ticks(int32_t N) {
        for (int32_t i = 0; i < N; ++i) {
            Pad.Tick();
        }
    }

    TKeyEventLog Log;
    TWindowInput Keys;
    TPadInput Pad{Keys};
};

TEST_F(PadInput, EachButtonIsItsKeyGoingDownAndUp) {
    struct TCase {
        const char* Name;
        int Key;
    } cases[] = {{"up", 38}, {"down", 40}, {"left", 37}, {"right", 39}, {"a", 13}, {"b", 27}, {"y", 72}, {"start", 80}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const std::optional<TPadButton> b = TPadInput::ButtonOfName(c.Name);
        ASSERT_TRUE(b);
        Pad.Button(*b, true);
        Pad.Button(*b, true); // a second down (another controller) presses nothing more
        Pad.Button(*b, false);
        Pad.Button(*b, false);
        const std::string k = std::to_string(c.Key);
        EXPECT_EQ(Take(), (std::vector<std::string>{"+" + k, "-" + k}));
    }
    EXPECT_FALSE(TPadInput::ButtonOfName("x"));
    EXPECT_FALSE(TPadInput::ButtonOfName("A"));
}

TEST_F(PadInput, TheStickPressesPastItsDeadZoneAndRepeatsWhileHeld) {
    Pad.Stick(TPadInput::DeadZone - 1, -(TPadInput::DeadZone - 1)); // resting, worn
    Ticks(200);
    EXPECT_TRUE(Take().empty());

    Pad.Stick(30000, 9000); // right wins over a slight lean down
    EXPECT_EQ(Take(), (std::vector<std::string>{"+39", "-39"}));
    Ticks(TPadInput::RepeatDelay - 1);
    EXPECT_TRUE(Take().empty());
    Ticks(1);
    EXPECT_EQ(Take().size(), 2u);
    Ticks(TPadInput::RepeatEvery * 3);
    EXPECT_EQ(Take().size(), 6u);

    Pad.Stick(0, -32768); // straight to up: pressed at once, the repeat starts over
    EXPECT_EQ(Take(), (std::vector<std::string>{"+38", "-38"}));
    Pad.Stick(2000, -31000); // still up: nothing new
    EXPECT_TRUE(Take().empty());
    Pad.Stick(0, 0);
    Ticks(200);
    EXPECT_TRUE(Take().empty());
}

TEST_F(PadInput, AnUnpluggedControllerLeavesNothingPressed) {
    Pad.Button(TPadButton::A, true);
    Pad.Button(TPadButton::Left, true);
    Pad.Stick(-32768, 0);
    Take();
    Pad.ReleaseAll();
    const std::vector<std::string> ups = Take();
    EXPECT_EQ(ups, (std::vector<std::string>{"-37", "-13"}));
    Ticks(200);
    EXPECT_TRUE(Take().empty());
}

} // namespace
