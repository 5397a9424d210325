// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Types.h"

#include <cstdint>
#include <string>

// What the board needs from the rest of the game: the screen it is shown on, the running
// score, sounds, the pointer, and the scene's reactions to progress. The main window
// implements it; tests use a small fake.
class IBoardHost {
public:
    virtual ~IBoardHost() = default;
    [[nodiscard]] virtual uint8_t ScreenState() const = 0;
    [[nodiscard]] virtual int32_t GetScore() const = 0;
    virtual void SetScore(int32_t Value) = 0;
    virtual void PlaySound(const std::string& Name) = 0;
    // The pointer in logical screen coordinates.
    [[nodiscard]] virtual TPointF PointerPosition() const = 0;
    // The faces react to the share of the stage's tiles cleared (0..100).
    virtual void ProgressChanged(uint8_t ProgressPercent) = 0;
    // A collected level target fills the element picture up to this index.
    virtual void SetElementIndex(int32_t Index) = 0;
};
