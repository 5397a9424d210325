// SPDX-License-Identifier: MIT
#include "engine/Texture.h"

#include <algorithm>
#include <bit>

TBaseTexture::TBaseTexture(TGfxDevice& Device) : Device(Device) {}

TBaseTexture::~TBaseTexture() = default;

void TBaseTexture::SetTextureSize(TPoint Size) {
    if (State_ == tsEmpty) {
        TextureSize_ = Size;
    }
}

void TBaseTexture::SetMipMapping(bool Value) {
    if (State_ == tsEmpty) {
        MipMapping_ = Value;
    }
}

void TBaseTexture::ChangeState(TTextureState Target) {
    if (Target == tsEmpty) {
        if (State_ == tsReady) {
            ReleaseTextures();
        }
        State_ = tsEmpty;
        return;
    }
    if (Target == tsReady) {
        switch (State_) {
        case tsEmpty:
            if (Prepare() && CreateTextures()) {
                State_ = tsReady;
            }
            break;
        case tsLost:
            State_ = CreateTextures() ? tsReady : tsFailed;
            break;
        case tsFailed:
            if (CreateTextures()) {
                State_ = tsReady;
            }
            break;
        case tsReady:
            break;
        }
        return;
    }
    if (Target == tsLost && State_ == tsReady && LostCapable) {
        ReleaseTextures();
        State_ = tsLost;
    }
}

TMultiTexture::TMultiTexture(TGfxDevice& Device) : TBaseTexture(Device) {}

// The base destructor cannot reach ReleaseTextures any more, so the set empties itself here.
TMultiTexture::~TMultiTexture() {
    ChangeState(tsEmpty);
}

void TMultiTexture::SetTextureCount(int32_t Value) {
    if (State_ == tsEmpty) {
        TextureCount_ = std::max(0, Value);
    }
}

void TMultiTexture::SetKeepPixels(bool Value) {
    if (State_ == tsEmpty) {
        KeepPixels_ = Value;
    }
}

void TMultiTexture::SetUploadLater(bool Value) {
    if (State_ == tsEmpty) {
        UploadLater_ = Value;
    }
}

bool TMultiTexture::UploadNow() {
    if (!UploadLater_) {
        return true;
    }
    UploadLater_ = false;
    TRenderBackend* Backend = Device.Backend();
    for (const auto& Texture : Textures) {
        if (Backend == nullptr || Texture->LockMode != 0) {
            return false;
        }
        Texture->Handle = Backend->CreateTexture(TextureSize_.X, TextureSize_.Y, MipMapping_);
        if (Texture->Handle == 0 || !Upload(*Texture)) {
            return false;
        }
        if (!KeepPixels_) {
            Device.GiveBackPixelBuffer(std::move(Texture->Pixels));
        }
    }
    return true;
}

void TMultiTexture::DropPixels() {
    KeepPixels_ = false;
    for (const auto& Texture : Textures) {
        if (Texture->LockMode == 0) {
            Device.GiveBackPixelBuffer(std::move(Texture->Pixels));
        }
    }
}

uint32_t TMultiTexture::UsageFlags() const {
    // The only usage that matters to the backend: an automatically generated mip chain.
    constexpr uint32_t AutoGenMipMap = 0x400;
    return MipMapping_ ? AutoGenMipMap : 0;
}

size_t TMultiTexture::PitchBytes() const {
    return static_cast<size_t>(std::max(0, TextureSize_.X)) * BytesPerPixel(Format_);
}

bool TMultiTexture::CreateTextures() {
    ReleaseTextures();
    TRenderBackend* Backend = Device.Backend();
    const TPoint Size = TextureSize_;
    if (Backend == nullptr || BytesPerPixel(Format_) == 0 || Size.X <= 0 || Size.Y <= 0 ||
        Size.X > MaxTextureSide || Size.Y > MaxTextureSide) {
        return false;
    }
    for (int32_t i = 0; i < TextureCount_; ++i) {
        auto Texture = std::make_unique<TTexture>();
        Texture->Handle = UploadLater_ ? 0 : Backend->CreateTexture(Size.X, Size.Y, MipMapping_);
        if (Texture->Handle == 0 && !UploadLater_) {
            ReleaseTextures();
            return false;
        }
        Texture->Pixels = Device.TakePixelBuffer();
        Texture->Pixels.assign(PitchBytes() * static_cast<size_t>(Size.Y), 0);
        Textures.push_back(std::move(Texture));
    }
    return true;
}

void TMultiTexture::ReleaseTextures() {
    TRenderBackend* Backend = Device.Backend();
    for (const auto& Texture : Textures) {
        if (Backend != nullptr && Texture->Handle != 0) {
            Backend->DeleteTexture(Texture->Handle);
        }
        Device.GiveBackPixelBuffer(std::move(Texture->Pixels));
    }
    Textures.clear();
}

TMultiTexture::TTexture* TMultiTexture::TextureAt(int32_t Index) const {
    if (Index < 0 || Index >= static_cast<int32_t>(Textures.size())) {
        return nullptr;
    }
    return Textures[static_cast<size_t>(Index)].get();
}

bool TMultiTexture::Lock(int32_t Index, int32_t Mode, TLockedRect& Locked) {
    return LockRect(Index, {0, 0, TextureSize_.X, TextureSize_.Y}, Locked, Mode);
}

bool TMultiTexture::LockRect(int32_t Index, const TRect& Rect, TLockedRect& Locked, int32_t Mode) {
    TTexture* Texture = TextureAt(Index);
    const TRect Whole{0, 0, TextureSize_.X, TextureSize_.Y};
    if (Texture == nullptr || Texture->LockMode != 0 || Rect.IsEmpty() || Rect.Intersect(Whole) != Rect) {
        return false;
    }
    if (Texture->Pixels.empty()) {
        // The copy went after the upload: only a rebuild of the whole texture may start anew.
        if (Mode == LockReadOnly || Rect != Whole) {
            return false;
        }
        Texture->Pixels.assign(PitchBytes() * static_cast<size_t>(TextureSize_.Y), 0);
    }
    Texture->LockMode = Mode == LockReadOnly ? LockReadOnly : LockReadWrite;
    const size_t Offset = static_cast<size_t>(Rect.Top) * PitchBytes() +
                          static_cast<size_t>(Rect.Left) * BytesPerPixel(Format_);
    Locked.Bits = Texture->Pixels.data() + Offset;
    Locked.Pitch = static_cast<int32_t>(PitchBytes());
    Locked.Format = Format_;
    return true;
}

bool TMultiTexture::Unlock(int32_t Index) {
    TTexture* Texture = TextureAt(Index);
    if (Texture == nullptr || Texture->LockMode == 0) {
        return false;
    }
    const bool Written = Texture->LockMode != LockReadOnly;
    Texture->LockMode = 0;
    if (!Written || UploadLater_) {
        return true;
    }
    const bool Uploaded = Upload(*Texture);
    if (Uploaded && !KeepPixels_) {
        Device.GiveBackPixelBuffer(std::move(Texture->Pixels));
    }
    return Uploaded;
}

bool TMultiTexture::Upload(const TTexture& Texture) {
    TRenderBackend* Backend = Device.Backend();
    if (Backend == nullptr) {
        return false;
    }
    const TPoint Size = TextureSize_;
    if (Format_ == pfA8R8G8B8 && std::endian::native == std::endian::little) {
        // The copy already holds 0xAARRGGBB words.
        return Backend->UpdateTexture(Texture.Handle, reinterpret_cast<const uint32_t*>(Texture.Pixels.data()),
                                      Size.X, Size.Y);
    }
    std::vector<uint32_t> Argb(static_cast<size_t>(Size.X) * Size.Y);
    for (int32_t y = 0; y < Size.Y; ++y) {
        DecodeRow(Format_, Texture.Pixels.data() + static_cast<size_t>(y) * PitchBytes(),
                  Argb.data() + static_cast<size_t>(y) * Size.X, Size.X);
    }
    return Backend->UpdateTexture(Texture.Handle, Argb.data(), Size.X, Size.Y);
}

TTextureHandle TMultiTexture::Handle(int32_t Index) const {
    const TTexture* Texture = TextureAt(Index);
    return Texture != nullptr ? Texture->Handle : 0;
}
