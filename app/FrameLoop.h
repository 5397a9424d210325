// SPDX-License-Identifier: MIT
#pragma once

#include "engine/FramePacer.h"

#include <cstdint>

class TClock;
class TGameWindow;
class TVirtualClock;

// What the frame loops drive: the game's logic frames and whether the game goes on.
class IFrameClient {
public:
    virtual ~IFrameClient() = default;
    // One logic frame, 10 ms of game time; Draw false computes it without a picture.
    virtual void LogicFrame(bool Draw) = 0;
    // The game has not been closed and no quit signal came.
    [[nodiscard]] virtual bool GoesOn() const = 0;
    // The window is minimised or hidden: nobody sees a frame until it is back.
    [[nodiscard]] virtual bool Asleep() const = 0;

protected:
    IFrameClient() = default;
    IFrameClient(const IFrameClient&) = default;
    IFrameClient& operator=(const IFrameClient&) = default;
};

// The game's frame loops. The logic always runs 100 frames a second of game time. A window
// follows the real clock: each pass runs the frames due, draws only the last of them and at
// most once per display refresh, and sleeps on the window's events while nobody can see it.
// A headless run follows a virtual clock its control script moves: a number of frames, each
// drawn, or a display of a given refresh rate simulated for a stretch of virtual time.
class TFrameLoop {
public:
    TFrameLoop(IFrameClient& Client, TClock& Clock);

    // One pass of a windowed run: the window's events, then the logic frames due, the last
    // one drawn when the display is ready for a picture; or, while the window is away, one
    // sleep on its events.
    void WindowPass(TGameWindow& Window);
    // Count logic frames run at once, each drawn; a headless run's virtual Clock moves 10 ms
    // before each (a windowed run has none: its real clock goes on by itself).
    void Frames(TVirtualClock* Clock, int32_t Count);
    // A headless run shown for Milliseconds of virtual time on a display of Hz that waits for
    // its retrace, as a window would run; how many logic frames ran.
    int64_t SimulateDisplay(TVirtualClock& Clock, int32_t Hz, int32_t Milliseconds);
    // The refresh rate of the display being simulated, 0 when none is: a present waits for
    // that display's next retrace.
    [[nodiscard]] int32_t RetraceHz() const { return RetraceHz_; }

    // How long one sleep on the window's events lasts at most while asleep, so a quit signal
    // is still seen at once.
    static constexpr int32_t AsleepWaitMs = 250;

private:
    // Runs the Due frames a pacer found, drawing the last when Picture; how many ran (fewer
    // when the game ends among them).
    int32_t RunDue(int32_t Due, bool Picture);

    IFrameClient& Client;
    TFramePacer WindowPacer;
    bool WindowStarted = false;
    int32_t RetraceHz_ = 0;
};
