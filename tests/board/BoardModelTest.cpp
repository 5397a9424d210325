// SPDX-License-Identifier: MIT
#include "BoardFixture.h"

#include "board/Bonus.h"
#include "board/Layer.h"

TEST(LevelTable, KindsTilesAndTimesPerDifficulty) {
    TLevelTable t;
    BuildLevelTable(t, 0);
    EXPECT_EQ(t[1].Kinds, (std::array<uint8_t, 5>{0, 1, 2, 3, 4}));
    EXPECT_EQ(t[12].Kinds, (std::array<uint8_t, 5>{11, 12, 13, 14, 15}));
    EXPECT_EQ(t[16].Kinds, (std::array<uint8_t, 5>{15, 0, 1, 2, 3}));
    EXPECT_EQ(t[16].LayerCount, 64);
    EXPECT_EQ(t[1].TimeLeft, 60u);
    EXPECT_EQ(t[16].TimeLeft, 240u);
    BuildLevelTable(t, 1);
    EXPECT_EQ(t[3].TimeLeft, 50u);
    BuildLevelTable(t, 2);
    EXPECT_EQ(t[3].TimeLeft, 29u);
}

TEST(LevelTable, LayoutsNestAndMatchTheTileCount) {
    for (int32_t s = 1; s <= StageCount; ++s) {
        int32_t tiles = 0;
        for (int32_t c = 0; c < BoardSize; ++c) {
            for (int32_t r = 0; r < BoardSize; ++r) {
                tiles += StageHasLayer(s, c, r);
                if (s > 1 && StageHasLayer(s - 1, c, r)) {
                    EXPECT_TRUE(StageHasLayer(s, c, r));
                }
            }
        }
        EXPECT_EQ(tiles, 4 * s) << "stage " << s;
    }
}

class BoardBuild : public BoardTest {};

TEST_F(BoardBuild, NoReadyLinesAfterBuildOrMixOverManySeeds) {
    for (uint64_t seed = 1; seed <= 40; ++seed) {
        Random.SetSeed(seed);
        StartStage(static_cast<uint8_t>(1 + seed % 16));
        EXPECT_FALSE(HasReadyLine()) << "build, seed " << seed;
        Engine.MixBoard();
        EXPECT_FALSE(HasReadyLine()) << "mix, seed " << seed;
        Engine.FreeAll();
    }
}

TEST_F(BoardBuild, StageOneTilesAndStageSixteenEverywhere) {
    StartStage(1);
    for (int32_t c = 0; c < BoardSize; ++c) {
        for (int32_t r = 0; r < BoardSize; ++r) {
            const bool expected = (c == 2 || c == 5) && (r == 2 || r == 5);
            EXPECT_EQ(Engine.Cell(c, r).HasLayer != 0, expected) << c << "," << r;
            EXPECT_EQ(Engine.LayerSprite(c, r) != nullptr, expected);
        }
    }
    Engine.FreeAll();
    StartStage(16);
    int32_t tiles = 0;
    for (int32_t c = 0; c < BoardSize; ++c) {
        for (int32_t r = 0; r < BoardSize; ++r) {
            tiles += Engine.Cell(c, r).HasLayer;
        }
    }
    EXPECT_EQ(tiles, 64);
}

TEST_F(BoardBuild, MixKeepsLayersAndCountsTheNewBonuses) {
    StartStage(3);
    TLayer* tile = Engine.LayerSprite(2, 2);
    Engine.MixBoard();
    Engine.FreeDead();
    EXPECT_EQ(Engine.LayerSprite(2, 2), tile);
    EXPECT_TRUE(Engine.Cell(2, 2).HasLayer);
    int32_t bonuses = 0;
    for (int32_t i = 0; i < Engine.SpriteCount(); ++i) {
        bonuses += Engine.SpriteAt(i)->Name == "Bonus";
    }
    EXPECT_EQ(Engine.BonusCount, bonuses);
}

TEST_F(BoardBuild, BonusOddsAndLimits) {
    StartStage(1);
    Frames(31);
    PlainBoard();
    // Many new pieces while the board never reaches its limit.
    std::array<int32_t, 10> seen{};
    const int32_t pieces = 251 * 400;
    for (int32_t i = 0; i < pieces; ++i) {
        Engine.BonusCount = 0;
        TUnit& u = Engine.Add<TUnit>(0, 0, Engine.Cell(0, 0).Kind);
        ++seen[Engine.Cell(0, 0).Bonus];
        u.MarkDead();
        Engine.FreeDead();
    }
    const int32_t withBonus = pieces - seen[0];
    EXPECT_NEAR(withBonus, 11 * 400, 300);
    EXPECT_NEAR(seen[1], 800, 120); // clock and money twice as often
    EXPECT_NEAR(seen[2], 800, 120);
    for (int32_t b : {3, 4, 5, 6, 7, 8, 9}) {
        EXPECT_NEAR(seen[b], 400, 90) << b;
    }

    // On hard, one bonus on the board stops every further one.
    Engine.Difficulty = 2;
    Engine.BonusCount = 1;
    for (int32_t i = 0; i < 2000; ++i) {
        TUnit& u = Engine.Add<TUnit>(1, 1, 0);
        EXPECT_EQ(Engine.Cell(1, 1).Bonus, 0);
        EXPECT_FALSE(u.HasBonus);
        u.MarkDead();
        Engine.FreeDead();
    }
}

TEST(BoardClock, MinutesAndTwoDigitSeconds) {
    EXPECT_EQ(TGameEngine::ClockText(65), "1:05");
    EXPECT_EQ(TGameEngine::ClockText(600), "10:00");
    EXPECT_EQ(TGameEngine::ClockText(9), "0:09");
    EXPECT_EQ(TGameEngine::ClockText(0), "0:00");
}
