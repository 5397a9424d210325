// SPDX-License-Identifier: MIT
#pragma once

#include "engine/Device.h"
#include "platform/Types.h"

#include <cstddef>
#include <cstdint>
#include <memory>

class TGfxImage;
class TBaseTexture;

// Colours in the canvas format: red in the lowest byte, then green, blue, alpha
// (red + green * 2^8 + blue * 2^16 + alpha * 2^24). The canvas swaps red and blue for the
// device.
using TColor = uint32_t;

// Effect codes: byte 0 source factor, byte 1 destination factor, byte 2 operation.
constexpr uint32_t fxNone = 1;     // opaque copy
constexpr uint32_t fxBlend = 1284; // ordinary alpha blending (0x504)

// Four corners in the order top-left, top-right, bottom-right, bottom-left.
struct TQuad {
    TPointF P[4];
};
struct TColor4 {
    TColor C[4];
    static TColor4 All(TColor c) { return {{c, c, c, c}}; }
};

// Which part of an image pattern to draw (all zeros: the whole visible pattern).
struct TPatternRequest {
    int32_t Pattern = 0;
    int32_t SrcX = 0;
    int32_t SrcY = 0;
    int32_t SrcWidth = 0;
    int32_t SrcHeight = 0;
    bool Mirror = false; // left and right exchanged
    bool Flip = false;   // top and bottom exchanged
};

// Texture coordinates of the four corners, top-left first.
struct TTexCorners {
    TPointF P[4];
};

// What one frame handed to the device: draw calls, changes of the bound texture, quads.
struct TFrameStats {
    int64_t DrawCalls = 0;
    int64_t Binds = 0;
    int64_t Quads = 0;
};

// The 2D canvas: turns draw calls into batches of points, lines and triangles. All
// coordinates are logical (800x600); every drawing call takes an effect code. It subscribes
// to the device for its whole life, so it must not outlive the device.
class TGfxCanvas final : public IDeviceListener {
public:
    explicit TGfxCanvas(TGfxDevice& Device);
    ~TGfxCanvas() override;
    TGfxCanvas(const TGfxCanvas&) = delete;
    TGfxCanvas& operator=(const TGfxCanvas&) = delete;

    bool DeviceNotify(TDeviceEvent Event) override;

    // Vertices one batch can hold: rounded up to a multiple of 4, clamped to 512..65536.
    void SetVertexCache(int32_t Value);
    [[nodiscard]] int32_t VertexCache() const { return VertexCache_; }
    void SetAntialias(bool Value);
    [[nodiscard]] bool Antialias() const { return Antialias_; }
    void SetDithering(bool Value);
    [[nodiscard]] bool Dithering() const { return Dithering_; }
    void SetAlphaTesting(bool Value) { AlphaTesting_ = Value; }
    [[nodiscard]] bool AlphaTesting() const { return AlphaTesting_; }
    // While set, everything drawn is dropped: a logic frame that the display will not show
    // runs its drawing list for what the list moves and counts, and puts nothing on screen.
    void SetDiscarding(bool Value) { Discarding_ = Value; }
    [[nodiscard]] bool Discarding() const { return Discarding_; }

    void PutPixel(TPointF P, TColor Color, uint32_t Effect);
    void Line(TPointF A, TPointF B, TColor ColorA, TColor ColorB, uint32_t Effect);
    void FillQuad(const TQuad& Q, const TColor4& Colors, uint32_t Effect);
    void FrameQuad(const TQuad& Q, const TColor4& Colors, uint32_t Effect);
    void Triangle(TPointF A, TPointF B, TPointF C, TColor Color, uint32_t Effect);
    void Circle(TPointF Centre, float Radius, TColor Color, uint32_t Effect);
    void FillCircle(TPointF Centre, float Radius, TColor Color, uint32_t Effect);
    void GradientCircle(TPointF Centre, float Radius, const TColor4& Colors, uint32_t Effect);

    // The core textured quad. With an image the request is resolved through its pattern
    // coordinates (nothing is drawn when that fails).
    void TexMap(TGfxImage& Image, const TQuad& Q, const TPatternRequest& Request, const TColor4& Colors,
                uint32_t Effect);
    // A bare texture of a texture set with explicit texture coordinates.
    void TexMap(TBaseTexture& Texture, int32_t TextureIndex, const TQuad& Q, const TTexCorners& Coords,
                const TColor4& Colors, uint32_t Effect);

    void Draw(TGfxImage& Image, int32_t Pattern, float X, float Y, uint32_t Effect);
    void DrawScaled(TGfxImage& Image, int32_t Pattern, float X, float Y, float Scale, uint32_t Effect);
    void DrawRotated(TGfxImage& Image, int32_t Pattern, TPointF Centre, float Angle, float Scale,
                     TColor Color, uint32_t Effect);
    // ScalingMode 0 scales about the top-left corner, 1 about the pattern's middle.
    void DrawEx(TGfxImage& Image, int32_t Pattern, float X, float Y, float ScaleX, float ScaleY, bool MirrorX,
                bool MirrorY, int32_t ScalingMode, const TColor4& Colors, uint32_t Effect);
    void DrawQuad(TGfxImage& Image, int32_t Pattern, const TQuad& Q, bool MirrorX, bool MirrorY,
                  const TColor4& Colors, uint32_t Effect);
    void DrawRotatedEx(TGfxImage& Image, int32_t Pattern, TPointF Centre, float Angle, float ScaleX,
                       float ScaleY, bool MirrorX, bool MirrorY, const TColor4& Colors, uint32_t Effect);

    // The clip rectangle in logical units (the device's viewport divided by the scale).
    [[nodiscard]] TRect GetClipRect() const;
    void SetClipRect(const TRect& Rect);

    // Draws what is pending.
    void Flush();

    // Draw calls handed to the device since the canvas was made (tests and benchmarks).
    [[nodiscard]] uint64_t BatchesDrawn() const;
    // The counts of the last finished frame (scene), for tests and benchmarks.
    [[nodiscard]] const TFrameStats& LastFrameStats() const { return LastFrame; }

private:
    struct TBatch;
    // One vertex as the callers build it: logical position, canvas colour.
    struct TCanvasVertex {
        TPointF P;
        TColor Color = 0;
        TPointF T;
    };

    void AllocateCaches();
    void FreeCaches();
    void SetFixedStates();
    // Appends one primitive group after the flush rules; indices count from its first vertex.
    void Append(TPrimitive Kind, uint32_t Effect, TTextureHandle Texture, const TCanvasVertex* Vertices,
                size_t VertexCount, const uint16_t* Indices, size_t IndexCount);
    void Point(float X, float Y, TColor Color, uint32_t Effect);
    void TexturedQuad(TTextureHandle Texture, const TQuad& Q, const TTexCorners& Coords,
                      const TColor4& Colors, uint32_t Effect);
    [[nodiscard]] static TQuad PatternRect(const TGfxImage& Image, float X, float Y, float ScaleX,
                                           float ScaleY, bool FromCentre);

    TGfxDevice& Device;
    std::unique_ptr<TBatch> Batch;
    int32_t VertexCache_ = 4096;
    bool Antialias_ = true;
    bool Dithering_ = false;
    bool AlphaTesting_ = true;
    TFrameStats ThisFrame;
    TFrameStats LastFrame;
    bool Discarding_ = false;
};
