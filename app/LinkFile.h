// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

// Link files (".url") are internet shortcuts: an "[InternetShortcut]" section whose "URL=" line
// holds the address. The game opens only web addresses from them.

// The largest link file the game reads.
inline constexpr size_t kMaxLinkFileBytes = 64 * 1024;

// The address of the first URL= line of the [InternetShortcut] section, when it is a web
// address; empty otherwise. Section and key names ignore ASCII letter case; a UTF-8 byte order
// mark, CR LF line ends and blanks around names and values are allowed.
[[nodiscard]] std::string LinkFileAddress(std::string_view Text);

// True for an http:// or https:// address with a host and no blanks or control characters.
[[nodiscard]] bool IsWebAddress(std::string_view Address);

// True when Path names a link file (ends in ".url", any letter case).
[[nodiscard]] bool IsLinkFile(std::string_view Path);
