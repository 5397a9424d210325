// SPDX-License-Identifier: MIT
#include "app/ScoreService.h"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const char* const kOwnService = "http://scores.kapitan-zibo.net/cgi/version.pl";

// The option wins over scoreserver.txt; an address of either that is not one falls back to the
// game's own service, never to the other.
TEST(ScoreService, TheOptionThenScoreserverTxtThenTheGamesOwn) {
    const fs::path dir = fs::temp_directory_path() / ("zibo-scoreservice-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const fs::path file = dir / "scoreserver.txt";
    const struct {
        const char* Option;
        std::optional<std::string> File;
        const char* Url;
    } cases[] = {
        {"127.0.0.1:8642", "10.0.0.1:9", "http://127.0.0.1:8642/cgi/version.pl"},
        {"ftp://example.org", "10.0.0.1:9", kOwnService},
        {"", "10.0.0.1:9 \r\nexample.org\n", "http://10.0.0.1:9/cgi/version.pl"},
        {"", "https://example.org/zibo/", "https://example.org/zibo/cgi/version.pl"},
        {"", "not an address\n", kOwnService},
        {"", "\n127.0.0.1:8642\n", kOwnService},
        {"", std::nullopt, kOwnService},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.Option) + " / " + c.File.value_or("(no file)"));
        fs::remove(file);
        if (c.File) {
            std::ofstream(file, std::ios::binary) << *c.File;
        }
        EXPECT_EQ(ScoreServiceUrl(c.Option, file), c.Url);
    }
    std::error_code ec;
    fs::remove_all(dir, ec);
}

} // namespace
