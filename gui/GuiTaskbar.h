// SPDX-License-Identifier: MIT
#pragma once

#include "gui/GuiControl.h"

#include <functional>
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
    // True when the key moved or used the keyboard focus (the application then ignores its
    // release).
    bool WindowKeyDown(uint16_t Key, TGuiShift Shift);
    void WindowKeyUp(uint16_t Key, TGuiShift Shift);
    void WindowKeyPress(uint8_t Char);

    // The root is never the target of an event.
    [[nodiscard]] TGuiControl* ControlAt(TPoint Position) override;

    // The control the keyboard focus ring is on, or nullptr: while it is one of the front form's
    // focusable controls the ring is drawn round it. A mouse move hides the ring.
    [[nodiscard]] TGuiControl* KeyFocus();
    // Draws the ring (after the tree).
    void DrawKeyFocus();

    // Off where the arrows mean something else (the board in play): the keys then pass on.
    bool KeyNavigation = true;
    // Told whenever the ring moves to another control.
    std::function<void(TGuiControl& Control)> OnKeyFocus;

    TPoint LastPos;
    uint8_t LastButton = mbNone;
    TGuiShift LastShift = 0;
    TGuiControl* Hover = nullptr;
    TGuiControl* Capture = nullptr;
    int32_t CaptureCount = 0;

protected:
    void DoMouse(TPoint Position, uint8_t Kind, uint8_t Button, TGuiShift Shift) override;
    void ForgetControl(const TGuiControl& Control) override;

private:
    // Tab, the arrows, Enter and Space on the focus; true when used.
    [[nodiscard]] bool FocusKey(uint8_t Key, TGuiShift Shift);
    // The end of the focus chain from the root, or nullptr.
    [[nodiscard]] TGuiControl* FocusedLeaf();
    // Moves the ring by Step through the candidates (from nowhere: to the first one).
    // False when there is nothing to focus.
    bool MoveKeyFocus(int32_t Step);
    // Presses, releases and clicks the control in its centre, as the mouse would.
    static void Activate(TGuiControl& Control);

    TGuiControl* KeyFocus_ = nullptr;
};
