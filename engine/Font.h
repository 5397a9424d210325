// SPDX-License-Identifier: MIT
#pragma once

#include "engine/Canvas.h"
#include "engine/Device.h"
#include "engine/Image.h"
#include "platform/Types.h"

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

class TTextureAtlas;
class TArchive;
class TGfxFonts;
class TStream;

// A font drawn without its list or without the list's canvas: a programming error.
class EFontError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Text effects of a font.
enum TFontStyleFx : uint8_t {
    feBold = 1 << 0,
    feItalic = 1 << 1,
    feShadow = 1 << 2,
    feEmboss = 1 << 3,
};
using TFontStylesFx = uint8_t;

// Width and height of one glyph in pixels.
struct TGlyphSize {
    int32_t Width = 0;
    int32_t Height = 0;
};

// A bitmap font: a glyph table and an image whose pattern k is glyph k. It draws and measures
// one line of single-byte text with a top and a bottom colour, colour tags and effects.
class TGfxFont {
public:
    TGfxFont(TGfxDevice& Device, TGfxFonts* Owner);
    ~TGfxFont();
    TGfxFont(const TGfxFont&) = delete;
    TGfxFont& operator=(const TGfxFont&) = delete;

    // Reads the font record stored under Key. An already loaded font gives false.
    [[nodiscard]] bool LoadFont(const std::string& Key, TArchive& Archive, TGfxQuality Quality,
                                TAlphaLevel AlphaLevel);
    // Reads a font record from the stream's position: header, glyph table, glyph image.
    [[nodiscard]] bool LoadFromStream(TStream& Stream, TGfxQuality Quality, TAlphaLevel AlphaLevel);

    // Draws Text with its top-left corner at (X, Y). Colours are in the canvas format; tags in
    // the text change them for the rest of the text. Throws EFontError without an owner or
    // without the owner's canvas.
    void TextOut(std::string_view Text, float X, float Y, TColor TopColor, TColor BottomColor,
                 uint32_t Effect);
    [[nodiscard]] TPointF TextExtent(std::string_view Text) const;
    [[nodiscard]] float TextWidth(std::string_view Text) const { return TextExtent(Text).X; }
    [[nodiscard]] float TextHeight(std::string_view Text) const { return TextExtent(Text).Y; }

    [[nodiscard]] bool Loaded() const { return Loaded_; }
    [[nodiscard]] int32_t GlyphCount() const { return static_cast<int32_t>(Glyphs.size()); }
    [[nodiscard]] const std::vector<TGlyphSize>& GlyphSizes() const { return Glyphs; }
    [[nodiscard]] int32_t GlyphSpacing() const { return GlyphSpacing_; }
    [[nodiscard]] uint8_t FirstChar() const { return FirstChar_; }
    [[nodiscard]] TGfxImage* GlyphImage() const { return Image.get(); }
    [[nodiscard]] TGfxFonts* Owner() const { return Owner_; }

    std::string Name;
    TFontStylesFx Style = 0;
    double Scale = 1.0;
    bool TextTags = true;
    // Extra advance after every character, before scaling.
    double Interleave = 0.0;
    // A character without a glyph advances by this share of the cell width.
    double BlankSpacing = 0.3;
    double ShadowIntensity = 0.5;
    // Only the low 24 bits are used.
    TColor ShadowColor = 0;
    double ShadowDistance = 1.0;
    double EmbossStrength = 0.8;
    // Only the low 24 bits are used.
    TColor EmbossColor = 0;

private:
    struct TTextColors {
        TColor Top;
        TColor Bottom;
    };

    // The glyph of character C, or -1.
    [[nodiscard]] int32_t GlyphOf(unsigned char C) const;
    // Skips the colour tags that start at Pos, changing Colors; returns the new position.
    [[nodiscard]] size_t SkipTags(std::string_view Text, size_t Pos, TTextColors& Colors) const;
    [[nodiscard]] double BlankAdvance() const;
    [[nodiscard]] double GlyphAdvance(int32_t Glyph) const;
    void DrawGlyph(TGfxCanvas& Canvas, int32_t Glyph, double PenX, float Y, const TTextColors& Colors,
                   uint32_t Effect);
    [[nodiscard]] TGfxCanvas& RequireCanvas() const;

    TGfxDevice& Device;
    TGfxFonts* Owner_;
    std::vector<TGlyphSize> Glyphs;
    std::unique_ptr<TGfxImage> Image;
    int32_t GlyphSpacing_ = 0;
    bool Loaded_ = false;
    uint8_t FirstChar_ = 32;
};

// Called once per font record while a whole archive loads; the game installs none.
using TFontArchiveLoadEvent = TImageArchiveLoadEvent;

// The font list: owns the fonts of the archives, finds them by name and gives them the canvas
// they draw on. On the device's finalise event it frees them all.
class TGfxFonts final : public IDeviceListener {
public:
    explicit TGfxFonts(TGfxDevice& Device);
    ~TGfxFonts() override;
    TGfxFonts(const TGfxFonts&) = delete;
    TGfxFonts& operator=(const TGfxFonts&) = delete;

    bool DeviceNotify(TDeviceEvent Event) override;

    [[nodiscard]] int32_t FontCount() const { return static_cast<int32_t>(Fonts.size()); }
    // nullptr when Position is out of range.
    [[nodiscard]] TGfxFont* Items(int32_t Position) const;
    // A new, unloaded font named "Font" and a two-digit counter that is never reset.
    TGfxFont& AddFont();
    void ClearFonts();
    // The first font whose name equals Name ignoring ASCII case, or nullptr.
    [[nodiscard]] TGfxFont* Find(std::string_view Name) const;
    // Loads every font record of the archive in directory order; stops at the first failure.
    [[nodiscard]] bool LoadArchive(TArchive& Archive);
    // Loads the font record Key of the archive onto the end of the list (the step LoadArchive
    // repeats). True also when OnArchiveLoad turns the record down.
    [[nodiscard]] bool LoadRecord(const std::string& Key, TArchive& Archive);
    // Changes whenever a font is added, loaded (named) or the list cleared, so a font found
    // under one value is still the one of that name while the value stays the same.
    [[nodiscard]] uint64_t Generation() const { return Generation_; }

    void SetCanvas(TGfxCanvas* Value) { Canvas_ = Value; }
    [[nodiscard]] TGfxCanvas* Canvas() const { return Canvas_; }
    // Where the glyph pages go as they load (none: each keeps a texture of its own). The atlas
    // must outlive the fonts.
    void SetAtlas(TTextureAtlas* Value) { Atlas_ = Value; }
    [[nodiscard]] TTextureAtlas* Atlas() const { return Atlas_; }

    TFontArchiveLoadEvent OnArchiveLoad;

private:
    TGfxDevice& Device;
    std::vector<std::unique_ptr<TGfxFont>> Fonts;
    TGfxCanvas* Canvas_ = nullptr;
    TTextureAtlas* Atlas_ = nullptr;
    int32_t NameCounter = 0;
    uint64_t Generation_ = 0;
};
