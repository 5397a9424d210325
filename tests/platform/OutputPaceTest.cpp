// SPDX-License-Identifier: MIT
#include "platform/OutputPace.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {
constexpr int64_t Rate = 44100;
constexpr int64_t Buffer = 1024;
// One buffer's worth of real time, in microseconds (23,219).
constexpr uint64_t BufferMicros = Buffer * 1000000 / Rate;

// Feeds Calls buffers, each one Gap microseconds after the one before; returns the time of the
// last.
uint64_t Feed(TOutputPace& Pace, uint64_t Start, int Calls, uint64_t Gap) {
    uint64_t now = Start;
    for (int i = 0; i < Calls; ++i) {
        Pace.Mixed(Buffer, now);
        now += Gap;
    }
    return now - Gap;
}

// An output is judged by how fast it asks for sound over four seconds of it: a device that
// plays in real time, even one that fills a large buffer at once when it starts or catches up
// after a stall, keeps time; one that takes sound as fast as it is mixed does not.
TEST(OutputPace, TellsADeviceFromAnOutputThatNeverWaits) {
    const struct {
        const char* What;
        int BurstCalls; // buffers asked for at once at the start
        uint64_t Gap;   // then one buffer every Gap microseconds
        bool KeepsTime;
    } cases[] = {
        {"a device playing in real time", 0, BufferMicros, true},
        {"a device filling a one-second buffer at start", 43, BufferMicros, true},
        {"a device whose clock runs fast by half", 0, BufferMicros * 2 / 3, true},
        {"a null output, the mixing thread flat out", 0, 100, false},
        {"a null output whose mixing thread gets a third of a core", 0, BufferMicros / 3, false},
    };
    for (const auto& c : cases) {
        TOutputPace pace(Rate);
        const uint64_t now = Feed(pace, 1'000'000, c.BurstCalls, 0);
        // Twenty seconds of sound.
        Feed(pace, now + c.Gap, 20 * Rate / Buffer, c.Gap);
        EXPECT_EQ(pace.KeepsTime(), c.KeepsTime) << c.What;
    }
}

TEST(OutputPace, ADeviceCatchingUpAfterStallsKeepsTime) {
    TOutputPace pace(Rate);
    uint64_t now = 0;
    for (int stall = 0; stall < 10; ++stall) {
        // A second of playing, two seconds without a call (the machine was busy), then the
        // device refills a second's buffer at once.
        now = Feed(pace, now, 43, BufferMicros);
        now = Feed(pace, now + 2'000'000, 43, 0) + BufferMicros;
    }
    EXPECT_TRUE(pace.KeepsTime());
}

// The verdict comes once four seconds of sound have gone out, and stays.
TEST(OutputPace, ARunAwayIsNotForgiven) {
    TOutputPace pace(Rate);
    uint64_t now = Feed(pace, 0, 170, 10);
    EXPECT_TRUE(pace.KeepsTime()) << "less than four seconds of sound";
    now = Feed(pace, now + 10, 10, 10);
    EXPECT_FALSE(pace.KeepsTime());
    Feed(pace, now + BufferMicros, 1000, BufferMicros);
    EXPECT_FALSE(pace.KeepsTime());
}
} // namespace
