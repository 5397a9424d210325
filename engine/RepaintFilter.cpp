// SPDX-License-Identifier: MIT
#include "engine/RepaintFilter.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// What a held frame is made of, in the order it came.
enum class TCommand : uint8_t { Start, Clear, Begin, End, Clip, Filtering, Dithering, AlphaTest, Batch };

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
    const bool Whole = Changed || HeldInARow + 1 >= RepaintEvery;
    Changed = false;
    HeldInARow = 0;
    Draw(Whole);
    Frame.swap(Shown);
}

void TRepaintFilter::Draw(bool Whole) {
    Damage.Clear();
    const int64_t AreaPixels = static_cast<int64_t>(Width()) * Height();
    const bool Partly = !Whole && FindDamage() && Damage.Pixels() * 2 <= AreaPixels;
    DamagedPixels_ = Partly ? Damage.Pixels() : AreaPixels;
    DamageRects_ = Partly ? static_cast<int32_t>(Damage.Rects().size()) : 1;
    // Keeping the picture costs the backend a copy for every picture: it is asked to while
    // frames lately changed only parts (in play, the bonuses between the background's steps),
    // not while every frame changes it all (the menus' turning background alone).
    PartlyLately = Partly ? KeepAfterPartly : std::max(PartlyLately - 1, 0);
    Inner->KeepPicture(RedrawOnlyDamage && PartlyLately > 0);
    // Most of the picture changed: one whole pass costs less than several clipped ones.
    if (!Partly || !RedrawOnlyDamage || !Inner->KeepsPicture()) {
        Replay();
        return;
    }
    for (const TRect& Rect : Damage.Rects()) {
        Inner->LimitDrawing(Rect);
        Replay();
    }
    Inner->LimitDrawing({0, 0, Width(), Height()});
}

void TRepaintFilter::CollectItems(const std::vector<uint8_t>& Stream, TFrameItems& Items) {
    Items.Clears.clear();
    Items.Batches.clear();
    TReader Reader(Stream);
    TState State;
    while (!Reader.AtEnd()) {
        switch (Reader.Get<TCommand>()) {
        case TCommand::Start:
            State = Reader.Get<TState>();
            break;
        case TCommand::Clear:
            Items.Clears.push_back(Reader.Get<uint32_t>());
            break;
        case TCommand::Begin:
        case TCommand::End:
            break;
        case TCommand::Clip:
            State.Clip = Reader.Get<TRect>();
            break;
        case TCommand::Filtering:
            State.Linear = Reader.Get<uint8_t>();
            break;
        case TCommand::Dithering:
            State.Dithering = Reader.Get<uint8_t>();
            break;
        case TCommand::AlphaTest:
            State.AlphaTest = Reader.Get<uint8_t>();
            break;
        case TCommand::Batch: {
            TDrawItem Item{State, Reader.Get<TBatchHead>(), nullptr, nullptr};
            Item.Vertices = Reader.Skip(Item.Head.VertexCount * sizeof(TVertex));
            Item.Indices = Reader.Skip(Item.Head.IndexCount * sizeof(uint16_t));
            Items.Batches.push_back(Item);
            break;
        }
        }
    }
}

bool TRepaintFilter::FindDamage() {
    CollectItems(Shown, OldItems);
    CollectItems(Frame, NewItems);
    if (OldItems.Clears != NewItems.Clears) {
        return false;
    }
    const size_t Count = std::max(OldItems.Batches.size(), NewItems.Batches.size());
    for (size_t i = 0; i < Count; ++i) {
        const TDrawItem* Old = i < OldItems.Batches.size() ? &OldItems.Batches[i] : nullptr;
        const TDrawItem* New = i < NewItems.Batches.size() ? &NewItems.Batches[i] : nullptr;
        CompareBatches(Old, New);
        if (Damage.Pixels() >= static_cast<int64_t>(Width()) * Height()) {
            return false;
        }
    }
    return true;
}

namespace {

[[nodiscard]] size_t PrimitiveSize(uint32_t Kind) {
    switch (static_cast<TPrimitive>(Kind)) {
    case TPrimitive::Points:
        return 1;
    case TPrimitive::Lines:
        return 2;
    case TPrimitive::Triangles:
        return 3;
    default:
        return 0;
    }
}

[[nodiscard]] uint16_t IndexAt(const uint8_t* Indices, size_t At) {
    uint16_t Index = 0;
    std::memcpy(&Index, Indices + At * sizeof(uint16_t), sizeof(Index));
    return Index;
}

[[nodiscard]] TVertex VertexAt(const uint8_t* Vertices, size_t At) {
    TVertex Vertex;
    std::memcpy(&Vertex, Vertices + At * sizeof(TVertex), sizeof(Vertex));
    return Vertex;
}

// Two primitives at the same place of their batches draw the same when their vertices do.
[[nodiscard]] bool SamePrimitive(const uint8_t* OldVertices, const uint8_t* OldIndices, const uint8_t* NewVertices,
                                 const uint8_t* NewIndices, size_t First, size_t Size) {
    for (size_t k = First; k < First + Size; ++k) {
        const uint8_t* A = OldVertices + IndexAt(OldIndices, k) * sizeof(TVertex);
        const uint8_t* B = NewVertices + IndexAt(NewIndices, k) * sizeof(TVertex);
        if (std::memcmp(A, B, sizeof(TVertex)) != 0) {
            return false;
        }
    }
    return true;
}

} // namespace

bool TRepaintFilter::PrimitiveRect(const TDrawItem& Item, size_t Primitive, TRect& Rect) const {
    const size_t Size = PrimitiveSize(Item.Head.Kind);
    float MinX = 0.0f;
    float MinY = 0.0f;
    float MaxX = 0.0f;
    float MaxY = 0.0f;
    for (size_t k = 0; k < Size; ++k) {
        const uint16_t Index = IndexAt(Item.Indices, Primitive * Size + k);
        if (Index >= Item.Head.VertexCount) {
            return false;
        }
        const TVertex V = VertexAt(Item.Vertices, Index);
        if (!std::isfinite(V.X) || !std::isfinite(V.Y)) {
            return false;
        }
        MinX = k == 0 ? V.X : std::min(MinX, V.X);
        MinY = k == 0 ? V.Y : std::min(MinY, V.Y);
        MaxX = k == 0 ? V.X : std::max(MaxX, V.X);
        MaxY = k == 0 ? V.Y : std::max(MaxY, V.Y);
    }
    // A vertex at (x, y) lies on the corner of pixel (x, y); a pixel more on every side covers
    // the rounding of edges, points and lines.
    const TRect Screen{0, 0, Width(), Height()};
    const auto Low = [](float Value) { return static_cast<int32_t>(std::floor(std::clamp(Value, -1e6f, 1e6f))) - 1; };
    const auto High = [](float Value) { return static_cast<int32_t>(std::ceil(std::clamp(Value, -1e6f, 1e6f))) + 2; };
    Rect = TRect{Low(MinX), Low(MinY), High(MaxX), High(MaxY)}.Intersect(Item.State.Clip).Intersect(Screen);
    return true;
}

void TRepaintFilter::CompareBatches(const TDrawItem* Old, const TDrawItem* New) {
    const TRect Screen{0, 0, Width(), Height()};
    // Primitives of a batch that cannot be compared one by one all count as changed.
    size_t Same = 0;
    if (Old != nullptr && New != nullptr && std::memcmp(&Old->State, &New->State, sizeof(TState)) == 0 &&
        Old->Head.Kind == New->Head.Kind && Old->Head.Effect == New->Head.Effect &&
        Old->Head.Texture == New->Head.Texture) {
        Same = std::min(Old->Head.IndexCount, New->Head.IndexCount);
    }
    const auto AddPrimitive = [this, &Screen](const TDrawItem& Item, size_t Primitive) {
        TRect Rect;
        Damage.Add(PrimitiveRect(Item, Primitive, Rect) ? Rect : Screen);
    };
    const auto AddFrom = [&](const TDrawItem* Item, size_t FirstIndex) {
        const size_t Size = Item != nullptr ? PrimitiveSize(Item->Head.Kind) : 0;
        if (Item == nullptr || Size == 0) {
            return;
        }
        for (size_t p = FirstIndex / Size; p < Item->Head.IndexCount / Size; ++p) {
            AddPrimitive(*Item, p);
        }
    };
    const size_t Size = Old != nullptr ? PrimitiveSize(Old->Head.Kind) : 0;
    Same = Size == 0 ? 0 : Same / Size * Size;
    for (size_t First = 0; First < Same; First += Size) {
        bool InRange = true;
        for (size_t k = First; k < First + Size; ++k) {
            InRange = InRange && IndexAt(Old->Indices, k) < Old->Head.VertexCount &&
                      IndexAt(New->Indices, k) < New->Head.VertexCount;
        }
        if (!InRange || !SamePrimitive(Old->Vertices, Old->Indices, New->Vertices, New->Indices, First, Size)) {
            AddPrimitive(*Old, First / Size);
            AddPrimitive(*New, First / Size);
        }
    }
    AddFrom(Old, Same);
    AddFrom(New, Same);
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
