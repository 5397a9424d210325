// SPDX-License-Identifier: MIT
#pragma once

#include "platform/WindowInput.h"

#include <string>
#include <vector>

// Writes every key event a window input passes on as "+N" (down) or "-N" (up).
class TKeyEventLog final : public IWindowListener {
public:
    void KeyDown(uint8_t Key, uint8_t) override { Events.push_back("+" + std::to_string(Key)); }
    void KeyUp(uint8_t Key, uint8_t) override { Events.push_back("-" + std::to_string(Key)); }
    std::vector<std::string> Events;
};
