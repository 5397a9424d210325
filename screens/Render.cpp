// SPDX-License-Identifier: MIT
#include "screens/Render.h"

#include "screens/GameTexts.h"

#include "board/GameEngine.h"
#include "board/LevelTarget.h"
#include "board/ScreenState.h"
#include "engine/Canvas.h"
#include "engine/Font.h"
#include "engine/Image.h"
#include "gui/GuiBase.h"
#include "particles/ParticleManager.h"
#include "scene/Decor.h"
#include "screens/GameState.h"
#include "screens/ScreenHost.h"
#include "share/ShareScreen.h"

#include <cmath>
#include <utility>

namespace {
constexpr TColor kWhite = 0xFFFFFFFF;
// The board's cells, in screen pixels.
constexpr float kBoardLeft = 222;
constexpr float kBoardTop = 138;
constexpr float kBoardRight = 574;
constexpr float kBoardBottom = 490;
// Where "ПАУЗА" is drawn, its top-left corner.
constexpr float kPauseX = 350;
constexpr float kPauseY = 290;
// Colours in the canvas's order (red in the lowest byte): a night-blue veil that lets the
// board show through faintly, and a white-to-gold hint like the buttons' captions.
constexpr TColor kPauseVeil = 0xB8200A08;
constexpr TColor kHintTop = 0xFFFFFFFF;
constexpr TColor kHintBottom = 0xFF8AE4FF;

class TFrame {
public:
    TFrame(IScreenHost& Host, TScreenLooks& Looks, float Dt)
        : Host(Host), Engine(Host.Engine()), Looks(Looks), Dt(Dt) {}

    void Move(float Step) { Engine.Move(Step); }
    void Scene() {
        Engine.FreeDead();
        Engine.DrawBoard();
    }
    void Gui() { Host.Gui().Render(); }
    // The keyboard's cell, over the pieces.
    void BoardCursor() {
        const TBoardCursor& cursor = Engine.BoardCursor;
        TGfxImage* mark = Looks.BoardCursor.In(Host.Images());
        if (cursor.Shown() && mark != nullptr) {
            Host.Canvas().Draw(*mark, 0, static_cast<float>(222 + 44 * cursor.Col()),
                               static_cast<float>(138 + 44 * cursor.Row()), fxBlend);
        }
    }
    // The hinted swap's two pieces, under a halo that swells and fades twice a second.
    void Hint() {
        TGfxImage* glow = Looks.HintGlow.In(Host.Images());
        if (!Engine.Hint || glow == nullptr) {
            return;
        }
        const float phase = static_cast<float>(Engine.HintFrames % 50) / 50.0f;
        // At least a quarter larger than the cell, so the ring circles the piece instead of hiding
        // under its edge.
        const float scale = 1.3f + 0.15f * std::sin(phase * 6.2831853f);
        const TSwap& h = *Engine.Hint;
        for (const auto& [c, r] : {std::pair{h.FromCol, h.FromRow}, std::pair{h.ToCol, h.ToRow}}) {
            const TPointF at = CellToScreen(c, r);
            const float offset = 22.0f * (1.0f - scale);
            Host.Canvas().DrawScaled(*glow, 0, at.X + offset, at.Y + offset, scale, fxBlend);
        }
    }
    void CursorMove() {
        if (TCursor* c = Host.Cursor()) {
            c->Move(0.001f);
        }
    }
    void Cursor() {
        if (TCursor* c = Host.Cursor()) {
            c->Draw();
        }
    }
    void ProgressBar() {
        TGfxImage* bar = Looks.ProgressBar.In(Host.Images());
        if (!bar) {
            return;
        }
        const float p = Engine.Level().Progress;
        const TQuad q{{{495, 540}, {495 + p, 540}, {495 + p, 564}, {495, 564}}};
        Host.Canvas().TexMap(*bar, q, TPatternRequest{}, TColor4::All(kWhite), fxBlend);
    }
    void Title() {
        if (TGfxImage* title = Looks.Title.In(Host.Images())) {
            Host.Canvas().DrawScaled(*title, 0, 118, 25, 0.7f, fxBlend);
        }
    }
    void Particles(float Step, bool Paint = true) {
        if (TXParticleManager* p = Host.Particles()) {
            p->Update(Step);
            if (Paint) {
                p->Draw(0, 0);
            }
        }
    }
    void Endgame() {
        if (TGfxImage* image = Looks.Endgame.In(Host.Images())) {
            Host.Canvas().Draw(*image, 0, 0, 0, fxNone);
        }
    }
    // The paused board sinks under a dark veil, so the pieces cannot be studied while the
    // clock stands still; "ПАУЗА" stays where it always was, the way back written under it.
    void PauseText() {
        const TQuad board{{{kBoardLeft, kBoardTop}, {kBoardRight, kBoardTop}, {kBoardRight, kBoardBottom},
                           {kBoardLeft, kBoardBottom}}};
        Host.Canvas().FillQuad(board, TColor4::All(kPauseVeil), fxBlend);
        TGfxFont* font = Looks.Headings.In(Host.Fonts());
        if (!font) {
            return;
        }
        const std::string& pause = Looks.Pause.In(Host.Texts(), N_("ПАУЗА"));
        font->TextOut(pause, kPauseX, kPauseY, 0xFF1721FC, 0xFF1721FC, fxBlend);
        if (TGfxFont* hint = Looks.Buttons.In(Host.Fonts())) {
            const std::string& resume = Looks.Resume.In(Host.Texts(), N_("P — продолжить"));
            const float centre = kPauseX + font->TextWidth(pause) / 2;
            const float y = kPauseY + font->TextHeight(pause) + 6;
            hint->TextOut(resume, std::round(centre - hint->TextWidth(resume) / 2), y, kHintTop, kHintBottom,
                          fxBlend);
        }
    }
    void HelpWindow() {
        TGameState& s = Host.State();
        if (IsLive(Engine, s.HelpWnd)) {
            s.HelpWnd->Draw();
        }
    }
    void StoryPicture() {
        TGameState& s = Host.State();
        TGuiControl* panel = Host.Gui().FindControl("scr_SpeechPanel");
        if (panel && panel->Visible() && panel->Left() == 222 &&
            IsLive(Engine, s.Speech)) {
            s.Speech->Draw();
        }
    }
    void HowToPlayPicture() {
        TNamedImage& page = Looks.HowToPlay[Host.State().HowToPlayPage == 0 ? 0 : 1];
        if (TGfxImage* image = page.In(Host.Images())) {
            Host.Canvas().Draw(*image, 0, 248, 208, fxBlend);
        }
    }
    void LevelTargetOnTop() {
        TLevelTarget* target = Host.State().LevelTarget;
        if (!IsLive(Engine, target) || target->Name != "LevelTarget") {
            return;
        }
        if (TXParticleSystem* trail = target->LiveTrail()) {
            trail->Draw(Host.Canvas(), 0, 0);
        }
        target->Draw();
    }
    void Share() {
        if (TShareScreen* share = Host.Share()) {
            share->Draw(Host.Canvas());
        }
    }

    IScreenHost& Host;
    TGameEngine& Engine;
    TScreenLooks& Looks;
    float Dt;
};
} // namespace

void TScreenPainter::Draw(IScreenHost& Host, float Dt) {
    TFrame f(Host, Looks, Dt);
    const TGameState& s = Host.State();
    switch (s.ScreenState) {
    case ssExitToMenu:
        f.Move(0.001f), f.Scene(), f.ProgressBar(), f.CursorMove(), f.Gui(), f.Cursor();
        break;
    case ssLogo:
        f.Move(0.001f), f.Scene(), f.Cursor();
        break;
    case ssHelp:
        f.Move(0.001f), f.Scene(), f.Gui(), f.Title(), f.HelpWindow(), f.Cursor();
        break;
    case ssPlaying:
        f.Move(Dt), f.Scene(), f.Hint(), f.BoardCursor(), f.Gui(), f.ProgressBar(), f.Particles(Dt * 10.0f), f.Cursor();
        break;
    case ssGameOver:
        f.Move(0.001f), f.Scene(), f.Particles(0.01f), f.Gui(), f.Cursor();
        break;
    case ssStageComplete:
        f.Scene(), f.Move(0.001f), f.Gui(), f.Particles(0.01f), f.LevelTargetOnTop(), f.Cursor();
        break;
    case ssPause:
        f.Scene(), f.ProgressBar(), f.CursorMove(), f.PauseText(), f.Cursor();
        break;
    case ssYourScore:
    case ssSendScore:
    case ssCountry:
        if (s.EndgameShown) {
            f.Endgame(), f.Gui(), f.CursorMove(), f.Cursor();
        } else {
            f.Scene(), f.Move(0.001f), f.Gui(), f.Cursor();
        }
        break;
    case ssAllStagesDone:
        f.Move(0.001f), f.Scene(), f.Endgame(), f.CursorMove(), f.Particles(0.01f, false), f.Cursor();
        break;
    case ssShare:
        f.Move(Dt), f.Share(), f.Cursor();
        break;
    case ssStory:
        f.Move(0.001f), f.Scene(), f.Gui(), f.StoryPicture(), f.Cursor();
        break;
    case ssHowToPlay:
        f.Move(Dt), f.Scene(), f.Gui(), f.HowToPlayPicture(), f.Particles(Dt * 10.0f), f.Cursor();
        break;
    default:
        f.Move(Dt), f.Scene(), f.Title(), f.Gui(), f.Cursor();
        break;
    }
}
