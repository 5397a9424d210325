// SPDX-License-Identifier: MIT
#include "platform/GameWindow.h"

#include "platform/DrawingArea.h"
#include "platform/GlBackend.h"
#include "platform/KeyMap.h"
#include "platform/RecordingBackend.h"
#include "platform/Text.h"

#include <SDL.h>

#include <string>

namespace {

constexpr int ClientWidth = 800;
constexpr int ClientHeight = 600;

[[nodiscard]] uint8_t ButtonOf(uint8_t SdlButton) {
    switch (SdlButton) {
    case SDL_BUTTON_LEFT:
        return mb::Left;
    case SDL_BUTTON_RIGHT:
        return mb::Right;
    case SDL_BUTTON_MIDDLE:
        return mb::Middle;
    default:
        return mb::None;
    }
}

} // namespace

std::unique_ptr<TGameWindow> TGameWindow::Create(std::string_view Caption, bool Hidden) {
    // Closing the window is the game's decision, so the system's close box only asks.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        return nullptr;
    }
    // The OpenGL driver stays loaded for the whole run: unloading it with the window would
    // make every later window (tests, a mode switch) load it again.
    static const bool DriverLoaded = SDL_GL_LoadLibrary(nullptr) == 0;
    (void)DriverLoaded;
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    const std::string Title = Cp1251ToUtf8(Caption);
    const Uint32 Flags = SDL_WINDOW_OPENGL | (Hidden ? SDL_WINDOW_HIDDEN : SDL_WINDOW_SHOWN);
    SDL_Window* Window = SDL_CreateWindow(Title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                          ClientWidth, ClientHeight, Flags);
    if (Window == nullptr) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return nullptr;
    }
    SDL_StartTextInput();
    return std::unique_ptr<TGameWindow>(new TGameWindow(Window));
}

TGameWindow::TGameWindow(SDL_Window* Window) : Window(Window) {
    UpdateDrawingArea();
}

TGameWindow::~TGameWindow() {
    SDL_StopTextInput();
    SDL_DestroyWindow(Window);
}

std::unique_ptr<TRenderBackend> TGameWindow::CreateBackend(const TDisplaySettings& Settings, bool RecordOnly) {
    std::unique_ptr<TRenderBackend> Backend;
    if (RecordOnly) {
        auto Recorder = std::make_unique<TRecordingBackend>(ClientWidth, ClientHeight);
        // A long run keeps only the frame being drawn.
        Recorder->ForgetPastScenes = true;
        Recorder->KeepTexturePixels = false;
        Backend = std::move(Recorder);
    } else {
        Backend = TGlBackend::Create(Window, Settings);
    }
    UpdateDrawingArea();
    return Backend;
}

void TGameWindow::UpdateDrawingArea() {
    int W = 0;
    int H = 0;
    SDL_GetWindowSize(Window, &W, &H);
    // The same fit the renderer makes, so a click lands on what is drawn under the pointer.
    const bool FullScreen = (SDL_GetWindowFlags(Window) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
    Input_.SetDrawingArea(FullScreen ? FitDrawingArea({W, H}, ClientWidth, ClientHeight) : TRect{0, 0, W, H});
}

void TGameWindow::PumpEvents() {
    // Full-screen switches may land between events; refit before mapping any pointer.
    UpdateDrawingArea();
    SDL_Event Event;
    while (SDL_PollEvent(&Event) != 0) {
        Dispatch(Event);
    }
}

void TGameWindow::Dispatch(const SDL_Event& Event) {
    switch (Event.type) {
    case SDL_QUIT:
        Input_.Close();
        break;
    case SDL_WINDOWEVENT:
        switch (Event.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
            Input_.Close();
            break;
        case SDL_WINDOWEVENT_MINIMIZED:
            Input_.Minimize();
            break;
        case SDL_WINDOWEVENT_HIDDEN:
            Input_.Hide();
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            Input_.Focus(true);
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            Input_.Focus(false);
            break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            UpdateDrawingArea();
            break;
        default:
            break;
        }
        break;
    case SDL_MOUSEBUTTONDOWN:
        Input_.MouseDown(ButtonOf(Event.button.button), {Event.button.x, Event.button.y},
                         Event.button.clicks >= 2);
        break;
    case SDL_MOUSEBUTTONUP:
        Input_.MouseUp(ButtonOf(Event.button.button), {Event.button.x, Event.button.y});
        break;
    case SDL_MOUSEMOTION:
        Input_.MouseMove({Event.motion.x, Event.motion.y});
        break;
    case SDL_KEYDOWN:
        Input_.KeyDown(VirtualKeyOfScancode(Event.key.keysym.scancode));
        break;
    case SDL_KEYUP:
        Input_.KeyUp(VirtualKeyOfScancode(Event.key.keysym.scancode));
        break;
    case SDL_TEXTINPUT:
        Input_.Text(Event.text.text);
        break;
    default:
        break;
    }
}

void TGameWindow::HideSystemPointer() {
    SDL_ShowCursor(SDL_DISABLE);
}

TPoint TGameWindow::Position() const {
    TPoint P;
    SDL_GetWindowPosition(Window, &P.X, &P.Y);
    return P;
}

void TGameWindow::SetPosition(TPoint Value) {
    SDL_SetWindowPosition(Window, Value.X, Value.Y);
}

TPoint TGameWindow::ClientSize() const {
    TPoint Size;
    SDL_GetWindowSize(Window, &Size.X, &Size.Y);
    return Size;
}

void TGameWindow::Minimize() {
    SDL_MinimizeWindow(Window);
}
