// SPDX-License-Identifier: MIT
#include "platform/KeyMap.h"

#include <gtest/gtest.h>

namespace {

// Scancodes are the keyboard's USB usage numbers.
TEST(TKeyMap, PhysicalKeysGiveWindowsVirtualKeys) {
    const std::pair<int32_t, uint8_t> Cases[] = {
        {41, 27},  {40, 13},  {88, 13},  {43, 9},   {42, 8},   {44, 32},  {75, 33},  {78, 34},  {77, 35},
        {74, 36},  {80, 37},  {82, 38},  {79, 39},  {81, 40},  {73, 45},  {76, 46},  {39, 48},  {30, 49},
        {38, 57},  {4, 65},   {19, 80},  {29, 90},  {58, 112}, {69, 123}, {225, 16}, {229, 16}, {224, 17},
        {228, 17}, {226, 18}, {230, 18}, {98, 96},  {97, 105}, {85, 106}, {87, 107}, {86, 109}, {99, 110},
        {84, 111}, {51, 186}, {46, 187}, {54, 188}, {45, 189}, {55, 190}, {56, 191}, {53, 192}, {47, 219},
        {49, 220}, {48, 221}, {52, 222}, {0, 0},    {300, 0},  {-1, 0},
    };
    for (const auto& [Scancode, Key] : Cases) {
        EXPECT_EQ(VirtualKeyOfScancode(Scancode), Key) << "scancode " << Scancode;
    }
}

} // namespace
