#include "share/ShareScreen.h"

#include "engine/Canvas.h"
#include "engine/Font.h"
#include "engine/Image.h"

TShareScreen::TShareScreen(TGfxDevice& /*Device*/, TGfxFonts& /*Fonts*/) {}

TShareScreen::~TShareScreen() = default;

void TShareScreen::LoadShareSettings() { Available = false; }

void TShareScreen::Draw(TGfxCanvas& /*Canvas*/) {}

void TShareScreen::Click(TPoint /*At*/) {}
