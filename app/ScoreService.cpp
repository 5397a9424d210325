// SPDX-License-Identifier: MIT
#include "app/ScoreService.h"

#include "screens/ScoreSubmit.h"

#include <cstdio>
#include <fstream>

namespace {
// The first line of a small text file, at most a kilobyte of it (a device that never ends
// gives its first kilobyte).
std::string ReadFirstLine(const std::filesystem::path& File) {
    constexpr std::streamsize MaxLine = 1024;
    std::ifstream in(File, std::ios::binary);
    std::string text(static_cast<size_t>(MaxLine), '\0');
    in.read(text.data(), MaxLine);
    text.resize(static_cast<size_t>(in.gcount()));
    std::string line = text.substr(0, text.find('\n'));
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) {
        line.pop_back();
    }
    return line;
}
} // namespace

std::string ScoreServiceUrl(const std::string& Option, const std::filesystem::path& File) {
    if (!Option.empty()) {
        const std::string url = ServiceScriptUrl(Option);
        if (!url.empty()) {
            return url;
        }
        std::fprintf(stderr, "--score-server: \"%s\" is not a host[:port] or http(s):// address; it is ignored\n",
                     Option.c_str());
    } else if (const std::string line = ReadFirstLine(File); !line.empty()) {
        const std::string url = ServiceScriptUrl(line);
        if (!url.empty()) {
            return url;
        }
        std::fprintf(stderr, "scoreserver.txt: \"%s\" is not a host[:port] or http(s):// address; it is ignored\n",
                     line.c_str());
    }
    return ServiceScriptUrl(DefaultScoreService);
}
