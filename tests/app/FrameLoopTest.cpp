// SPDX-License-Identifier: MIT
#include "app/FrameLoop.h"

#include "platform/Clock.h"
#include "platform/GameWindow.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

namespace {

// Counts the logic frames and pictures it is given; it can stop the game after some frames
// and be put to sleep.
class TCountingClient final : public IFrameClient {
public:
    void LogicFrame(bool Draw) override {
        ++Frames;
        Pictures += Draw ? 1 : 0;
        if (Frames == StopAfter) {
            Stopped = true;
        }
    }
    [[nodiscard]] bool GoesOn() const override { return !Stopped; }
    [[nodiscard]] bool Asleep() const override { return Sleeping; }

    int32_t Frames = 0;
    int32_t Pictures = 0;
    int32_t StopAfter = -1;
    bool Stopped = false;
    bool Sleeping = false;
};

TEST(FrameLoop, ASimulatedDisplayKeepsTheLogicRateAndDrawsOncePerRefresh) {
    struct TCase {
        int32_t Hz;
        int32_t Pictures;
    };
    // A second of virtual time: always 100 logic frames (the first is due at once, so one more
    // may fall on the second's end); a slow display gets one picture per refresh, a fast one
    // never more than one per logic frame.
    for (const TCase c : {TCase{30, 30}, TCase{60, 60}, TCase{144, 100}}) {
        TVirtualClock clock;
        TCountingClient client;
        TFrameLoop loop(client, clock);
        const int64_t frames = loop.SimulateDisplay(clock, c.Hz, 1000);
        EXPECT_NEAR(frames, 100, 1) << c.Hz;
        EXPECT_EQ(client.Frames, frames) << c.Hz;
        EXPECT_NEAR(client.Pictures, c.Pictures, 1) << c.Hz;
        EXPECT_EQ(loop.RetraceHz(), 0) << "the simulated display ends with the command";
    }
}

TEST(FrameLoop, NoFramesWhileAsleepAndNoneAfterTheGameEnds) {
    TVirtualClock clock;
    TCountingClient client;
    TFrameLoop loop(client, clock);
    client.Sleeping = true;
    EXPECT_EQ(loop.SimulateDisplay(clock, 60, 1000), 0);
    EXPECT_EQ(client.Frames, 0);
    EXPECT_GE(clock.Counter(), 1000000U) << "virtual time still passes while asleep";

    client.Sleeping = false;
    client.StopAfter = 7;
    loop.Frames(&clock, 50);
    EXPECT_EQ(client.Frames, 7);
    EXPECT_EQ(client.Pictures, 7) << "every frame of a frames command is drawn";
    loop.Frames(&clock, 50);
    EXPECT_EQ(loop.SimulateDisplay(clock, 60, 1000), 0);
    EXPECT_EQ(client.Frames, 7);
}

// The time the game takes to start before its first pass (the window, the device, the logo's
// picture) is no stall to catch up on: the first pass runs one logic frame and draws it, so the
// first picture reaches the screen without logic frames or loading before it. Then the game
// follows the clock again: 50 ms later five frames are due.
TEST(FrameLoop, TheFirstPassRunsOneFrameAndDrawsItHoweverLongTheStartTook) {
    const std::unique_ptr<TGameWindow> window = TGameWindow::Create("test", true, nullptr, false);
    ASSERT_NE(window, nullptr);
    for (const uint64_t startMs : {0, 50, 400, 3000}) {
        TVirtualClock clock;
        TCountingClient client;
        TFrameLoop loop(client, clock);
        clock.Advance(startMs * 1000);
        loop.WindowPass(*window);
        EXPECT_EQ(client.Frames, 1) << startMs;
        EXPECT_EQ(client.Pictures, 1) << startMs;
        clock.Advance(50000);
        loop.WindowPass(*window);
        EXPECT_EQ(client.Frames, 6) << startMs;
        EXPECT_EQ(client.Pictures, 2) << startMs;
    }
}

} // namespace
