// SPDX-License-Identifier: MIT
#pragma once

#include "engine/DamageArea.h"
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
//
// A changed frame on a backend that keeps its picture between frames redraws only what changed:
// the two frames are compared batch by batch and primitive by primitive, and the rectangles of
// the primitives that differ (where they were and where they are) are redrawn, each by the
// whole frame clipped to it, so every pixel comes out exactly as a full redraw draws it. A
// different clear, new textures or settings, Repaint and the periodic redraw redraw it all.
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

    // The next frame is drawn even when it is the picture on screen, and drawn whole.
    void Repaint() { Changed = true; }
    // Whether a changed frame redraws only the parts that changed (on by default); off, every
    // changed frame is drawn whole.
    void SetRedrawOnlyDamage(bool Value) { RedrawOnlyDamage = Value; }
    // Pixels the last drawn frame changed (the whole drawing area when it was drawn whole), and
    // in how many rectangles; found on every backend, used where the backend keeps its picture.
    [[nodiscard]] int64_t DamagedPixels() const { return DamagedPixels_; }
    [[nodiscard]] int32_t DamageRects() const { return DamageRects_; }
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

    // The fixed part of a batch; its vertices and indices follow it. Whole words: no padding.
    struct TBatchHead {
        uint32_t Kind;
        uint32_t Effect;
        TTextureHandle Texture;
        uint32_t VertexCount;
        uint32_t IndexCount;
    };
    // A batch of a held frame with the state it is drawn in.
    struct TDrawItem {
        TState State;
        TBatchHead Head;
        const uint8_t* Vertices;
        const uint8_t* Indices;
    };
    // What a frame draws: its clear colours and its batches, in order.
    struct TFrameItems {
        std::vector<uint32_t> Clears;
        std::vector<TDrawItem> Batches;
    };

    template <typename T> void Put(const T& Value);
    void PutBytes(const void* Data, size_t Size);
    // Starts holding a new frame, beginning with the state it inherits.
    void StartFrame();
    // Hands the held frame to the inner backend.
    void Replay();
    // The held frame to the inner backend, only the damaged part when it can keep the rest.
    void Draw(bool Whole);
    // Finds what the held frame changes against the one on screen; false when that is the whole
    // picture.
    bool FindDamage();
    static void CollectItems(const std::vector<uint8_t>& Stream, TFrameItems& Items);
    // Adds the rectangles of the primitives of two batches drawn at the same place in the frame
    // that differ; either may be missing.
    void CompareBatches(const TDrawItem* Old, const TDrawItem* New);
    // The pixels one primitive of a batch may touch, within its clip rectangle; false when its
    // data cannot be trusted to say (then the whole picture counts as changed).
    [[nodiscard]] bool PrimitiveRect(const TDrawItem& Item, size_t Primitive, TRect& Rect) const;

    std::unique_ptr<TRenderBackend> Inner;
    int32_t RepaintEvery;
    TState State;
    // The frame being held, and the one on screen, as a stream of commands and their data.
    std::vector<uint8_t> Frame;
    std::vector<uint8_t> Shown;
    // A batch copied out of the stream to be drawn.
    std::vector<TVertex> ReplayVertices;
    std::vector<uint16_t> ReplayIndices;
    TFrameItems OldItems;
    TFrameItems NewItems;
    TDamageArea Damage;
    bool RedrawOnlyDamage = true;
    int64_t DamagedPixels_ = 0;
    int32_t DamageRects_ = 0;
    // Drawn frames to go on keeping the picture after one that changed only parts of it.
    static constexpr int32_t KeepAfterPartly = 8;
    int32_t PartlyLately = 0;
    bool Recording = false;
    bool Changed = true;
    // Whether the frame that ended goes to the screen.
    bool Drawn = false;
    bool LastHeld_ = false;
    int32_t HeldInARow = 0;
    int64_t Presents_ = 0;
    int64_t Held_ = 0;
};
