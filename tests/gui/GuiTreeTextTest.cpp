// SPDX-License-Identifier: MIT
#include "GuiTestSupport.h"

#include "gui/GuiTaskbar.h"
#include "gui/GuiTreeText.h"

#include <gtest/gtest.h>

namespace {

TEST(GuiTreeText, OneLinePerControlIndentedWithCaptionsInUtf8) {
    TGuiWriter writer;
    TGuiWriterControl& form =
        writer.Add("TGuiForm").Set("Name", "scr_main").SetInt("Left", 5).SetBool("Visible", false);
    // "Мир" in code page 1251, then a quote and a line feed.
    form.Add("TGuiButton").Set("Name", "b_go").Set("Caption", "\xCC\xE8\xF0 \"\n");
    form.Add("TGuiListBox").SetBool("Enabled", false);
    form.Add("TGuiPaint").Set("Name", "pic");
    TGuiTaskbar root;
    ASSERT_TRUE(LoadInto(root, writer));
    EXPECT_EQ(DescribeGuiTree(root),
              "TGuiForm scr_main 5 0 300 200 visible=0 enabled=1 caption=\"TGuiForm\"\n"
              "  TGuiButton b_go 0 0 90 24 visible=1 enabled=1 caption=\"Мир \\\"\\n\"\n"
              "  TGuiListBox - 0 0 200 150 visible=1 enabled=0\n"
              "    TGuiScroll - 0 0 16 100 visible=1 enabled=1\n"
              "  TGuiPaint pic 0 0 120 120 visible=1 enabled=1\n");
}

} // namespace
