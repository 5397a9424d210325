// SPDX-License-Identifier: MIT
#include "screens/KeyReservation.h"

#include <gtest/gtest.h>

TEST(KeyReservation, ReservedKeysLeaveTheEditAndTypingSets) {
    TGuiCharSet typeable = TGuiContext::DefaultTypeableChars();
    TGuiCharSet edit = TGuiContext::DefaultEditKeys();
    ReserveKeyCodes({39, 37, 32, 38, 65, 'q', 200}, typeable, edit);
    for (const int key : {39, 37, 32, 38}) {
        EXPECT_FALSE(edit.test(key)) << key;
    }
    EXPECT_TRUE(edit.test(40));       // Down was not reserved
    EXPECT_FALSE(typeable.test('A')); // the A key
    EXPECT_FALSE(typeable.test('Q')); // a small letter is upper-cased first
    EXPECT_TRUE(typeable.test('B'));
    EXPECT_EQ(typeable.count() + 2, TGuiContext::DefaultTypeableChars().count()); // 200 was never typeable
}
