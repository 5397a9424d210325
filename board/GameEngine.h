// SPDX-License-Identifier: MIT
#pragma once

#include "board/Board.h"
#include "board/BoardCursor.h"
#include "board/Hint.h"
#include "engine/NamedLookup.h"
#include "engine/Sprite.h"

#include <array>
#include <cstdint>
#include <forward_list>
#include <optional>
#include <string>

class IBoardHost;
class TGfxFont;
class TGfxFonts;
class TLayer;
class TRandom;
class TXParticleManager;

struct TCellRef {
    uint8_t Col = 0;
    uint8_t Row = 0;
};

// The game's one sprite engine, with the board: the cells, the stage table, and the cycle
// that finds lines, explodes them, lets pieces fall and refills the gaps.
class TGameEngine : public TSpriteEngine {
public:
    TGameEngine(IBoardHost& Host, TRandom& Random);
    ~TGameEngine() override;

    void SetParticles(TXParticleManager* Value) { Particles = Value; }
    void SetFonts(TGfxFonts* Value) { Fonts = Value; }
    [[nodiscard]] IBoardHost& Host() const { return Host_; }
    [[nodiscard]] TRandom& Rng() const { return Random_; }

    // The game in progress.
    TBoard Board{};
    TLevelTable LevelTable{};
    uint8_t CurrentStage = 1;
    uint8_t Difficulty = 0;
    [[nodiscard]] TLevelRecord& Level() { return LevelTable[CurrentStage >= 1 && CurrentStage <= 16 ? CurrentStage : 1]; }
    [[nodiscard]] TBoardCell& Cell(int32_t Col, int32_t Row) { return Board[Col][Row]; }
    void BuildLevelTable() { ::BuildLevelTable(LevelTable, Difficulty); }

    // Board state.
    uint8_t SwapArrivals = 0;
    uint8_t SavedKind = 0;
    uint8_t SavedBonus = 0;
    uint8_t BonusCount = 0;
    TCellRef SwapCellA; // the second-clicked cell of the current swap
    TCellRef SwapCellB; // the first-selected cell
    uint8_t MotionA = 0;
    uint8_t MotionB = 0;
    uint8_t SelectState = 0;
    uint8_t ClickMotion = 0;
    bool SilentCheck = false;
    bool CheckLines = false;
    std::forward_list<TCellRef> FoundCells;
    std::array<uint8_t, BoardSize> EmptyInColumn{};
    bool FallsDone = false;
    int16_t FallingCount = 0;
    int16_t ChainCount = 0;
    bool TimeUp = false;
    bool StageComplete = false;
    bool RefillPending = false;
    TBoardCursor BoardCursor;
    // The swap the hint marks, and the frames it stays marked.
    std::optional<TSwap> Hint;
    int32_t HintFrames = 0;

    // Clears the flags the screens reset when a stage starts or the board is reshuffled.
    void ResetFlags();

    // Building and reshuffling.
    void BuildBoard();
    void MixBoard();
    // The bonus roll's limit: 3 on easy, 2 on medium, 1 on hard.
    [[nodiscard]] int32_t BonusLimit() const;

    // Input and motion.
    void ClickBoard();
    // Clicks the cell as the pointer does; true when the click selected a piece or began a
    // swap (ignored while the board is busy or the cell is moving).
    bool ClickCell(int32_t Col, int32_t Row);
    // The board by keyboard, on the same path as the clicks. An arrow shows the cursor (on the
    // selected piece, else near the middle), moves it, or, while the piece under it is
    // selected, swaps that piece with the neighbour the arrow points at; Select clicks the
    // cell under the cursor.
    void CursorArrow(int32_t DCol, int32_t DRow);
    void CursorSelect();
    [[nodiscard]] bool IsBoardBusy() const;
    // No piece moves, grows or waits to explode, fall or refill: the player's turn.
    [[nodiscard]] bool IsBoardSettled() const;

    // The hint: marks a swap that makes a line for HintShowFrames frames; false (and no mark)
    // while the board is not settled or has no move. It scores nothing.
    static constexpr int32_t HintShowFrames = 200;
    bool ShowHint();
    // Counts the hint's frames down; a swap or a new board takes it away at once.
    void AgeHint();
    // A settled board without any move is reshuffled as the reshuffle button does; true when
    // it was.
    bool ReshuffleWhenStuck();
    // A swap that makes a line on the board as it is (FindHint), searched again only after a
    // cell's kind, tile or explosion changed: a settled board asks every frame.
    [[nodiscard]] const std::optional<TSwap>& SwapOnBoard();
    [[nodiscard]] bool FindSelected(int32_t& Col, int32_t& Row) const;
    // The clicked piece's motion toward the selected one; false when they are not neighbours.
    [[nodiscard]] static bool SwapMotion(int32_t ClickedCol, int32_t ClickedRow, int32_t SelectedCol,
                                         int32_t SelectedRow, uint8_t& Motion);
    void FinishSwap();
    // Whether any cell's piece is still growing in (or shrinking). Every piece asks this in
    // its move, so during a move pass the answer comes from a count kept up to date as pieces
    // change their growth (SetGrowth), not from a scan of the board per piece.
    [[nodiscard]] bool AnyCellGrowing() const;
    // Changes a cell's growth, keeping the count of growing cells right.
    void SetGrowth(TBoardCell& Cell, uint8_t Growth);
    // Moves every sprite once, counting the growing cells first.
    void Move(float Elapsed) override;

    // The line-check cycle.
    bool FindLines();
    void PlanFalls();
    void SettleFalls();
    void Refill();
    // The stage's progress from its tiles cleared, passed on to the faces.
    void ShowProgress();
    // One board cycle of the playing screen, in its order.
    void RunBoardCycle();

    // Explosions by bonuses.
    void AddFoundCell(int32_t Col, int32_t Row) { FoundCells.push_front({static_cast<uint8_t>(Col), static_cast<uint8_t>(Row)}); }
    void BlastCell(int32_t Col, int32_t Row);
    void BlastRow(int32_t Row);
    void BlastColumn(int32_t Col);
    void BlastKind(int32_t Kind);
    void BlastRandom();
    void ApplyBonus(int32_t Bonus, int32_t Col, int32_t Row);

    // Layer tiles.
    void ClearLayerAt(int32_t Col, int32_t Row);
    [[nodiscard]] TLayer* LayerSprite(int32_t Col, int32_t Row) const { return LayerSprites[Col][Row]; }
    void ForgetLayer(const TLayer& Layer);

    // Points and sounds through the host.
    void AddScore(int32_t Points);
    void PlaySound(const std::string& Name);
    void SpawnEffect(const std::string& Name, TPointF At);

    // All sprites, then the score, the stage number and the clock where the screen shows them.
    void DrawBoard();
    // The lower panel the stage number, the score and the clock ride on; the engine forgets it
    // when it frees the sprite.
    void SetLowerPanel(const TSprite* Panel) { LowerPanel_ = Panel; }
    // "m:ss" for a number of seconds.
    [[nodiscard]] static std::string ClockText(uint32_t Seconds);

    // The gold frame of the selected piece, found by name once; nullptr without images.
    [[nodiscard]] TGfxImage* SelectionMark();

    // A 64-bit hash of the cells' kinds, bonuses and tiles, for replay checks.
    [[nodiscard]] uint64_t BoardHash() const;

private:
    void FillBoard(bool WithLayers);
    [[nodiscard]] uint8_t RandomKind();
    void ExplodeFound(const TCellRef& Cell);
    void DrawTexts();
    void Freeing(const TSprite& Sprite) override;

    IBoardHost& Host_;
    TRandom& Random_;
    TXParticleManager* Particles = nullptr;
    TGfxFonts* Fonts = nullptr;
    TLayer* LayerSprites[BoardSize][BoardSize] = {};
    // What the board draws by name each frame, found once.
    TNamedLookup<TGfxImages, TGfxImage> Selection{"selection"};
    TNamedLookup<TGfxImages, TGfxImage> Friends{"ZiboAndLirra"};
    TNamedLookup<TGfxFonts, TGfxFont> PanelFont{"Verdana16"};
    TNamedLookup<TGfxFonts, TGfxFont> ClockFont{"VerdanaIB[Aa]16_time"};
    const TSprite* LowerPanel_ = nullptr;
    // Cells below full growth, counted at the start of a move pass and kept by SetGrowth
    // while it runs.
    int32_t GrowingCells = 0;
    // What the last swap search saw of each cell (kind, tile, explosion), and what it found.
    std::array<uint8_t, BoardSize * BoardSize * 3> SearchedBoard{};
    bool Searched = false;
    std::optional<TSwap> SearchedSwap;
    bool Moving = false;
};
