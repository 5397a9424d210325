// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <memory>

// Time as the game sees it. The real clock reads the system's counters and really sleeps;
// the virtual clock (headless runs and tests) only moves when told to, so a run is the same
// on every machine.
class TClock {
public:
    virtual ~TClock() = default;
    // Milliseconds since some fixed start, wrapping at 2^32.
    [[nodiscard]] virtual uint32_t TickCount() const = 0;
    // A high-resolution counter and its ticks per second.
    [[nodiscard]] virtual uint64_t Counter() const = 0;
    [[nodiscard]] virtual uint64_t Frequency() const = 0;
    virtual void Sleep(uint32_t Milliseconds) = 0;
};

// The system's clock (SDL counters and SDL_Delay).
[[nodiscard]] std::unique_ptr<TClock> CreateRealClock();

// A clock that advances only through Advance (and Sleep, which advances it instead of
// waiting). Its counter runs at 1,000,000 ticks per second.
class TVirtualClock final : public TClock {
public:
    [[nodiscard]] uint32_t TickCount() const override { return static_cast<uint32_t>(Micros / 1000); }
    [[nodiscard]] uint64_t Counter() const override { return Micros; }
    [[nodiscard]] uint64_t Frequency() const override { return 1000000; }
    void Sleep(uint32_t Milliseconds) override { Micros += static_cast<uint64_t>(Milliseconds) * 1000; }
    void Advance(uint64_t Microseconds) { Micros += Microseconds; }
    // Waits as a present with vertical sync waits on a display refreshed Hz times a second:
    // to its next retrace (retraces at whole multiples of the refresh period).
    void AdvanceToRetrace(int32_t Hz) {
        if (Hz > 0) {
            const auto Rate = static_cast<uint64_t>(Hz);
            const uint64_t Retrace = Micros * Rate / 1000000 + 1;
            Micros = (Retrace * 1000000 + Rate - 1) / Rate;
        }
    }

private:
    uint64_t Micros = 0;
};
