// SPDX-License-Identifier: MIT
#include "platform/Desktop.h"

#include "platform/Text.h"

#include <SDL.h>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

TPoint DesktopSize() {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        return {800, 600};
    }
    SDL_DisplayMode Mode{};
    const bool Known = SDL_GetDesktopDisplayMode(0, &Mode) == 0 && Mode.w > 0 && Mode.h > 0;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return Known ? TPoint{Mode.w, Mode.h} : TPoint{800, 600};
}

void ShowMessageBox(std::string_view Title, std::string_view Text) {
    const std::string Utf8Title = Cp1251ToUtf8(Title);
    const std::string Utf8Text = Cp1251ToUtf8(Text);
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, Utf8Title.c_str(), Utf8Text.c_str(), nullptr);
}

std::string ClipboardText() {
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0 || !SDL_HasClipboardText()) {
        return {};
    }
    char* Text = SDL_GetClipboardText();
    if (Text == nullptr) {
        return {};
    }
    std::string Result = Utf8ToCp1251Dropping(Text);
    SDL_free(Text);
    return Result;
}

bool FileExists(const std::string& Path) {
    struct stat Info {};
    return stat(Path.c_str(), &Info) == 0 && S_ISREG(Info.st_mode);
}

std::string ExecutableFolder() {
    char* base = SDL_GetBasePath();
    if (base == nullptr) {
        return {};
    }
    std::string folder = base;
    SDL_free(base);
    while (folder.size() > 1 && folder.back() == '/') {
        folder.pop_back();
    }
    return folder;
}

std::string HomeFolder() {
    std::string home = EnvironmentValue("HOME");
    if (!home.empty()) {
        return home;
    }
    passwd entry{};
    passwd* found = nullptr;
    std::vector<char> buffer(16384);
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_dir) {
        home = found->pw_dir;
    }
    return home;
}

std::string EnvironmentValue(const char* Name) {
    const char* value = std::getenv(Name);
    return value ? value : "";
}

bool MakePrivateFolder(const std::string& Folder, std::string& Error) {
    if (Folder.empty()) {
        Error = "no folder given";
        errno = ENOENT;
        return false;
    }
    // Each prefix ending before a '/', then the whole path.
    for (size_t end = Folder.find('/', 1);; end = Folder.find('/', end + 1)) {
        const std::string part = Folder.substr(0, end);
        struct stat info {};
        if (stat(part.c_str(), &info) != 0) {
            if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
                Error = part + ": " + std::strerror(errno);
                return false;
            }
        } else if (!S_ISDIR(info.st_mode)) {
            Error = part + ": not a folder";
            errno = ENOTDIR;
            return false;
        }
        if (end == std::string::npos) {
            return true;
        }
    }
}

bool IsProgramFile(const std::string& Path) { return FileExists(Path) && access(Path.c_str(), X_OK) == 0; }
