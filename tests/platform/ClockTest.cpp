// SPDX-License-Identifier: MIT
#include "platform/Clock.h"

#include <gtest/gtest.h>

namespace {

TEST(TRealClock, CountsForward) {
    const std::unique_ptr<TClock> Clock = CreateRealClock();
    ASSERT_NE(Clock, nullptr);
    EXPECT_GT(Clock->Frequency(), 0u);
    const uint64_t Before = Clock->Counter();
    const uint32_t Ticks = Clock->TickCount();
    Clock->Sleep(1);
    EXPECT_GT(Clock->Counter(), Before);
    EXPECT_GE(Clock->TickCount() - Ticks, 1u);
}

} // namespace
