// SPDX-License-Identifier: MIT
#pragma once

#include "platform/RenderBackend.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// Notifications the device sends to its subscribers (canvas, image list, font list, GUI).
enum TDeviceEvent : int32_t {
    devInitialize = 256, // create device resources
    devFinalize = 257,   // release device resources
    devLost = 258,       // release what does not survive a reset
    devReset = 259,      // recreate it
    devBeginScene = 260,
    devEndScene = 261, // flush pending drawing
};

class TRepaintFilter;

class IDeviceListener {
public:
    virtual ~IDeviceListener() = default;
    // Returns false when the subscriber cannot do what the event asks (only devInitialize
    // and devReset failures matter to the device).
    virtual bool DeviceNotify(TDeviceEvent Event) = 0;
};

// Makes the hardware backend at initialisation; returns nullptr when it cannot. Later
// settings changes go to the running backend (ApplySettings), so textures survive them.
using TBackendFactory = std::function<std::unique_ptr<TRenderBackend>(const TDisplaySettings&)>;

// The graphics device: owns the backend, begins and ends each frame, presents it, and tells
// its subscribers about its life. Everything is drawn in a logical 800x600 space; ScaleX and
// ScaleY turn it into device pixels.
class TGfxDevice {
public:
    explicit TGfxDevice(TBackendFactory Factory);
    ~TGfxDevice();
    TGfxDevice(const TGfxDevice&) = delete;
    TGfxDevice& operator=(const TGfxDevice&) = delete;

    // Owner callbacks: initialisation (returns success), finalisation, rendering.
    std::function<bool()> OnInitialize;
    std::function<void()> OnFinalize;
    std::function<void()> OnRender;

    // Set before Initialize: a frame that would draw the picture already on screen is not
    // drawn again (see TRepaintFilter).
    void SetRepaintOnlyChanges(bool Value) { RepaintOnlyChanges = Value; }
    // Set before Initialize: a changed frame redraws only the parts of the picture that changed
    // where the backend keeps its picture (see TRepaintFilter).
    void SetRedrawOnlyDamage(bool Value) { RedrawOnlyDamage = Value; }
    [[nodiscard]] bool Initialize();
    void Finalize();
    // Clears (when Clear), begins the scene, calls OnRender, ends the scene. False when the
    // device is not initialised, there is no render callback, or the scene cannot begin.
    bool Render(uint32_t Color, bool Clear);
    // Presents the frame; brings a lost device back when it can.
    bool Flip();

    // The next frame is drawn even when it is the picture on screen (a window uncovered).
    void Repaint();
    // Pictures that reached the screen, and frames not drawn because the screen showed them.
    [[nodiscard]] int64_t Presents() const { return Presents_; }
    [[nodiscard]] int64_t HeldFrames() const { return Held_; }
    // Pixels the last drawn frame changed (all of them without the repaint filter).
    [[nodiscard]] int64_t DamagedPixels() const;

    [[nodiscard]] bool Initialized() const { return Backend_ != nullptr; }
    [[nodiscard]] bool IsLost() const { return Lost; }
    [[nodiscard]] float ScaleX() const { return ScaleX_; }
    [[nodiscard]] float ScaleY() const { return ScaleY_; }
    // The backend of an initialised device, or nullptr.
    [[nodiscard]] TRenderBackend* Backend() const { return Backend_.get(); }

    [[nodiscard]] const TDisplaySettings& Settings() const { return Settings_; }
    // Changing any of these on a running device resets it (subscribers hear devLost, then
    // devReset) and recomputes the scale factors.
    void SetWidth(int32_t Value);
    void SetHeight(int32_t Value);
    void SetWindowed(bool Value);
    void SetVSync(bool Value);
    [[nodiscard]] bool Windowed() const { return Settings_.Windowed; }

    void Subscribe(IDeviceListener* Listener);
    void Unsubscribe(IDeviceListener* Listener);
    // Sends Event to every subscriber in subscription order; false when any refused.
    bool Publish(TDeviceEvent Event);

    // While the data load, the memory copy of a picture that went onto an atlas page or the
    // device serves the next picture: fresh memory costs a page fault and the system's clearing
    // for every page. Off, the buffers given back are freed, and so is the spare.
    void SetReusePixelBuffers(bool Value);
    // The spare buffer (empty when there is none), to be filled anew.
    [[nodiscard]] std::vector<uint8_t> TakePixelBuffer();
    // A picture's copy it no longer needs; kept when reuse is on and it is the larger.
    void GiveBackPixelBuffer(std::vector<uint8_t>&& Buffer);

private:
    bool ResetDevice();
    bool RecoverLostDevice();
    void ChangeSettings(const TDisplaySettings& Value);
    void UpdateScale();

    TBackendFactory Factory;
    std::unique_ptr<TRenderBackend> Backend_;
    // The filter in front of the factory's backend, when there is one (owned by Backend_).
    TRepaintFilter* Filter = nullptr;
    bool RepaintOnlyChanges = false;
    bool RedrawOnlyDamage = true;
    int64_t Presents_ = 0;
    int64_t Held_ = 0;
    TDisplaySettings Settings_;
    std::vector<IDeviceListener*> Listeners;
    bool Lost = false;
    float ScaleX_ = 1.0f;
    float ScaleY_ = 1.0f;
    bool ReusePixelBuffers = false;
    std::vector<uint8_t> SparePixels;
};
