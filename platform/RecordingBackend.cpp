// SPDX-License-Identifier: MIT
#include "platform/RecordingBackend.h"

#include <algorithm>

TTextureHandle TRecordingBackend::CreateTexture(int Width, int Height, bool MipMapping) {
    if (Width <= 0 || Height <= 0 || Width > 8192 || Height > 8192) {
        return 0;
    }
    const TTextureHandle Handle = NextHandle++;
    TTextureRecord& Record = Textures[Handle];
    Record.Width = Width;
    Record.Height = Height;
    Record.MipMapping = MipMapping;
    if (KeepTexturePixels) {
        Record.Pixels.assign(static_cast<size_t>(Width) * static_cast<size_t>(Height), 0);
    }
    return Handle;
}

bool TRecordingBackend::UpdateTexture(TTextureHandle Texture, const uint32_t* Pixels, int Width, int Height) {
    const auto Found = Textures.find(Texture);
    if (Found == Textures.end() || Pixels == nullptr || Width != Found->second.Width ||
        Height != Found->second.Height) {
        return false;
    }
    if (KeepTexturePixels) {
        Found->second.Pixels.assign(Pixels, Pixels + static_cast<size_t>(Width) * static_cast<size_t>(Height));
    }
    ++Found->second.Updates;
    return true;
}

void TRecordingBackend::DeleteTexture(TTextureHandle Texture) {
    Textures.erase(Texture);
}

TTextureTotals TRecordingBackend::TextureTotals() const {
    return SumTextures(Textures);
}

bool TRecordingBackend::BeginScene() {
    if (FailBeginScene) {
        return false;
    }
    ++Scenes;
    if (ForgetPastScenes) {
        Batches.clear();
        Calls.clear();
        Clears.clear();
    }
    Calls.push_back(TCall::BeginScene);
    return true;
}

void TRecordingBackend::Clear(uint32_t Color) {
    Clears.push_back(Color);
    Calls.push_back(TCall::Clear);
}

void TRecordingBackend::EndScene() {
    Calls.push_back(TCall::EndScene);
}

void TRecordingBackend::KeepPicture(bool Keep) {
    const bool Value = CanKeepPicture && Keep;
    PictureKept = PictureKept && Value == Keeping;
    Keeping = Value;
}

TPresentResult TRecordingBackend::Present() {
    ++Presents;
    PictureKept = Keeping;
    return Lost ? TPresentResult::Lost : TPresentResult::Ok;
}

bool TRecordingBackend::Reset() {
    if (FailResets) {
        return false;
    }
    ++Resets;
    PictureKept = false;
    Lost = false;
    return true;
}

bool TRecordingBackend::ApplySettings(const TDisplaySettings& Settings) {
    Applied = Settings;
    Width_ = NextWidth > 0 ? NextWidth : Settings.Width;
    Height_ = NextHeight > 0 ? NextHeight : Settings.Height;
    Clip = {0, 0, Width_, Height_};
    return true;
}

void TRecordingBackend::SetNextSize(int Width, int Height) {
    NextWidth = Width;
    NextHeight = Height;
}

void TRecordingBackend::SetClipRect(const TRect& DeviceRect) {
    Clip = DeviceRect;
    Calls.push_back(TCall::ClipRect);
}

void TRecordingBackend::SetFiltering(bool Value) {
    Linear = Value;
    Calls.push_back(TCall::Filtering);
}

void TRecordingBackend::SetDithering(bool Enabled) {
    Dithering = Enabled;
    Calls.push_back(TCall::Dithering);
}

void TRecordingBackend::SetAlphaTest(bool Enabled) {
    AlphaTest = Enabled;
    Calls.push_back(TCall::AlphaTest);
}

void TRecordingBackend::DrawBatch(TPrimitive Kind, uint32_t Effect, TTextureHandle Texture,
                                  const TVertex* Vertices, size_t VertexCount, const uint16_t* Indices,
                                  size_t IndexCount) {
    ++DrawCount;
    VerticesDrawn += VertexCount;
    Calls.push_back(TCall::Draw);
    if (!RecordBatches) {
        return;
    }
    TBatchRecord Record;
    Record.Kind = Kind;
    Record.Effect = Effect;
    Record.Texture = Texture;
    Record.Vertices.assign(Vertices, Vertices + VertexCount);
    Record.Indices.assign(Indices, Indices + IndexCount);
    Batches.push_back(std::move(Record));
}

bool TRecordingBackend::ReadPixels(std::vector<uint32_t>& Pixels) {
    Pixels.assign(static_cast<size_t>(Width_) * static_cast<size_t>(Height_), 0);
    return true;
}
