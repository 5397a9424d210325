// SPDX-License-Identifier: MIT
#pragma once

class IScreenHost;

// Draws the current screen's frame in its fixed layer order: what moves, the scene, the GUI,
// the overlays of the state, and the cursor last. Dt is the frame time in seconds (at most
// 0.001).
void DrawScreen(IScreenHost& Host, float Dt);
