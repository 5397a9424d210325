// SPDX-License-Identifier: MIT
#include "engine/FramePacer.h"
#include "platform/Clock.h"

#include <gtest/gtest.h>

namespace {

struct TDisplayRun {
    int64_t Frames = 0;
    int64_t Presents = 0;
};

// Ten seconds of the frame loop on a display refreshed Hz times a second whose presents wait
// for the retrace (0: presents that take no time), drawing once per pass.
TDisplayRun RunDisplay(int32_t Hz, uint64_t Micros = 10000000) {
    TVirtualClock clock;
    clock.Advance(1234567); // the loop does not start at a retrace
    TFramePacer pacer(clock);
    const uint64_t end = clock.Counter() + Micros;
    TDisplayRun run;
    while (clock.Counter() < end) {
        run.Frames += pacer.Wait();
        ++run.Presents;
        clock.AdvanceToRetrace(Hz);
    }
    return run;
}

} // namespace

// 100 logic frames a second on every display; never more than 100 pictures a second.
TEST(FramePacer, EveryDisplayRunsTheGameAtOneHundredFramesASecond) {
    for (const int32_t hz : {0, 50, 60, 75, 100, 120, 144, 240}) {
        SCOPED_TRACE(hz);
        const TDisplayRun run = RunDisplay(hz);
        EXPECT_NEAR(run.Frames, 1000, 2);
        EXPECT_LE(run.Presents, 1001);
        if (hz > 0 && hz < 100) {
            EXPECT_NEAR(run.Presents, hz * 10, 2); // one picture per retrace
        }
    }
}

// A long stall makes up at most ten frames, then the game goes on at its pace.
TEST(FramePacer, AStallNeverFastForwardsTheGame) {
    TVirtualClock clock;
    TFramePacer pacer(clock);
    EXPECT_EQ(pacer.Wait(), 1);
    clock.Advance(25000);
    EXPECT_EQ(pacer.Wait(), 2); // 25 ms late: the two frames that fell due
    clock.Advance(3000000);
    EXPECT_EQ(pacer.Wait(), 10);
    const uint64_t after = clock.Counter();
    EXPECT_EQ(pacer.Wait(), 1);
    EXPECT_EQ(clock.Counter() - after, 10000u); // the next one comes a period later
}

// The frame loop draws only when a picture is due: never more pictures than the display
// refreshes, one per refresh on displays slower than the game, whether presents wait for the
// retrace or not; a display that does not tell its rate is taken as 60 Hz.
TEST(FramePacer, PicturesFollowTheDisplaysRefreshRate) {
    struct TCase {
        int32_t Reported; // what the display says (0: nothing)
        int32_t Retrace;  // what presents wait for (0: nothing)
        int64_t Pictures; // in ten seconds
    };
    for (const TCase c : {TCase{0, 0, 600}, TCase{60, 0, 600}, TCase{30, 0, 300}, TCase{60, 60, 600},
                          TCase{75, 75, 750}, TCase{144, 144, 1000}, TCase{144, 0, 1000}}) {
        SCOPED_TRACE(testing::Message() << c.Reported << " Hz reported, retrace " << c.Retrace);
        TVirtualClock clock;
        clock.Advance(1234567);
        TFramePacer pacer(clock);
        pacer.SetDisplayRate(c.Reported);
        const uint64_t end = clock.Counter() + 10000000;
        int64_t frames = 0;
        int64_t pictures = 0;
        while (clock.Counter() < end) {
            frames += pacer.Wait();
            if (pacer.PictureDue()) {
                ++pictures;
                clock.AdvanceToRetrace(c.Retrace);
            }
        }
        EXPECT_NEAR(frames, 1000, 2);
        EXPECT_NEAR(pictures, c.Pictures, 2);
    }
}
