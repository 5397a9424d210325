// SPDX-License-Identifier: MIT
#include "board/Board.h"
#include "screens/LineCode.h"
#include "screens/ScoreSubmit.h"
#include "server/ScoreCeiling.h"
#include "server/ScoreText.h"

#include <gtest/gtest.h>

#include <random>

namespace {
// "Зибо" in the game's code page.
const std::string Zibo = "\xC7\xE8\xE1\xEE";

// A score text exactly as the game builds it.
std::string GameText(uint8_t Type, const std::string& Name, int32_t Score, const std::string& Ticket,
                     const std::string& Country) {
    TScoreSubmission game;
    game.Difficulty = Type;
    game.PlayerName = Name;
    game.Score = Score;
    game.Country = Country;
    return BuildScoreText(game, Ticket);
}

// A text padded to a multiple of 5 with Digit, as the game would pad it.
std::string Padded(std::string Text, char Digit) {
    while (Text.size() % 5 != 0) {
        Text.push_back(Digit);
    }
    return Text;
}

const std::string Ticket(32, 'a');
} // namespace

TEST(ScoreText, ReadsWhatTheGameSends) {
    for (const auto& [type, name, score, country] :
         std::vector<std::tuple<uint8_t, std::string, int32_t, std::string>>{
             {0, Zibo, 0, ""}, {1, "  Tester ", 123456, "\xD0\xEE\xF1\xF1\xE8\xFF"}, {2, "A", 999999999, "Far away"}}) {
        const TScoreTextResult read = ReadScoreText(EncodeLine(GameText(type, name, score, Ticket, country)));
        ASSERT_TRUE(read.Ok()) << read.Reason;
        EXPECT_EQ(read.Fields.Type, type);
        EXPECT_EQ(read.Fields.Name, TrimSpaces(name));
        EXPECT_EQ(read.Fields.Score, score);
        EXPECT_EQ(read.Fields.Ticket, Ticket);
        EXPECT_EQ(read.Fields.Country, country);
    }
}

TEST(ScoreText, RefusesEveryMalformedTextWithItsReason) {
    const std::string tooLongName(11, 'x');
    const std::string longCountry(41, 'x');
    const struct {
        std::string Encoded;
        const char* Reason;
    } cases[] = {
        {"", "bad-encoding"},
        {"Q7mK2xR", "bad-encoding"},                                     // not a whole group
        {"Q7mK2xR!", "bad-encoding"},                                    // outside the alphabet
        {std::string(600, 'Q'), "too-long"},
        {EncodeLine(Padded("hello|world", 'x')), "bad-format"},
        {EncodeLine(Padded("type=0|name=A|score=1|key=Z|p=" + Ticket + "|z=", '0')), "bad-format"}, // no country
        {EncodeLine(GameText(3, "A", 1, Ticket, "")), "bad-type"},
        {EncodeLine(GameText(0, "", 1, Ticket, "")), "bad-name"},
        {EncodeLine(GameText(0, "   ", 1, Ticket, "")), "bad-name"},
        {EncodeLine(GameText(0, tooLongName, 1, Ticket, "")), "bad-name"},
        {EncodeLine(GameText(0, "A\tB", 1, Ticket, "")), "bad-name"},
        {EncodeLine(GameText(0, "A\x98", 1, Ticket, "")), "bad-name"}, // undefined in the code page
        {EncodeLine(GameText(0, "A", -5, Ticket, "")), "bad-score"},
        {EncodeLine(Padded("type=0|name=A|score=1234567890|key=Z|p=" + Ticket + "|add=|z=", '0')), "bad-score"},
        {EncodeLine(Padded("type=0|name=A|score=12a|key=Z|p=" + Ticket + "|add=|z=", '0')), "bad-score"},
        {EncodeLine(Padded("type=0|name=A|score=1|key=Y|p=" + Ticket + "|add=|z=", '0')), "wrong-key"},
        {EncodeLine(Padded("type=0|name=A|score=1|key=|p=" + Ticket + "|add=|z=", '0')), "wrong-key"},
        {EncodeLine(GameText(0, "A", 1, Ticket, longCountry)), "bad-country"},
        {EncodeLine(GameText(0, "A", 1, Ticket, "a\nb")), "bad-country"},
        {EncodeLine(Padded("type=1|name=AB|score=1|key=Z|p=" + Ticket + "|add=|z=", '2')), "bad-padding"},
        {EncodeLine("type=1|name=A|score=1|key=Z|p=" + Ticket + "|add=|z=11111"), "bad-padding"}, // five
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadScoreText(c.Encoded).Reason, c.Reason) << DecodeLine(c.Encoded);
    }
}

// The ceilings rest on the board's stage clocks; a change of the stage table must show here.
TEST(ScoreCeiling, FollowsTheBoardsStageClocks) {
    for (int32_t difficulty = 0; difficulty < 3; ++difficulty) {
        TLevelTable table{};
        BuildLevelTable(table, difficulty);
        const ScoreCeiling::TDifficultyRules& rules = ScoreCeiling::Rules[difficulty];
        for (int32_t stage = 1; stage <= ScoreCeiling::StageCount; ++stage) {
            EXPECT_EQ(table[static_cast<size_t>(stage)].TimeLeft,
                      static_cast<uint32_t>(rules.FirstClock + rules.ClockStep * (stage - 1)))
                << "difficulty " << difficulty << " stage " << stage;
        }
    }
    EXPECT_EQ(ScoreCeiling::For(0), 406483630);
    EXPECT_EQ(ScoreCeiling::For(1), 298490295);
    EXPECT_EQ(ScoreCeiling::For(2), 195459541);
}

// Any text of code characters is read without harm, and whatever is accepted keeps the limits.
TEST(ScoreText, RandomTextsKeepTheLimits) {
    std::mt19937 random(16);
    std::uniform_int_distribution<size_t> groups(1, 64);
    std::uniform_int_distribution<size_t> letter(0, ConfigAlphabet.size() - 1);
    for (int i = 0; i < 20000; ++i) {
        std::string encoded(groups(random) * 8, ' ');
        for (char& c : encoded) {
            c = ConfigAlphabet[letter(random)];
        }
        const TScoreTextResult read = ReadScoreText(encoded);
        if (read.Ok()) {
            EXPECT_LE(read.Fields.Name.size(), MaxNameLength);
            EXPECT_LE(read.Fields.Country.size(), MaxCountryLength);
            EXPECT_LE(read.Fields.Score, 999999999);
        }
    }
}
