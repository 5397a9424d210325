// SPDX-License-Identifier: MIT
#pragma once

#include "gui/GuiContext.h"

#include <cstdint>
#include <vector>

// Takes the reserved control keys out of what edit boxes accept: Tab, Shift, Ctrl, Space, the
// paging and arrow keys, Insert and Delete leave the editing keys; any other code, upper-cased
// as a character, leaves the typing keys when it is one of them by default.
void ReserveKeyCodes(const std::vector<int32_t>& Codes, TGuiCharSet& TypeableChars, TGuiCharSet& EditKeys);
