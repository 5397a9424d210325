// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// One command of an automation control file (see docs/automation.md).
enum class TCommandKind : uint8_t {
    Frames,
    Move,
    Press,
    Release,
    Click,
    Key,
    KeyDown,
    KeyUp,
    Type,
    Close,
    Minimize,
    Restore,
    Focus,
    Display,
    Screenshot,
    Dump,
    Stats,
    Texts,
    Quit,
    Pad,
    PadDown,
    PadUp,
    PadStick,
};

struct TCommand {
    TCommandKind Kind = TCommandKind::Frames;
    int32_t Count = 0;      // frames N; display: its refresh rate
    int32_t Milliseconds = 0; // display: how long it runs
    int32_t X = 0, Y = 0;   // pointer commands, logical coordinates
    uint8_t Button = 0;     // 0 left, 1 right, 2 middle
    uint8_t Key = 0;        // virtual-key code
    uint8_t PadButton = 0;  // pad, paddown, padup: a TPadButton; padstick: X and Y
    bool Focused = false;   // focus in (true) or out
    std::string Text;       // type TEXT (UTF-8), screenshot FILE
};

// Parses one line. Empty lines and lines starting with '#' give no command and no error;
// anything else that is not a valid command gives no command and an error message.
struct TParsedLine {
    std::optional<TCommand> Command;
    std::string Error;
};
[[nodiscard]] TParsedLine ParseCommandLine(std::string_view Line);
