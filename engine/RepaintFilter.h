// SPDX-License-Identifier: MIT
#pragma once

#include "platform/RenderBackend.h"

#include <cstdint>
#include <memory>
#include <vector>

// A backend in front of another that keeps a still picture from being drawn again. It holds
// back everything a frame draws (its clear, drawing state and batches) until the scene ends,
// then compares it with the frame on screen: a frame that would draw exactly the same with the
// same textures is dropped, and its present leaves the picture on screen as it is; any other
// frame is handed on whole, in its order. The software rasteriser so does no work for a still
// menu while the game's logic goes on. Texture changes, resets and new settings always make
// the next frame drawn, and so does Repaint (a window the desktop uncovered); a held picture is
// drawn again at least every RepaintEvery frames all the same, in case the desktop lost it
// without saying.
class TRepaintFilter final : public TRenderBackend {
public:
    explicit TRepaintFilter(std::unique_ptr<TRenderBackend> Inner, int32_t RepaintEvery = 100);

    [[nodiscard]] int Width() const override { return Inner->Width(); }
    [[nodiscard]] int Height() const override { return Inner->Height(); }
    [[nodiscard]] TTextureHandle CreateTexture(int Width, int Height, bool MipMapping) override;
    bool UpdateTexture(TTextureHandle Texture, const uint32_t* Pixels, int Width, int Height) override;
    void DeleteTexture(TTextureHandle Texture) override;
    [[nodiscard]] TTextureTotals TextureTotals() const override { return Inner->TextureTotals(); }

    bool BeginScene() override;
    void Clear(uint32_t Color) override;
    void EndScene() override;
    TPresentResult Present() override;
    bool Reset() override;
    bool ApplySettings(const TDisplaySettings& Settings) override;

    void SetClipRect(const TRect& DeviceRect) override;
    [[nodiscard]] TRect ClipRect() const override { return State.Clip; }
    void SetFiltering(bool Linear) override;
    void SetDithering(bool Enabled) override;
    void SetAlphaTest(bool Enabled) override;
    void DrawBatch(TPrimitive Kind, uint32_t Effect, TTextureHandle Texture, const TVertex* Vertices,
                   size_t VertexCount, const uint16_t* Indices, size_t IndexCount) override;
    bool ReadPixels(std::vector<uint32_t>& Pixels) override { return Inner->ReadPixels(Pixels); }

    // The next frame is drawn even when it is the picture on screen.
    void Repaint() { Changed = true; }
    // Pictures handed to the screen, and frames dropped because the screen already showed them.
    [[nodiscard]] int64_t Presents() const { return Presents_; }
    [[nodiscard]] int64_t Held() const { return Held_; }
    // Whether the last present left the picture on screen as it was.
    [[nodiscard]] bool LastHeld() const { return LastHeld_; }

private:
    // The drawing state a frame starts from and changes as it goes.
    struct TState {
        TRect Clip;
        uint8_t Linear = 0;
        uint8_t Dithering = 0;
        uint8_t AlphaTest = 0;
        uint8_t Unused = 0; // no padding: frames compare byte for byte
    };

    template <typename T> void Put(const T& Value);
    void PutBytes(const void* Data, size_t Size);
    // Starts holding a new frame, beginning with the state it inherits.
    void StartFrame();
    // Hands the held frame to the inner backend.
    void Replay();

    std::unique_ptr<TRenderBackend> Inner;
    int32_t RepaintEvery;
    TState State;
    // The frame being held, and the one on screen, as a stream of commands and their data.
    std::vector<uint8_t> Frame;
    std::vector<uint8_t> Shown;
    // A batch copied out of the stream to be drawn.
    std::vector<TVertex> ReplayVertices;
    std::vector<uint16_t> ReplayIndices;
    bool Recording = false;
    bool Changed = true;
    // Whether the frame that ended goes to the screen.
    bool Drawn = false;
    bool LastHeld_ = false;
    int32_t HeldInARow = 0;
    int64_t Presents_ = 0;
    int64_t Held_ = 0;
};
