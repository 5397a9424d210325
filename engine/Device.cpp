// SPDX-License-Identifier: MIT
#include "engine/Device.h"

#include "engine/RepaintFilter.h"

#include <algorithm>

TGfxDevice::TGfxDevice(TBackendFactory Factory) : Factory(std::move(Factory)) {}

TGfxDevice::~TGfxDevice() {
    Finalize();
}

bool TGfxDevice::Initialize() {
    if (Backend_) {
        return true;
    }
    if (!Factory) {
        return false;
    }
    Backend_ = Factory(Settings_);
    if (!Backend_) {
        return false;
    }
    if (RepaintOnlyChanges) {
        auto Filtered = std::make_unique<TRepaintFilter>(std::move(Backend_));
        Filter = Filtered.get();
        Filter->SetRedrawOnlyDamage(RedrawOnlyDamage);
        Backend_ = std::move(Filtered);
    }
    Lost = false;
    UpdateScale();
    // Subscribers create their resources first, so the owner's callback can already load
    // images and fonts onto the device.
    const bool Subscribed = Publish(devInitialize);
    if (!Subscribed || (OnInitialize && !OnInitialize())) {
        Finalize();
        return false;
    }
    return true;
}

void TGfxDevice::Finalize() {
    if (!Backend_) {
        return;
    }
    if (OnFinalize) {
        OnFinalize();
    }
    Publish(devFinalize);
    Filter = nullptr;
    Backend_.reset();
    Lost = false;
}

bool TGfxDevice::Render(uint32_t Color, bool Clear) {
    if (!Backend_ || !OnRender) {
        return false;
    }
    if (Clear) {
        Backend_->Clear(Color);
    }
    if (!Backend_->BeginScene()) {
        return false;
    }
    Publish(devBeginScene);
    OnRender();
    Publish(devEndScene);
    Backend_->EndScene();
    return true;
}

bool TGfxDevice::Flip() {
    if (!Backend_) {
        return false;
    }
    const TPresentResult Result = Backend_->Present();
    if (Filter != nullptr && Filter->LastHeld()) {
        ++Held_;
    } else {
        ++Presents_;
    }
    switch (Result) {
    case TPresentResult::Ok:
        // A reset that failed earlier (new settings the backend refused) left the device
        // lost; a frame that presents again brings drawing back.
        return !Lost || RecoverLostDevice();
    case TPresentResult::Lost:
        return RecoverLostDevice();
    case TPresentResult::DriverError:
        if (ResetDevice()) {
            return true;
        }
        Finalize();
        return false;
    }
    return false;
}

int64_t TGfxDevice::DamagedPixels() const {
    if (Filter != nullptr) {
        return Filter->DamagedPixels();
    }
    return Backend_ ? static_cast<int64_t>(Backend_->Width()) * Backend_->Height() : 0;
}

void TGfxDevice::Repaint() {
    if (Filter != nullptr) {
        Filter->Repaint();
    }
}

bool TGfxDevice::RecoverLostDevice() {
    // Subscribers hear about the loss once, however many frames it lasts.
    if (!Lost) {
        Lost = true;
        Publish(devLost);
    }
    if (!Backend_->Reset()) {
        return false;
    }
    Lost = false;
    UpdateScale();
    return Publish(devReset);
}

bool TGfxDevice::ResetDevice() {
    if (!Lost) {
        Lost = true;
        Publish(devLost);
    }
    if (!Backend_->ApplySettings(Settings_) || !Backend_->Reset()) {
        return false;
    }
    Lost = false;
    UpdateScale();
    return Publish(devReset);
}

void TGfxDevice::UpdateScale() {
    ScaleX_ = static_cast<float>(Backend_->Width()) / 800.0f;
    ScaleY_ = static_cast<float>(Backend_->Height()) / 600.0f;
}

void TGfxDevice::ChangeSettings(const TDisplaySettings& Value) {
    const bool Changed = Value.Width != Settings_.Width || Value.Height != Settings_.Height ||
                         Value.Windowed != Settings_.Windowed || Value.VSync != Settings_.VSync;
    Settings_ = Value;
    if (Changed && Backend_) {
        ResetDevice();
    }
}

void TGfxDevice::SetWidth(int32_t Value) {
    TDisplaySettings Next = Settings_;
    Next.Width = Value;
    ChangeSettings(Next);
}

void TGfxDevice::SetHeight(int32_t Value) {
    TDisplaySettings Next = Settings_;
    Next.Height = Value;
    ChangeSettings(Next);
}

void TGfxDevice::SetWindowed(bool Value) {
    TDisplaySettings Next = Settings_;
    Next.Windowed = Value;
    ChangeSettings(Next);
}

void TGfxDevice::SetVSync(bool Value) {
    TDisplaySettings Next = Settings_;
    Next.VSync = Value;
    ChangeSettings(Next);
}

void TGfxDevice::Subscribe(IDeviceListener* Listener) {
    if (Listener && std::find(Listeners.begin(), Listeners.end(), Listener) == Listeners.end()) {
        Listeners.push_back(Listener);
    }
}

void TGfxDevice::Unsubscribe(IDeviceListener* Listener) {
    std::erase(Listeners, Listener);
}

bool TGfxDevice::Publish(TDeviceEvent Event) {
    bool Result = true;
    // Walk by index: a subscriber that unsubscribes while being told must not break the walk.
    for (size_t i = 0; i < Listeners.size(); ++i) {
        if (!Listeners[i]->DeviceNotify(Event)) {
            Result = false;
        }
    }
    return Result;
}

void TGfxDevice::SetReusePixelBuffers(bool Value) {
    ReusePixelBuffers = Value;
    if (!Value) {
        std::vector<uint8_t>().swap(SparePixels);
    }
}

std::vector<uint8_t> TGfxDevice::TakePixelBuffer() {
    std::vector<uint8_t> Buffer;
    Buffer.swap(SparePixels);
    return Buffer;
}

void TGfxDevice::GiveBackPixelBuffer(std::vector<uint8_t>&& Buffer) {
    std::vector<uint8_t> Given = std::move(Buffer);
    Buffer.clear();
    if (ReusePixelBuffers && Given.capacity() > SparePixels.capacity()) {
        SparePixels.swap(Given);
    }
}
