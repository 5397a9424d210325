// SPDX-License-Identifier: MIT
#pragma once

struct TCommand;
class TPadInput;

// The control language's game-controller commands (docs/automation.md): "pad" presses and
// releases a button, "paddown" and "padup" hold and let go of one, "padstick" leans the left
// stick. They reach the game as a real controller's would, through the pad's keys.
// Any other command is left alone.
void RunPadCommand(const TCommand& Command, TPadInput& Pad);
