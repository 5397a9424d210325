// SPDX-License-Identifier: MIT
#pragma once

#include "archive/Stream.h"
#include "engine/Device.h"
#include "engine/Image.h"
#include "platform/RecordingBackend.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

// A device over the recording backend, initialised, for the image tests.
class ImageFixture : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Device.Initialize());
        Backend = static_cast<TRecordingBackend*>(Device.Backend());
    }

    // The pixels last uploaded to texture Index of a texture set.
    [[nodiscard]] const std::vector<uint32_t>& Uploaded(const TBaseTexture& Set, int32_t Index) const {
        static const std::vector<uint32_t> None;
        const auto Found = Backend->Textures.find(Set.Handle(Index));
        return Found == Backend->Textures.end() ? None : Found->second.Pixels;
    }

    TGfxDevice Device{[](const TDisplaySettings&) { return std::make_unique<TRecordingBackend>(800, 600); }};
    TRecordingBackend* Backend = nullptr;
};

// The header fields of an image record, and the raw record bytes made from them.
struct TRawHeader {
    uint8_t Format = pfA8R8G8B8;
    TPoint PatternSize;
    TPoint VisibleSize;
    int32_t PatternCount = 0;
    TPoint TextureSize{4, 4};
    int32_t TextureCount = 1;
};

// The header followed by Rows (or, when Rows is empty, by zero bytes for every texture row).
inline std::vector<uint8_t> RawRecord(const TRawHeader& H, std::vector<uint8_t> Rows = {}) {
    TMemoryStream S;
    WriteByte(S, H.Format);
    for (const int32_t Field : {H.PatternSize.X, H.PatternSize.Y, H.VisibleSize.X, H.VisibleSize.Y,
                                H.PatternCount, H.TextureSize.X, H.TextureSize.Y, H.TextureCount}) {
        WriteInt32(S, Field);
    }
    if (Rows.empty() && H.TextureSize.X > 0 && H.TextureSize.Y > 0 && H.TextureCount > 0) {
        Rows.assign(static_cast<size_t>(H.TextureSize.X) * H.TextureSize.Y * H.TextureCount *
                        BytesPerPixel(static_cast<TPixelFormat>(H.Format)),
                    0);
    }
    S.Write(Rows.data(), Rows.size());
    return S.Bytes();
}

inline bool LoadRecord(TGfxImage& Image, std::vector<uint8_t> Bytes) {
    TMemoryStream S(std::move(Bytes));
    return Image.LoadFromStream(S);
}
