// SPDX-License-Identifier: MIT
#include "platform/GameWindow.h"

#include "platform/DrawingArea.h"
#include "platform/GlBackend.h"
#include "platform/KeyMap.h"
#include "platform/Picture.h"
#include "platform/RecordingBackend.h"
#include "platform/Text.h"

#include "generated/Version.h"

#include <SDL.h>

#include <string>
#include <vector>

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

[[nodiscard]] bool IsSet(const char* Variable) {
    const char* value = SDL_getenv(Variable);
    return value != nullptr && *value != '\0';
}

[[nodiscard]] bool IsInvisibleDriver(const char* Driver) {
    return Driver != nullptr && (SDL_strcmp(Driver, "offscreen") == 0 || SDL_strcmp(Driver, "dummy") == 0);
}

// Starts the video system (or counts one more start of it) with the game's names set first:
// some drivers read them only as they start.
int StartVideo() {
    // Closing the window is the game's decision, so the system's close box only asks.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // The desktop groups the window with its launcher and icon by this name.
    SDL_SetHint(SDL_HINT_APP_NAME, ZIBO_APP_ID);
    SDL_setenv("SDL_VIDEO_X11_WMCLASS", ZIBO_APP_ID, 0);
    SDL_setenv("SDL_VIDEO_WAYLAND_WMCLASS", ZIBO_APP_ID, 0);
    return SDL_InitSubSystem(SDL_INIT_VIDEO);
}

} // namespace

TDisplayCheck::TDisplayCheck() {
    const char* const noDisplay = "no display: set DISPLAY or run with --headless";
    // Without a display server SDL would try its drivers one by one (noisily) and at best offer
    // one that draws nowhere. A driver chosen on purpose (such as kmsdrm) is let through.
    const char* chosen = SDL_getenv("SDL_VIDEODRIVER");
    const bool choseVisible = chosen != nullptr && *chosen != '\0' && !IsInvisibleDriver(chosen);
    if (!choseVisible && !IsSet("DISPLAY") && !IsSet("WAYLAND_DISPLAY")) {
        Problem_ = noDisplay;
        return;
    }
    if (StartVideo() != 0) {
        Problem_ = std::string("cannot start the video system: ") + SDL_GetError();
        return;
    }
    VideoStarted = true;
    if (IsInvisibleDriver(SDL_GetCurrentVideoDriver())) {
        Problem_ = noDisplay;
    }
}

TDisplayCheck::~TDisplayCheck() {
    // A window created meanwhile holds its own start: this only gives back the check's.
    if (VideoStarted) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
}

std::unique_ptr<TGameWindow> TGameWindow::Create(std::string_view Caption, bool Hidden, std::string* Problem,
                                                 bool OpenGl) {
    std::string ignored;
    std::string& problem = Problem ? *Problem : ignored;
    if (StartVideo() != 0) {
        problem = std::string("cannot start the video system: ") + SDL_GetError();
        return nullptr;
    }
    // The OpenGL driver stays loaded for the whole run: unloading it with the window would
    // make every later window (tests, a mode switch) load it again.
    if (OpenGl) {
        static const bool DriverLoaded = SDL_GL_LoadLibrary(nullptr) == 0;
        (void)DriverLoaded;
    }
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    const std::string Title = Cp1251ToUtf8(Caption);
    const Uint32 Flags = (OpenGl ? SDL_WINDOW_OPENGL : 0) | SDL_WINDOW_RESIZABLE |
                         (Hidden ? SDL_WINDOW_HIDDEN : SDL_WINDOW_SHOWN);
    int32_t Scale = 1;
    SDL_DisplayMode Desktop{};
    if (!Hidden && SDL_GetDesktopDisplayMode(0, &Desktop) == 0) {
        Scale = InitialWindowScale({Desktop.w, Desktop.h}, ClientWidth, ClientHeight);
    }
    SDL_Window* Window = SDL_CreateWindow(Title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                          ClientWidth * Scale, ClientHeight * Scale, Flags);
    if (Window == nullptr) {
        problem = std::string("cannot create the window: ") + SDL_GetError();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return nullptr;
    }
    SDL_StartTextInput();
    return std::unique_ptr<TGameWindow>(new TGameWindow(Window, Hidden));
}

bool TGameWindow::SetIcon(const std::string& PictureFile) {
    std::vector<uint32_t> pixels;
    int32_t width = 0;
    int32_t height = 0;
    if (!DecodePicture(PictureFile, pixels, width, height) || width <= 0 || height <= 0) {
        return false;
    }
    SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), width, height, 32, width * 4,
                                                           SDL_PIXELFORMAT_ARGB8888);
    if (icon == nullptr) {
        return false;
    }
    SDL_SetWindowIcon(Window, icon);
    SDL_FreeSurface(icon);
    return true;
}

TGameWindow::TGameWindow(SDL_Window* Window, bool Hidden) : Window(Window), Hidden(Hidden) { UpdateDrawingArea(); }

void TGameWindow::ListenToPads() {
    if (Hidden || PadsStarted) {
        return;
    }
    PadsStarted = true;
    // Controllers already plugged in arrive as "added" events like those plugged in later.
    ListensToPads = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
}

TGameWindow::~TGameWindow() {
    for (SDL_GameController* c : Controllers) {
        SDL_GameControllerClose(c);
    }
    if (ListensToPads) {
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    }
    SDL_StopTextInput();
    SDL_DestroyWindow(Window);
}

std::unique_ptr<TRenderBackend> TGameWindow::CreateBackend(const TDisplaySettings& Settings, bool RecordOnly) {
    std::unique_ptr<TRenderBackend> Backend;
    if (RecordOnly) {
        auto Recorder = std::make_unique<TRecordingBackend>(ClientWidth, ClientHeight);
        // A long run keeps only the frame being drawn, and of its batches only their count:
        // nobody reads them back, and copying each one would cost the game allocations every
        // frame that a real renderer does not make.
        Recorder->ForgetPastScenes = true;
        Recorder->KeepTexturePixels = false;
        Recorder->RecordBatches = false;
        Backend = std::move(Recorder);
    } else {
        Backend = TGlBackend::Create(Window, Settings);
    }
    BackendProblem_ = Backend ? std::string() : TGlBackend::Problem(Window);
    UpdateDrawingArea();
    return Backend;
}

void TGameWindow::UpdateDrawingArea() {
    int W = 0;
    int H = 0;
    SDL_GetWindowSize(Window, &W, &H);
    // The same fit the renderer makes, so a click lands on what is drawn under the pointer.
    Input_.SetDrawingArea(FitDrawingArea({W, H}, ClientWidth, ClientHeight));
}

void TGameWindow::PumpEvents() {
    // Full-screen switches may land between events; refit before mapping any pointer.
    UpdateDrawingArea();
    SDL_Event Event;
    while (SDL_PollEvent(&Event) != 0) {
        Dispatch(Event);
    }
}

void TGameWindow::WaitEvents(int32_t Milliseconds) {
    SDL_Event Event;
    if (SDL_WaitEventTimeout(&Event, Milliseconds) != 0) {
        Dispatch(Event);
        PumpEvents();
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
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_MAXIMIZED:
        case SDL_WINDOWEVENT_SHOWN:
            Input_.Restore();
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            Input_.Focus(true);
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            Input_.Focus(false);
            break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            UpdateDrawingArea();
            Input_.Expose();
            break;
        case SDL_WINDOWEVENT_EXPOSED:
            Input_.Expose();
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
        DispatchPad(Event);
        break;
    }
}

namespace {
std::optional<TPadButton> PadButtonOf(uint8_t Button) {
    switch (Button) {
    case SDL_CONTROLLER_BUTTON_DPAD_UP:
        return TPadButton::Up;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
        return TPadButton::Down;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
        return TPadButton::Left;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
        return TPadButton::Right;
    case SDL_CONTROLLER_BUTTON_A:
        return TPadButton::A;
    case SDL_CONTROLLER_BUTTON_B:
        return TPadButton::B;
    case SDL_CONTROLLER_BUTTON_Y:
        return TPadButton::Y;
    case SDL_CONTROLLER_BUTTON_START:
        return TPadButton::Start;
    default:
        return std::nullopt;
    }
}
} // namespace

void TGameWindow::DispatchPad(const SDL_Event& Event) {
    if (!ListensToPads) {
        return;
    }
    switch (Event.type) {
    case SDL_CONTROLLERDEVICEADDED:
        OpenController(Event.cdevice.which);
        break;
    case SDL_CONTROLLERDEVICEREMOVED:
        CloseController(Event.cdevice.which);
        break;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
        if (const std::optional<TPadButton> b = PadButtonOf(Event.cbutton.button)) {
            Pad_.Button(*b, Event.type == SDL_CONTROLLERBUTTONDOWN);
        }
        break;
    case SDL_CONTROLLERAXISMOTION:
        if (Event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX) {
            StickX = Event.caxis.value;
        } else if (Event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY) {
            StickY = Event.caxis.value;
        } else {
            break;
        }
        Pad_.Stick(StickX, StickY);
        break;
    default:
        break;
    }
}

void TGameWindow::OpenController(int32_t DeviceIndex) {
    if (!SDL_IsGameController(DeviceIndex)) {
        return;
    }
    const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(DeviceIndex);
    for (SDL_GameController* c : Controllers) {
        if (SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(c)) == id) {
            return; // already open (added at start and announced again)
        }
    }
    if (SDL_GameController* c = SDL_GameControllerOpen(DeviceIndex)) {
        Controllers.push_back(c);
    }
}

void TGameWindow::CloseController(int32_t InstanceId) {
    for (auto it = Controllers.begin(); it != Controllers.end(); ++it) {
        if (SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(*it)) == InstanceId) {
            SDL_GameControllerClose(*it);
            Controllers.erase(it);
            // Nothing the unplugged controller held stays pressed.
            StickX = StickY = 0;
            Pad_.ReleaseAll();
            return;
        }
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

void TGameWindow::Centre() {
    SDL_SetWindowPosition(Window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
}

TPoint TGameWindow::ClientSize() const {
    TPoint Size;
    SDL_GetWindowSize(Window, &Size.X, &Size.Y);
    return Size;
}

int32_t TGameWindow::RefreshRate() const {
    SDL_DisplayMode Mode{};
    if (SDL_GetWindowDisplayMode(Window, &Mode) != 0) {
        return 0;
    }
    return Mode.refresh_rate;
}

void TGameWindow::Minimize() {
    SDL_MinimizeWindow(Window);
}
