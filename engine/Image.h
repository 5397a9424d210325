// SPDX-License-Identifier: MIT
#pragma once

#include "engine/Canvas.h"
#include "engine/Device.h"
#include "engine/PixelFormat.h"
#include "engine/Texture.h"
#include "platform/RenderBackend.h"
#include "platform/Types.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class TArchive;
class TStream;
class TTextureAtlas;

enum TGfxQuality : uint8_t { aqLow = 0, aqMedium = 1, aqHigh = 2 };
enum TAlphaLevel : uint8_t { alNone = 0, alMask = 1, alFull = 2, alExclusive = 3 };

// An image: a picture cut into equal cells called patterns, laid out in a grid on the
// textures of its set. Pattern p lies on texture p div PatternsPerTexture, in cell
// (local mod PatternsPerRow, local div PatternsPerRow) of it, local = p mod PatternsPerTexture.
class TGfxImage : public TMultiTexture {
public:
    explicit TGfxImage(TGfxDevice& Device);
    ~TGfxImage() override;

    bool Prepare() override;
    void ReleaseTextures() override;
    // On an atlas page: the page's texture for index 0.
    [[nodiscard]] TTextureHandle Handle(int32_t Index) const override;

    [[nodiscard]] const std::string& Name() const { return Name_; }
    void SetName(std::string Value) { Name_ = std::move(Value); }
    void SetQuality(TGfxQuality Value);
    void SetAlphaLevel(TAlphaLevel Value);
    void SetPatternCount(int32_t Value);
    // Selector 0 sets VisibleSize (any state), 1 sets PatternSize (only while empty).
    void SetSize(int32_t Selector, TPoint Value);

    [[nodiscard]] TGfxQuality Quality() const { return Quality_; }
    [[nodiscard]] TAlphaLevel AlphaLevel() const { return AlphaLevel_; }
    [[nodiscard]] TPoint PatternSize() const { return PatternSize_; }
    [[nodiscard]] TPoint VisibleSize() const { return VisibleSize_; }
    [[nodiscard]] int32_t PatternCount() const { return PatternCount_; }
    [[nodiscard]] int32_t PatternsPerRow() const { return PatternsPerRow_; }
    [[nodiscard]] int32_t PatternsPerColumn() const { return PatternsPerColumn_; }
    [[nodiscard]] int32_t PatternsPerTexture() const { return PatternsPerTexture_; }

    // Reads one image record from the stream's current position; the record replaces whatever
    // the image held. False on a short read, a header the stream cannot back, impossible
    // geometry or a texture that cannot be made; the image is then empty.
    [[nodiscard]] bool LoadFromStream(TStream& Stream);
    // Reads the archive record Key into memory and loads it as above.
    [[nodiscard]] bool LoadFromArchive(const std::string& Key, TArchive& Archive);
    // Fills the textures from a decoded 32-bit picture (0xAARRGGBB, rows top to bottom), cut
    // into PatternSize cells row by row and laid out in the texture grid. An empty image
    // takes as many textures as the cells need; a ready one is refilled in place. A picture
    // smaller than one cell fills the part of cell 0 it covers. The colour key is never used
    // by the game and is not offered.
    [[nodiscard]] bool LoadFromBitmap(const std::vector<uint32_t>& Pixels, int32_t Width, int32_t Height);
    // Decodes a TGA, JPEG, PNG or (anything else) Windows bitmap file by its extension.
    [[nodiscard]] bool LoadFromFile(const std::string& FileName);

    // Texture coordinates of a pattern (or part of one) and the texture it lies on. The
    // pattern index is clamped into the pattern count. False for an empty image, one with no
    // patterns, or a pattern beyond the textures the image has.
    [[nodiscard]] bool PatternCoords(const TPatternRequest& Request, TTexCorners& Corners,
                                     int32_t& TextureIndex) const;

    // The part of the first texture the patterns fill: the grid of cells in use.
    [[nodiscard]] TPoint UsedExtent() const;
    // The image's pixels now lie on Page with the texture's top-left corner at Offset: its own
    // textures go, and it draws from the page until it is emptied or reloaded.
    void MoveToAtlas(const TBaseTexture& Page, TPoint Offset);
    [[nodiscard]] bool InAtlas() const { return Page_ != nullptr; }

private:
    // A decoded picture being copied into the pattern grid.
    struct TPicture {
        const uint32_t* Pixels;
        int32_t Width;
        int32_t Height;
    };
    bool ReadTextures(TStream& Stream, TPixelFormat Stored, TPoint StoredSize);
    [[nodiscard]] static int64_t SourcePatterns(TPoint Picture, TPoint Cell);
    bool FillTexture(int32_t Index, const TPicture& Picture);

    std::string Name_ = "[unnamed]";
    TGfxQuality Quality_ = aqHigh;
    TAlphaLevel AlphaLevel_ = alFull;
    int32_t PatternsPerRow_ = 0;
    int32_t PatternsPerColumn_ = 0;
    int32_t PatternsPerTexture_ = 0;
    TPoint VisibleSize_{0, 0};
    TPoint PatternSize_{0, 0};
    int32_t PatternCount_ = 0;
    const TBaseTexture* Page_ = nullptr;
    TPoint PageOffset_{0, 0};
};

// Called once per image record while a whole archive loads; the game installs none.
using TImageArchiveLoadEvent =
    std::function<void(const std::string& Key, int32_t Index, bool& Accept, std::string& Name,
                       TGfxQuality& Quality, TAlphaLevel& AlphaLevel)>;

// The image list: owns every archive image, found by name (sprites, screens) or by list
// position (GUI controls).
class TGfxImages final : public IDeviceListener {
public:
    explicit TGfxImages(TGfxDevice& Device);
    ~TGfxImages() override;

    bool DeviceNotify(TDeviceEvent Event) override;

    [[nodiscard]] int32_t ImageCount() const { return static_cast<int32_t>(Images.size()); }
    // nullptr when Position is out of range.
    [[nodiscard]] TGfxImage* Items(int32_t Position) const;
    TGfxImage& AddImage();
    [[nodiscard]] int32_t IndexOfImage(const TGfxImage* Image) const;
    void DeleteImage(int32_t Position);
    void ClearImages();
    [[nodiscard]] bool LoadImage(const std::string& Key, TArchive& Archive, TGfxQuality Quality,
                                 TAlphaLevel AlphaLevel);
    [[nodiscard]] bool LoadArchive(TArchive& Archive);
    // Pictures that load one at a time between frames keep the list places a whole-archive
    // load gives them: Reserve takes the place of the image record Key at the end of the list,
    // named and set up as LoadArchive would (nullptr when OnArchiveLoad turns the record
    // down), and LoadInto fills it later. Until then the image is empty and draws nothing.
    TGfxImage* Reserve(const std::string& Key);
    // Loads the archive's image record Key into Image, a place of this list, and puts it on
    // the atlas unless OwnTexture (a picture drawn before the atlas pages are on the device).
    // False when the record cannot be loaded; the image is then empty.
    [[nodiscard]] bool LoadInto(TGfxImage& Image, const std::string& Key, TArchive& Archive, bool OwnTexture);
    // Moves a loaded picture onto the atlas or, when it does not fit there, onto a texture of
    // its own, dropping its memory copy. False when the device refuses that texture.
    bool PlaceOnAtlas(TGfxImage& Image);
    // The first image whose name equals Name ignoring ASCII case, or nullptr.
    [[nodiscard]] TGfxImage* Find(std::string_view Name) const;
    // Changes whenever an image is added, deleted or stands in for another, so a pointer found
    // under one value is still owned by the list and still has its name while the value stays.
    [[nodiscard]] uint64_t Generation() const { return Generation_; }

    // Pictures with words come in variants: the image "NAME@V" holds NAME's picture for the
    // variant V (a language). While V is chosen, each such image takes NAME's place in the
    // list and its name, so lookups by name and by list position both find it, and the
    // picture it replaces waits under "NAME@V". A NAME without a variant for V stays as it
    // is. An empty V shows the plain pictures. Images loaded later follow the choice too.
    void ShowVariant(const std::string& Variant);
    [[nodiscard]] const std::string& Variant() const { return Variant_; }

    bool MipMapping = false;
    TImageArchiveLoadEvent OnArchiveLoad;
    // Where small archive pictures go as they load (none: each keeps a texture of its own).
    // The atlas must outlive the images it holds.
    void SetAtlas(TTextureAtlas* Value) { Atlas_ = Value; }

private:
    TGfxDevice& Device;
    TTextureAtlas* Atlas_ = nullptr;
    // What OnArchiveLoad makes of the image record Key: whether it loads, its name, quality
    // and alpha level (the record's own key, high quality and full alpha when nobody asks).
    struct TLoadChoice {
        bool Accept = true;
        std::string Name;
        TGfxQuality Quality = aqHigh;
        TAlphaLevel AlphaLevel = alFull;
    };
    [[nodiscard]] TLoadChoice ChooseLoad(const std::string& Key) const;
    // Exchanges the list places and names of two images.
    void Exchange(size_t A, size_t B);
    void RestorePlainPictures();
    void PutVariantsInPlace();

    std::vector<std::unique_ptr<TGfxImage>> Images;
    uint64_t Generation_ = 0;
    std::string Variant_;
    // The list places exchanged for the variant on show, to undo before any other change.
    std::vector<std::pair<size_t, size_t>> Exchanged_;
};
