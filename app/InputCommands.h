// SPDX-License-Identifier: MIT
#pragma once

struct TCommand;
class TPadInput;
class TWindowInput;

// The control language's input commands (docs/automation.md): the pointer, the keys, typed
// text, the window's close, minimise, restore and focus, and the game controller. They reach
// the game through the window's input as the player's own would, at the command's logical
// point. False for any other command, which is left alone.
bool RunInputCommand(const TCommand& Command, TWindowInput& Input, TPadInput& Pad);
