// SPDX-License-Identifier: MIT
#include "app/GameFolders.h"

#include "platform/Desktop.h"

#include "generated/Version.h"

namespace fs = std::filesystem;

namespace {
// Relative names from the command line are taken from the working folder at start.
fs::path Absolute(const std::string& Name) {
    std::error_code error;
    const fs::path path = fs::absolute(Name, error);
    return error ? fs::path(Name) : path.lexically_normal();
}

bool IsFile(const fs::path& Path) {
    std::error_code error;
    return fs::is_regular_file(Path, error);
}
} // namespace

fs::path TGameFolders::InData(const std::string& Name) const {
    const fs::path name(Name);
    return name.is_absolute() ? name : Data / name;
}

fs::path TGameFolders::ConfigToRead() const {
    const fs::path mine = ConfigToWrite();
    const fs::path earlier = Data / kConfigFileName;
    return !IsFile(mine) && IsFile(earlier) ? earlier : mine;
}

fs::path TGameFolders::ConfigToWrite() const { return User.empty() ? fs::path() : User / kConfigFileName; }

fs::path TGameFolders::PlayerFile(const std::string& Name) const {
    const fs::path mine = User.empty() ? fs::path() : User / Name;
    return !mine.empty() && IsFile(mine) ? mine : Data / Name;
}

fs::path TGameFolders::IconFile() const {
    const fs::path icon = fs::path("hicolor") / "64x64" / "apps" / (std::string(ZIBO_APP_ID) + ".png");
    for (const fs::path& theme : {Data / "icons", Data / ".." / ".." / "icons"}) {
        if (IsFile(theme / icon)) {
            return (theme / icon).lexically_normal();
        }
    }
    return {};
}

fs::path FindDataFolder(const std::string& Option, const fs::path& ExecutableFolder) {
    if (!Option.empty()) {
        return Absolute(Option);
    }
    std::error_code error;
    if (fs::is_directory(ExecutableFolder / "Data", error)) {
        return ExecutableFolder;
    }
    return (ExecutableFolder.parent_path() / "share" / "games" / kGameFolderName).lexically_normal();
}

fs::path FindUserFolder(const std::string& Option, const std::string& XdgDataHome, const std::string& Home) {
    if (!Option.empty()) {
        return Absolute(Option);
    }
    // A relative XDG_DATA_HOME is invalid and ignored.
    if (!XdgDataHome.empty() && XdgDataHome.front() == '/') {
        return fs::path(XdgDataHome) / kGameFolderName;
    }
    if (Home.empty()) {
        return {};
    }
    return fs::path(Home) / ".local" / "share" / kGameFolderName;
}

TGameFolders ResolveGameFolders(const TOptions& Options) {
    TGameFolders folders;
    folders.Data = FindDataFolder(Options.DataDir, Absolute(ExecutableFolder().empty() ? "." : ExecutableFolder()));
    folders.User = FindUserFolder(Options.UserDir, EnvironmentValue("XDG_DATA_HOME"),
                                  Options.UserDir.empty() ? HomeFolder() : std::string());
    return folders;
}
