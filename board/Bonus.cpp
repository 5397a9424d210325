// SPDX-License-Identifier: MIT
#include "board/Bonus.h"

#include "board/Board.h"
#include "board/Unit.h"
#include "engine/Image.h"

TBonus::TBonus(TSpriteEngine& Engine, int32_t Col, int32_t Row, int32_t Bonus, TUnit* Owner)
    : TAnimatedSprite(Engine), Owner(Owner) {
    Name = "Bonus";
    SetZ(15);
    ScaleX = 0.0f;
    ScaleY = 0.0f;
    FrameRate = 300.0f;
    FrameCount = 8;
    SetImageName(BonusImage(Bonus));
    const TPoint size = ImagePatternSize(Engine, ImageName());
    const TPointF cell = CellToScreen(Col, Row);
    X = cell.X + 20.0f - static_cast<float>(size.X) / 2.0f + (Bonus == 3 ? 2.0f : 0.0f);
    Y = cell.Y + 22.0f - static_cast<float>(size.Y) / 2.0f;
}

TBonus::~TBonus() {
    if (Owner && Owner->BonusSprite == this) {
        Owner->BonusSprite = nullptr;
        Owner->HasBonus = false;
    }
}
