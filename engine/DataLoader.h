// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TArchive;
class TGfxFonts;
class TGfxImage;
class TGfxImages;
class TTextureAtlas;

// Loads the pictures and fonts of a few archives one record at a time, so a screen (the logo)
// can run between the steps instead of waiting for everything. The records load in the order
// whole-archive loads take them: each archive's pictures, then its fonts, archive by archive;
// the pictures' places in the image list are taken when an archive is queued, so list
// positions and names are final from the start and a picture only draws nothing until it is
// loaded. Each queued archive stays open, its directory read once, until the loader is done
// or destroyed.
class TDataLoader {
public:
    // The atlas may be null (every picture keeps a texture of its own).
    TDataLoader(TGfxImages& Images, TGfxFonts& Fonts, TTextureAtlas* Atlas);
    ~TDataLoader();
    TDataLoader(const TDataLoader&) = delete;
    TDataLoader& operator=(const TDataLoader&) = delete;

    // Opens the archive for the whole load and queues its pictures and fonts behind what is
    // queued. False when it cannot be opened or its directory read; nothing is queued then.
    [[nodiscard]] bool Queue(TArchive& Archive);
    // Loads the queued picture the image list now shows under Name (a language's variant
    // stands in for the plain picture) at once, out of turn, for a screen that draws before the
    // rest has loaded; it keeps a texture of its own until the last step puts it on the atlas.
    // False when no picture still to load goes by that name or it cannot be loaded.
    [[nodiscard]] bool LoadNow(std::string_view Name);
    // Loads the next record; the step after the last record puts the atlas pages on the
    // device. False when a record or the pages failed (then Failed() is set and no step
    // follows) or when everything was already done.
    bool Step();
    [[nodiscard]] bool Done() const { return Done_; }
    // The archive whose record failed, or null (also null for a failure of the pages).
    [[nodiscard]] const TArchive* FailedArchive() const { return FailedArchive_; }
    [[nodiscard]] bool Failed() const { return Failed_; }
    // Unpacked bytes of the records loaded so far.
    [[nodiscard]] int64_t BytesLoaded() const { return BytesLoaded_; }

private:
    struct TRecord {
        TArchive* Archive = nullptr;
        std::string Key;
        int64_t Bytes = 0;
        // The picture's place in the image list; null for a font.
        TGfxImage* Image = nullptr;
        bool Loaded = false;
    };
    bool LoadRecord(TRecord& Record, bool OwnTexture);
    bool FinishPages();
    bool Fail(const TArchive* Archive);
    void EndArchives();

    TGfxImages& Images;
    TGfxFonts& Fonts;
    TTextureAtlas* Atlas;
    std::vector<TArchive*> Archives;
    std::vector<TRecord> Records;
    // Pictures loaded out of turn, to put on the atlas at the end.
    std::vector<TGfxImage*> OwnTextures;
    size_t Next = 0;
    int64_t BytesLoaded_ = 0;
    bool Done_ = false;
    bool Failed_ = false;
    const TArchive* FailedArchive_ = nullptr;
};
