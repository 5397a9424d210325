// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Types.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// What the canvas needs from the graphics hardware. The OpenGL implementation draws for real;
// the recording implementation keeps every batch for tests. Nothing above platform/ sees
// OpenGL.

enum class TPrimitive : uint8_t { None = 0, Points, Lines, Triangles };

// One vertex as the hardware gets it: position in device pixels (inside the drawing area),
// colour in device order 0xAARRGGBB, texture coordinate.
struct TVertex {
    float X = 0.0f;
    float Y = 0.0f;
    uint32_t Color = 0;
    float U = 0.0f;
    float V = 0.0f;
};

// How the game wants the display: the device hands it to the backend at creation and at
// every reset. Width and Height are the back buffer the game asks for; a full-screen backend
// may draw the logical screen larger and reports its real drawing area through Width/Height.
struct TDisplaySettings {
    int32_t Width = 800;
    int32_t Height = 600;
    bool Windowed = true;
    bool VSync = false;
};

// 0 is "no texture".
using TTextureHandle = uint32_t;

enum class TPresentResult : uint8_t { Ok, Lost, DriverError };

// What the live textures take on the device: how many, and their bytes (mip levels included).
struct TTextureTotals {
    int64_t Count = 0;
    int64_t Bytes = 0;
};

// Bytes of one 32-bit texture, with its mip chain when it has one.
[[nodiscard]] inline int64_t TextureBytes(int Width, int Height, bool MipMapping) {
    int64_t Bytes = 0;
    int64_t W = Width;
    int64_t H = Height;
    for (;;) {
        Bytes += W * H * 4;
        if (!MipMapping || (W == 1 && H == 1)) {
            return Bytes;
        }
        W = W > 1 ? W / 2 : 1;
        H = H > 1 ? H / 2 : 1;
    }
}

// The totals of a backend's texture table: any map from handle to a record with Width, Height
// and MipMapping.
template <typename TTextureMap> [[nodiscard]] TTextureTotals SumTextures(const TTextureMap& Textures) {
    TTextureTotals Totals;
    for (const auto& Entry : Textures) {
        ++Totals.Count;
        Totals.Bytes += TextureBytes(Entry.second.Width, Entry.second.Height, Entry.second.MipMapping);
    }
    return Totals;
}

class TRenderBackend {
public:
    virtual ~TRenderBackend() = default;

    // Size of the drawing area in device pixels. The game's 800x600 logical screen is scaled
    // to it (sx = width / 800, sy = height / 600).
    [[nodiscard]] virtual int Width() const = 0;
    [[nodiscard]] virtual int Height() const = 0;

    // Textures hold 32-bit pixels 0xAARRGGBB, rows top to bottom, no padding. Create returns 0
    // when the texture cannot be made. Update replaces the whole top level.
    [[nodiscard]] virtual TTextureHandle CreateTexture(int Width, int Height, bool MipMapping) = 0;
    virtual bool UpdateTexture(TTextureHandle Texture, const uint32_t* Pixels, int Width, int Height) = 0;
    virtual void DeleteTexture(TTextureHandle Texture) = 0;
    [[nodiscard]] virtual TTextureTotals TextureTotals() const = 0;

    // A frame: BeginScene, Clear (optional), Draw..., EndScene, Present.
    virtual bool BeginScene() = 0;
    virtual void Clear(uint32_t Color) = 0;
    virtual void EndScene() = 0;
    virtual TPresentResult Present() = 0;
    // Brings a lost device back; false when it cannot be reset now.
    virtual bool Reset() = 0;
    // Takes new display settings on a running device (window or full screen, vsync, size).
    // Textures survive; the drawing area may change. False when they cannot be applied.
    virtual bool ApplySettings(const TDisplaySettings& Settings) = 0;

    // Drawing state. The clip rectangle is in device pixels of the drawing area.
    virtual void SetClipRect(const TRect& DeviceRect) = 0;
    [[nodiscard]] virtual TRect ClipRect() const = 0;
    virtual void SetFiltering(bool Linear) = 0;
    virtual void SetDithering(bool Enabled) = 0;
    virtual void SetAlphaTest(bool Enabled) = 0;

    // One batch: a list of points, lines or triangles (indexed), drawn with one blending
    // effect code and one texture (0 for untextured primitives).
    virtual void DrawBatch(TPrimitive Kind, uint32_t Effect, TTextureHandle Texture, const TVertex* Vertices,
                           size_t VertexCount, const uint16_t* Indices, size_t IndexCount) = 0;

    // The drawing area's pixels as 0xAARRGGBB, top row first; false when not available.
    virtual bool ReadPixels(std::vector<uint32_t>& Pixels) = 0;

    // Whether frames from the next on are drawn into a picture the backend keeps between frames
    // (and copies to the screen at each present) or straight to the screen. Keeping costs that
    // copy, so it pays only while frames redraw parts of the picture.
    virtual void KeepPicture(bool Keep) { (void)Keep; }
    // Whether the picture presented last is still kept whole, so the next frame may redraw only
    // a part of it (LimitDrawing). False when the backend keeps no picture between frames, and
    // after anything that lost it (a new drawing area, a driver failure).
    [[nodiscard]] virtual bool KeepsPicture() const { return false; }
    // From now on clears and batches change only the pixels inside Area (drawing-area pixels),
    // on top of the clip rectangle; the whole drawing area lifts the limit.
    virtual void LimitDrawing(const TRect& Area) { (void)Area; }
};
