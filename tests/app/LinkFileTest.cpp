// SPDX-License-Identifier: MIT
#include "app/LinkFile.h"

#include <gtest/gtest.h>

namespace {

TEST(LinkFile, OnlyTheShortcutsWebAddressIsOpened) {
    const struct {
        const char* Name;
        std::string Text;
        const char* Address; // "" when the link is refused
    } cases[] = {
        {"good", "[InternetShortcut]\nURL=https://www.example.com/zibo/\n", "https://www.example.com/zibo/"},
        {"CRLF", "[InternetShortcut]\r\nURL=http://example.com/a?b=c\r\n", "http://example.com/a?b=c"},
        {"UTF-8 BOM", "\xEF\xBB\xBF[InternetShortcut]\r\nURL=https://example.com\r\n", "https://example.com"},
        {"letter case and blanks", " [internetshortcut] \n  url = HTTPS://Example.com/X \n", "HTTPS://Example.com/X"},
        {"other keys and sections first",
         "[DEFAULT]\nBASEURL=https://wrong.example/\nURL=https://wrong.example/\n[InternetShortcut]\nIconIndex=0\n"
         "URL=https://right.example/\n",
         "https://right.example/"},
        {"no section", "URL=https://example.com/\n", ""},
        {"URL in another section", "[Other]\nURL=https://example.com/\n", ""},
        {"no URL line", "[InternetShortcut]\nIconFile=x.ico\n", ""},
        {"empty URL", "[InternetShortcut]\nURL=\n", ""},
        {"file://", "[InternetShortcut]\nURL=file:///etc/passwd\n", ""},
        {"javascript:", "[InternetShortcut]\nURL=javascript:alert(1)\n", ""},
        {"no host", "[InternetShortcut]\nURL=https:///path\n", ""},
        {"blank inside", "[InternetShortcut]\nURL=https://example.com/a b\n", ""},
        {"control character", "[InternetShortcut]\nURL=https://example.com/\x1b[2J\n", ""},
        {"option-like", "[InternetShortcut]\nURL=--help\n", ""},
        // The first URL line decides; a bad one is not passed over for a later one.
        {"first URL bad", "[InternetShortcut]\nURL=file:///x\nURL=https://example.com/\n", ""},
        {"empty file", "", ""},
        {"binary", std::string("\0\xFF[InternetShortcut]\0URL=https://x\0", 35), ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(LinkFileAddress(c.Text), c.Address);
    }
}

TEST(LinkFile, AddressesLongerThanAnyBrowserTakesAreRefused) {
    const std::string longest = "https://example.com/" + std::string(4096 - 20, 'a');
    EXPECT_TRUE(IsWebAddress(longest));
    EXPECT_FALSE(IsWebAddress(longest + "a"));
}

TEST(LinkFile, LinkFilesAreKnownByTheirEnding) {
    EXPECT_TRUE(IsLinkFile("website.url"));
    EXPECT_TRUE(IsLinkFile("wdata/MORE.URL"));
    EXPECT_FALSE(IsLinkFile("url"));
    EXPECT_FALSE(IsLinkFile("notes.txt"));
}

} // namespace
