// SPDX-License-Identifier: MIT
// The game's two command languages: the lines of an automation control script and the command
// line. The first byte picks: even for control lines (the rest, split at line breaks), odd for
// the command line (the rest, split at zero bytes into arguments).
#include "app/Automation.h"
#include "app/Options.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {
std::vector<std::string> Split(std::string_view Text, char Separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= Text.size()) {
        const size_t end = std::min(Text.find(Separator, start), Text.size());
        parts.emplace_back(Text.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    if (Size == 0) {
        return 0;
    }
    const std::string_view rest(reinterpret_cast<const char*>(Data + 1), Size - 1);
    if ((Data[0] & 1) == 0) {
        for (const std::string& line : Split(rest, '\n')) {
            const TParsedLine parsed = ParseCommandLine(line);
            (void)parsed;
        }
    } else {
        std::string error;
        const auto options = ParseOptions(Split(rest, '\0'), error);
        (void)options;
        (void)UsageText();
    }
    return 0;
}
