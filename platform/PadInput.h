// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

class TWindowInput;

// The buttons of a game controller the game listens to.
enum class TPadButton : uint8_t { Up, Down, Left, Right, A, B, Y, Start };

// Turns a game controller into the keys a player would press: the D-pad and the left stick
// are the arrows, A is Enter, B is Escape, Start is P (pause) and Y is H (hint). Buttons go
// down and up as keys do; the stick, once past its dead zone, presses its arrow at once, and
// when held, again after a pause and then at a steady pace, as a held key repeats. It knows
// nothing of the system, so the window, the control script and the tests feed it alike.
class TPadInput {
public:
    // The stick must lean this far (of 32767) before it counts; a worn stick at rest does not.
    static constexpr int32_t DeadZone = 12000;
    // Frames a leaning stick waits before it repeats, and then between its repeats.
    static constexpr int32_t RepeatDelay = 40;
    static constexpr int32_t RepeatEvery = 12;

    explicit TPadInput(TWindowInput& Keys) : Keys(Keys) {}

    void Button(TPadButton Button, bool Down);
    // The left stick's position, each axis -32768..32767 (down and right positive).
    void Stick(int32_t X, int32_t Y);
    // Once a logic frame: the leaning stick's repeats.
    void Tick();
    // A controller went away: every button it held comes up and the stick is at rest.
    void ReleaseAll();

    // The key code a button stands for.
    [[nodiscard]] static uint8_t KeyOf(TPadButton Button);
    // "up", "down", "left", "right", "a", "b", "y", "start".
    [[nodiscard]] static std::optional<TPadButton> ButtonOfName(std::string_view Name);

private:
    void Pulse(uint8_t Key);

    TWindowInput& Keys;
    uint8_t Held = 0;      // a bit per button that is down
    uint8_t StickKey = 0;  // the arrow the stick leans toward, 0 at rest
    int32_t StickFrames = 0;
};
