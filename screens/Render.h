// SPDX-License-Identifier: MIT
#pragma once

#include "engine/NamedLookup.h"
#include "screens/GameTexts.h"

class IScreenHost;
class TGfxFont;
class TGfxFonts;
class TGfxImage;
class TGfxImages;

using TNamedImage = TNamedLookup<TGfxImages, TGfxImage>;
using TNamedFont = TNamedLookup<TGfxFonts, TGfxFont>;

// The pictures, fonts and texts the screens' overlays draw, found by name or translated once.
struct TScreenLooks {
    TNamedImage BoardCursor{"boardcursor"};
    TNamedImage HintGlow{"hintglow"};
    TNamedImage ProgressBar{"progressbar"};
    TNamedImage Title{"title"};
    TNamedImage Endgame{"endgame"};
    TNamedImage HowToPlay[2]{TNamedImage{"1.howto"}, TNamedImage{"2.howto"}};
    TNamedFont Headings{"zagolovki"};
    TNamedFont Buttons{"knopki"};
    TTranslatedText Pause;
    TTranslatedText Resume;
};

// Draws the current screen's frame in its fixed layer order: what moves, the scene, the GUI,
// the overlays of the state, and the cursor last. Dt is the frame time in seconds (at most
// 0.001).
class TScreenPainter {
public:
    void Draw(IScreenHost& Host, float Dt);

private:
    TScreenLooks Looks;
};
