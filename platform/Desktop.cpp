// SPDX-License-Identifier: MIT
#include "platform/Desktop.h"

#include "platform/Text.h"

#include <SDL.h>

#include <sys/stat.h>

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
    std::string Result = Utf8ToCp1251(Text);
    SDL_free(Text);
    return Result;
}

bool FileExists(const std::string& Path) {
    struct stat Info {};
    return stat(Path.c_str(), &Info) == 0 && S_ISREG(Info.st_mode);
}
