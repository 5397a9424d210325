// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

class TClock;

// Keeps the game at a fixed number of logic frames per second of real time, whatever the
// display's refresh rate and whether presents wait for it. Wait sleeps until at least one
// logic frame is due and says how many are due; the caller runs them and draws only the last.
// A display slower than the logic rate so gets several logic frames per picture, a faster one
// never more than one picture per logic frame. After a stall (a dragged window, a busy disk)
// at most MaxCatchUp frames run and the rest of the stall is let go, so the game never
// fast-forwards.
class TFramePacer {
public:
    explicit TFramePacer(TClock& Clock, int32_t FramesPerSecond = 100, int32_t MaxCatchUp = 10);

    // Sleeps until the next logic frame is due; how many are due now (1 to MaxCatchUp).
    int32_t Wait();
    // After a time without frames (a minimised window) the next frame is due at once, with
    // nothing to catch up.
    void Restart() { Next = Now(); }

    // The display's refresh rate in Hz; 0 when the display does not tell, taken as 60 Hz.
    void SetDisplayRate(int32_t Hz);
    // Whether this pass should draw: at most one picture per refresh of the display, whether
    // or not presents wait for the retrace. The display's refreshes fall on whole multiples
    // of its period; a picture is due when the pass is in a later period than the last picture.
    [[nodiscard]] bool PictureDue();

private:
    // The clock's counter in microseconds.
    [[nodiscard]] uint64_t Now() const;

    TClock& Clock;
    uint64_t Period;
    int32_t MaxCatchUp;
    uint64_t Next;
    uint64_t DisplayRate = 60;
    uint64_t LastPictureSlot = UINT64_MAX;
};
