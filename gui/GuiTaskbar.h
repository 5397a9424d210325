// SPDX-License-Identifier: MIT
#pragma once

#include "gui/GuiControl.h"

#include <string>

// The invisible root container of all screens: turns window events into GUI events and keeps
// which control the mouse is over and which one holds the mouse while a button is down.
class TGuiTaskbar final : public TGuiControl {
public:
    TGuiTaskbar();
    ~TGuiTaskbar() override;

    // Loads a GUI file into this container; false when it cannot be opened or read.
    [[nodiscard]] bool LoadFromFile(const std::string& FileName);

    // Window events already converted to GUI points.
    void WindowMouseDown(uint8_t Button, TGuiShift Shift, TPoint Position);
    void WindowMouseUp(uint8_t Button, TGuiShift Shift, TPoint Position);
    void WindowMouseMove(TGuiShift Shift, TPoint Position);
    void WindowClick();
    void WindowDblClick();
    void WindowKeyDown(uint16_t Key, TGuiShift Shift);
    void WindowKeyUp(uint16_t Key, TGuiShift Shift);
    void WindowKeyPress(uint8_t Char);

    // The root is never the target of an event.
    [[nodiscard]] TGuiControl* ControlAt(TPoint Position) override;

    TPoint LastPos;
    uint8_t LastButton = mbNone;
    TGuiShift LastShift = 0;
    TGuiControl* Hover = nullptr;
    TGuiControl* Capture = nullptr;
    int32_t CaptureCount = 0;

protected:
    void DoMouse(TPoint Position, uint8_t Kind, uint8_t Button, TGuiShift Shift) override;
    void ForgetControl(const TGuiControl& Control) override;
};
