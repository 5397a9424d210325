// SPDX-License-Identifier: MIT
#include "engine/ImageRecord.h"

#include <algorithm>
#include <cstddef>

namespace {

constexpr int32_t PreferredMaxSide = 2048;
constexpr int32_t LargestSide = 8192;

int32_t NextPowerOfTwo(int32_t Value) {
    int32_t Result = 1;
    while (Result < Value && Result < LargestSide) {
        Result *= 2;
    }
    return Result;
}

int64_t TexturesNeeded(TPoint Texture, TPoint Pattern, int32_t Count) {
    const int64_t PerTexture = static_cast<int64_t>(Texture.X / Pattern.X) * (Texture.Y / Pattern.Y);
    return std::max<int64_t>(1, (Count + PerTexture - 1) / PerTexture);
}

void PutInt32(std::vector<uint8_t>& Out, int32_t Value) {
    const auto U = static_cast<uint32_t>(Value);
    for (int i = 0; i < 4; ++i) {
        Out.push_back(static_cast<uint8_t>(U >> (8 * i)));
    }
}

// Copies pattern Local of a texture into its cell of the sheet (ARGB, Texture.X wide);
// missing pixels of a short pattern stay transparent black.
void PlacePattern(const std::vector<uint32_t>& Pattern, TPoint Size, TPoint Texture, int32_t Local,
                  std::vector<uint32_t>& Sheet) {
    const int32_t PerRow = Texture.X / Size.X;
    const int32_t PerColumn = Texture.Y / Size.Y;
    const int32_t Left = (Local % PerRow) * Size.X;
    const int32_t Top = ((Local / PerRow) % PerColumn) * Size.Y;
    for (int32_t y = 0; y < Size.Y; ++y) {
        const size_t From = static_cast<size_t>(y) * Size.X;
        if (From >= Pattern.size()) {
            break;
        }
        const size_t Count = std::min<size_t>(Size.X, Pattern.size() - From);
        std::copy_n(Pattern.begin() + static_cast<ptrdiff_t>(From), Count,
                    Sheet.begin() + static_cast<ptrdiff_t>(static_cast<size_t>(Top + y) * Texture.X + Left));
    }
}

} // namespace

TPoint ChooseTextureSize(TPoint PatternSize, int32_t PatternCount) {
    const TPoint Pattern{std::max(1, PatternSize.X), std::max(1, PatternSize.Y)};
    const int32_t Count = std::max(1, PatternCount);
    const TPoint Smallest{NextPowerOfTwo(Pattern.X), NextPowerOfTwo(Pattern.Y)};
    TPoint Best = Smallest;
    int64_t BestTextures = TexturesNeeded(Best, Pattern, Count);
    int64_t BestArea = BestTextures * Best.X * Best.Y;
    for (int32_t W = Smallest.X; W <= std::max(Smallest.X, PreferredMaxSide); W *= 2) {
        for (int32_t H = Smallest.Y; H <= std::max(Smallest.Y, PreferredMaxSide); H *= 2) {
            const int64_t Textures = TexturesNeeded({W, H}, Pattern, Count);
            const int64_t Area = Textures * W * H;
            // Ties go to the squarer sheet, then to the wider one.
            const bool SameCost = Textures == BestTextures && Area == BestArea;
            const bool Squarer = std::max(W, H) < std::max(Best.X, Best.Y) ||
                                 (std::max(W, H) == std::max(Best.X, Best.Y) && W > Best.X);
            if (Textures < BestTextures || (Textures == BestTextures && Area < BestArea) ||
                (SameCost && Squarer)) {
                Best = {W, H};
                BestTextures = Textures;
                BestArea = Area;
            }
        }
    }
    return Best;
}

TPoint UsedTextureExtent(TPoint TextureSize, TPoint Cell, int32_t PatternCount, int32_t TextureCount) {
    const int32_t PerRow = TextureSize.X / Cell.X;
    int32_t Columns = PerRow;
    int32_t Rows = TextureSize.Y / Cell.Y;
    if (TextureCount == 1 && PatternCount > 0 && PerRow > 0) {
        const int64_t FilledRows = (static_cast<int64_t>(PatternCount) + PerRow - 1) / PerRow;
        Rows = static_cast<int32_t>(std::min<int64_t>(Rows, FilledRows));
        if (Rows == 1) {
            Columns = std::min(Columns, PatternCount);
        }
    }
    return {Columns * Cell.X, Rows * Cell.Y};
}

std::vector<uint8_t> WriteImageRecord(const TImageRecordSource& Source) {
    const TPoint Pattern = Source.PatternSize;
    const auto Count = static_cast<int32_t>(Source.Patterns.size());
    if (!IsKnownFormat(Source.Format) || Pattern.X < 1 || Pattern.Y < 1 || Count < 1) {
        return {};
    }
    const bool Choose = Source.TextureSize.X <= 0 || Source.TextureSize.Y <= 0;
    const TPoint Layout = Choose ? ChooseTextureSize(Pattern, Count) : Source.TextureSize;
    const TPoint Visible{Source.VisibleSize.X > 0 ? Source.VisibleSize.X : Pattern.X,
                         Source.VisibleSize.Y > 0 ? Source.VisibleSize.Y : Pattern.Y};
    if (Pattern.X > Layout.X || Pattern.Y > Layout.Y || Layout.X > LargestSide || Layout.Y > LargestSide ||
        Visible.X > Pattern.X || Visible.Y > Pattern.Y) {
        return {};
    }
    const int32_t PerTexture = (Layout.X / Pattern.X) * (Layout.Y / Pattern.Y);
    const int32_t TextureCount = (Count + PerTexture - 1) / PerTexture;
    const int32_t StoredCount = Source.PatternCount > 0 ? Source.PatternCount : Count;
    // The used extent keeps the chosen texture's cells per row (and per column across
    // textures), so every pattern stays in its cell of the chosen layout.
    const TPoint Texture =
        Choose ? UsedTextureExtent(Layout, Pattern, std::max(StoredCount, Count), TextureCount) : Layout;

    std::vector<uint8_t> Out;
    const size_t RowBytes = static_cast<size_t>(Texture.X) * BytesPerPixel(Source.Format);
    Out.reserve(ImageRecordHeaderSize + RowBytes * Texture.Y * TextureCount);
    Out.push_back(Source.Format);
    for (const int32_t Field :
         {Pattern.X, Pattern.Y, Visible.X, Visible.Y, StoredCount, Texture.X, Texture.Y, TextureCount}) {
        PutInt32(Out, Field);
    }

    std::vector<uint32_t> Sheet;
    std::vector<uint8_t> Row(RowBytes);
    for (int32_t t = 0; t < TextureCount; ++t) {
        Sheet.assign(static_cast<size_t>(Texture.X) * Texture.Y, 0);
        for (int32_t Local = 0; Local < PerTexture && t * PerTexture + Local < Count; ++Local) {
            PlacePattern(Source.Patterns[static_cast<size_t>(t * PerTexture + Local)], Pattern, Texture,
                         Local, Sheet);
        }
        for (int32_t y = 0; y < Texture.Y; ++y) {
            EncodeRow(Source.Format, Sheet.data() + static_cast<size_t>(y) * Texture.X, Row.data(),
                      Texture.X);
            Out.insert(Out.end(), Row.begin(), Row.end());
        }
    }
    return Out;
}
