// SPDX-License-Identifier: MIT
#pragma once

// Keeps the graphics driver's shared libraries loaded until the process ends. The system's
// OpenGL loader unloads them when the display closes; memory they keep for the process's
// lifetime then has no module name left, and the leak checker of our test builds cannot tell
// it from a leak of the game's own.
void KeepGraphicsDriversLoaded();
