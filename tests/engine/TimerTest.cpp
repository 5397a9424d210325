// SPDX-License-Identifier: MIT
#include "engine/Timer.h"
#include "platform/Clock.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A virtual clock that also remembers every sleep it was asked for.
class TSleepLog final : public TClock {
public:
    [[nodiscard]] uint32_t TickCount() const override { return Inner.TickCount(); }
    [[nodiscard]] uint64_t Counter() const override { return Inner.Counter(); }
    [[nodiscard]] uint64_t Frequency() const override { return HasCounter ? Inner.Frequency() : 0; }
    void Sleep(uint32_t Milliseconds) override {
        Sleeps.push_back(Milliseconds);
        Inner.Sleep(Milliseconds);
    }
    void Advance(uint64_t Microseconds) { Inner.Advance(Microseconds); }

    TVirtualClock Inner;
    bool HasCounter = true;
    std::vector<uint32_t> Sleeps;
};

TEST(TimerTest, PeriodIsFixedPointMillisecondsAndNonPositiveRatesMeanOne) {
    TSleepLog Clock;
    TGfxTimer Timer(Clock);
    EXPECT_EQ(Timer.MaxFPS(), 100);
    EXPECT_EQ(Timer.Period(), 10485760);

    struct TCase {
        int32_t MaxFPS;
        int32_t Stored;
        int64_t Period;
    };
    const TCase Cases[] = {
        {100, 100, 10485760}, {0, 1, 1048576000}, {-5, 1, 1048576000}, {60, 60, 17476267}, {3, 3, 349525333},
    };
    for (const TCase& C : Cases) {
        Timer.SetMaxFPS(C.MaxFPS);
        EXPECT_EQ(Timer.MaxFPS(), C.Stored) << C.MaxFPS;
        EXPECT_EQ(Timer.Period(), C.Period) << C.MaxFPS;
    }
}

TEST(TimerTest, SleepsOutTheRestOfThePeriodThenCallsBack) {
    struct TCase {
        bool HighPrecision;
        uint64_t PassMicros; // time spent before the pass
        std::vector<uint32_t> Sleeps;
    };
    const TCase Cases[] = {
        {true, 3000, {7}},  // 3 ms of a 10 ms frame: sleep the other 7
        {true, 3500, {6}},  // 6.5 ms left is truncated to 6
        {true, 10000, {}},  // exactly one period: no sleep
        {true, 250000, {}}, // a long pass does not sleep
        {false, 3000, {7}}, // tick counts give the same result
        {false, 250000, {}},
    };
    for (const TCase& C : Cases) {
        TSleepLog Clock;
        Clock.HasCounter = C.HighPrecision;
        TGfxTimer Timer(Clock);
        ASSERT_EQ(Timer.HighPrecision(), C.HighPrecision);
        Timer.Enabled = true;
        int Frames = 0;
        Timer.OnTimer = [&](TGfxTimer& Sender) {
            EXPECT_EQ(&Sender, &Timer);
            ++Frames;
        };
        Clock.Advance(C.PassMicros);
        Timer.Idle();
        EXPECT_EQ(Clock.Sleeps, C.Sleeps) << C.PassMicros << " high " << C.HighPrecision;
        EXPECT_EQ(Frames, 1);
    }
}

TEST(TimerTest, DisabledTimerSleepsFiveMillisecondsWithoutCallingBack) {
    TSleepLog Clock;
    TGfxTimer Timer(Clock);
    int Calls = 0;
    Timer.OnTimer = [&](TGfxTimer&) { ++Calls; };
    Timer.OnProcess = [&](TGfxTimer&) { ++Calls; };
    Timer.Idle();
    Timer.Idle();
    EXPECT_EQ(Clock.Sleeps, (std::vector<uint32_t>{5, 5}));
    EXPECT_EQ(Calls, 0);
}

TEST(TimerTest, QuickFramesComeAtMostMaxFPSTimesASecond) {
    TSleepLog Clock;
    TGfxTimer Timer(Clock);
    Timer.Enabled = true;
    int Ticks = 0;
    int Processed = 0;
    Timer.OnTimer = [&](TGfxTimer&) { ++Ticks; };
    Timer.OnProcess = [&](TGfxTimer&) { ++Processed; };
    // Frames of 4 ms: 100 passes at 100 fps take one second, sleeping 6 ms each.
    for (int I = 0; I < 100; ++I) {
        Clock.Advance(4000);
        Timer.Idle();
    }
    EXPECT_EQ(Clock.Sleeps, std::vector<uint32_t>(100, 6));
    EXPECT_EQ(Ticks, 100);
    EXPECT_EQ(Processed, 100);
    EXPECT_EQ(Clock.TickCount(), 1000u);
}

TEST(TimerTest, LongPassesOnANanosecondCounterDoNotOverflow) {
    // A counter at 1 GHz for a 20-second stall: the elapsed time must still read as long.
    class TFastCounter final : public TClock {
    public:
        [[nodiscard]] uint32_t TickCount() const override { return static_cast<uint32_t>(Nanos / 1000000); }
        [[nodiscard]] uint64_t Counter() const override { return Nanos; }
        [[nodiscard]] uint64_t Frequency() const override { return 1000000000; }
        void Sleep(uint32_t Milliseconds) override {
            Slept = true;
            Nanos += uint64_t{Milliseconds} * 1000000;
        }
        uint64_t Nanos = 0;
        bool Slept = false;
    } Clock;
    TGfxTimer Timer(Clock);
    Timer.Enabled = true;
    Clock.Nanos += 20ull * 1000000000ull;
    EXPECT_EQ(Timer.Elapsed(), 20000ll << 20);
    Clock.Nanos += 20ull * 1000000000ull;
    Timer.Idle();
    EXPECT_FALSE(Clock.Slept);
}

} // namespace
