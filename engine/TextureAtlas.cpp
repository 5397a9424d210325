// SPDX-License-Identifier: MIT
#include "engine/TextureAtlas.h"

#include "engine/Image.h"
#include "engine/PixelFormat.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace {

// One page's texture: 32-bit ARGB, no mip chain and no memory copy of its own: the page's
// pixels go to the device as they are.
class TAtlasTexture final : public TMultiTexture {
public:
    explicit TAtlasTexture(TGfxDevice& Device) : TMultiTexture(Device) {
        Format_ = pfA8R8G8B8;
        SetMipMapping(false);
        SetKeepPixels(false);
        SetTextureSize({TTextureAtlas::PageSide, TTextureAtlas::PageSide});
    }

    bool CreateTextures() override {
        ReleaseTextures();
        TRenderBackend* Backend = Device.Backend();
        const TPoint Size = TextureSize_;
        auto Texture = std::make_unique<TTexture>();
        Texture->Handle = Backend != nullptr ? Backend->CreateTexture(Size.X, Size.Y, false) : 0;
        if (Texture->Handle == 0) {
            return false;
        }
        Textures.push_back(std::move(Texture));
        return true;
    }

    // Pixels: the texture's rows of 0xAARRGGBB words, one after another.
    bool Fill(const uint32_t* Pixels) {
        TRenderBackend* Backend = Device.Backend();
        return Backend != nullptr && Backend->UpdateTexture(Handle(0), Pixels, TextureSize_.X, TextureSize_.Y);
    }
};

// A row of pictures on a page: all at most Height tall, placed left to right.
struct TShelf {
    int32_t Top = 0;
    int32_t Height = 0;
    int32_t Used = 0;
};

// One picture row decoded to 0xAARRGGBB, as the texture upload does it.
void DecodeTextureRow(TPixelFormat Format, const uint8_t* Row, uint32_t* Argb, int32_t Width) {
    if (Format == pfA8R8G8B8 && std::endian::native == std::endian::little) {
        std::memcpy(Argb, Row, static_cast<size_t>(Width) * sizeof(uint32_t));
    } else {
        DecodeRow(Format, Row, Argb, Width);
    }
}

} // namespace

struct TTextureAtlas::TPage {
    explicit TPage(TGfxDevice& Device) : Texture(Device) {}
    TAtlasTexture Texture;
    // The page's pixels while it is open (empty once on the device).
    std::vector<uint32_t> Pixels;
    std::vector<TShelf> Shelves;
    int32_t Bottom = 0;
    bool Open = true;

    // The page's texture size: its shelves' extent, each side rounded up to a power of two.
    [[nodiscard]] TPoint UsedSize() const {
        int32_t Width = 1;
        for (const TShelf& Shelf : Shelves) {
            Width = std::max(Width, Shelf.Used);
        }
        const auto Round = [](int32_t Side) {
            return static_cast<int32_t>(std::bit_ceil(static_cast<uint32_t>(Side)));
        };
        return {Round(Width), Round(std::max(Bottom, 1))};
    }

    // The best-fitting shelf with room for Size, or a new one under the last; false when full.
    bool Fit(TPoint Size, TPoint& At) {
        TShelf* Best = nullptr;
        for (TShelf& Shelf : Shelves) {
            // A shelf much taller than the picture would waste its height.
            if (Shelf.Height >= Size.Y && Shelf.Height <= Size.Y + Size.Y / 2 + 8 &&
                Shelf.Used + Size.X <= PageSide && (Best == nullptr || Shelf.Height < Best->Height)) {
                Best = &Shelf;
            }
        }
        if (Best == nullptr) {
            if (Bottom + Size.Y > PageSide || Size.X > PageSide) {
                return false;
            }
            Shelves.push_back({Bottom, Size.Y, 0});
            Bottom += Size.Y;
            Best = &Shelves.back();
        }
        At = {Best->Used, Best->Top};
        Best->Used += Size.X;
        return true;
    }
};

TTextureAtlas::TTextureAtlas(TGfxDevice& Device) : Device(Device) {
    Device.Subscribe(this);
}

TTextureAtlas::~TTextureAtlas() {
    Device.Unsubscribe(this);
}

bool TTextureAtlas::DeviceNotify(TDeviceEvent Event) {
    // The images on the pages go at the same event.
    if (Event == devFinalize) {
        Pages.clear();
    }
    return true;
}

TTextureAtlas::TPage* TTextureAtlas::Place(TPoint Size, TPoint& At) {
    for (const auto& Page : Pages) {
        if (Page->Open && Page->Fit(Size, At)) {
            return Page.get();
        }
    }
    auto Page = std::make_unique<TPage>(Device);
    Page->Pixels.assign(static_cast<size_t>(PageSide) * PageSide, 0);
    if (!Page->Fit(Size, At)) {
        return nullptr;
    }
    Pages.push_back(std::move(Page));
    return Pages.back().get();
}

bool TTextureAtlas::Add(TGfxImage& Image) {
    if (Image.State() != tsReady || Image.TextureCount() != 1 || Image.InAtlas()) {
        return false;
    }
    const TPoint Used = Image.UsedExtent();
    const TPoint Texture = Image.TextureSize();
    if (Used.X <= 0 || Used.Y <= 0 || Used.X > MaxPieceSide || Used.Y > MaxPieceSide) {
        return false;
    }
    TLockedRect Locked;
    if (!Image.Lock(0, LockReadOnly, Locked)) {
        return false;
    }
    TPoint At;
    TPage* Page = Place({Used.X + 2, Used.Y + 2}, At);
    if (Page == nullptr) {
        Image.Unlock(0);
        return false;
    }
    // Texel (x, y) of the slot, x and y from -1 to the used size, is the image's texel clamped
    // into its texture: inside, the picture; one texel out, what the texture holds there or,
    // at the texture's own edge, the edge texel its mirrored wrap gives.
    std::vector<uint32_t> Row(static_cast<size_t>(Texture.X));
    for (int32_t y = -1; y <= Used.Y; ++y) {
        const int32_t SourceY = std::clamp(y, 0, Texture.Y - 1);
        DecodeTextureRow(Locked.Format, Locked.Bits + static_cast<ptrdiff_t>(SourceY) * Locked.Pitch, Row.data(),
                         Texture.X);
        uint32_t* To = Page->Pixels.data() + static_cast<size_t>(At.Y + 1 + y) * PageSide + At.X;
        for (int32_t x = -1; x <= Used.X; ++x) {
            To[x + 1] = Row[static_cast<size_t>(std::clamp(x, 0, Texture.X - 1))];
        }
    }
    Image.Unlock(0);
    Image.MoveToAtlas(Page->Texture, {At.X + 1, At.Y + 1});
    return true;
}

bool TTextureAtlas::Finish() {
    bool Done = true;
    for (const auto& Page : Pages) {
        if (!Page->Open) {
            continue;
        }
        Page->Open = false;
        // The page is only as wide and tall as its shelves need, in powers of two so texture
        // coordinates stay exact binary fractions.
        Page->Texture.SetTextureSize(Page->UsedSize());
        Page->Texture.ChangeState(tsReady);
        if (Page->Texture.State() != tsReady) {
            Done = false;
        } else {
            // A page narrower than its memory has its rows moved together in place, each to an
            // address no later than its own, so the device takes them in one piece.
            const TPoint Size = Page->Texture.TextureSize();
            if (Size.X < PageSide) {
                for (int32_t y = 1; y < Size.Y; ++y) {
                    std::memmove(Page->Pixels.data() + static_cast<size_t>(y) * Size.X,
                                 Page->Pixels.data() + static_cast<size_t>(y) * PageSide,
                                 static_cast<size_t>(Size.X) * sizeof(uint32_t));
                }
            }
            Done = Page->Texture.Fill(Page->Pixels.data()) && Done;
        }
        std::vector<uint32_t>().swap(Page->Pixels);
    }
    return Done;
}
