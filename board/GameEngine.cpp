// SPDX-License-Identifier: MIT
#include "board/GameEngine.h"

#include "board/BoardHost.h"
#include "board/Layer.h"
#include "board/ScreenState.h"
#include "board/Unit.h"
#include "engine/Font.h"
#include "engine/Image.h"
#include "engine/Random.h"
#include "particles/ParticleManager.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <vector>

namespace {
constexpr TColor kTextColor = 0xFF0000FF;
// Where the lower panel rests; its fields are placed for this height.
constexpr float kLowerPanelRestY = 500.0f;

TPointF CellCentre(int32_t Col, int32_t Row) {
    const TPointF p = CellToScreen(Col, Row);
    return {p.X + 22.0f, p.Y + 22.0f};
}

uint8_t Opposite(uint8_t Motion) {
    switch (Motion) {
    case mtUp:
        return mtDown;
    case mtDown:
        return mtUp;
    case mtLeft:
        return mtRight;
    case mtRight:
        return mtLeft;
    default:
        return Motion;
    }
}

bool OnBoard(int32_t Col, int32_t Row) { return Col >= 0 && Col < BoardSize && Row >= 0 && Row < BoardSize; }
} // namespace

TGameEngine::TGameEngine(IBoardHost& Host, TRandom& Random) : Host_(Host), Random_(Random) {
    Host_.SetScore(0);
}

TGameEngine::~TGameEngine() {
    // Pieces, bonuses and tiles reach into the board while they are freed.
    FreeAll();
}

void TGameEngine::ResetFlags() {
    StageComplete = false;
    TimeUp = false;
    SilentCheck = false;
    FallingCount = 0;
    SwapArrivals = 0;
    CheckLines = false;
    RefillPending = false;
    FallsDone = false;
    BonusCount = 0;
}

int32_t TGameEngine::BonusLimit() const {
    switch (Difficulty) {
    case 1:
        return 2;
    case 2:
        return 1;
    default:
        return 3;
    }
}

uint8_t TGameEngine::RandomKind() { return Level().Kinds[static_cast<size_t>(Random_.Random(KindsPerStage))]; }

void TGameEngine::FillBoard(bool WithLayers) {
    const auto& kinds = Level().Kinds;
    int32_t rotation = 0;
    for (int32_t c = 0; c < BoardSize; ++c) {
        for (int32_t r = 0; r < BoardSize; ++r) {
            uint8_t kind = RandomKind();
            // Turn through the stage's kinds until the piece makes no line of three with the two
            // pieces above it or the two to its left.
            const auto makesLine = [&](uint8_t k) {
                const bool vertical = r >= 2 && Board[c][r - 1].Kind == k && Board[c][r - 2].Kind == k;
                const bool horizontal = c >= 2 && Board[c - 1][r].Kind == k && Board[c - 2][r].Kind == k;
                return vertical || horizontal;
            };
            while (makesLine(kind)) {
                rotation = (rotation + 1) % KindsPerStage;
                kind = kinds[static_cast<size_t>(rotation)];
            }
            TBoardCell& cell = Board[c][r];
            cell.Kind = kind;
            if (WithLayers) {
                if (StageHasLayer(CurrentStage, c, r)) {
                    cell.HasLayer = 1;
                    LayerSprites[c][r] = &Add<TLayer>(c, r);
                } else {
                    cell.HasLayer = 0;
                }
            }
            Add<TUnit>(c, r, kind);
        }
    }
}

void TGameEngine::BuildBoard() {
    ChainCount = 0;
    FillBoard(true);
}

void TGameEngine::MixBoard() {
    for (int32_t i = 0; i < SpriteCount(); ++i) {
        TSprite* s = SpriteAt(i);
        if (s->Name == "Piece") {
            s->MarkDead();
        }
    }
    BonusCount = 0;
    FillBoard(false);
}

bool TGameEngine::IsBoardBusy() const {
    for (const auto& column : Board) {
        for (const TBoardCell& cell : column) {
            if (cell.Motion != mtStill || cell.Growth < GrowthFull) {
                return true;
            }
        }
    }
    return false;
}

bool TGameEngine::IsBoardSettled() const {
    if (IsBoardBusy() || CheckLines || RefillPending || FallsDone || SwapArrivals != 0 || FallingCount != 0 ||
        ChainCount != 0 || StageComplete || TimeUp) {
        return false;
    }
    for (const auto& column : Board) {
        for (const TBoardCell& cell : column) {
            if (cell.Exploded) {
                return false;
            }
        }
    }
    return true;
}

bool TGameEngine::ShowHint() {
    Hint = IsBoardSettled() ? SwapOnBoard() : std::nullopt;
    HintFrames = Hint ? HintShowFrames : 0;
    return Hint.has_value();
}

void TGameEngine::AgeHint() {
    if (HintFrames > 0) {
        --HintFrames;
    }
    if (HintFrames == 0 || IsBoardBusy()) {
        Hint.reset();
        HintFrames = 0;
    }
}

bool TGameEngine::ReshuffleWhenStuck() {
    if (!IsBoardSettled() || SwapOnBoard()) {
        return false;
    }
    ResetFlags();
    MixBoard();
    return true;
}

const std::optional<TSwap>& TGameEngine::SwapOnBoard() {
    std::array<uint8_t, BoardSize * BoardSize * 3> seen{};
    size_t i = 0;
    for (const auto& column : Board) {
        for (const TBoardCell& cell : column) {
            seen[i++] = cell.Kind;
            seen[i++] = cell.HasLayer;
            seen[i++] = cell.Exploded;
        }
    }
    if (!Searched || seen != SearchedBoard) {
        SearchedBoard = seen;
        SearchedSwap = FindHint(Board);
        Searched = true;
    }
    return SearchedSwap;
}

bool TGameEngine::AnyCellGrowing() const {
    if (Moving) {
        return GrowingCells > 0;
    }
    for (const auto& column : Board) {
        for (const TBoardCell& cell : column) {
            if (cell.Growth < GrowthFull) {
                return true;
            }
        }
    }
    return false;
}

void TGameEngine::SetGrowth(TBoardCell& Cell, uint8_t Growth) {
    GrowingCells += (Growth < GrowthFull ? 1 : 0) - (Cell.Growth < GrowthFull ? 1 : 0);
    Cell.Growth = Growth;
}

void TGameEngine::Move(float Elapsed) {
    GrowingCells = 0;
    for (const auto& column : Board) {
        for (const TBoardCell& cell : column) {
            GrowingCells += cell.Growth < GrowthFull ? 1 : 0;
        }
    }
    Moving = true;
    TSpriteEngine::Move(Elapsed);
    Moving = false;
}

TGfxImage* TGameEngine::SelectionMark() {
    return Images() != nullptr ? Selection.In(*Images()) : nullptr;
}

bool TGameEngine::FindSelected(int32_t& Col, int32_t& Row) const {
    for (int32_t c = BoardSize - 1; c >= 0; --c) {
        for (int32_t r = BoardSize - 1; r >= 0; --r) {
            if (Board[c][r].Selected) {
                Col = c;
                Row = r;
                return true;
            }
        }
    }
    return false;
}

bool TGameEngine::SwapMotion(int32_t ClickedCol, int32_t ClickedRow, int32_t SelectedCol, int32_t SelectedRow,
                             uint8_t& Motion) {
    if (ClickedCol == SelectedCol + 1 && ClickedRow == SelectedRow) {
        Motion = mtLeft;
    } else if (ClickedCol == SelectedCol - 1 && ClickedRow == SelectedRow) {
        Motion = mtRight;
    } else if (ClickedRow == SelectedRow - 1 && ClickedCol == SelectedCol) {
        Motion = mtDown;
    } else if (ClickedRow == SelectedRow + 1 && ClickedCol == SelectedCol) {
        Motion = mtUp;
    } else {
        return false;
    }
    return true;
}

void TGameEngine::ClickBoard() {
    if (IsBoardBusy()) {
        return;
    }
    for (int32_t c = 0; c < BoardSize; ++c) {
        for (int32_t r = 0; r < BoardSize; ++r) {
            if (Board[c][r].Hovered && ClickCell(c, r)) {
                return;
            }
        }
    }
}

bool TGameEngine::ClickCell(int32_t Col, int32_t Row) {
    if (IsBoardBusy() || Col < 0 || Col >= BoardSize || Row < 0 || Row >= BoardSize) {
        return false;
    }
    TBoardCell& cell = Board[Col][Row];
    if (cell.Exploded || cell.Motion != mtStill) {
        return false;
    }
    int32_t sc = 0, sr = 0;
    if (!FindSelected(sc, sr)) {
        SelectState = 1;
        cell.Selected = 1;
        return true;
    }
    uint8_t motion = 0;
    if (!SwapMotion(Col, Row, sc, sr, motion)) {
        // Not a neighbour (the selected piece itself included): clear the selection.
        for (auto& column : Board) {
            for (TBoardCell& other : column) {
                other.Selected = 0;
            }
        }
        return false;
    }
    if (SelectState < 2) {
        SelectState = 2;
        ClickMotion = motion;
        cell.Selected = 1;
        cell.Motion = motion;
        Board[sc][sr].Motion = Opposite(motion);
        MotionA = motion;
        MotionB = Opposite(motion);
        SwapCellA = {static_cast<uint8_t>(Col), static_cast<uint8_t>(Row)};
        SwapCellB = {static_cast<uint8_t>(sc), static_cast<uint8_t>(sr)};
    }
    return true;
}

void TGameEngine::CursorArrow(int32_t DCol, int32_t DRow) {
    int32_t sc = 0, sr = 0;
    const bool selected = FindSelected(sc, sr);
    if (!BoardCursor.Shown()) {
        BoardCursor.Show(selected ? sc : BoardSize / 2 - 1, selected ? sr : BoardSize / 2 - 1);
        return;
    }
    if (selected && sc == BoardCursor.Col() && sr == BoardCursor.Row()) {
        if (ClickCell(sc + DCol, sr + DRow)) {
            BoardCursor.Show(sc + DCol, sr + DRow); // the cursor follows the piece
        }
        return;
    }
    BoardCursor.Step(DCol, DRow);
}

void TGameEngine::CursorSelect() {
    if (!BoardCursor.Shown()) {
        BoardCursor.Show(BoardSize / 2 - 1, BoardSize / 2 - 1);
        return;
    }
    ClickCell(BoardCursor.Col(), BoardCursor.Row());
}

void TGameEngine::FinishSwap() {
    if (SwapArrivals == 2) {
        SwapArrivals = 0;
        CheckLines = true;
    }
}

bool TGameEngine::FindLines() {
    if (!CheckLines) {
        return false;
    }
    // One scan walks a line of eight cells (a column or a row) given by an accessor.
    const auto scan = [this](auto&& At) {
        int32_t r = 0;
        while (r < BoardSize - 2) {
            const TBoardCell& a = At(r);
            const TBoardCell& b = At(r + 1);
            const TBoardCell& c = At(r + 2);
            if (!a.Exploded && !b.Exploded && !c.Exploded && a.Kind == b.Kind && b.Kind == c.Kind) {
                for (int32_t i = 0; i < 3; ++i) {
                    At.Add(r + i);
                }
                r += 2;
                while (r + 1 <= BoardSize - 1 && !At(r + 1).Exploded && At(r + 1).Kind == At(r).Kind) {
                    At.Add(r + 1);
                    ++r;
                }
            }
            if (r < BoardSize - 1) {
                ++r;
            }
        }
    };
    struct TColumnLine {
        TGameEngine& E;
        int32_t Col;
        TBoardCell& operator()(int32_t i) const { return E.Board[Col][i]; }
        void Add(int32_t i) const { E.AddFoundCell(Col, i); }
    };
    struct TRowLine {
        TGameEngine& E;
        int32_t Row;
        TBoardCell& operator()(int32_t i) const { return E.Board[i][Row]; }
        void Add(int32_t i) const { E.AddFoundCell(i, Row); }
    };
    for (int32_t c = 0; c < BoardSize; ++c) {
        scan(TColumnLine{*this, c});
    }
    for (int32_t r = 0; r < BoardSize; ++r) {
        scan(TRowLine{*this, r});
    }
    CheckLines = false;

    if (FoundCells.empty()) {
        if (!SilentCheck) {
            PlaySound("exchangefail");
            Board[SwapCellA.Col][SwapCellA.Row].Motion = MotionA;
            Board[SwapCellB.Col][SwapCellB.Row].Motion = MotionB;
            SwapArrivals = 0;
            SilentCheck = true;
        } else {
            SilentCheck = false;
        }
        return false;
    }
    PlaySound("lineready");
    // Newest first; a bonus may reshuffle the board while later nodes still wait.
    while (!FoundCells.empty()) {
        const TCellRef cell = FoundCells.front();
        FoundCells.pop_front();
        ExplodeFound(cell);
    }
    return true;
}

void TGameEngine::ExplodeFound(const TCellRef& Ref) {
    TBoardCell& cell = Board[Ref.Col][Ref.Row];
    if (cell.Exploded) {
        return;
    }
    cell.Exploded = 1;
    ClearLayerAt(Ref.Col, Ref.Row);
    SpawnEffect("explode-blue.pss", CellCentre(Ref.Col, Ref.Row));
    ++ChainCount;
    AddScore(3);
    if (cell.Bonus != 0) {
        // The bonus is used up before it acts: a mix puts a new piece in this very cell, and
        // whatever bonus that piece rolled is its own and stays with it.
        const uint8_t bonus = cell.Bonus;
        cell.Bonus = 0;
        PlaySound("bonustaken");
        ApplyBonus(bonus, Ref.Col, Ref.Row);
    }
}

void TGameEngine::ApplyBonus(int32_t Bonus, int32_t Col, int32_t Row) {
    switch (Bonus) {
    case 1:
        Level().TimeLeft += 20;
        break;
    case 2:
        AddScore(50);
        break;
    case 3: {
        static constexpr int32_t kAround[8][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}, {1, 1}, {1, -1}, {-1, 1}, {-1, -1}};
        for (const auto& d : kAround) {
            BlastCell(Col + d[0], Row + d[1]);
        }
        break;
    }
    case 4:
        BlastRandom();
        break;
    case 5:
        BlastRow(Row);
        break;
    case 6:
        BlastColumn(Col);
        break;
    case 7:
        AddScore(3 * ChainCount);
        break;
    case 8:
        BlastKind(Board[Col][Row].Kind);
        break;
    case 9:
        MixBoard();
        break;
    default:
        break;
    }
}

void TGameEngine::BlastCell(int32_t Col, int32_t Row) {
    if (!OnBoard(Col, Row) || Board[Col][Row].Exploded) {
        return;
    }
    TBoardCell& cell = Board[Col][Row];
    // A bonus hit by another bonus's blast is lost, except that time and money still count.
    if (cell.Bonus == 1) {
        Level().TimeLeft += 20;
    } else if (cell.Bonus == 2) {
        AddScore(50);
    }
    cell.Exploded = 1;
    cell.Bonus = 0;
    ClearLayerAt(Col, Row);
    SpawnEffect("explode-red.pss", CellCentre(Col, Row));
    ++ChainCount;
    AddScore(3);
}

void TGameEngine::BlastColumn(int32_t Col) {
    for (int32_t r = 0; r < BoardSize; ++r) {
        BlastCell(Col, r);
    }
}

void TGameEngine::BlastRow(int32_t Row) {
    for (int32_t c = 0; c < BoardSize; ++c) {
        BlastCell(c, Row);
    }
}

void TGameEngine::BlastKind(int32_t Kind) {
    for (int32_t c = 0; c < BoardSize; ++c) {
        for (int32_t r = 0; r < BoardSize; ++r) {
            if (!Board[c][r].Exploded && Board[c][r].Kind == Kind) {
                BlastCell(c, r);
            }
        }
    }
}

void TGameEngine::BlastRandom() {
    const auto eligible = [this](int32_t c, int32_t r) { return !Board[c][r].Exploded && Board[c][r].Bonus == 0; };
    for (int32_t n = 0; n < 5; ++n) {
        // With fewer eligible cells than blasts, every remaining one is taken and no more.
        bool any = false;
        for (int32_t c = 0; c < BoardSize && !any; ++c) {
            for (int32_t r = 0; r < BoardSize && !any; ++r) {
                any = eligible(c, r);
            }
        }
        if (!any) {
            return;
        }
        int32_t c = 0, r = 0;
        do {
            c = Random_.Random(BoardSize);
            r = Random_.Random(BoardSize);
        } while (!eligible(c, r));
        Board[c][r].Exploded = 1;
        ClearLayerAt(c, r);
        SpawnEffect("explode-red.pss", CellCentre(c, r));
        ++ChainCount;
        AddScore(3);
    }
}

void TGameEngine::PlanFalls() {
    EmptyInColumn.fill(0);
    FallingCount = 0;
    for (int32_t r = BoardSize - 1; r >= 0; --r) {
        for (int32_t c = BoardSize - 1; c >= 0; --c) {
            TBoardCell& cell = Board[c][r];
            if (cell.Exploded) {
                ++EmptyInColumn[static_cast<size_t>(c)];
            } else if (cell.FallRows == 0 && EmptyInColumn[static_cast<size_t>(c)] > 0) {
                cell.FallRows = EmptyInColumn[static_cast<size_t>(c)];
                cell.Motion = mtFalling;
                ++FallingCount;
            }
        }
    }
    if (FallingCount == 0 && ChainCount != 0) {
        // Only the top cells of columns exploded: nothing falls and the refill follows at once.
        RefillPending = true;
        FallsDone = false;
        for (int32_t i = 0; i < SpriteCount(); ++i) {
            TSprite* s = SpriteAt(i);
            if (s->Name == "Piece") {
                auto* unit = static_cast<TUnit*>(s);
                if (Board[unit->Col][unit->Row].Exploded) {
                    unit->MarkDead();
                }
            }
        }
    }
}

void TGameEngine::SettleFalls() {
    if (!FallsDone) {
        return;
    }
    FallsDone = false;
    struct TLanding {
        TUnit* Unit;
        int32_t Row;
        uint8_t Kind, Exploded, Bonus;
    };
    // Read every cell a piece fell from before writing any landing cell.
    std::vector<TLanding> landings;
    for (int32_t i = 0; i < SpriteCount(); ++i) {
        TSprite* s = SpriteAt(i);
        if (s->Name != "Piece" || s->Dead()) {
            continue;
        }
        auto* unit = static_cast<TUnit*>(s);
        if (unit->Y <= CellToScreen(unit->Col, unit->Row).Y + 0.01f) {
            continue;
        }
        const int32_t row = std::clamp(static_cast<int32_t>(std::lround((unit->Y - BoardTop) / CellSize)), 0,
                                       BoardSize - 1);
        const TBoardCell& from = Board[unit->Col][unit->Row];
        landings.push_back({unit, row, from.Kind, from.Exploded, from.Bonus});
    }
    for (const TLanding& l : landings) {
        TBoardCell& to = Board[l.Unit->Col][l.Row];
        to.Kind = l.Kind;
        to.Exploded = l.Exploded;
        to.Bonus = l.Bonus;
        l.Unit->Row = static_cast<uint8_t>(l.Row);
    }
    for (const TLanding& l : landings) {
        if (l.Exploded) {
            l.Unit->MarkDead();
            continue;
        }
        l.Unit->AgreeBonusWithCell();
        const int32_t kind = KindOfImage(l.Unit->ImageName());
        if (kind >= 0) {
            Board[l.Unit->Col][l.Unit->Row].Kind = static_cast<uint8_t>(kind);
        }
    }
    RefillPending = true;
}

void TGameEngine::Refill() {
    if (ChainCount == 0 || !RefillPending || FallingCount != 0) {
        return;
    }
    const TLevelRecord& level = Level();
    // The faces see the last tile go too: the stage ends on the hero's happiest face.
    ShowProgress();
    StageComplete = level.LayersCleared == level.LayerCount;
    if (StageComplete) {
        return;
    }
    for (int32_t c = 0; c < BoardSize; ++c) {
        for (int32_t r = 0; r < EmptyInColumn[static_cast<size_t>(c)]; ++r) {
            const uint8_t kind = RandomKind();
            Board[c][r].Kind = kind;
            Add<TUnit>(c, r, kind);
        }
    }
    ChainCount = 0;
    RefillPending = false;
    CheckLines = true;
    SilentCheck = true;
}

void TGameEngine::ShowProgress() {
    TLevelRecord& level = Level();
    // Halves go to the even neighbour (1 tile of 8 gives 12).
    const double share = level.LayerCount > 0 ? level.LayersCleared * 100.0 / level.LayerCount : 0.0;
    level.ProgressPercent = static_cast<uint8_t>(std::nearbyint(share));
    Host_.ProgressChanged(level.ProgressPercent);
}

void TGameEngine::RunBoardCycle() {
    FinishSwap();
    if (FindLines()) {
        PlanFalls();
    }
    SettleFalls();
    Refill();
    FreeDead();
}

void TGameEngine::ClearLayerAt(int32_t Col, int32_t Row) {
    if (!OnBoard(Col, Row) || !Board[Col][Row].HasLayer) {
        return;
    }
    Board[Col][Row].HasLayer = 0;
    ++Level().LayersCleared;
    if (TLayer* layer = LayerSprites[Col][Row]) {
        layer->Flying = true;
    }
}

void TGameEngine::ForgetLayer(const TLayer& Layer) {
    for (auto& column : LayerSprites) {
        for (TLayer*& slot : column) {
            if (slot == &Layer) {
                slot = nullptr;
            }
        }
    }
}

void TGameEngine::AddScore(int32_t Points) { Host_.SetScore(Host_.GetScore() + Points); }

void TGameEngine::PlaySound(const std::string& Name) { Host_.PlaySound(Name); }

void TGameEngine::SpawnEffect(const std::string& Name, TPointF At) {
    if (Particles) {
        Particles->SpawnByName(Name, At);
    }
}

std::string TGameEngine::ClockText(uint32_t Seconds) {
    const uint32_t s = Seconds % 60;
    return std::to_string(Seconds / 60) + ":" + (s < 10 ? "0" : "") + std::to_string(s);
}

void TGameEngine::DrawBoard() {
    Draw();
    DrawTexts();
}

void TGameEngine::DrawTexts() {
    const uint8_t state = Host_.ScreenState();
    const auto centred = [](TGfxFont* font, const std::string& Text, float X, float Y) {
        if (font && font->Owner() && font->Owner()->Canvas()) {
            font->TextOut(Text, X - font->TextWidth(Text) / 2.0f, Y, kTextColor, kTextColor, fxBlend);
        }
    };
    // The lower panel's three fields are filled on every screen of a stage the panel is shown on,
    // and ride with the panel as it slides in and away; stage and score share one size.
    static constexpr uint8_t kPanelFields[] = {ssPlaying,       ssPause,    ssExitToMenu, ssHowToPlay,
                                               ssStageComplete, ssGameOver, ssYourScore};
    // While it is on the scene: sliding in, resting or sliding away.
    const TSprite* panel = LowerPanel_ && !LowerPanel_->Dead() ? LowerPanel_ : nullptr;
    if (panel && std::find(std::begin(kPanelFields), std::end(kPanelFields), state) != std::end(kPanelFields)) {
        const float dy = panel->Y - kLowerPanelRestY;
        TGfxFont* const digits = Fonts ? PanelFont.In(*Fonts) : nullptr;
        centred(digits, std::to_string(CurrentStage), 207.0f, 548.0f + dy);
        centred(digits, std::to_string(Host_.GetScore()), 279.0f, 548.0f + dy);
        centred(Fonts ? ClockFont.In(*Fonts) : nullptr, ClockText(Level().TimeLeft), 395.0f, 539.0f + dy);
    }
    static constexpr uint8_t kNoFriends[] = {ssPlaying,      ssPause,     ssLogo,    ssStory,
                                             ssStageComplete, ssAllStagesDone, ssGameOver, ssHowToPlay,
                                             ssSendScore,    ssCountry,   ssYourScore, ssExitToMenu};
    for (const uint8_t s : kNoFriends) {
        if (s == state) {
            return;
        }
    }
    // The menu screens show Zibo and Lirra at the left.
    if (Canvas() && Images()) {
        if (TGfxImage* friends = Friends.In(*Images())) {
            Canvas()->Draw(*friends, 1, 0.0f, 210.0f, fxBlend);
        }
    }
}

void TGameEngine::Freeing(const TSprite& Sprite) {
    if (&Sprite == LowerPanel_) {
        LowerPanel_ = nullptr;
    }
}

uint64_t TGameEngine::BoardHash() const {
    uint64_t h = 1469598103934665603ull;
    for (const auto& column : Board) {
        for (const TBoardCell& cell : column) {
            for (const uint8_t v : {cell.Kind, cell.Bonus, cell.HasLayer, cell.Exploded}) {
                h = (h ^ v) * 1099511628211ull;
            }
        }
    }
    return h;
}
