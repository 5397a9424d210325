// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

class TArchive;
class TDataLoader;
class TGfxFonts;
class TGfxImages;
class TTextureAtlas;
struct TGameFolders;

// The game's three archives and the loading of their pictures and fonts. The archives are
// opened and their directories read before the logo; the logo's pictures load at once and the
// rest a part at a time between frames. The first thing found wrong is kept as "FILE: what was
// wrong", the detail shown under "Failed to load game data!".
class TDataArchives {
public:
    // Names the archives in the data folder; nothing is read yet.
    explicit TDataArchives(const TGameFolders& Folders);
    ~TDataArchives();
    TDataArchives(const TDataArchives&) = delete;
    TDataArchives& operator=(const TDataArchives&) = delete;

    // Reads each archive's directory once and gives the pictures their places in the image list
    // in the archives' order; false (Failure says why) at the first archive that cannot be read.
    [[nodiscard]] bool Queue(TGfxImages& Images, TGfxFonts& Fonts, TTextureAtlas* Atlas);
    // The first record the game draws that the archives do not list, "FILE: missing ...".
    [[nodiscard]] std::string UnlistedRecord() const;
    // Loads what the logo draws (its picture and the cursor's) ahead of the rest.
    [[nodiscard]] bool LoadLogoPictures();

    enum class TProgress { Loading, Done, Failed };
    // The next records: for a slice of real time in a window, or a fixed share of unpacked bytes
    // on a virtual clock (so every headless run loads at the same frames).
    [[nodiscard]] TProgress LoadMore(bool VirtualTime);
    // Loading ends, finished or not: the loader and what it holds go.
    void EndLoading();
    [[nodiscard]] bool Loading() const { return Loader != nullptr; }

    [[nodiscard]] const std::string& Failure() const { return Failure_; }
    // The data archive and the game-data archive, which the particle templates are read from.
    [[nodiscard]] TArchive& Data() const { return *Archive; }
    [[nodiscard]] TArchive& GameData() const { return *Archive2; }

private:
    // Notes why an archive could not be read, unless an earlier failure is noted.
    void NoteFailure(const TArchive& Failed);

    // How much of the data loads between two frames.
    static constexpr auto LoadSlice = std::chrono::milliseconds(6);
    static constexpr int64_t VirtualLoadBytes = int64_t{16} << 20;

    std::unique_ptr<TArchive> Archive;
    std::unique_ptr<TArchive> Archive2;
    std::unique_ptr<TArchive> Archive3;
    // The pictures and fonts still to load (null once all are loaded or loading ended); it
    // holds places of the archives, so it is declared after them and goes first.
    std::unique_ptr<TDataLoader> Loader;
    std::string Failure_;
};
