// SPDX-License-Identifier: MIT
#include "app/PadCommands.h"

#include "app/Automation.h"
#include "platform/PadInput.h"

void RunPadCommand(const TCommand& Command, TPadInput& Pad) {
    const auto button = static_cast<TPadButton>(Command.PadButton);
    switch (Command.Kind) {
    case TCommandKind::Pad:
        Pad.Button(button, true);
        Pad.Button(button, false);
        break;
    case TCommandKind::PadDown:
    case TCommandKind::PadUp:
        Pad.Button(button, Command.Kind == TCommandKind::PadDown);
        break;
    case TCommandKind::PadStick:
        Pad.Stick(Command.X, Command.Y);
        break;
    default:
        break;
    }
}
