// SPDX-License-Identifier: MIT
#pragma once

#include "platform/RenderBackend.h"

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

struct SDL_Window;
typedef void* SDL_GLContext;

// The OpenGL 3.3 core renderer. The logical screen is scaled uniformly into the largest centred
// area of the window's drawable that fits (the drawing area), and the rest stays black. While
// asked to keep its picture (KeepPicture), frames are drawn into a picture of the drawing area's
// size that each present copies to the window, so a frame that changes little may redraw only
// that part (LimitDrawing); otherwise they go straight to the window's back buffer. Coordinates handed to it are pixels of that area with pixel centres on whole
// numbers, so a vertex at (x, y) covers the pixel whose top-left corner is (x, y).
class TGlBackend final : public TRenderBackend {
public:
    // Makes the context on Window (created with OpenGL). nullptr when OpenGL 3.3 core is not
    // available or the settings cannot be applied.
    [[nodiscard]] static std::unique_ptr<TGlBackend> Create(SDL_Window* Window,
                                                            const TDisplaySettings& Settings);
    // After a failed Create: which OpenGL the window can have instead, for the player
    // ("OpenGL 3.3 core is needed; this system offers 2.1 Mesa ...").
    [[nodiscard]] static std::string Problem(SDL_Window* Window);
    ~TGlBackend() override;
    TGlBackend(const TGlBackend&) = delete;
    TGlBackend& operator=(const TGlBackend&) = delete;

    [[nodiscard]] int Width() const override { return Area.Width(); }
    [[nodiscard]] int Height() const override { return Area.Height(); }

    [[nodiscard]] TTextureHandle CreateTexture(int Width, int Height, bool MipMapping) override;
    bool UpdateTexture(TTextureHandle Texture, const uint32_t* Pixels, int Width, int Height) override;
    void DeleteTexture(TTextureHandle Texture) override;
    [[nodiscard]] TTextureTotals TextureTotals() const override;

    bool BeginScene() override;
    void Clear(uint32_t Color) override;
    void EndScene() override {}
    // Lost when the drawable changed size since the drawing area was fitted (the player resized
    // the window, full screen came late); Reset refits it.
    TPresentResult Present() override;
    bool Reset() override;
    bool ApplySettings(const TDisplaySettings& Settings) override;

    void SetClipRect(const TRect& DeviceRect) override;
    [[nodiscard]] TRect ClipRect() const override { return Clip; }
    void SetFiltering(bool Linear) override;
    // The back buffer has eight bits a channel, where dithering changes nothing visible: the
    // switch is kept and otherwise ignored.
    void SetDithering(bool Enabled) override { Dithering = Enabled; }
    void SetAlphaTest(bool Enabled) override;

    void DrawBatch(TPrimitive Kind, uint32_t Effect, TTextureHandle Texture, const TVertex* Vertices,
                   size_t VertexCount, const uint16_t* Indices, size_t IndexCount) override;
    // During a frame the picture being drawn; between frames the one on show.
    bool ReadPixels(std::vector<uint32_t>& Pixels) override;
    void KeepPicture(bool Keep) override;
    [[nodiscard]] bool KeepsPicture() const override { return Keeping && PictureKept; }
    void LimitDrawing(const TRect& Area) override;

    // Draw calls issued since creation (tests and benchmarks).
    [[nodiscard]] uint64_t DrawCalls() const { return DrawCalls_; }
    // The drawing area inside the drawable, top-left origin.
    [[nodiscard]] TRect DrawingArea() const { return Area; }

private:
    TGlBackend(SDL_Window* Window, SDL_GLContext Context);
    bool CreateObjects();
    void UpdateArea();
    void ApplyViewport();
    // Makes the kept picture for the drawing area's size (none when the driver cannot: frames
    // then go straight to the window's back buffer).
    void MakePictureBuffer();
    void DeletePictureBuffer();
    // The frame buffer frames go to now (0: the window's), and binding it.
    [[nodiscard]] uint32_t Target() const { return Keeping ? PictureBuffer : 0; }
    void BindTarget();
    // Copies the kept picture into the window's back buffer, with black bars around it.
    void CopyPictureToWindow();
    void ApplyScissor();
    // Sets the scissor box to R (drawing-area pixels) in the frame buffer drawn into.
    void Scissor(const TRect& R);
    void ApplyEffect(uint32_t Effect);
    void WaitForPreviousFrame();
    // A vertex and an index buffer with the vertex array that reads them.
    struct TStream {
        uint32_t VertexArray = 0;
        uint32_t VertexBuffer = 0;
        uint32_t IndexBuffer = 0;
        // The storage the driver holds for each buffer, in bytes.
        intptr_t VertexBytes = 0;
        intptr_t IndexBytes = 0;
    };
    [[nodiscard]] bool CreateStream(TStream& Stream);
    // The next frame's stream, written from its start.
    void TakeNextStream();
    // Fresh storage for a stream a frame has filled, large enough for what the frame wrote and
    // the batch that did not fit: the driver keeps the full one until drawn.
    void RenewStream(intptr_t VertexNeed, intptr_t IndexNeed);
    // Makes the program for this combination current (building it the first time); false when
    // the driver cannot build it.
    bool UseVariant(int ShaderMode, bool Textured, bool WithAlphaTest);

    struct TTextureInfo {
        int Width = 0;
        int Height = 0;
        bool MipMapping = false;
        // Every texel of the last upload has full alpha.
        bool Opaque = false;
    };
    [[nodiscard]] static bool CoversOpaquely(const TTextureInfo& Texture, uint32_t Effect,
                                             const TVertex* Vertices, size_t VertexCount);

    SDL_Window* Window;
    SDL_GLContext Context;
    TDisplaySettings Settings;
    bool Applied = false;
    // The window's size before it went full screen.
    TPoint WindowedSize;
    TRect Area;
    TPoint Drawable;
    TRect Clip;
    // What a frame may change, in drawing-area pixels (LimitDrawing).
    TRect Limit;
    // The frame buffer frames are drawn into and its colour texture (0: the window's own), its
    // size, and whether it holds the picture presented last.
    uint32_t PictureBuffer = 0;
    uint32_t PictureTexture = 0;
    TPoint PictureSize;
    bool PictureKept = false;
    bool Keeping = false;
    // Whether the window, and so the kept picture, has an alpha channel that frames write.
    bool PictureAlpha = false;
    // The drawing area's lower left corner in the frame buffer drawn into, OpenGL rows upward.
    TPoint Origin;
    struct TShaderVariant {
        uint32_t Program = 0;
        bool Failed = false;
        int32_t ViewSizeUniform = -1;
        // The drawing area's size this program was last told.
        TPoint ViewSize;
        bool UpsideDown = false;
    };
    // Five modes, with and without a texture, with and without the alpha test.
    TShaderVariant Variants[20];
    uint32_t CurrentProgram = 0;
    TPoint ViewSize{1, 1};
    // The shader mode of the current effect.
    int Mode = 0;
    // Frames take turns with the two streams: the one a frame writes was last read by the frame
    // before the previous one, which the present has waited for.
    TStream Streams[2];
    int CurrentStream = 0;
    // Where the next batch goes in this frame's stream, in bytes.
    intptr_t VertexOffset = 0;
    intptr_t IndexOffset = 0;
    // Whether this frame has taken its stream (until the present).
    bool StreamRenewed = false;
    uint32_t Samplers[2] = {0, 0};
    std::unordered_map<TTextureHandle, TTextureInfo> Textures;
    uint32_t CurrentEffect = 0;
    bool EffectKnown = false;
    bool Linear = false;
    bool Dithering = false;
    bool AlphaTest = false;
    // Set by Present, cleared by BeginScene: which buffer holds the latest picture.
    bool Presented = false;
    // The fence behind the frame presented last (a GLsync), waited for at the next present.
    void* FrameFence = nullptr;
    uint64_t DrawCalls_ = 0;
};
