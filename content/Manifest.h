// SPDX-License-Identifier: MIT
#pragma once

#include "archive/Archive.h"
#include "content/Picture.h"
#include "content/PictureWords.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The archives the generator fills. The game loads the images of Data then GData (in that
// order, so list positions run through Data first) and the fonts of all three; the images
// of Data1 are never loaded, so it holds fonts only.
enum class TArchiveId : uint8_t { Data = 0, GData = 1, Data1 = 2 };

struct TSizeI {
    int Width = 0;
    int Height = 0;
    friend bool operator==(const TSizeI&, const TSizeI&) = default;
};

// One image: equal patterns of PatternSize, drawn at VisibleSize (centred in the pattern).
struct TManifestImage {
    std::string Name;
    TSizeI PatternSize;
    TSizeI VisibleSize;
    std::vector<TPicture> Patterns;
};

// One record of an archive in directory order: an image (Type 1, Image filled) or a
// ready-made record (a font, a particle template: Bytes filled).
struct TManifestEntry {
    TArchiveId Archive = TArchiveId::Data;
    int32_t Type = 0;
    std::string Key;
    std::string Module;
    TManifestImage Image;
    std::vector<uint8_t> Bytes;
};

// A picture written only to the contact sheets (font glyph sheets, previews).
struct TManifestPreview {
    std::string Name;
    TPicture Picture;
};

// Everything the generator puts into the archives, in a fixed order. Modules register
// into it one after another (main.cpp fixes the order); the writer then emits each
// archive's records in registration order, which is the archive's directory order.
//
// List positions: ImageIndex(Name) is the position the game's image list gives the image
// (images of Data in directory order, then those of GData). Registering a Data image
// shifts every GData position, so ask for positions only once all images are registered
// (main.cpp runs the GUI stream writer after every image module).
class TManifest {
public:
    // Tags the following registrations with a module name (used to group contact sheets).
    void BeginModule(std::string Name) { CurrentModule = std::move(Name); }

    // Registers an image. Every pattern must be PatternSize; VisibleSize must fit in it.
    // Throws std::invalid_argument on a malformed image or a name already registered in
    // the same archive (a generator bug, never user input).
    void AddImage(TArchiveId Archive, std::string Name, TSizeI PatternSize, TSizeI VisibleSize,
                  std::vector<TPicture> Patterns);
    // Shorthand: visible size equal to the pattern size, taken from the first pattern.
    void AddImage(TArchiveId Archive, std::string Name, std::vector<TPicture> Patterns);
    // Registers a font record (type 3) made by the font writer.
    void AddFont(TArchiveId Archive, std::string Name, std::vector<uint8_t> Bytes);
    // Registers any other record (a particle template is a Type 0 record keyed "*.pss").
    void AddRecord(TArchiveId Archive, int32_t Type, std::string Key, std::vector<uint8_t> Bytes);
    // Registers a picture with words: the Russian one under Name, then one variant per picture
    // language under "Name@CODE" (the game shows it in place of Name in that language). Paint
    // draws the patterns with the words it is given.
    void AddImageWithWords(TArchiveId Archive, const std::string& Name,
                           const std::function<std::vector<TPicture>(const TPictureWords&)>& Paint);
    // The languages pictures with words are drawn in besides Russian (none until set).
    void SetPictureLanguages(std::vector<TPictureLanguage> Languages) {
        PictureLanguageList = std::move(Languages);
    }
    [[nodiscard]] const std::vector<TPictureLanguage>& PictureLanguages() const {
        return PictureLanguageList;
    }
    // The words of every language pictures are drawn in, Russian first.
    [[nodiscard]] std::vector<TPictureWords> EveryLanguage() const;
    // A picture for the contact sheets only.
    void AddPreview(std::string Name, TPicture Picture);

    // The game's image list position of Name (case-insensitive), or -1 when absent or
    // only in Data1.
    [[nodiscard]] int ImageIndex(const std::string& Name) const;
    // The game's font list position of Name: fonts of Data, then GData, then Data1; -1 when absent.
    [[nodiscard]] int FontIndex(const std::string& Name) const;
    // The registered image of that name, or nullptr.
    [[nodiscard]] const TManifestImage* FindImage(const std::string& Name) const;

    [[nodiscard]] const std::vector<TManifestEntry>& Entries() const { return EntryList; }
    [[nodiscard]] const std::vector<TManifestPreview>& Previews() const { return PreviewList; }

    // The archive's path inside the game folder ("Data/data.fgg", ...).
    [[nodiscard]] static const char* ArchivePath(TArchiveId Archive);

private:
    void CheckUniqueKey(TArchiveId Archive, const std::string& Key) const;
    [[nodiscard]] int PositionAmong(int32_t Type, const std::vector<TArchiveId>& Order,
                                    const std::string& Name) const;

    std::string CurrentModule;
    std::vector<TManifestEntry> EntryList;
    std::vector<TManifestPreview> PreviewList;
    std::vector<TPictureLanguage> PictureLanguageList;
};

// Lower-cases ASCII letters only, as the game's name lookups do.
[[nodiscard]] std::string LowerAscii(std::string Text);
