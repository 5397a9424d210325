// SPDX-License-Identifier: MIT
#include "app/LinkFile.h"

#include <algorithm>

namespace {

constexpr size_t kMaxAddressBytes = 4096;

bool SameLetters(std::string_view A, std::string_view B) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return A.size() == B.size() && std::equal(A.begin(), A.end(), B.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

std::string_view Trim(std::string_view Text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!Text.empty() && blank(Text.front())) {
        Text.remove_prefix(1);
    }
    while (!Text.empty() && blank(Text.back())) {
        Text.remove_suffix(1);
    }
    return Text;
}

bool StartsWithLetters(std::string_view Text, std::string_view Prefix) {
    return Text.size() >= Prefix.size() && SameLetters(Text.substr(0, Prefix.size()), Prefix);
}

} // namespace

std::string LinkFileAddress(std::string_view Text) {
    if (Text.starts_with("\xEF\xBB\xBF")) {
        Text.remove_prefix(3);
    }
    bool inShortcut = false;
    while (!Text.empty()) {
        const size_t end = Text.find('\n');
        const std::string_view line = Trim(Text.substr(0, end));
        Text.remove_prefix(end == std::string_view::npos ? Text.size() : end + 1);
        if (line.starts_with('[')) {
            inShortcut = SameLetters(line, "[InternetShortcut]");
            continue;
        }
        const size_t equals = line.find('=');
        if (!inShortcut || equals == std::string_view::npos || !SameLetters(Trim(line.substr(0, equals)), "URL")) {
            continue;
        }
        const std::string_view address = Trim(line.substr(equals + 1));
        return IsWebAddress(address) ? std::string(address) : std::string();
    }
    return {};
}

bool IsWebAddress(std::string_view Address) {
    if (Address.size() > kMaxAddressBytes) {
        return false;
    }
    std::string_view rest;
    if (StartsWithLetters(Address, "https://")) {
        rest = Address.substr(8);
    } else if (StartsWithLetters(Address, "http://")) {
        rest = Address.substr(7);
    } else {
        return false;
    }
    const bool clean = std::none_of(Address.begin(), Address.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u <= 0x20 || u == 0x7F;
    });
    // A host: something before the first '/', '?' or '#'.
    return clean && !rest.empty() && rest.front() != '/' && rest.front() != '?' && rest.front() != '#';
}

bool IsLinkFile(std::string_view Path) {
    return Path.size() >= 4 && SameLetters(Path.substr(Path.size() - 4), ".url");
}
