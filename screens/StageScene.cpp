// SPDX-License-Identifier: MIT
#include "screens/StageScene.h"

#include "board/GameEngine.h"
#include "board/Layer.h"
#include "scene/Decor.h"
#include "screens/GameState.h"
#include "screens/ScreenHost.h"
#include "screens/Screens.h"

#include <algorithm>

int32_t StageElementIndex(int32_t Stage) {
    if (Stage < 1 || Stage > 16) {
        return 0;
    }
    return ChapterStartedBy(Stage) != 0 ? 0 : Stage - 1;
}

void CreateStageElement(TScreens& S) {
    TGameEngine& engine = S.Host().Engine();
    // The picture places itself 5 pixels left of the point it is given, so it ends at x 50.
    S.State().StageElement = &engine.Add<TElement>(55.0f, 507.0f, StageElementIndex(engine.CurrentStage));
}

int32_t ChapterStartedBy(int32_t Stage) {
    switch (Stage) {
    case 1:
        return 1;
    case 5:
        return 2;
    case 9:
        return 3;
    case 13:
        return 4;
    default:
        return 0;
    }
}

void MarkDeadExcept(TGameEngine& Engine, std::initializer_list<std::string_view> Keep) {
    // MarkDead only flags, so walking the draw list while marking is safe.
    for (int32_t i = 0; i < Engine.SpriteCount(); ++i) {
        TSprite* s = Engine.SpriteAt(i);
        if (s && !s->Dead() && std::find(Keep.begin(), Keep.end(), s->Name) == Keep.end()) {
            s->MarkDead();
        }
    }
}

void MarkDeadNamed(TGameEngine& Engine, std::string_view Name) {
    for (int32_t i = 0; i < Engine.SpriteCount(); ++i) {
        TSprite* s = Engine.SpriteAt(i);
        if (s && !s->Dead() && s->Name == Name) {
            s->MarkDead();
        }
    }
}

void ShrinkBoardAway(TGameEngine& Engine) {
    for (int32_t c = 0; c < BoardSize; ++c) {
        for (int32_t r = 0; r < BoardSize; ++r) {
            TBoardCell& cell = Engine.Cell(c, r);
            cell.Shrinking = 1;
            cell.Growing = 0;
            cell.Bonus = 0;
            TLayer* layer = Engine.LayerSprite(c, r);
            if (IsLive(Engine, layer) && layer->Name == "Layer") {
                layer->MarkDead();
            }
        }
    }
}

int32_t CountUpStep(int32_t Shown, int32_t Score) {
    const int64_t d = static_cast<int64_t>(Score) - Shown;
    if (d <= 0) {
        return Shown;
    }
    if (d > 10000) {
        return Shown + 1000;
    }
    if (d > 1000) {
        return Shown + 100;
    }
    if (d > 100) {
        return Shown + 10;
    }
    return Shown + 1;
}
