// SPDX-License-Identifier: MIT
#include "board/Board.h"

#include "engine/Image.h"
#include "engine/Sprite.h"
#include "platform/Text.h"

namespace {
const std::array<std::string, KindCount> kKindImages = {
    "AquaPentagon.piece",   "FuchsiaCircle.piece", "YellowHexagon.piece",     "RedCircle.piece",
    "GreenCircle.piece",    "SkyBlueRhomb.piece",  "LiteMaroonHexagon.piece", "ClaretSquare.piece",
    "LimeHexagon.piece",    "OliveRhomb.piece",    "BlueHexagon.piece",       "OrangeTriangle.piece",
    "PurplePentagon.piece", "SandCircle.piece",    "TealTriangle.piece",      "YellowSquare.piece",
};

const std::array<std::string, 10> kBonusImages = {
    "",
    "clock.bonus",
    "money.bonus",
    "dinamit.bonus",
    "star.bonus",
    "flash.bonus",
    "energy_ball.bonus",
    "x2.bonus",
    "rainbow.bonus",
    "mix.bonus",
};

// The first stage whose layout has a tile under each cell, [row][column].
constexpr uint8_t kLayerStage[BoardSize][BoardSize] = {
    {6, 15, 13, 8, 8, 13, 15, 6}, {16, 3, 11, 5, 5, 11, 3, 16}, {14, 12, 1, 10, 10, 1, 12, 14},
    {7, 4, 9, 2, 2, 9, 4, 7},     {7, 4, 9, 2, 2, 9, 4, 7},     {14, 12, 1, 10, 10, 1, 12, 14},
    {16, 3, 11, 5, 5, 11, 3, 16}, {6, 15, 13, 8, 8, 13, 15, 6},
};
} // namespace

void BuildLevelTable(TLevelTable& Table, int32_t Difficulty) {
    for (int32_t s = 1; s <= StageCount; ++s) {
        TLevelRecord& r = Table[static_cast<size_t>(s)];
        for (int32_t i = 0; i < KindsPerStage; ++i) {
            r.Kinds[static_cast<size_t>(i)] = static_cast<uint8_t>((s - 1 + i) % KindCount);
        }
        r.LayerCount = static_cast<uint8_t>(4 * s);
        r.LayersCleared = 0;
        switch (Difficulty) {
        case 1:
            r.TimeLeft = static_cast<uint32_t>(30 + 10 * (s - 1));
            break;
        case 2:
            r.TimeLeft = static_cast<uint32_t>(15 + 7 * (s - 1));
            break;
        default:
            r.TimeLeft = static_cast<uint32_t>(60 + 12 * (s - 1));
            break;
        }
        r.ProgressPercent = 0;
        r.Progress = 0.0f;
    }
}

const std::string& KindImage(int32_t Kind) {
    return kKindImages[static_cast<size_t>(Kind & 15)];
}

int32_t KindOfImage(const std::string& ImageName) {
    for (int32_t k = 0; k < KindCount; ++k) {
        if (SameName(kKindImages[static_cast<size_t>(k)], ImageName)) {
            return k;
        }
    }
    return -1;
}

const std::string& BonusImage(int32_t Bonus) {
    return kBonusImages[Bonus >= 1 && Bonus <= 9 ? static_cast<size_t>(Bonus) : 0];
}

bool StageHasLayer(int32_t Stage, int32_t Column, int32_t Row) {
    if (Column < 0 || Column >= BoardSize || Row < 0 || Row >= BoardSize) {
        return false;
    }
    return kLayerStage[Row][Column] <= Stage;
}

TPoint ImagePatternSize(const TSpriteEngine& Engine, const std::string& ImageName) {
    if (Engine.Images()) {
        if (const TGfxImage* image = Engine.Images()->Find(ImageName)) {
            return image->PatternSize();
        }
    }
    return {0, 0};
}

std::string CellDumpText(const TBoardCell& Cell) {
    return std::to_string(Cell.Kind) + "." + std::to_string(Cell.Bonus) + "." +
           std::to_string(Cell.HasLayer ? 1 : 0);
}
