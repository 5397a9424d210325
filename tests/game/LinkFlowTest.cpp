// SPDX-License-Identifier: MIT
#include "GameInProcess.h"

#include "board/ScreenState.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

// The main menu's logo button opens website.url: the browser gets the link's web address, and
// a link without one is refused, not handed over as a file.
TEST(LinkFlow, TheLogoButtonOpensTheLinksWebAddressOrRefusesIt) {
    TGameInProcess game{1};
    ASSERT_TRUE(game.Started());
    for (const std::string& line : ToMainMenu()) {
        ASSERT_TRUE(game.Run(line));
    }
    ASSERT_EQ(game.Screen(), ssMainMenu);
    const struct {
        const char* Text;
        const char* Trace;
    } cases[] = {
        {"[InternetShortcut]\r\nURL=https://www.example.com/zibo/\r\n",
         "open path=website.url url=https://www.example.com/zibo/"},
        {"[InternetShortcut]\r\nURL=javascript:alert(1)\r\n", "open path=website.url refused=1"},
        {"URL=https://www.example.com/\r\n", "open path=website.url refused=1"},
        {"[InternetShortcut]\r\nURL=file:///etc/passwd\r\n", "open path=website.url refused=1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text);
        std::ofstream(game.RunFolder() / "website.url", std::ios::binary) << c.Text;
        const int32_t before = game.TraceCount(c.Trace);
        ASSERT_TRUE(game.Run("click 600 560"));
        ASSERT_TRUE(game.Run("frames 2"));
        EXPECT_EQ(game.TraceCount(c.Trace), before + 1);
    }
    EXPECT_EQ(game.Screen(), ssMainMenu);
}

} // namespace
