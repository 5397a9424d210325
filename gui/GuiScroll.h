// SPDX-License-Identifier: MIT
#pragma once

#include "gui/GuiControl.h"

// The vertical scroll bar of a list box: up and down buttons, a track and a thumb whose place
// shows Position (0 at the top, 1 at the bottom).
class TGuiScroll final : public TGuiControl {
public:
    explicit TGuiScroll(TGuiControl* Parent);

    // Layout in screen coordinates; the mouse always uses it, also in image mode.
    [[nodiscard]] TRect UpButtonRect() const;
    [[nodiscard]] TRect DownButtonRect() const;
    [[nodiscard]] TRect TrackRect() const;
    [[nodiscard]] TRect ThumbRect() const;
    // The distance the thumb travels: height - 3 * button size - 4.
    [[nodiscard]] int32_t TrackLength() const;

    double Position = 0.5;
    double SmallStep = 0.1;
    double LargeStep = 0.25;
    uint32_t ArrowColor = 0xFFC56A31;
    uint32_t BorderColor = 0xFFB99D7F;
    TGuiFill ButtonFill{0xFFFFFFFF, 0xFFFCFCFC, 0xFFE6EBEC, 0xFFDEE5E6};
    TGuiFill PressedFill{0xFFDEE5E6, 0xFFE6EBEC, 0xFFFFFFFF, 0xFFFCFCFC};
    TGuiFill TrackFill = TGuiFill::All(0xFFEBBCB3);
    bool UpPressed = false;
    bool DownPressed = false;
    bool ThumbPressed = false;
    TControlEvent OnChange;

protected:
    void DoDraw() override;
    void DoMouse(TPoint Position, uint8_t Kind, uint8_t Button, TGuiShift Shift) override;

private:
    void Press(TPoint Point);
    void DragThumb(TPoint Point);
    void DrawNormal();
    void DrawImages();
    void DrawButton(const TRect& Rect, bool Pressed);
    void Changed(double Before);

    TPoint DragStart;
    double DragPosition = 0.0;
};
