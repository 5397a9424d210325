// SPDX-License-Identifier: MIT
#include "gui/GuiPaint.h"

#include "gui/GuiContext.h"

TGuiPaint::TGuiPaint(TGuiControl* Parent) : TGuiControl(Parent) {
    SetTypeName("TGuiPaint", "This component can be used to paint on.");
    AddStandardProperty("Bkgrnd");
    AddStandardProperty("Border");
    SetBounds(0, 0, 120, 120);
    Bkgrnd = TGuiFill::All(0xFFFFFFFF);
    Border = TGuiFill::All(0xFFB99D7F);
}

void TGuiPaint::DoDraw() {
    const TGuiContext& context = Context();
    const TRect r = ScreenRect();
    if (Bkgrnd.Shown) {
        context.FillRect(r, Bkgrnd, DrawFx);
    }
    if (OnPaint) {
        OnPaint(*this, r);
    }
    if (Border.Shown) {
        context.Outline(r, Border, DrawFx);
    }
}
