// SPDX-License-Identifier: MIT
#pragma once

#include "platform/RenderBackend.h"

#include <cstdint>
#include <map>
#include <vector>

// A backend that draws nothing and remembers everything, so tests can check what the canvas
// and the device asked for. It can also play a lost device: after LoseDevice, Present reports
// Lost until Reset succeeds (which it does unless FailResets is set).
class TRecordingBackend final : public TRenderBackend {
public:
    struct TBatchRecord {
        TPrimitive Kind = TPrimitive::None;
        uint32_t Effect = 0;
        TTextureHandle Texture = 0;
        std::vector<TVertex> Vertices;
        std::vector<uint16_t> Indices;
    };
    struct TTextureRecord {
        int Width = 0;
        int Height = 0;
        bool MipMapping = false;
        int Updates = 0;
        std::vector<uint32_t> Pixels;
    };
    // Every state call in order, for tests of when the canvas flushes.
    enum class TCall : uint8_t {
        Draw,
        Clear,
        ClipRect,
        Filtering,
        Dithering,
        AlphaTest,
        BeginScene,
        EndScene
    };

    TRecordingBackend(int Width, int Height) : Width_(Width), Height_(Height), Clip{0, 0, Width, Height} {}

    [[nodiscard]] int Width() const override { return Width_; }
    [[nodiscard]] int Height() const override { return Height_; }

    [[nodiscard]] TTextureHandle CreateTexture(int Width, int Height, bool MipMapping) override;
    bool UpdateTexture(TTextureHandle Texture, const uint32_t* Pixels, int Width, int Height) override;
    void DeleteTexture(TTextureHandle Texture) override;
    [[nodiscard]] TTextureTotals TextureTotals() const override;

    bool BeginScene() override;
    void Clear(uint32_t Color) override;
    void EndScene() override;
    TPresentResult Present() override;
    bool Reset() override;
    bool ApplySettings(const TDisplaySettings& Settings) override;

    void SetClipRect(const TRect& DeviceRect) override;
    [[nodiscard]] TRect ClipRect() const override { return Clip; }
    void SetFiltering(bool Linear) override;
    void SetDithering(bool Enabled) override;
    void SetAlphaTest(bool Enabled) override;

    void DrawBatch(TPrimitive Kind, uint32_t Effect, TTextureHandle Texture, const TVertex* Vertices,
                   size_t VertexCount, const uint16_t* Indices, size_t IndexCount) override;
    bool ReadPixels(std::vector<uint32_t>& Pixels) override;
    // Keeps its "picture" between frames only when CanKeepPicture is set.
    void KeepPicture(bool Keep) override;
    [[nodiscard]] bool KeepsPicture() const override { return Keeping && PictureKept; }
    void LimitDrawing(const TRect& Area) override { Limits.push_back(Area); }

    void LoseDevice() { Lost = true; }
    // Settings applied with ApplySettings take this size (a full-screen drawing area, say).
    void SetNextSize(int Width, int Height);

    std::vector<TBatchRecord> Batches;
    std::vector<TCall> Calls;
    std::vector<uint32_t> Clears;
    std::map<TTextureHandle, TTextureRecord> Textures;
    TDisplaySettings Applied;
    bool Linear = false;
    bool Dithering = false;
    bool AlphaTest = false;
    bool FailResets = false;
    // Off: DrawBatch only counts (benchmarks and allocation checks).
    bool RecordBatches = true;
    // On: each BeginScene drops the batches, calls and clears of the scenes before, so the
    // records hold one frame however long the run.
    bool ForgetPastScenes = false;
    // Off: textures keep their size and update count but not their pixels (a long headless run
    // then holds no picture twice).
    bool KeepTexturePixels = true;
    int DrawCount = 0;
    size_t VerticesDrawn = 0;
    bool FailBeginScene = false;
    int Presents = 0;
    // On: it acts as a backend that keeps its picture between frames while asked to.
    bool CanKeepPicture = false;
    bool Keeping = false;
    // Every limit the frames were drawn within, in order.
    std::vector<TRect> Limits;
    int Resets = 0;
    int Scenes = 0;

private:
    int Width_;
    int Height_;
    int NextWidth = 0;
    int NextHeight = 0;
    TRect Clip;
    bool Lost = false;
    bool PictureKept = false;
    TTextureHandle NextHandle = 1;
};
