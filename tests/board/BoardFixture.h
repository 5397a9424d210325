// SPDX-License-Identifier: MIT
#pragma once

#include "board/BoardHost.h"
#include "board/GameEngine.h"
#include "board/ScreenState.h"
#include "board/Unit.h"
#include "engine/Random.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// A host that records what the board asks of the game.
class TFakeHost final : public IBoardHost {
public:
    uint8_t ScreenState() const override { return State; }
    int32_t GetScore() const override { return Score; }
    void SetScore(int32_t Value) override { Score = Value; }
    void PlaySound(const std::string& Name) override { Sounds.push_back(Name); }
    TPointF PointerPosition() const override { return Pointer; }
    void ProgressChanged(uint8_t Percent) override { Progress.push_back(Percent); }
    void SetElementIndex(int32_t Index) override { Element = Index; }

    [[nodiscard]] int32_t CountSound(const std::string& Name) const {
        int32_t n = 0;
        for (const auto& s : Sounds) {
            n += s == Name;
        }
        return n;
    }

    uint8_t State = ssPlaying;
    int32_t Score = 0;
    std::vector<std::string> Sounds;
    TPointF Pointer{-100.0f, -100.0f};
    std::vector<uint8_t> Progress;
    int32_t Element = -1;
};

// A board engine on a fake host with a seeded generator; frames run as the playing screen
// runs them: the board cycle, then the sprites' move.
class BoardTest : public ::testing::Test {
protected:
    explicit BoardTest(uint64_t Seed = 7) : Random(Seed), Engine(Host, Random) {}

    void StartStage(uint8_t Stage, uint8_t Difficulty = 0) {
        Engine.CurrentStage = Stage;
        Engine.Difficulty = Difficulty;
        Engine.BuildLevelTable();
        Engine.ResetFlags();
        Engine.BuildBoard();
    }
    void Frame() {
        Engine.RunBoardCycle();
        Engine.Move(0.001f);
    }
    void Frames(int32_t N) {
        for (int32_t i = 0; i < N; ++i) {
            Frame();
        }
    }
    // Runs frames until the board is still (at most Limit).
    int32_t Settle(int32_t Limit = 2000) {
        int32_t n = 0;
        while (n < Limit && (Engine.IsBoardBusy() || Engine.CheckLines || Engine.RefillPending || Engine.FallsDone ||
                             Engine.SwapArrivals != 0)) {
            Frame();
            ++n;
        }
        return n;
    }
    TUnit* UnitAt(int32_t Col, int32_t Row) {
        for (int32_t i = 0; i < Engine.SpriteCount(); ++i) {
            TSprite* s = Engine.SpriteAt(i);
            if (s->Name == "Piece" && !s->Dead()) {
                auto* u = static_cast<TUnit*>(s);
                if (u->Col == Col && u->Row == Row) {
                    return u;
                }
            }
        }
        return nullptr;
    }
    // Puts a piece of Kind in the cell (the cell's data and the sprite's picture).
    void SetKind(int32_t Col, int32_t Row, uint8_t Kind) {
        Engine.Cell(Col, Row).Kind = Kind;
        if (TUnit* u = UnitAt(Col, Row)) {
            u->SetImageName(KindImage(Kind));
        }
    }
    // Points at the cell, lets the pieces see it, and clicks.
    void ClickCell(int32_t Col, int32_t Row) {
        const TPointF at = CellToScreen(Col, Row);
        Host.Pointer = {at.X + 22.0f, at.Y + 22.0f};
        Frame();
        Engine.ClickBoard();
    }
    [[nodiscard]] bool HasReadyLine() {
        for (int32_t c = 0; c < BoardSize; ++c) {
            for (int32_t r = 0; r < BoardSize; ++r) {
                const uint8_t k = Engine.Cell(c, r).Kind;
                if (r + 2 < BoardSize && Engine.Cell(c, r + 1).Kind == k && Engine.Cell(c, r + 2).Kind == k) {
                    return true;
                }
                if (c + 2 < BoardSize && Engine.Cell(c + 1, r).Kind == k && Engine.Cell(c + 2, r).Kind == k) {
                    return true;
                }
            }
        }
        return false;
    }
    // A board of the stage's kinds in a pattern without lines and without bonuses.
    void PlainBoard() {
        for (int32_t c = 0; c < BoardSize; ++c) {
            for (int32_t r = 0; r < BoardSize; ++r) {
                SetKind(c, r, static_cast<uint8_t>((c + 2 * r) % 5));
                Engine.Cell(c, r).Bonus = 0;
            }
        }
        for (int32_t i = 0; i < Engine.SpriteCount(); ++i) {
            if (Engine.SpriteAt(i)->Name == "Bonus") {
                Engine.SpriteAt(i)->MarkDead();
            }
        }
        Engine.FreeDead();
        Engine.BonusCount = 0;
    }

    TFakeHost Host;
    TRandom Random;
    TGameEngine Engine;
};
