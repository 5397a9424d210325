// SPDX-License-Identifier: MIT
#pragma once

#include "app/Options.h"

#include <filesystem>
#include <string>

// The name of the game's folder under <prefix>/share/games and in the player's data folder.
inline constexpr char kGameFolderName[] = "kapitan-zibo";
inline constexpr char kConfigFileName[] = "Config.cfg";

// Where the game reads its data and where it keeps the player's files. Both are absolute, so
// the working folder plays no part once they are found.
struct TGameFolders {
    // Data/, Sounds/, wdata/, website.url, play.url: read only.
    std::filesystem::path Data;
    // Config.cfg and scoreserver.txt; empty when no home folder is known.
    std::filesystem::path User;

    // A data file: a relative name inside the data folder, an absolute one as it is.
    [[nodiscard]] std::filesystem::path InData(const std::string& Name) const;
    // The settings file to read: the user folder's, or, while it has none, the one an earlier
    // build kept beside the data (the next save goes to the user folder; nothing is deleted).
    [[nodiscard]] std::filesystem::path ConfigToRead() const;
    // The settings file every save writes.
    [[nodiscard]] std::filesystem::path ConfigToWrite() const;
    // A per-player file that may also come with the data (scoreserver.txt): the user folder's
    // when it is there, else the data folder's.
    [[nodiscard]] std::filesystem::path PlayerFile(const std::string& Name) const;
    // The window's icon: the build tree keeps the icon theme beside the data, an installed
    // game finds it in <prefix>/share/icons, two folders up from its data. Empty when neither
    // is there.
    [[nodiscard]] std::filesystem::path IconFile() const;
};

// The data folder: Option when given; else the executable's own folder when it holds Data/
// (the build tree); else <prefix>/share/games/kapitan-zibo for an executable in <prefix>/games.
[[nodiscard]] std::filesystem::path FindDataFolder(const std::string& Option,
                                                   const std::filesystem::path& ExecutableFolder);
// The user folder: Option when given; else $XDG_DATA_HOME/kapitan-zibo when that variable holds
// an absolute path; else Home/.local/share/kapitan-zibo; empty when Home is empty too.
[[nodiscard]] std::filesystem::path FindUserFolder(const std::string& Option, const std::string& XdgDataHome,
                                                   const std::string& Home);
// Both folders, from the command line and the environment.
[[nodiscard]] TGameFolders ResolveGameFolders(const TOptions& Options);
