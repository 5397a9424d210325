// SPDX-License-Identifier: MIT
#include "platform/WindowInput.h"

#include "platform/KeyMap.h"
#include "platform/Text.h"

#include <cmath>
#include <string>

namespace {

// Half-way positions go to the even neighbour, as the GUI's mouse mapping wants.
[[nodiscard]] int32_t RoundHalfEven(double Value) {
    return static_cast<int32_t>(std::nearbyint(Value));
}

[[nodiscard]] uint8_t ModifierBit(uint8_t Key) {
    switch (Key) {
    case vk::Shift:
        return ss::Shift;
    case vk::Control:
        return ss::Ctrl;
    case vk::Menu:
        return ss::Alt;
    default:
        return 0;
    }
}

// Keys that also type a control character, as they do under Windows.
[[nodiscard]] bool TypesCharacter(uint8_t Key) {
    return Key == vk::Back || Key == vk::Tab || Key == vk::Return || Key == vk::Escape;
}

} // namespace

void TWindowInput::SetDrawingArea(const TRect& Value) {
    if (!Value.IsEmpty()) {
        Area = Value;
    }
}

std::pair<double, double> TWindowInput::Unscaled(TPoint Client) const {
    const double Sx = static_cast<double>(Area.Width()) / 800.0;
    const double Sy = static_cast<double>(Area.Height()) / 600.0;
    return {(Client.X - Area.Left) / Sx, (Client.Y - Area.Top) / Sy};
}

TPointF TWindowInput::ToLogicalExact(TPoint Client) const {
    const auto [X, Y] = Unscaled(Client);
    return {static_cast<float>(X), static_cast<float>(Y)};
}

TPoint TWindowInput::ToLogical(TPoint Client) const {
    const auto [X, Y] = Unscaled(Client);
    return {RoundHalfEven(X), RoundHalfEven(Y)};
}

TPoint TWindowInput::ToClient(TPoint Logical) const {
    const double Sx = static_cast<double>(Area.Width()) / 800.0;
    const double Sy = static_cast<double>(Area.Height()) / 600.0;
    return {Area.Left + static_cast<int32_t>(std::lround(Logical.X * Sx)),
            Area.Top + static_cast<int32_t>(std::lround(Logical.Y * Sy))};
}

uint8_t TWindowInput::ButtonBit(uint8_t Button) {
    switch (Button) {
    case mb::Left:
        return ss::Left;
    case mb::Right:
        return ss::Right;
    case mb::Middle:
        return ss::Middle;
    default:
        return 0;
    }
}

TMouseInput TWindowInput::MakeEvent(uint8_t Button, TPoint Client, uint8_t Shift) const {
    TMouseInput Event;
    Event.Button = Button;
    Event.Shift = Shift;
    Event.Position = {Client.X - Area.Left, Client.Y - Area.Top};
    Event.Exact = ToLogicalExact(Client);
    Event.Logical = ToLogical(Client);
    return Event;
}

void TWindowInput::MouseDown(uint8_t Button, TPoint Client, bool DoubleClick) {
    const uint8_t Bit = ButtonBit(Button);
    if (Bit == 0) {
        return;
    }
    Last = Client;
    Buttons |= Bit;
    const bool Doubled = DoubleClick && Button == mb::Left;
    if (Button == mb::Left) {
        LeftDoubled = Doubled;
    }
    if (Listener == nullptr) {
        return;
    }
    if (Doubled) {
        Listener->DoubleClick();
    }
    Listener->MouseDown(MakeEvent(Button, Client, ShiftState() | (Doubled ? ss::Double : 0)));
}

void TWindowInput::MouseUp(uint8_t Button, TPoint Client) {
    const uint8_t Bit = ButtonBit(Button);
    if (Bit == 0) {
        return;
    }
    Last = Client;
    const bool WasDown = (Buttons & Bit) != 0;
    Buttons &= static_cast<uint8_t>(~Bit);
    if (Listener == nullptr) {
        return;
    }
    Listener->MouseUp(MakeEvent(Button, Client, ShiftState()));
    // The release of a double click's second press is not another click.
    if (Button == mb::Left && WasDown && !LeftDoubled) {
        Listener->Click();
    }
    if (Button == mb::Left) {
        LeftDoubled = false;
    }
}

void TWindowInput::MouseMove(TPoint Client) {
    Last = Client;
    if (Listener != nullptr) {
        Listener->MouseMove(MakeEvent(mb::None, Client, ShiftState()));
    }
}

void TWindowInput::KeyDown(uint8_t Key) {
    if (Key == 0) {
        return;
    }
    Modifiers |= ModifierBit(Key);
    if (Listener == nullptr) {
        return;
    }
    Listener->KeyDown(Key, ShiftState());
    if (TypesCharacter(Key)) {
        Listener->KeyPress(static_cast<char>(Key));
    }
}

void TWindowInput::KeyUp(uint8_t Key) {
    if (Key == 0) {
        return;
    }
    Modifiers &= static_cast<uint8_t>(~ModifierBit(Key));
    if (Listener != nullptr) {
        Listener->KeyUp(Key, ShiftState());
    }
}

void TWindowInput::Text(std::string_view Utf8) {
    if (Listener == nullptr) {
        return;
    }
    for (const char Character : Utf8ToCp1251Dropping(Utf8)) {
        Listener->KeyPress(Character);
    }
}

void TWindowInput::Close() {
    if (Listener != nullptr) {
        Listener->CloseRequest();
    }
}

void TWindowInput::Minimize() {
    if (Listener != nullptr) {
        Listener->Minimized();
    }
}

void TWindowInput::Restore() {
    if (Listener != nullptr) {
        Listener->Restored();
    }
}

void TWindowInput::Expose() {
    if (Listener != nullptr) {
        Listener->Exposed();
    }
}

void TWindowInput::Hide() {
    if (Listener != nullptr) {
        Listener->Hidden();
    }
}

void TWindowInput::Focus(bool Focused) {
    // Keys released while another window had the focus never reach us: forget them.
    if (!Focused) {
        Modifiers = 0;
        Buttons = 0;
    }
    if (Listener != nullptr) {
        Listener->FocusChanged(Focused);
    }
}
