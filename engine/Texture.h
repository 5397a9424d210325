// SPDX-License-Identifier: MIT
#pragma once

#include "engine/Device.h"
#include "engine/PixelFormat.h"
#include "platform/RenderBackend.h"
#include "platform/Types.h"

#include <cstdint>
#include <memory>
#include <vector>

enum TTextureState : uint8_t { tsEmpty = 0, tsReady = 1, tsLost = 2, tsFailed = 3 };

// A texture of a set, locked for reading or writing: rows of Pitch bytes in Format.
struct TLockedRect {
    uint8_t* Bits = nullptr;
    int32_t Pitch = 0;
    TPixelFormat Format = pfUnknown;
};

// The largest texture side a set accepts; larger sizes fail to prepare.
constexpr int32_t MaxTextureSide = 8192;

// Lock modes: read only, or read and write (what the loaders pass).
constexpr int32_t LockReadOnly = 1;
constexpr int32_t LockReadWrite = 2;

// An abstract set of equal-size device textures. Lifecycle: empty -> ready (Prepare, then
// CreateTextures) -> empty; a lost-capable set also goes ready -> lost -> ready with the
// device, and a set whose textures cannot be recreated after a loss is failed.
class TBaseTexture {
public:
    explicit TBaseTexture(TGfxDevice& Device);
    virtual ~TBaseTexture();
    TBaseTexture(const TBaseTexture&) = delete;
    TBaseTexture& operator=(const TBaseTexture&) = delete;

    virtual bool Prepare() { return true; }
    virtual bool CreateTextures() = 0;
    virtual void ReleaseTextures() = 0;
    [[nodiscard]] virtual uint32_t UsageFlags() const = 0;
    virtual bool Lock(int32_t Index, int32_t Mode, TLockedRect& Locked) = 0;
    virtual bool LockRect(int32_t Index, const TRect& Rect, TLockedRect& Locked, int32_t Mode) = 0;
    virtual bool Unlock(int32_t Index) = 0;
    // The backend handle of texture Index, 0 when there is none.
    [[nodiscard]] virtual TTextureHandle Handle(int32_t Index) const = 0;

    void SetTextureSize(TPoint Size);
    void SetMipMapping(bool Value);
    void ChangeState(TTextureState Target);
    [[nodiscard]] bool IsLostCapable() const { return LostCapable; }

    [[nodiscard]] TPoint TextureSize() const { return TextureSize_; }
    [[nodiscard]] bool MipMapping() const { return MipMapping_; }
    [[nodiscard]] TTextureState State() const { return State_; }
    [[nodiscard]] TPixelFormat Format() const { return Format_; }
    [[nodiscard]] TGfxDevice& GfxDevice() const { return Device; }

protected:
    TGfxDevice& Device;
    TPoint TextureSize_{256, 256};
    bool MipMapping_ = true;
    TTextureState State_ = tsEmpty;
    TPixelFormat Format_ = pfUnknown;
    bool LostCapable = false;
};

// A set of TextureCount equal textures. Each keeps a CPU copy in Format that Lock hands out;
// Unlock after a writing lock converts it to 32-bit ARGB and uploads it to the backend, so
// the backend's texture always matches the copy, as a managed texture survives a reset.
// A set told not to keep its pixels drops the copy after each upload: the picture then lives
// on the device only, and only a lock of the whole texture for writing (a rebuild) is allowed.
class TMultiTexture : public TBaseTexture {
public:
    explicit TMultiTexture(TGfxDevice& Device);
    ~TMultiTexture() override;

    bool CreateTextures() override;
    void ReleaseTextures() override;
    [[nodiscard]] uint32_t UsageFlags() const override;
    bool Lock(int32_t Index, int32_t Mode, TLockedRect& Locked) override;
    bool LockRect(int32_t Index, const TRect& Rect, TLockedRect& Locked, int32_t Mode) override;
    bool Unlock(int32_t Index) override;
    [[nodiscard]] TTextureHandle Handle(int32_t Index) const override;

    // Ignored unless empty; a negative count becomes 0.
    void SetTextureCount(int32_t Value);
    // Ignored unless empty.
    void SetKeepPixels(bool Value);
    // Frees the memory copies of the unlocked textures and keeps none from now on.
    void DropPixels();
    // Ignored unless empty. A set that uploads later gets no device textures when it becomes
    // ready, and writing locks fill only the memory copy, until UploadNow: for pictures that go
    // onto an atlas page, so the device never holds a texture that is dropped at once.
    void SetUploadLater(bool Value);
    // Makes the device textures of a set that uploads later and fills them from the memory
    // copy (dropped after, unless the set keeps its pixels). True when there is nothing to do.
    bool UploadNow();
    [[nodiscard]] bool KeepPixels() const { return KeepPixels_; }
    [[nodiscard]] int32_t TextureCount() const { return TextureCount_; }

protected:
    struct TTexture {
        TTextureHandle Handle = 0;
        std::vector<uint8_t> Pixels;
        // 0 while unlocked, else the mode of the current lock.
        int32_t LockMode = 0;
    };
    [[nodiscard]] TTexture* TextureAt(int32_t Index) const;
    [[nodiscard]] size_t PitchBytes() const;
    bool Upload(const TTexture& Texture);

    std::vector<std::unique_ptr<TTexture>> Textures;
    int32_t TextureCount_ = 1;
    bool KeepPixels_ = true;
    bool UploadLater_ = false;
};
