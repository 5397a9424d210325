// SPDX-License-Identifier: MIT
#pragma once

#include "gui/GuiControl.h"

#include <functional>

// A surface the game paints on through OnPaint, between its background and its border.
class TGuiPaint final : public TGuiControl {
public:
    using TPaintEvent = std::function<void(TGuiControl& Sender, const TRect& ScreenRect)>;

    explicit TGuiPaint(TGuiControl* Parent);

    TPaintEvent OnPaint;

protected:
    void DoDraw() override;
};
