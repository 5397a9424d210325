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

// A stretch of a page's skyline: from X, Width texels wide, everything placed ends above Y.
struct TSegment {
    int32_t X = 0;
    int32_t Y = 0;
    int32_t Width = 0;
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
    // The top of what is placed, left to right across the whole page width.
    std::vector<TSegment> Skyline{{0, 0, PageSide}};
    // The part of the page the placed pictures cover.
    TPoint Extent{1, 1};
    bool Open = true;

    // The page's texture size: what its pictures cover, each side rounded up to a power of two.
    [[nodiscard]] TPoint UsedSize() const {
        const auto Round = [](int32_t Side) {
            return static_cast<int32_t>(std::bit_ceil(static_cast<uint32_t>(Side)));
        };
        return {Round(Extent.X), Round(Extent.Y)};
    }

    // Places Size where its lower edge ends nearest the page's top, the leftmost of equals:
    // a skyline kept this tight in loading order leaves little of a page unused, so the
    // pictures need few pages; false when the page has no room.
    bool Fit(TPoint Size, TPoint& At) {
        if (Size.X > PageSide || Size.Y > PageSide) {
            return false;
        }
        int32_t BestEnd = PageSide + 1;
        for (size_t i = 0; i < Skyline.size() && Skyline[i].X + Size.X <= PageSide; ++i) {
            // The picture rests on the highest stretch it spans.
            int32_t Top = 0;
            int32_t Covered = 0;
            for (size_t j = i; j < Skyline.size() && Covered < Size.X; ++j) {
                Top = std::max(Top, Skyline[j].Y);
                Covered += Skyline[j].Width;
            }
            if (Top + Size.Y < BestEnd) {
                BestEnd = Top + Size.Y;
                At = {Skyline[i].X, Top};
            }
        }
        if (BestEnd > PageSide) {
            return false;
        }
        Raise(At.X, Size.X, BestEnd);
        Extent = {std::max(Extent.X, At.X + Size.X), std::max(Extent.Y, BestEnd)};
        return true;
    }

    // The skyline with the stretch from X, Width wide, raised to Y.
    void Raise(int32_t X, int32_t Width, int32_t Y) {
        std::vector<TSegment> Next;
        Next.reserve(Skyline.size() + 2);
        bool Placed = false;
        const auto Append = [&Next](TSegment Segment) {
            if (!Next.empty() && Next.back().Y == Segment.Y) {
                Next.back().Width += Segment.Width;
            } else {
                Next.push_back(Segment);
            }
        };
        for (const TSegment& S : Skyline) {
            const int32_t End = S.X + S.Width;
            if (S.X < X) {
                Append({S.X, S.Y, std::min(End, X) - S.X});
            }
            if (End > X && !Placed) {
                Append({X, Y, Width});
                Placed = true;
            }
            if (End > X + Width) {
                const int32_t From = std::max(S.X, X + Width);
                Append({From, S.Y, End - From});
            }
        }
        Skyline = std::move(Next);
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
        // The page is only as wide and tall as its pictures need, in powers of two so texture
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
