// SPDX-License-Identifier: MIT
#pragma once

#include "platform/PadInput.h"
#include "platform/RenderBackend.h"
#include "platform/Types.h"
#include "platform/WindowInput.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct SDL_Window;
struct _SDL_GameController;
union SDL_Event;

// Whether a window the player could see can be had. The check starts the video system and,
// when a display is there, keeps it started for its own life, so the window created meanwhile
// finds it running instead of connecting to the display server a second time.
class TDisplayCheck {
public:
    TDisplayCheck();
    ~TDisplayCheck();
    TDisplayCheck(const TDisplayCheck&) = delete;
    TDisplayCheck& operator=(const TDisplayCheck&) = delete;

    // Why such a window cannot be had: no display server, or only the offscreen and dummy
    // drivers, which draw nowhere. Empty when a display is there.
    [[nodiscard]] const std::string& Problem() const { return Problem_; }

private:
    std::string Problem_;
    bool VideoStarted = false;
};

// The game's one window, drawn through OpenGL: resizable, it opens centred at the largest whole
// multiple of the 800x600 screen that fits into nine tenths of the desktop, and shows the
// screen scaled to fit between black bars at any size. Its events reach the game through
// Input()'s listener.
class TGameWindow {
public:
    // Caption in code page 1251. Hidden windows serve headless runs and tests and open at
    // 800x600. nullptr when the video system or the window cannot be created, with the reason
    // in Problem when given.
    // Without OpenGl the window only ever gets the recording renderer, and the OpenGL driver
    // (tens of megabytes of code) is never loaded.
    [[nodiscard]] static std::unique_ptr<TGameWindow>
    Create(std::string_view Caption, bool Hidden = false, std::string* Problem = nullptr, bool OpenGl = true);
    ~TGameWindow();
    TGameWindow(const TGameWindow&) = delete;
    TGameWindow& operator=(const TGameWindow&) = delete;

    // The OpenGL renderer of this window (the device's backend factory); nullptr without
    // OpenGL 3.3. Full screen uses the desktop's resolution with the logical screen scaled
    // uniformly and centred.
    // RecordOnly: a backend that records each frame's drawing and rasterises nothing (headless
    // runs that need no pictures); otherwise OpenGL.
    [[nodiscard]] std::unique_ptr<TRenderBackend> CreateBackend(const TDisplaySettings& Settings,
                                                                bool RecordOnly = false);
    // Why the last CreateBackend failed ("OpenGL 3.3 core is needed; ..."), empty after a success.
    [[nodiscard]] const std::string& BackendProblem() const { return BackendProblem_; }

    // Handles every pending system event; returns at once when there is none.
    void PumpEvents();
    // Sleeps until an event comes or Milliseconds pass, then handles what came.
    void WaitEvents(int32_t Milliseconds);
    [[nodiscard]] TWindowInput& Input() { return Input_; }
    // Game controllers, plugged in before the start or while the game runs (a shown window
    // only: a headless run listens to its control script alone).
    [[nodiscard]] TPadInput& Pad() { return Pad_; }
    // Starts listening to game controllers (once; a shown window only). Finding them scans the
    // system's input devices, so the game does it after its first picture is on screen.
    void ListenToPads();

    // Shows the picture file (PNG) as the window's icon; false when it cannot be read.
    bool SetIcon(const std::string& PictureFile);
    void HideSystemPointer();
    [[nodiscard]] TPoint Position() const;
    void SetPosition(TPoint Value);
    // Centred on the desktop at its current size (back in a window after full screen).
    void Centre();
    [[nodiscard]] TPoint ClientSize() const;
    void Minimize();
    // The refresh rate of the display the window is on, in Hz; 0 when it does not tell.
    [[nodiscard]] int32_t RefreshRate() const;
    // The pointer where the window last saw it, in client and in logical coordinates.
    [[nodiscard]] TPoint PointerClient() const { return Input_.Pointer(); }
    [[nodiscard]] TPoint PointerLogical() const { return Input_.ToLogical(Input_.Pointer()); }

private:
    TGameWindow(SDL_Window* Window, bool Hidden);
    void Dispatch(const SDL_Event& Event);
    void DispatchPad(const SDL_Event& Event);
    void OpenController(int32_t DeviceIndex);
    void CloseController(int32_t InstanceId);
    void UpdateDrawingArea();

    SDL_Window* Window;
    TWindowInput Input_;
    TPadInput Pad_{Input_};
    const bool Hidden;
    bool PadsStarted = false;
    bool ListensToPads = false;
    std::vector<_SDL_GameController*> Controllers;
    int32_t StickX = 0;
    int32_t StickY = 0;
    std::string BackendProblem_;
};
