// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Types.h"

#include <vector>

class TGuiControl;

// The controls the keyboard focus moves between: the enabled, visible buttons, check boxes,
// radio buttons and edit boxes of the front-most shown form that has any, in reading order
// (rows from the top, each row from the left). Empty when no shown form has one.
[[nodiscard]] std::vector<TGuiControl*> KeyFocusCandidates(TGuiControl& Root);

// True for an edit box: it keeps the arrows, Space and Enter for itself.
[[nodiscard]] bool KeepsOwnKeys(const TGuiControl& Control);

// The focus ring round Rect: a dark outline so it reads on every background, gold lines and a
// bright inner line, in the colours of the selected piece's mark.
void DrawFocusRing(const TRect& Rect);
