// SPDX-License-Identifier: MIT
#include "gui/GuiTaskbar.h"

#include "archive/Stream.h"
#include "gui/GuiForm.h"
#include "gui/GuiKeyFocus.h"
#include "platform/KeyMap.h"

#include <algorithm>

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
    if (Position.X != LastPos.X || Position.Y != LastPos.Y) {
        KeyFocus_ = nullptr;
    }
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

bool TGuiTaskbar::WindowKeyDown(uint16_t Key, TGuiShift Shift) {
    const auto key = static_cast<uint8_t>(Key & 0xFF);
    if (KeyNavigation && FocusKey(key, Shift)) {
        return true;
    }
    KeyEvent(key, kkDown, Shift);
    return false;
}

bool TGuiTaskbar::FocusKey(uint8_t Key, TGuiShift Shift) {
    TGuiControl* focus = KeyFocus();
    if (Key == vk::Tab) {
        return MoveKeyFocus((Shift & ssShift) != 0 ? -1 : 1);
    }
    // An edit box holding the focus (ringed or clicked into) keeps its own keys.
    const TGuiControl* typing = focus != nullptr ? focus : FocusedLeaf();
    if (typing != nullptr && KeepsOwnKeys(*typing) && !typing->HasHiddenAncestorOrSelf()) {
        return false;
    }
    if (Key == vk::Up || Key == vk::Left) {
        return MoveKeyFocus(-1);
    }
    if (Key == vk::Down || Key == vk::Right) {
        return MoveKeyFocus(1);
    }
    if ((Key == vk::Return || Key == vk::Space) && focus != nullptr) {
        Activate(*focus);
        return true;
    }
    return false;
}

TGuiControl* TGuiTaskbar::FocusedLeaf() {
    TGuiControl* c = this;
    while (TGuiControl* next = c->Child(c->FocusIndex())) {
        c = next;
    }
    return c == this ? nullptr : c;
}

TGuiControl* TGuiTaskbar::KeyFocus() {
    if (KeyFocus_ != nullptr) {
        const std::vector<TGuiControl*> candidates = KeyFocusCandidates(*this);
        if (std::find(candidates.begin(), candidates.end(), KeyFocus_) == candidates.end()) {
            KeyFocus_ = nullptr;
        }
    }
    return KeyFocus_;
}

bool TGuiTaskbar::MoveKeyFocus(int32_t Step) {
    const std::vector<TGuiControl*> candidates = KeyFocusCandidates(*this);
    if (candidates.empty()) {
        return false;
    }
    const auto at = std::find(candidates.begin(), candidates.end(), KeyFocus_);
    size_t index = 0;
    if (at != candidates.end()) {
        const auto count = static_cast<int64_t>(candidates.size());
        index = static_cast<size_t>(((at - candidates.begin() + Step) % count + count) % count);
    }
    TGuiControl* next = candidates[index];
    const bool moved = next != KeyFocus_;
    KeyFocus_ = next;
    next->SetFocus();
    if (moved && OnKeyFocus) {
        OnKeyFocus(*next);
    }
    return true;
}

void TGuiTaskbar::Activate(TGuiControl& Control) {
    const TRect r = Control.ScreenRect();
    const TPoint centre{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    Control.MouseEvent(centre, mkDown, mbLeft, 0);
    Control.MouseEvent(centre, mkUp, mbLeft, 0);
    Control.MouseEvent(centre, mkClick, mbLeft, 0);
}

void TGuiTaskbar::DrawKeyFocus() {
    if (const TGuiControl* focus = KeyFocus()) {
        DrawFocusRing(focus->ScreenRect());
    }
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
    if (IsInside(KeyFocus_, Control)) {
        KeyFocus_ = nullptr;
    }
    if (IsInside(Hover, Control)) {
        Hover = nullptr;
    }
    if (IsInside(Capture, Control)) {
        Capture = nullptr;
        CaptureCount = 0;
    }
}
