// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Types.h"

#include <cstdint>
#include <string_view>
#include <utility>

// Shift state bits of mouse and key events, one byte.
namespace ss {
constexpr uint8_t Shift = 1;
constexpr uint8_t Alt = 2;
constexpr uint8_t Ctrl = 4;
constexpr uint8_t Left = 8;
constexpr uint8_t Right = 16;
constexpr uint8_t Middle = 32;
constexpr uint8_t Double = 64;
} // namespace ss

// Mouse buttons of window events: 0 left, 1 right, 2 middle; 3 on moves.
namespace mb {
constexpr uint8_t Left = 0;
constexpr uint8_t Right = 1;
constexpr uint8_t Middle = 2;
constexpr uint8_t None = 3;
} // namespace mb

// Where a mouse event happened. Position is in pixels of the drawing area (the window's
// client area minus any full-screen bars): the GUI divides it by the device's scale factors.
// Logical is that division already made, rounded half to even, in the 800x600 screen; Exact
// is the same point unrounded (the pointer between two logical pixels of an enlarged screen).
struct TMouseInput {
    uint8_t Button = mb::None;
    uint8_t Shift = 0;
    TPoint Position;
    TPoint Logical;
    TPointF Exact;
};

// What the window tells the game. Every handler does nothing unless overridden.
class IWindowListener {
public:
    virtual ~IWindowListener() = default;
    virtual void MouseDown(const TMouseInput&) {}
    virtual void MouseUp(const TMouseInput&) {}
    virtual void MouseMove(const TMouseInput&) {}
    // After a left-button release; a double click comes before the second press.
    virtual void Click() {}
    virtual void DoubleClick() {}
    // Virtual-key codes; auto-repeat sends further downs without ups.
    virtual void KeyDown(uint8_t /*Key*/, uint8_t /*Shift*/) {}
    virtual void KeyUp(uint8_t /*Key*/, uint8_t /*Shift*/) {}
    // A typed character in code page 1251 (also Backspace 8, Tab 9, Enter 13, Escape 27).
    virtual void KeyPress(char /*Character*/) {}
    virtual void CloseRequest() {}
    virtual void Minimized() {}
    virtual void Hidden() {}
    // The window is back on screen after being minimised or hidden.
    virtual void Restored() {}
    // The desktop uncovered the window or changed its size: its picture must be drawn again.
    virtual void Exposed() {}
    virtual void FocusChanged(bool /*Focused*/) {}
};

// Turns raw input into the game's window events: button and modifier state, clicks and
// double clicks, the mapping from client pixels to the logical screen, typed text to code
// page 1251. It knows nothing of SDL, so the headless driver and the tests feed it directly.
class TWindowInput {
public:
    void SetListener(IWindowListener* Value) { Listener = Value; }
    // The client-area rectangle where the logical screen is drawn.
    void SetDrawingArea(const TRect& Area);
    [[nodiscard]] const TRect& DrawingArea() const { return Area; }
    [[nodiscard]] TPoint ToLogical(TPoint Client) const;
    [[nodiscard]] TPointF ToLogicalExact(TPoint Client) const;
    // The client pixel whose logical position is Logical (the headless driver's pointer).
    [[nodiscard]] TPoint ToClient(TPoint Logical) const;

    // Positions in client pixels. Unknown buttons are ignored.
    void MouseDown(uint8_t Button, TPoint Client, bool DoubleClick = false);
    void MouseUp(uint8_t Button, TPoint Client);
    void MouseMove(TPoint Client);
    void KeyDown(uint8_t Key);
    void KeyUp(uint8_t Key);
    // UTF-8 text as typed; characters code page 1251 lacks arrive as '?'.
    void Text(std::string_view Utf8);
    void Close();
    void Minimize();
    void Hide();
    void Restore();
    void Expose();
    void Focus(bool Focused);

    [[nodiscard]] uint8_t ShiftState() const { return Modifiers | Buttons; }
    // The last pointer position seen, in client pixels.
    [[nodiscard]] TPoint Pointer() const { return Last; }

private:
    // Client pixels in logical units, unrounded.
    [[nodiscard]] std::pair<double, double> Unscaled(TPoint Client) const;
    [[nodiscard]] TMouseInput MakeEvent(uint8_t Button, TPoint Client, uint8_t Shift) const;
    [[nodiscard]] static uint8_t ButtonBit(uint8_t Button);

    IWindowListener* Listener = nullptr;
    TRect Area{0, 0, 800, 600};
    TPoint Last;
    uint8_t Modifiers = 0;
    uint8_t Buttons = 0;
    bool LeftDoubled = false;
};
