// SPDX-License-Identifier: MIT
#include "engine/RepaintFilter.h"

#include <algorithm>
#include <cstring>

namespace {

// What a held frame is made of, in the order it came.
enum class TCommand : uint8_t { Start, Clear, Begin, End, Clip, Filtering, Dithering, AlphaTest, Batch };

// The fixed part of a batch; its vertices and indices follow it. Whole words: no padding.
struct TBatchHead {
    uint32_t Kind;
    uint32_t Effect;
    TTextureHandle Texture;
    uint32_t VertexCount;
    uint32_t IndexCount;
};

// Reads a held frame back in the order it was written.
class TReader {
public:
    explicit TReader(const std::vector<uint8_t>& Bytes) : Bytes(Bytes) {}
    [[nodiscard]] bool AtEnd() const { return At >= Bytes.size(); }
    template <typename T> T Get() {
        T Value{};
        std::memcpy(&Value, Bytes.data() + At, sizeof(T));
        At += sizeof(T);
        return Value;
    }
    const uint8_t* Skip(size_t Size) {
        const uint8_t* Data = Bytes.data() + At;
        At += Size;
        return Data;
    }

private:
    const std::vector<uint8_t>& Bytes;
    size_t At = 0;
};

} // namespace

TRepaintFilter::TRepaintFilter(std::unique_ptr<TRenderBackend> Inner, int32_t RepaintEvery)
    : Inner(std::move(Inner)), RepaintEvery(std::max(RepaintEvery, 1)) {
    State.Clip = this->Inner->ClipRect();
}

template <typename T> void TRepaintFilter::Put(const T& Value) {
    PutBytes(&Value, sizeof(T));
}

void TRepaintFilter::PutBytes(const void* Data, size_t Size) {
    const auto* Bytes = static_cast<const uint8_t*>(Data);
    Frame.insert(Frame.end(), Bytes, Bytes + Size);
}

void TRepaintFilter::StartFrame() {
    Frame.clear();
    Recording = true;
    Put(TCommand::Start);
    Put(State);
}

TTextureHandle TRepaintFilter::CreateTexture(int Width, int Height, bool MipMapping) {
    Changed = true;
    return Inner->CreateTexture(Width, Height, MipMapping);
}

bool TRepaintFilter::UpdateTexture(TTextureHandle Texture, const uint32_t* Pixels, int Width, int Height) {
    Changed = true;
    return Inner->UpdateTexture(Texture, Pixels, Width, Height);
}

void TRepaintFilter::DeleteTexture(TTextureHandle Texture) {
    Changed = true;
    Inner->DeleteTexture(Texture);
}

bool TRepaintFilter::BeginScene() {
    if (!Recording) {
        StartFrame();
    }
    Put(TCommand::Begin);
    return true;
}

void TRepaintFilter::Clear(uint32_t Color) {
    if (!Recording) {
        StartFrame();
    }
    Put(TCommand::Clear);
    Put(Color);
}

void TRepaintFilter::EndScene() {
    if (!Recording) {
        return;
    }
    Put(TCommand::End);
    Recording = false;
    Drawn = Changed || HeldInARow + 1 >= RepaintEvery || Frame != Shown;
    if (!Drawn) {
        ++HeldInARow;
        return;
    }
    Changed = false;
    HeldInARow = 0;
    Replay();
    Frame.swap(Shown);
}

void TRepaintFilter::Replay() {
    TReader Reader(Frame);
    bool Skipping = false;
    while (!Reader.AtEnd()) {
        const auto Command = Reader.Get<TCommand>();
        switch (Command) {
        case TCommand::Start: {
            // The inner backend may still have the state of an older frame than the one this
            // one followed: the frame sets all of its own.
            const auto Start = Reader.Get<TState>();
            Inner->SetClipRect(Start.Clip);
            Inner->SetFiltering(Start.Linear != 0);
            Inner->SetDithering(Start.Dithering != 0);
            Inner->SetAlphaTest(Start.AlphaTest != 0);
            break;
        }
        case TCommand::Clear:
            Inner->Clear(Reader.Get<uint32_t>());
            break;
        case TCommand::Begin:
            // A scene that cannot begin draws nothing, as it would have without the filter;
            // the next frame tries again.
            Skipping = !Inner->BeginScene();
            Changed = Changed || Skipping;
            break;
        case TCommand::End:
            if (!Skipping) {
                Inner->EndScene();
            }
            Skipping = false;
            break;
        case TCommand::Clip:
            Inner->SetClipRect(Reader.Get<TRect>());
            break;
        case TCommand::Filtering:
            Inner->SetFiltering(Reader.Get<uint8_t>() != 0);
            break;
        case TCommand::Dithering:
            Inner->SetDithering(Reader.Get<uint8_t>() != 0);
            break;
        case TCommand::AlphaTest:
            Inner->SetAlphaTest(Reader.Get<uint8_t>() != 0);
            break;
        case TCommand::Batch: {
            const auto Head = Reader.Get<TBatchHead>();
            const uint8_t* Vertices = Reader.Skip(Head.VertexCount * sizeof(TVertex));
            const uint8_t* Indices = Reader.Skip(Head.IndexCount * sizeof(uint16_t));
            if (!Skipping) {
                // The stream keeps no alignment, so the batch is copied out before it is drawn.
                ReplayVertices.resize(Head.VertexCount);
                ReplayIndices.resize(Head.IndexCount);
                std::memcpy(ReplayVertices.data(), Vertices, Head.VertexCount * sizeof(TVertex));
                std::memcpy(ReplayIndices.data(), Indices, Head.IndexCount * sizeof(uint16_t));
                Inner->DrawBatch(static_cast<TPrimitive>(Head.Kind), Head.Effect, Head.Texture, ReplayVertices.data(), Head.VertexCount,
                                 ReplayIndices.data(), Head.IndexCount);
            }
            break;
        }
        }
    }
}

TPresentResult TRepaintFilter::Present() {
    if (!Drawn) {
        ++Held_;
        LastHeld_ = true;
        return TPresentResult::Ok;
    }
    Drawn = false;
    LastHeld_ = false;
    ++Presents_;
    return Inner->Present();
}

bool TRepaintFilter::Reset() {
    Changed = true;
    const bool Ok = Inner->Reset();
    State.Clip = Inner->ClipRect();
    return Ok;
}

bool TRepaintFilter::ApplySettings(const TDisplaySettings& Settings) {
    Changed = true;
    const bool Ok = Inner->ApplySettings(Settings);
    State.Clip = Inner->ClipRect();
    return Ok;
}

void TRepaintFilter::SetClipRect(const TRect& DeviceRect) {
    State.Clip = DeviceRect;
    if (Recording) {
        Put(TCommand::Clip);
        Put(DeviceRect);
    } else {
        Inner->SetClipRect(DeviceRect);
    }
}

void TRepaintFilter::SetFiltering(bool Linear) {
    State.Linear = Linear ? 1 : 0;
    if (Recording) {
        Put(TCommand::Filtering);
        Put(State.Linear);
    } else {
        Inner->SetFiltering(Linear);
    }
}

void TRepaintFilter::SetDithering(bool Enabled) {
    State.Dithering = Enabled ? 1 : 0;
    if (Recording) {
        Put(TCommand::Dithering);
        Put(State.Dithering);
    } else {
        Inner->SetDithering(Enabled);
    }
}

void TRepaintFilter::SetAlphaTest(bool Enabled) {
    State.AlphaTest = Enabled ? 1 : 0;
    if (Recording) {
        Put(TCommand::AlphaTest);
        Put(State.AlphaTest);
    } else {
        Inner->SetAlphaTest(Enabled);
    }
}

void TRepaintFilter::DrawBatch(TPrimitive Kind, uint32_t Effect, TTextureHandle Texture, const TVertex* Vertices,
                               size_t VertexCount, const uint16_t* Indices, size_t IndexCount) {
    if (!Recording) {
        Changed = true;
        Inner->DrawBatch(Kind, Effect, Texture, Vertices, VertexCount, Indices, IndexCount);
        return;
    }
    Put(TCommand::Batch);
    Put(TBatchHead{static_cast<uint32_t>(Kind), Effect, Texture, static_cast<uint32_t>(VertexCount), static_cast<uint32_t>(IndexCount)});
    PutBytes(Vertices, VertexCount * sizeof(TVertex));
    PutBytes(Indices, IndexCount * sizeof(uint16_t));
}
