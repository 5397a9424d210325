// SPDX-License-Identifier: MIT
#pragma once

#include "tools/fgg/FggCommands.h"

// fgg gui FILE: loads a GUI stream as the game does; prints "ok" or "failed", then one line per
// control that was built (see gui/GuiTreeText.h). Exit 0 when the file loaded, else 1.
[[nodiscard]] int RunGui(TFggArgs Args, const TFggIo& Io);
