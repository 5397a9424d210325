// SPDX-License-Identifier: MIT
#include "GameRun.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {
// From the main menu to a stage of play: "new game", "easy", both story pages, then Escape
// past how to play once it shows.
const std::vector<std::string> kToPlay = {"click 600 296", "frames 5",  "click 600 268", "frames 105",
                                          "key 13",        "frames 3",  "key 13",        "frames 501",
                                          "key 27",        "frames 150"};

void Append(std::vector<std::string>& To, const std::vector<std::string>& More) {
    To.insert(To.end(), More.begin(), More.end());
}

// The fields of every "stats" line of a run, in order.
std::vector<std::map<std::string, std::string>> Stats(const TGameRun& Run) {
    std::vector<std::map<std::string, std::string>> out;
    for (const std::string& line : Run.Events("stats")) {
        out.push_back(TGameRun::Fields(line));
    }
    return out;
}

// Sets an environment variable for the games this test starts and puts the old value back.
class TScopedEnv {
public:
    TScopedEnv(const char* Name, const std::string& Value) : Name(Name) {
        if (const char* old = std::getenv(Name)) {
            Old = old;
        }
        ::setenv(Name, Value.c_str(), 1);
    }
    ~TScopedEnv() {
        if (Old) {
            ::setenv(Name, Old->c_str(), 1);
        } else {
            ::unsetenv(Name);
        }
    }
    TScopedEnv(const TScopedEnv&) = delete;
    TScopedEnv& operator=(const TScopedEnv&) = delete;

private:
    const char* Name;
    std::optional<std::string> Old;
};
} // namespace

// The statistics line counts what the last frame drew and what the textures hold.
TEST(ResourceBudget, StatsDescribeTheLastDrawnFrame) {
    TGameRun run;
    std::vector<std::string> c = ToMainMenu();
    Append(c, {"frames 100", "stats"});
    Append(c, kToPlay);
    Append(c, {"stats"});
    ASSERT_EQ(run.Run(c), 0) << run.Errors();
    const auto stats = Stats(run);
    ASSERT_EQ(stats.size(), 2u);
    for (const char* key : {"drawcalls", "binds", "quads", "textures", "texbytes", "heap", "rss"}) {
        ASSERT_EQ(stats[0].count(key), 1u) << key;
    }
    // The main menu draws its background, title, buttons and cursor.
    EXPECT_GT(std::stoll(stats[0].at("drawcalls")), 0);
    EXPECT_GE(std::stoll(stats[0].at("quads")), std::stoll(stats[0].at("drawcalls")) - 2);
    EXPECT_LE(std::stoll(stats[0].at("binds")), std::stoll(stats[0].at("drawcalls")));
    EXPECT_GT(std::stoll(stats[0].at("textures")), 0);
    EXPECT_GE(std::stoll(stats[0].at("texbytes")), 4 * 800 * 600);
    EXPECT_GT(std::stoll(stats[0].at("rss")), 0);
    // A play frame: the board's 64 pieces and more. The small pictures share a few atlas
    // pages, so the whole frame goes out in a dozen draw calls at most.
    const auto& play = stats[1];
    EXPECT_GE(std::stoll(play.at("quads")), 64);
    EXPECT_LE(std::stoll(play.at("drawcalls")), 12);
    EXPECT_LE(std::stoll(play.at("binds")), 12);
    EXPECT_LE(std::stoll(play.at("binds")), std::stoll(play.at("drawcalls")));
}

// The main menu's textures: the atlas pages and the space backdrop. Packed along a skyline, the
// game's pictures and glyph sheets fill four 2048x2048 pages and a 1024x512 one (75.0 MB with
// the backdrop); in rows of one height each they took five 2048x2048 pages (89.6 MB), and the
// resident set under the software rasteriser, which holds each texture once more, went past
// 200 MB.
TEST(ResourceBudget, TheMainMenusTexturesStayWithinTheirBudget) {
    TGameRun run;
    std::vector<std::string> c = ToMainMenu();
    Append(c, {"frames 100", "stats"});
    ASSERT_EQ(run.Run(c), 0) << run.Errors();
    const auto stats = Stats(run);
    ASSERT_EQ(stats.size(), 1u);
    EXPECT_LE(std::stoll(stats[0].at("texbytes")), 80'000'000);
}

// A long headless stage keeps its resident memory flat once it is under way: no frame leaves
// anything behind in the game or the recording renderer.
TEST(ResourceBudget, HeadlessPlayKeepsResidentMemoryFlat) {
    // Under AddressSanitizer freed blocks wait in a quarantine that alone would grow the
    // resident set by hundreds of megabytes; the game under test frees them at once.
    const char* asan = std::getenv("ASAN_OPTIONS");
    const TScopedEnv env("ASAN_OPTIONS", std::string(asan ? asan : "") +
                                             ":quarantine_size_mb=0:thread_local_quarantine_size_kb=0");
    constexpr int64_t Bound = 5 * 1024 * 1024;
    TGameRun run;
    std::vector<std::string> c = ToMainMenu();
    Append(c, kToPlay);
    // 1,000 frames into the stage, then on to the 20,000th frame of the run.
    Append(c, {"frames 1000", "stats", "frames 17839", "stats", "dump"});
    ASSERT_EQ(run.Run(c), 0) << run.Errors();
    const auto stats = Stats(run);
    ASSERT_EQ(stats.size(), 2u);
    EXPECT_EQ(stats[0].at("frame"), "2161");
    EXPECT_EQ(stats[1].at("frame"), "20000");
    const int64_t first = std::stoll(stats[0].at("rss"));
    const int64_t last = std::stoll(stats[1].at("rss"));
    ASSERT_GT(first, 0);
    EXPECT_LT(last - first, Bound) << "resident set " << first << " -> " << last;
}
