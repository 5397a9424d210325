// SPDX-License-Identifier: MIT
#pragma once

#include "engine/Device.h"
#include "platform/Types.h"

#include <cstdint>
#include <memory>
#include <vector>

class TGfxImage;
class TMultiTexture;

// Texture atlases built while the archives load: small pictures (pieces, bonuses, tiles, faces'
// parts, panels, buttons, glyph pages) are copied side by side onto a few large textures, the
// pages, so a frame that draws many of them stays on one texture and the canvas can send them
// in one draw call. Each picture keeps a one-texel border that repeats what its own texture
// gives beyond its edges, so filtering samples exactly what it sampled before and no neighbour
// bleeds in. Pages are filled in memory and go to the device together at Finish.
class TTextureAtlas final : public IDeviceListener {
public:
    // Pictures whose used part is wider or taller than this keep a texture of their own.
    static constexpr int32_t MaxPieceSide = 1024;
    static constexpr int32_t PageSide = 2048;

    explicit TTextureAtlas(TGfxDevice& Device);
    ~TTextureAtlas() override;
    TTextureAtlas(const TTextureAtlas&) = delete;
    TTextureAtlas& operator=(const TTextureAtlas&) = delete;

    bool DeviceNotify(TDeviceEvent Event) override;

    // Copies a ready, single-texture image that still holds its pixels onto a page and moves
    // it there (its own texture goes). False when the image does not qualify; it is then
    // untouched.
    bool Add(TGfxImage& Image);
    // Puts the pages filled since the last call on the device and drops their memory copies;
    // those pages take no more pictures. False when a page cannot be made: its pictures then
    // draw nothing.
    bool Finish();

    [[nodiscard]] int32_t PageCount() const { return static_cast<int32_t>(Pages.size()); }

private:
    struct TPage;
    // A free spot of Size on an open page, opening a new page when none has room.
    [[nodiscard]] TPage* Place(TPoint Size, TPoint& At);

    TGfxDevice& Device;
    std::vector<std::unique_ptr<TPage>> Pages;
};
