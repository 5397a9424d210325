// SPDX-License-Identifier: MIT
#include "engine/Image.h"

#include "archive/Archive.h"
#include "archive/Stream.h"
#include "engine/ImageRecord.h"
#include "engine/TextureAtlas.h"
#include "platform/Picture.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <limits>

namespace {

// The stored fields of an image record header, in file order after the format byte.
struct TImageHeader {
    uint8_t StoredFormat = pfUnknown;
    TPoint PatternSize;
    TPoint VisibleSize;
    int32_t PatternCount = 0;
    TPoint TextureSize;
    int32_t TextureCount = 0;
};

bool ReadHeader(TStream& Stream, TImageHeader& H) {
    return ReadByte(Stream, H.StoredFormat) && ReadInt32(Stream, H.PatternSize.X) &&
           ReadInt32(Stream, H.PatternSize.Y) && ReadInt32(Stream, H.VisibleSize.X) &&
           ReadInt32(Stream, H.VisibleSize.Y) && ReadInt32(Stream, H.PatternCount) &&
           ReadInt32(Stream, H.TextureSize.X) && ReadInt32(Stream, H.TextureSize.Y) &&
           ReadInt32(Stream, H.TextureCount);
}

// A header is only worth preparing when its textures have a sane size and the stream still
// holds every row they need, so a corrupt count never makes the loader allocate.
bool HeaderFitsStream(const TImageHeader& H, const TStream& Stream) {
    if (!IsKnownFormat(H.StoredFormat) || H.TextureCount < 0) {
        return false;
    }
    const TPoint T = H.TextureSize;
    if (T.X <= 0 || T.Y <= 0 || T.X > MaxTextureSide || T.Y > MaxTextureSide) {
        return false;
    }
    const int64_t TextureBytes =
        static_cast<int64_t>(T.X) * T.Y * BytesPerPixel(static_cast<TPixelFormat>(H.StoredFormat));
    return static_cast<int64_t>(H.TextureCount) * TextureBytes <= Stream.Remaining();
}

// Stored rows go straight into the texture when both formats share their bytes: equal codes,
// or the pairs that differ only in whether the top bits count as alpha.
bool Compatible(TPixelFormat Stored, TPixelFormat Texture) {
    auto Pair = [&](TPixelFormat A, TPixelFormat B) {
        return (Stored == A && Texture == B) || (Stored == B && Texture == A);
    };
    return Stored == Texture || Pair(pfX8R8G8B8, pfA8R8G8B8) || Pair(pfX4R4G4B4, pfA4R4G4B4);
}

// The first format of the preference list for an alpha level and quality; the backend takes
// every format code, keeping the CPU copy in it and converting on upload.
TPixelFormat PreferredFormat(TAlphaLevel Alpha, TGfxQuality Quality) {
    switch (Alpha) {
    case alNone:
        return Quality == aqLow ? pfR2G3B3 : Quality == aqMedium ? pfR5G6B5 : pfX8R8G8B8;
    case alMask:
        return pfA1R5G5B5;
    case alFull:
        return Quality == aqHigh ? pfA8R8G8B8 : pfA4R4G4B4;
    case alExclusive:
        return pfA8;
    }
    return pfUnknown;
}

// The texture a record's patterns get: the part of the stored texture they use (see
// UsedTextureExtent), each side rounded up to a power of two and transparent beyond the stored
// part. A record padded to a power of two and one stored at its used size (as the content
// generator writes them) so give the same texture, with the same cells, texture coordinates
// that stay exact binary fractions and the same transparent texels around the pictures.
TPoint UsedTextureSize(const TImageHeader& H) {
    const TPoint T = H.TextureSize;
    const TPoint Cell{H.PatternSize.X > 0 ? H.PatternSize.X : T.X, H.PatternSize.Y > 0 ? H.PatternSize.Y : T.Y};
    if (Cell.X <= 0 || Cell.Y <= 0 || Cell.X > T.X || Cell.Y > T.Y) {
        return T; // Prepare refuses these anyway
    }
    const TPoint Used = UsedTextureExtent(T, Cell, H.PatternCount, H.TextureCount);
    // One picture too large for the atlas pages (the space backdrop) keeps a texture of exactly
    // its size: rounding 1200 up to 2048 would nearly triple its memory on the device, and a
    // picture that fills its whole texture samples no neighbour however its coordinates round.
    if (H.TextureCount == 1 && H.PatternCount == 1 &&
        std::max(Used.X, Used.Y) > TTextureAtlas::MaxPieceSide) {
        return Used;
    }
    TPoint Side{static_cast<int32_t>(std::bit_ceil(static_cast<uint32_t>(Used.X))),
                static_cast<int32_t>(std::bit_ceil(static_cast<uint32_t>(Used.Y)))};
    // Cells keep the places the stored texture gives them: where they fill more than one row, a
    // wider texture must not hold more of them per row, nor a taller one more per column when
    // the patterns go on to further textures. A side that would stays at the used size.
    const int32_t StoredPerRow = T.X / Cell.X;
    if ((H.TextureCount > 1 || Used.Y > Cell.Y) && Side.X / Cell.X != StoredPerRow) {
        Side.X = Used.X;
    }
    if (H.TextureCount > 1 && Side.Y / Cell.Y != T.Y / Cell.Y) {
        Side.Y = Used.Y;
    }
    return Side;
}

int32_t ClampToInt32(int64_t Value) {
    return static_cast<int32_t>(
        std::clamp<int64_t>(Value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

} // namespace

TGfxImage::TGfxImage(TGfxDevice& Device) : TMultiTexture(Device) {}

TGfxImage::~TGfxImage() = default;

void TGfxImage::SetQuality(TGfxQuality Value) {
    if (State_ == tsEmpty) {
        Quality_ = Value;
    }
}

void TGfxImage::SetAlphaLevel(TAlphaLevel Value) {
    if (State_ == tsEmpty) {
        AlphaLevel_ = Value;
    }
}

void TGfxImage::SetPatternCount(int32_t Value) {
    if (State_ == tsEmpty) {
        PatternCount_ = Value;
    }
}

void TGfxImage::SetSize(int32_t Selector, TPoint Value) {
    if (Selector == 0) {
        VisibleSize_ = Value;
    } else if (Selector == 1 && State_ == tsEmpty) {
        PatternSize_ = Value;
    }
}

bool TGfxImage::Prepare() {
    const TPoint T = TextureSize_;
    PatternSize_ = {PatternSize_.X > 0 ? PatternSize_.X : T.X, PatternSize_.Y > 0 ? PatternSize_.Y : T.Y};
    VisibleSize_ = {VisibleSize_.X > 0 ? VisibleSize_.X : T.X, VisibleSize_.Y > 0 ? VisibleSize_.Y : T.Y};
    if (T.X <= 0 || T.Y <= 0 || T.X > MaxTextureSide || T.Y > MaxTextureSide) {
        return false;
    }
    if (PatternSize_.X > T.X || PatternSize_.Y > T.Y || VisibleSize_.X > PatternSize_.X ||
        VisibleSize_.Y > PatternSize_.Y) {
        return false;
    }
    PatternsPerRow_ = T.X / PatternSize_.X;
    PatternsPerColumn_ = T.Y / PatternSize_.Y;
    PatternsPerTexture_ = PatternsPerRow_ * PatternsPerColumn_;
    if (PatternCount_ <= 0) {
        PatternCount_ = ClampToInt32(static_cast<int64_t>(PatternsPerTexture_) * TextureCount_);
    }
    Format_ = PreferredFormat(AlphaLevel_, Quality_);
    return Format_ != pfUnknown;
}

void TGfxImage::ReleaseTextures() {
    TMultiTexture::ReleaseTextures();
    Page_ = nullptr;
}

TTextureHandle TGfxImage::Handle(int32_t Index) const {
    if (Page_ != nullptr) {
        return Index == 0 ? Page_->Handle(0) : 0;
    }
    return TMultiTexture::Handle(Index);
}

TPoint TGfxImage::UsedExtent() const {
    if (State_ == tsEmpty || PatternsPerRow_ < 1 || PatternsPerColumn_ < 1) {
        return {0, 0};
    }
    return UsedTextureExtent(TextureSize_, PatternSize_, PatternCount_, TextureCount_);
}

void TGfxImage::MoveToAtlas(const TBaseTexture& Page, TPoint Offset) {
    TMultiTexture::ReleaseTextures();
    // Reloaded later, the picture gets a texture of its own at once.
    UploadLater_ = false;
    Page_ = &Page;
    PageOffset_ = Offset;
}

bool TGfxImage::LoadFromStream(TStream& Stream) {
    TImageHeader H;
    if (!ReadHeader(Stream, H) || !HeaderFitsStream(H, Stream)) {
        return false;
    }
    // A record describes a whole new set of textures, so whatever the image held goes first.
    ChangeState(tsEmpty);
    PatternSize_ = H.PatternSize;
    VisibleSize_ = H.VisibleSize;
    PatternCount_ = H.PatternCount;
    SetTextureSize(UsedTextureSize(H));
    SetTextureCount(H.TextureCount);
    ChangeState(tsReady);
    if (State_ != tsReady) {
        return false;
    }
    if (!ReadTextures(Stream, static_cast<TPixelFormat>(H.StoredFormat), H.TextureSize)) {
        ChangeState(tsEmpty);
        return false;
    }
    return true;
}

bool TGfxImage::ReadTextures(TStream& Stream, TPixelFormat Stored, TPoint StoredSize) {
    // The texture may be smaller than the stored one (padding passed over) or larger (a record
    // stored at its used size: the rest of the texture stays transparent, as it comes clear).
    const int32_t Width = std::min(TextureSize_.X, StoredSize.X);
    const int32_t Height = std::min(TextureSize_.Y, StoredSize.Y);
    const bool Direct = Compatible(Stored, Format_);
    const size_t StoredRowBytes = static_cast<size_t>(Width) * BytesPerPixel(Stored);
    const int64_t RowTail = static_cast<int64_t>(StoredSize.X - Width) * BytesPerPixel(Stored);
    const int64_t TextureTail = static_cast<int64_t>(StoredSize.Y - Height) * StoredSize.X * BytesPerPixel(Stored);
    std::vector<uint8_t> StoredRow(Direct ? 0 : StoredRowBytes);
    std::vector<uint32_t> ArgbRow(Direct ? 0 : static_cast<size_t>(Width));
    for (int32_t t = 0; t < TextureCount_; ++t) {
        TLockedRect Locked;
        if (!Lock(t, LockReadWrite, Locked)) {
            return false;
        }
        for (int32_t y = 0; y < Height; ++y) {
            uint8_t* Row = Locked.Bits + static_cast<ptrdiff_t>(y) * Locked.Pitch;
            if (Direct) {
                if (!Stream.ReadExact(Row, StoredRowBytes)) {
                    return false;
                }
            } else {
                if (!Stream.ReadExact(StoredRow.data(), StoredRowBytes)) {
                    return false;
                }
                DecodeRow(Stored, StoredRow.data(), ArgbRow.data(), Width);
                EncodeRow(Format_, ArgbRow.data(), Row, Width);
            }
            if (RowTail > 0 && !Stream.Seek(Stream.Position() + RowTail)) {
                return false;
            }
        }
        if (TextureTail > 0 && !Stream.Seek(Stream.Position() + TextureTail)) {
            return false;
        }
        if (!Unlock(t)) {
            return false;
        }
    }
    return true;
}

bool TGfxImage::LoadFromArchive(const std::string& Key, TArchive& Archive) {
    if (!Archive.EnsureOpen()) {
        return false;
    }
    std::vector<uint8_t> Bytes;
    if (!Archive.ReadRecordBuffer(Key, Bytes)) {
        return false;
    }
    TMemoryStream Record(std::move(Bytes));
    const bool Loaded = LoadFromStream(Record);
    Archive.GiveBack(std::move(Record.Bytes()));
    return Loaded;
}

bool TGfxImage::LoadFromFile(const std::string& FileName) {
    std::vector<uint32_t> Pixels;
    int32_t Width = 0;
    int32_t Height = 0;
    return DecodePicture(FileName, Pixels, Width, Height) && LoadFromBitmap(Pixels, Width, Height);
}

bool TGfxImage::LoadFromBitmap(const std::vector<uint32_t>& Pixels, int32_t Width, int32_t Height) {
    if (Width <= 0 || Height <= 0 || Width > MaxTextureSide || Height > MaxTextureSide ||
        Pixels.size() < static_cast<size_t>(Width) * static_cast<size_t>(Height)) {
        return false;
    }
    if (State_ == tsEmpty) {
        const TPoint T = TextureSize_;
        const TPoint Cell{PatternSize_.X > 0 ? PatternSize_.X : T.X,
                          PatternSize_.Y > 0 ? PatternSize_.Y : T.Y};
        if (T.X <= 0 || T.Y <= 0 || Cell.X <= 0 || Cell.Y <= 0 || Cell.X > T.X || Cell.Y > T.Y) {
            return false;
        }
        const int64_t PerSheet = static_cast<int64_t>(T.X / Cell.X) * (T.Y / Cell.Y);
        const int64_t Total = SourcePatterns({Width, Height}, Cell);
        SetTextureCount(ClampToInt32((Total + PerSheet - 1) / PerSheet));
        ChangeState(tsReady);
    }
    if (State_ != tsReady) {
        return false;
    }
    const TPicture Picture{Pixels.data(), Width, Height};
    for (int32_t t = 0; t < TextureCount_; ++t) {
        if (!FillTexture(t, Picture)) {
            return false;
        }
    }
    return true;
}

int64_t TGfxImage::SourcePatterns(TPoint Picture, TPoint Cell) {
    // A picture smaller than one cell still gives one pattern: the part of the cell it covers.
    const int64_t Columns = std::max(1, Picture.X / Cell.X);
    const int64_t Rows = std::max(1, Picture.Y / Cell.Y);
    return Columns * Rows;
}

bool TGfxImage::FillTexture(int32_t Index, const TPicture& Picture) {
    TLockedRect Locked;
    if (!Lock(Index, LockReadWrite, Locked)) {
        return false;
    }
    const TPoint Cell = PatternSize_;
    const std::vector<uint32_t> Clear(static_cast<size_t>(TextureSize_.X), 0);
    for (int32_t y = 0; y < TextureSize_.Y; ++y) {
        EncodeRow(Format_, Clear.data(), Locked.Bits + static_cast<ptrdiff_t>(y) * Locked.Pitch,
                  TextureSize_.X);
    }
    const int32_t Columns = std::max(1, Picture.Width / Cell.X);
    const int32_t Rows = std::max(1, Picture.Height / Cell.Y);
    const int64_t Total = static_cast<int64_t>(Columns) * Rows;
    const int32_t Bytes = BytesPerPixel(Format_);
    const int32_t CopyWidth = std::min(Cell.X, Picture.Width);
    const int32_t CopyHeight = std::min(Cell.Y, Picture.Height);
    for (int32_t Local = 0; Local < PatternsPerTexture_; ++Local) {
        const int64_t i = static_cast<int64_t>(Index) * PatternsPerTexture_ + Local;
        if (i >= Total) {
            break;
        }
        const int32_t SourceX = static_cast<int32_t>(i % Columns) * Cell.X;
        const int32_t SourceY = static_cast<int32_t>((i / Columns) % Rows) * Cell.Y;
        const int32_t DestX = (Local % PatternsPerRow_) * Cell.X;
        const int32_t DestY = ((Local / PatternsPerRow_) % PatternsPerColumn_) * Cell.Y;
        for (int32_t y = 0; y < CopyHeight; ++y) {
            const uint32_t* From =
                Picture.Pixels + static_cast<size_t>(SourceY + y) * Picture.Width + SourceX;
            uint8_t* To = Locked.Bits + static_cast<ptrdiff_t>(DestY + y) * Locked.Pitch +
                          static_cast<ptrdiff_t>(DestX) * Bytes;
            EncodeRow(Format_, From, To, CopyWidth);
        }
    }
    return Unlock(Index);
}

bool TGfxImage::PatternCoords(const TPatternRequest& Request, TTexCorners& Corners,
                              int32_t& TextureIndex) const {
    if (State_ == tsEmpty || TextureCount_ < 1 || PatternCount_ < 1 || PatternsPerTexture_ < 1) {
        return false;
    }
    const int32_t Pattern = std::clamp(Request.Pattern, 0, PatternCount_ - 1);
    const int32_t Texture = Pattern / PatternsPerTexture_;
    // A record may claim more patterns than its textures hold; those have nothing to draw.
    if (Texture >= TextureCount_) {
        return false;
    }
    const int32_t Local = Pattern % PatternsPerTexture_;
    const int32_t OffsetX = (PatternSize_.X - VisibleSize_.X) / 2;
    const int32_t OffsetY = (PatternSize_.Y - VisibleSize_.Y) / 2;
    const int64_t X = static_cast<int64_t>(Request.SrcX) + (Local % PatternsPerRow_) * PatternSize_.X + OffsetX;
    const int64_t Y = static_cast<int64_t>(Request.SrcY) +
                      ((Local / PatternsPerRow_) % PatternsPerColumn_) * PatternSize_.Y + OffsetY;
    const int64_t W = Request.SrcWidth > 0 ? Request.SrcWidth : VisibleSize_.X;
    const int64_t H = Request.SrcHeight > 0 ? Request.SrcHeight : VisibleSize_.Y;
    // On an atlas page the texture's corner moves by a whole number of texels and the page
    // side is a power of two too, so every coordinate keeps its exact binary fraction.
    const TPoint Sheet = Page_ != nullptr ? Page_->TextureSize() : TextureSize_;
    const int64_t X0 = X + (Page_ != nullptr ? PageOffset_.X : 0);
    const int64_t Y0 = Y + (Page_ != nullptr ? PageOffset_.Y : 0);
    const auto TW = static_cast<float>(Sheet.X);
    const auto TH = static_cast<float>(Sheet.Y);
    float U0 = static_cast<float>(X0) / TW;
    float V0 = static_cast<float>(Y0) / TH;
    // The far edge sits half a texel inside, so filtering never reaches the next cell.
    float U1 = (static_cast<float>(X0 + W) - 0.5f) / TW;
    float V1 = (static_cast<float>(Y0 + H) - 0.5f) / TH;
    if (Request.Mirror) {
        std::swap(U0, U1);
    }
    if (Request.Flip) {
        std::swap(V0, V1);
    }
    Corners.P[0] = {U0, V0};
    Corners.P[1] = {U1, V0};
    Corners.P[2] = {U1, V1};
    Corners.P[3] = {U0, V1};
    TextureIndex = Texture;
    return true;
}
