// SPDX-License-Identifier: MIT
#include "game/GameRun.h"
#include "platform/Text.h"
#include "screens/ScoreSubmit.h"
#include "server/ServerFixtures.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <cstdlib>
#include <fstream>

namespace fs = std::filesystem;

namespace {
const std::string ZiboUtf8 = "Зибо";

std::string ReadFile(const fs::path& File) {
    std::ifstream in(File, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Fetch(const TScoresProcess& Server, const std::string& Target) {
    httplib::Client client("127.0.0.1", Server.Port());
    const auto reply = client.Get(Target.c_str());
    return reply && reply->status == 200 ? reply->body : std::string();
}

// Sends one score the way the game does (its own client code), names given in UTF-8.
bool SendScore(const TScoresProcess& Server, uint8_t Type, const std::string& Name, int32_t Score,
               const std::string& Country) {
    TScoreSubmission game;
    game.ServiceUrl = Server.BaseUrl() + "/cgi/version.pl";
    game.Difficulty = Type;
    game.PlayerName = Utf8ToCp1251(Name);
    game.Score = Score;
    game.Country = Utf8ToCp1251(Country);
    return SubmitScore(game, nullptr);
}

fs::path Chromium() {
    for (const char* candidate : {"/usr/bin/chromium", "/usr/bin/chromium-browser"}) {
        if (fs::exists(candidate)) {
            return candidate;
        }
    }
    return {};
}

// Headless Chromium with its profile and home inside Folder; Mode is "--screenshot=FILE" or
// "--dump-dom" (whose output lands in Output).
int RunChromium(const fs::path& Folder, const std::string& Url, const std::string& Size, const std::string& Mode,
                const fs::path& Output) {
    const std::string command = "cd " + ShellQuote(Folder.string()) + " && HOME=" + ShellQuote(Folder.string()) +
                                " timeout 180 " + ShellQuote(Chromium().string()) +
                                " --headless --no-sandbox --disable-gpu --disable-dev-shm-usage --hide-scrollbars"
                                " --no-first-run --lang=ru --accept-lang=ru --user-data-dir=" +
                                ShellQuote((Folder / "profile").string()) + " --window-size=" + Size + " " + Mode +
                                " " + ShellQuote(Url) + " > " + ShellQuote(Output.string()) + " 2> /dev/null";
    return Shell(command);
}
} // namespace

// The real game, headless, plays a hard game to its end and sends the score of its player
// "Зибо" to a zibo-scores on a loopback port; the score shows in the JSON and on the page that
// the high-score screen's "Онлайн" button opens.
TEST(ScoreServiceFlow, GamesScoreReachesThePageAndTheJson) {
    TTempFolder folder;
    TScoresProcess server(folder.Path(), {"--database", (folder.Path() / "scores.db").string()});
    ASSERT_NE(server.Port(), 0) << server.Log();
    TGameRun run;
    WriteLowHardTableFor(run.Folder(), Utf8ToCp1251(ZiboUtf8));
    fs::remove(run.Folder() / "wdata" / "config.ini");
    std::vector<std::string> commands = HardGameToScoreSent();
    // On the high-score screen the "Онлайн" button opens the service's table of the shown
    // difficulty; then back to the menu and out.
    commands.insert(commands.end(), {"frames 50", "click 555 549", "frames 3", "key 27", "frames 3", "close", "frames 3",
                                     "click 505 376", "frames 3"});
    ASSERT_EQ(run.Run(commands, 1, "--score-server " + server.HostPort()), 0) << run.Errors();

    const std::string script = server.BaseUrl() + "/cgi/version.pl";
    EXPECT_TRUE(run.Has("http url=" + script + "?version&prg=Velmorant status=200")) << server.Log();
    EXPECT_TRUE(run.Has("http url=" + script + "?hs&prg=Velmorant&inf=")) << server.Log();
    EXPECT_EQ(run.Count(" status=200"), 2);
    EXPECT_FALSE(run.Has("messagebox"));

    const std::string json = Fetch(server, "/api/scores?type=2");
    EXPECT_NE(json.find("{\"rank\":1,\"name\":\"Зибо\",\"country\":\"Россия\",\"score\":0,"), std::string::npos) << json;
    const std::string shown = script + "?prg=Velmorant&show&type=2";
    EXPECT_TRUE(run.Has("open path=" + shown));
    const std::string page = Fetch(server, shown.substr(server.BaseUrl().size()));
    EXPECT_NE(page.find("<td class=\"name\">Зибо<span class=\"sub\">Россия</span>"), std::string::npos) << page;
    EXPECT_EQ(server.Stop(), 0);
    EXPECT_NE(server.Log().find("event=accepted request=hs type=2 score=0 name=Зибо"), std::string::npos) << server.Log();
}

// Chromium loads the page of each difficulty: the Cyrillic names come through, and the
// screenshots (wide and phone-sized) are taken. With ZIBO_SERVER_SHOTS set to a folder, the
// screenshots are copied there (docs/screenshots/ holds the ones looked at).
TEST(ScoreServiceFlow, BrowserShowsEachTableWithTheCyrillicName) {
    if (Chromium().empty()) {
        GTEST_SKIP() << "Chromium is not installed (Debian package chromium; scripts/install-deps installs it)";
    }
    TTempFolder folder;
    TScoresProcess server(folder.Path(), {"--database", (folder.Path() / "scores.db").string()});
    ASSERT_NE(server.Port(), 0) << server.Log();
    const std::vector<std::pair<std::string, std::string>> players = {
        {"Зибо", "Россия"},   {"Лирра", "Беларусь"}, {"Tester", "Germany"}, {"Вулко", "Казахстан"},
        {"Nova", "Canada"},   {"Капитан", "Україна"}, {"Мила", "Россия"},  {"O'Neil", "Ireland"}};
    for (uint8_t type = 0; type < 3; ++type) {
        for (size_t i = 0; i < players.size(); ++i) {
            const int32_t score = static_cast<int32_t>((8 - i) * 1375 * (type + 1) + 40 * i);
            ASSERT_TRUE(SendScore(server, type, players[i].first, score, players[i].second)) << server.Log();
        }
    }
    const char* shots = std::getenv("ZIBO_SERVER_SHOTS");
    for (int type = 0; type < 3; ++type) {
        const std::string url = server.BaseUrl() + "/cgi/version.pl?prg=Velmorant&show&type=" + std::to_string(type);
        const fs::path dom = folder.Path() / ("dom-" + std::to_string(type) + ".html");
        ASSERT_EQ(RunChromium(folder.Path(), url, "1000,860", "--dump-dom", dom), 0);
        const std::string text = ReadFile(dom);
        EXPECT_NE(text.find("<td class=\"name\">Зибо<"), std::string::npos) << text.substr(0, 400);
        EXPECT_NE(text.find("Мировые рекорды"), std::string::npos);
        const std::string name = "score-table-" + std::to_string(type) + ".png";
        const fs::path shot = folder.Path() / name;
        ASSERT_EQ(RunChromium(folder.Path(), url, "1000,860", "--screenshot=" + shot.string(), folder.Path() / "out.txt"), 0);
        ASSERT_EQ(ReadFile(shot).substr(1, 3), "PNG") << name;
        if (shots) {
            fs::copy_file(shot, fs::path(shots) / name, fs::copy_options::overwrite_existing);
        }
    }
    const fs::path phone = folder.Path() / "score-table-phone.png";
    const std::string url = server.BaseUrl() + "/cgi/version.pl?prg=Velmorant&show&type=1";
    ASSERT_EQ(RunChromium(folder.Path(), url, "390,844", "--screenshot=" + phone.string(), folder.Path() / "out.txt"), 0);
    ASSERT_EQ(ReadFile(phone).substr(1, 3), "PNG");
    if (shots) {
        fs::copy_file(phone, fs::path(shots) / "score-table-phone.png", fs::copy_options::overwrite_existing);
    }
    EXPECT_EQ(server.Stop(), 0);
}
