// SPDX-License-Identifier: MIT
#include "gui/GuiTaskbar.h"

#include "archive/Stream.h"
#include "gui/GuiForm.h"

namespace {

uint8_t ButtonOf(uint8_t Button) {
    return Button <= mbMiddle ? Button : static_cast<uint8_t>(mbNone);
}

bool IsInside(const TGuiControl* Control, const TGuiControl& Ancestor) {
    for (const TGuiControl* c = Control; c != nullptr; c = c->Parent()) {
        if (c == &Ancestor) {
            return true;
        }
    }
    return false;
}

} // namespace

TGuiTaskbar::TGuiTaskbar() : TGuiControl(nullptr) {}

TGuiTaskbar::~TGuiTaskbar() {
    Hover = nullptr;
    Capture = nullptr;
    ClearChildren();
}

bool TGuiTaskbar::LoadFromFile(const std::string& FileName) {
    TFileStream stream(FileName, TFileStream::TMode::Read);
    return stream.IsOpen() && LoadFromStream(stream);
}

void TGuiTaskbar::WindowMouseDown(uint8_t Button, TGuiShift Shift, TPoint Position) {
    LastPos = Position;
    LastButton = ButtonOf(Button);
    LastShift = Shift;
    MouseEvent(Position, mkDown, LastButton, Shift);
}

void TGuiTaskbar::WindowMouseUp(uint8_t Button, TGuiShift Shift, TPoint Position) {
    LastPos = Position;
    LastButton = ButtonOf(Button);
    LastShift = Shift;
    MouseEvent(Position, mkUp, LastButton, Shift);
}

void TGuiTaskbar::WindowMouseMove(TGuiShift Shift, TPoint Position) {
    LastPos = Position;
    LastButton = mbNone;
    LastShift = Shift;
    MouseEvent(Position, mkMove, mbNone, Shift);
}

void TGuiTaskbar::WindowClick() {
    MouseEvent(LastPos, mkClick, LastButton, LastShift);
}

void TGuiTaskbar::WindowDblClick() {
    MouseEvent(LastPos, mkDblClick, LastButton, LastShift);
}

void TGuiTaskbar::WindowKeyDown(uint16_t Key, TGuiShift Shift) {
    KeyEvent(static_cast<uint8_t>(Key & 0xFF), kkDown, Shift);
}

void TGuiTaskbar::WindowKeyUp(uint16_t Key, TGuiShift Shift) {
    KeyEvent(static_cast<uint8_t>(Key & 0xFF), kkUp, Shift);
}

void TGuiTaskbar::WindowKeyPress(uint8_t Char) {
    KeyEvent(Char, kkPress, 0);
}

TGuiControl* TGuiTaskbar::ControlAt(TPoint Position) {
    TGuiControl* hit = TGuiControl::ControlAt(Position);
    return hit == this ? nullptr : hit;
}

void TGuiTaskbar::DoMouse(TPoint Position, uint8_t Kind, uint8_t Button, TGuiShift Shift) {
    TGuiControl* target = ControlAt(Position);
    // Chosen before a press sets the capture, so the press itself goes to the target.
    TGuiControl* receiver = Capture != nullptr ? Capture : target;
    if (Kind == mkDown && target != nullptr) {
        if (CaptureCount <= 0) {
            target->SetFocus();
            Capture = target;
        }
        if (auto* form = dynamic_cast<TGuiForm*>(Capture)) {
            form->SetFocus();
        }
        ++CaptureCount;
    }
    if (Kind == mkUp) {
        --CaptureCount;
        if (CaptureCount <= 0) {
            Capture = nullptr;
        }
    }
    if (CaptureCount <= 0 && target != nullptr && target != Hover) {
        target->MouseEvent(Position, mkEnter, Button, Shift);
    }
    if (receiver != nullptr && receiver->Enabled()) {
        receiver->MouseEvent(Position, Kind, Button, Shift);
    }
    // The hover does not change while a button is held.
    if (CaptureCount > 0 || target == Hover) {
        return;
    }
    if (Hover != nullptr) {
        Hover->MouseEvent(Position, mkLeave, Button, Shift);
    }
    Hover = target;
}

void TGuiTaskbar::ForgetControl(const TGuiControl& Control) {
    if (IsInside(Hover, Control)) {
        Hover = nullptr;
    }
    if (IsInside(Capture, Control)) {
        Capture = nullptr;
        CaptureCount = 0;
    }
}
