// SPDX-License-Identifier: MIT
#include "platform/Clock.h"

#include <SDL.h>

namespace {

// The system's counters. SDL's timer needs no subsystem for these calls.
class TRealClock final : public TClock {
public:
    [[nodiscard]] uint32_t TickCount() const override { return static_cast<uint32_t>(SDL_GetTicks64()); }
    [[nodiscard]] uint64_t Counter() const override { return SDL_GetPerformanceCounter(); }
    [[nodiscard]] uint64_t Frequency() const override { return SDL_GetPerformanceFrequency(); }
    void Sleep(uint32_t Milliseconds) override { SDL_Delay(Milliseconds); }
};

} // namespace

std::unique_ptr<TClock> CreateRealClock() {
    return std::make_unique<TRealClock>();
}
