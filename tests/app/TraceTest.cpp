// SPDX-License-Identifier: MIT
#include "app/Trace.h"

#include <gtest/gtest.h>

TEST(Trace, QuotesOnlyValuesThatNeedIt) {
    EXPECT_EQ(TTrace::FormatLine(7, "enter", {{"state", "3"}}), "frame=7 enter state=3");
    EXPECT_EQ(TTrace::FormatLine(0, "messagebox", {{"text", "Can't connect to server!"}}),
              "frame=0 messagebox text=\"Can't connect to server!\"");
    EXPECT_EQ(TTrace::FormatLine(1, "open", {{"path", ""}}), "frame=1 open path=\"\"");
    EXPECT_EQ(TTrace::FormatLine(2, "x", {{"a", "say \"hi\""}, {"b", "c\\d"}}),
              "frame=2 x a=\"say \\\"hi\\\"\" b=\"c\\\\d\"");
    // A message of two lines stays one trace line.
    EXPECT_EQ(TTrace::FormatLine(3, "messagebox", {{"text", "Failed!\n/d/x: no such file"}}),
              "frame=3 messagebox text=\"Failed!\\n/d/x: no such file\"");
}
