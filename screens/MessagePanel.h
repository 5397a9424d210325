// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Types.h"

#include <cstdint>
#include <functional>
#include <string>

class TGuiBase;
class TGuiControl;

// The game's own message box: the "scr_message" form of the screens file, in front of every
// other form, closed by its button, Enter or Escape. While it is open the keys and the clicks
// meant for the screens under it are held back, as a system box would hold them.
class TMessagePanel {
public:
    explicit TMessagePanel(TGuiBase& Gui);

    // Shows Text (code page 1251) in the box; false when the screens file has no box, and the
    // caller shows the system box instead.
    bool Show(const std::string& Text);
    [[nodiscard]] bool Open() const { return Open_; }
    void Close();
    // Once a frame: forms shown since the box opened stay behind it.
    void KeepInFront() const;
    // A key while the box is open: Enter and Escape close it, every key is held back. False
    // when the box is closed.
    bool Key(uint8_t Key);
    // A typed character while the box is open, or the one that comes with the key that closed
    // it, is held back too (true), so the Enter that closes the box confirms nothing under it.
    bool HoldsCharacter();
    // True for a pointer position outside the open box: the press or release is held back.
    [[nodiscard]] bool HoldsPointer(TPoint Position) const;

    // After the box closed.
    std::function<void()> OnClose;

private:
    TGuiControl* Form = nullptr;
    TGuiControl* Text = nullptr;
    bool Open_ = false;
    bool ClosedByKey = false;
};
