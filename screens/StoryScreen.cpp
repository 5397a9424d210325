// SPDX-License-Identifier: MIT
#include "board/GameEngine.h"
#include "board/ScreenState.h"
#include "gui/GuiControl.h"
#include "platform/Text.h"
#include "scene/Decor.h"
#include "scene/Faces.h"
#include "screens/GameState.h"
#include "screens/GameTexts.h"
#include "screens/ScreenHost.h"
#include "screens/Screens.h"
#include "screens/StageScene.h"

#include <array>
#include <cmath>
#include <string>

namespace {
constexpr int32_t PanelRestLeft = 222;
constexpr int32_t PanelStartLeft = 800;
constexpr int32_t LabelCount = 9;
// Labels moved back beside "Speech_Label9", the one label that never moves.
constexpr int32_t BackToLastLabel = -1;

// One page of a story panel: up to nine lines, and whether a picture sits beside the first
// lines, which then move right to make room.
struct TPageLayout {
    int32_t Stage;
    int32_t Page;
    bool Picture;
    // How many of the first labels move, and to which Left (BackToLastLabel: back in line).
    int32_t MovedLabels;
    int32_t MovedLeft;
};
struct TStoryPage {
    TPageLayout Layout;
    std::array<const char*, LabelCount> Lines;
};

// Captain Zibo's story, one chapter before stages 1, 5, 9 and 13. Kept in UTF-8 here and
// shown line by line in the current language (a translation keeps each line within its label,
// beside the picture where there is one).
constexpr TStoryPage StoryPages[] = {
    {{1, 1, false, 0, 0},
     {N_("Капитан Зибо возвращался домой из дальнего рейса."), N_("Вдруг его корабль попал в метеоритный поток,"),
      N_("двигатели заглохли, и он упал на чужую планету."), N_("Не успел капитан выбраться из кабины, как его"),
      N_("окружили четыре огромных чудища."), N_("Они разобрали корабль на детали, спрятали их"),
      N_("в своих логовах, а самого Зибо заперли."), N_("Но капитан не из тех, кто сдаётся!"),
      N_("Он решил собрать корабль заново и сбежать.")}},
    {{1, 2, true, 7, 290},
     {N_("Первое чудище стережёт"), N_("детали двигателя."), N_("Собирайте в ряд три"), N_("и больше одинаковых"),
      N_("камней: так вы снимете"), N_("плитки с поля и"), N_("добудете новую деталь."),
      N_("Торопитесь: если время выйдет, чудище"), N_("заметит побег!")}},
    {{5, 1, true, 7, 290},
     {N_("Двигатель снова гудит!"), N_("Первое чудище ушло ни"), N_("с чем, но из тёмной"), N_("пещеры выползло второе."),
      N_("Оно спрятало детали"), N_("навигатора среди своих"), N_("сокровищ."),
      N_("Без навигатора корабль не найдёт дороги домой,"), N_("и капитану снова нужна ваша помощь.")}},
    {{5, 2, false, 7, BackToLastLabel},
     {N_("Второе чудище хитрее первого: камней стало"), N_("больше, а времени меньше."),
      N_("Зибо уже слышит, как оно ворочается в пещере."), N_("Собирайте длинные ряды и берите бонусы,"),
      N_("чтобы успеть до его пробуждения!"), "", "", "", ""}},
    {{9, 1, false, 0, 0},
     {N_("Навигатор починен, и на экране снова видна"), N_("дорога к родной звезде."),
      N_("Но путь к ангару преграждает третье чудище."), N_("Оно заперло детали корпуса в своей комнате"),
      N_("и никого туда не пускает."), N_("Без корпуса корабль развалится при взлёте,"), N_("поэтому капитан решает рискнуть."),
      N_("Он тихо пробирается по коридорам,"), N_("пока чудище пересчитывает свои трофеи.")}},
    {{9, 2, true, 7, 198},
     {N_("Комната полна ловушек и замков."), N_("Каждая снятая плитка приближает"), N_("капитана к заветным деталям."),
      N_("Следите за часами:"), N_("если время кончится, чудище"), N_("вернётся и запрёт Зибо снова."),
      N_("Вперёд, капитан!"), "", ""}},
    {{13, 1, true, 8, 205},
     {N_("Остался последний шаг!"), N_("Корпус как новый, но рация"), N_("разбита, и её детали хранит"),
      N_("самое большое чудище планеты."), N_("Оно сидит у самого ангара"), N_("и не спускает глаз с корабля."),
      N_("Без рации корабль не получит"), N_("разрешения на посадку дома."), N_("Это будет самое трудное испытание.")}},
    {{13, 2, false, 8, BackToLastLabel},
     {N_("Четвёртое чудище уже чует неладное."), N_("Зибо надеется только на вас."),
      N_("Соберите последние детали рации,"), N_("и корабль наконец поднимется в небо."),
      N_("Дом ждёт своего капитана!"), N_("Удачи и быстрых рук!"), N_("Полный вперёд!"), "", ""}},
};

std::string LabelName(int32_t Index) {
    return "Speech_Label" + std::to_string(Index);
}

void SetLabelLeft(TScreens& S, int32_t Index, int32_t Left) {
    if (TGuiControl* label = S.Control(LabelName(Index))) {
        label->SetBound(0, Left);
    }
}

int32_t LastLabelLeft(TScreens& S) {
    const TGuiControl* last = S.Control(LabelName(LabelCount));
    return last ? last->Left() : 0;
}

// Lines 1 to 8 go back beside the last one.
void AlignLabels(TScreens& S, int32_t Count) {
    const int32_t left = LastLabelLeft(S);
    for (int32_t i = 1; i <= Count; ++i) {
        SetLabelLeft(S, i, left);
    }
}

const TStoryPage* FindPage(int32_t Stage, int32_t Page) {
    for (const TStoryPage& page : StoryPages) {
        if (page.Layout.Stage == Stage && page.Layout.Page == Page) {
            return &page;
        }
    }
    return nullptr;
}

void FillPage(TScreens& S) {
    TGameEngine& engine = S.Host().Engine();
    const TStoryPage* page = FindPage(engine.CurrentStage, S.State().SpeechPage);
    if (!page) {
        return;
    }
    if (page->Layout.MovedLeft == BackToLastLabel) {
        AlignLabels(S, page->Layout.MovedLabels);
    } else {
        for (int32_t i = 1; i <= page->Layout.MovedLabels; ++i) {
            SetLabelLeft(S, i, page->Layout.MovedLeft);
        }
    }
    if (page->Layout.Picture) {
        S.State().Speech = &engine.Add<TSpeechPicture>(engine.CurrentStage);
    }
    for (int32_t i = 0; i < LabelCount; ++i) {
        S.SetText(LabelName(i + 1), S.Host().Texts().Tr(page->Lines[i]));
    }
}

void RemovePicture(TScreens& S) {
    TSpeechPicture* picture = S.State().Speech;
    if (IsLive(S.Host().Engine(), picture) && picture->Name == "Speech") {
        picture->MarkDead();
    }
    S.State().Speech = nullptr;
}

// Captain Zibo talks while the story is told: three mouth shapes over 101 frames.
void Talk(TScreens& S) {
    TGameState& g = S.State();
    if (!IsLive(S.Host().Engine(), g.Zibo) || !g.Zibo->Mouth || g.FrameCounter > 100) {
        return;
    }
    g.Zibo->Mouth->SetPatternIndex(g.FrameCounter <= 33 ? 0 : g.FrameCounter <= 67 ? 1 : 2);
}

// The panel comes in from the right edge, faster every frame, and rests at Left 222.
void SlideIn(TScreens& S) {
    TGameState& g = S.State();
    TGuiControl* panel = S.Control("scr_SpeechPanel");
    if (!panel) {
        return;
    }
    if (panel->Left() > PanelRestLeft) {
        panel->SetBound(0, panel->Left() - static_cast<int32_t>(std::lround(g.SpeechSpeed)));
        g.SpeechSpeed += 0.4f;
    }
    if (panel->Left() <= PanelRestLeft && !g.SpeechArrived) {
        panel->SetBound(0, PanelRestLeft);
        g.SpeechArrived = true;
    }
    if (!g.SpeechTextSet && panel->Left() == PanelRestLeft && g.SpeechArrived) {
        FillPage(S);
        g.SpeechTextSet = true;
    }
}

void EnterStory(TScreens& S) {
    TGameState& g = S.State();
    IScreenHost& host = S.Host();
    TGameEngine& engine = host.Engine();
    g.FrameCounter = 0;
    g.SpeechSpeed = 0.0f;
    engine.FreeDead();
    // The captain and the panels around the board come once per game, with its first story.
    if (engine.CurrentStage == 1 && host.Cursor()) {
        g.Zibo = &engine.Add<TZibo>(*host.Cursor());
        engine.Add<TPanel>(0.0f, 281.0f, "backgame");
        g.DownPanel = &engine.Add<TPanel>(39.0f, 500.0f, "DownPanel");
        engine.SetLowerPanel(g.DownPanel);
        g.UpPanel = &engine.Add<TPanel>(172.0f, 0.0f, "UpPanel");
    }
    g.ScreenState = ssStory;
    if (TGuiControl* panel = S.Control("scr_SpeechPanel")) {
        panel->SetBound(0, PanelStartLeft);
    }
    S.ShowForm("scr_SpeechPanel");
    S.SetText("b_SpeechPanel_Next", S.Host().Texts().Tr("Далее"));
    g.SpeechArrived = false;
    g.SpeechTextSet = false;
    g.SpeechPageCount = 2;
    g.SpeechPage = 1;
}

void UpdateStory(TScreens& S) {
    TGameState& g = S.State();
    Talk(S);
    SlideIn(S);
    // Skip wins over next when both keys came up in the same frame: the stage starts once.
    if (g.Released(vkEscape)) {
        S.Press("b_SpeechPanel_Skip");
    } else if (g.Released(vkEnter)) {
        S.Press("b_SpeechPanel_Next");
    }
    S.Host().RenderFrame(false);
    if (g.FrameCounter > 100) {
        g.FrameCounter = 0;
    }
    ++g.FrameCounter;
}

void LeaveStory(TScreens& S) {
    TGameState& g = S.State();
    RemovePicture(S);
    S.Host().Engine().FreeDead();
    g.SpeechTextSet = false;
    AlignLabels(S, LabelCount - 1);
    for (int32_t i = 1; i <= LabelCount; ++i) {
        S.SetText(LabelName(i), "");
    }
    if (TGuiControl* panel = S.Control("scr_SpeechPanel")) {
        panel->SetBound(0, PanelStartLeft);
    }
    S.HideForm("scr_SpeechPanel");
}
} // namespace

void RegisterStoryScreen(TScreens& S) {
    S.Register(ssStory, {[&S] { EnterStory(S); }, [&S] { UpdateStory(S); }, [&S] { LeaveStory(S); }});
    S.Bind("b_SpeechPanel_Next", [&S] {
        TGameState& g = S.State();
        S.Host().PlaySound("check");
        RemovePicture(S);
        if (g.SpeechPage < g.SpeechPageCount) {
            ++g.SpeechPage;
            if (g.SpeechPage == g.SpeechPageCount) {
                S.SetText("b_SpeechPanel_Next", S.Host().Texts().Tr("Играть"));
            }
            g.SpeechTextSet = false;
        } else {
            S.ScreenEnter(ssPlaying);
        }
    });
    S.Bind("b_SpeechPanel_Skip", [&S] {
        S.Host().PlaySound("check");
        S.ScreenEnter(ssPlaying);
    });
}
