// SPDX-License-Identifier: MIT
#include "app/FrameLoop.h"

#include "platform/Clock.h"
#include "platform/GameWindow.h"

TFrameLoop::TFrameLoop(IFrameClient& Client, TClock& Clock) : Client(Client), WindowPacer(Clock) {}

void TFrameLoop::WindowPass(TGameWindow& Window) {
    Window.PumpEvents();
    if (!WindowStarted) {
        WindowPacer.SetDisplayRate(Window.RefreshRate());
        // The game's time starts with its first picture: the start-up before it is no stall
        // to catch up on, so the first pass runs one frame and draws it at once.
        WindowPacer.Restart();
        WindowStarted = true;
    }
    if (Client.Asleep()) {
        Window.WaitEvents(AsleepWaitMs);
        WindowPacer.Restart();
        // It may come back on another display.
        WindowPacer.SetDisplayRate(Window.RefreshRate());
        return;
    }
    const int32_t due = WindowPacer.Wait();
    RunDue(due, WindowPacer.PictureDue());
}

int32_t TFrameLoop::RunDue(int32_t Due, bool Picture) {
    int32_t ran = 0;
    for (; ran < Due && Client.GoesOn(); ++ran) {
        Client.LogicFrame(Picture && ran == Due - 1);
    }
    return ran;
}

void TFrameLoop::Frames(TVirtualClock* Clock, int32_t Count) {
    for (int32_t i = 0; i < Count && Client.GoesOn(); ++i) {
        if (Clock) {
            Clock->Advance(10000);
        }
        Client.LogicFrame(true);
    }
}

int64_t TFrameLoop::SimulateDisplay(TVirtualClock& Clock, int32_t Hz, int32_t Milliseconds) {
    RetraceHz_ = Hz;
    TFramePacer pacer(Clock);
    pacer.SetDisplayRate(Hz);
    const uint64_t end = Clock.Counter() + static_cast<uint64_t>(Milliseconds) * 1000;
    int64_t frames = 0;
    while (Clock.Counter() < end && Client.GoesOn()) {
        if (Client.Asleep()) {
            Clock.Sleep(AsleepWaitMs);
            pacer.Restart();
            continue;
        }
        const int32_t due = pacer.Wait();
        frames += RunDue(due, pacer.PictureDue());
    }
    RetraceHz_ = 0;
    return frames;
}
