// SPDX-License-Identifier: MIT
#include "platform/PadInput.h"

#include "platform/WindowInput.h"

#include <cstdlib>

namespace {
constexpr uint8_t kLeft = 37, kUp = 38, kRight = 39, kDown = 40, kEnter = 13, kEscape = 27, kP = 80, kH = 72;

// Each button's name in control scripts and the key it stands for.
struct TPadName {
    std::string_view Name;
    TPadButton Button;
    uint8_t Key;
};
constexpr TPadName kNames[] = {
    {"up", TPadButton::Up, kUp},  {"down", TPadButton::Down, kDown}, {"left", TPadButton::Left, kLeft},
    {"right", TPadButton::Right, kRight}, {"a", TPadButton::A, kEnter}, {"b", TPadButton::B, kEscape},
    {"y", TPadButton::Y, kH},     {"start", TPadButton::Start, kP},
};

uint8_t Bit(TPadButton Button) { return static_cast<uint8_t>(1u << static_cast<uint8_t>(Button)); }
} // namespace

uint8_t TPadInput::KeyOf(TPadButton Button) {
    for (const TPadName& n : kNames) {
        if (n.Button == Button) {
            return n.Key;
        }
    }
    return 0;
}

std::optional<TPadButton> TPadInput::ButtonOfName(std::string_view Name) {
    for (const TPadName& n : kNames) {
        if (n.Name == Name) {
            return n.Button;
        }
    }
    return std::nullopt;
}

void TPadInput::Button(TPadButton Button, bool Down) {
    const bool wasDown = (Held & Bit(Button)) != 0;
    if (Down == wasDown) {
        return; // a second down without an up (two controllers, say) presses nothing twice
    }
    Held = static_cast<uint8_t>(Down ? Held | Bit(Button) : Held & ~Bit(Button));
    if (Down) {
        Keys.KeyDown(KeyOf(Button));
    } else {
        Keys.KeyUp(KeyOf(Button));
    }
}

void TPadInput::Stick(int32_t X, int32_t Y) {
    uint8_t key = 0;
    if (std::abs(X) >= DeadZone || std::abs(Y) >= DeadZone) {
        // The axis leaning further wins, so a diagonal moves one way at a time.
        key = std::abs(X) >= std::abs(Y) ? (X > 0 ? kRight : kLeft) : (Y > 0 ? kDown : kUp);
    }
    if (key == StickKey) {
        return;
    }
    StickKey = key;
    StickFrames = 0;
    if (key != 0) {
        Pulse(key);
    }
}

void TPadInput::Tick() {
    if (StickKey == 0) {
        return;
    }
    ++StickFrames;
    if (StickFrames >= RepeatDelay && (StickFrames - RepeatDelay) % RepeatEvery == 0) {
        Pulse(StickKey);
    }
}

void TPadInput::ReleaseAll() {
    for (const TPadName& n : kNames) {
        Button(n.Button, false);
    }
    StickKey = 0;
    StickFrames = 0;
}

void TPadInput::Pulse(uint8_t Key) {
    Keys.KeyDown(Key);
    Keys.KeyUp(Key);
}
