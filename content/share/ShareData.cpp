// SPDX-License-Identifier: MIT
#include "content/share/ShareData.h"

#include "content/share/SharePictures.h"
#include "platform/Text.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

constexpr const char* Folder = "wdata/";

bool WriteTextFile(const std::filesystem::path& Path, const std::string& Text) {
    std::ofstream Out(Path, std::ios::binary | std::ios::trunc);
    Out << Text;
    Out.close();
    return static_cast<bool>(Out);
}

std::string Line(const std::string& Text) {
    return Text + "\r\n";
}

std::string Numbers(std::initializer_list<int> Values) {
    std::string Text;
    for (const int V : Values) {
        Text += (Text.empty() ? "" : " ") + std::to_string(V);
    }
    return Text;
}

// A desktop internet shortcut: opened with the shell, it shows the page in a browser.
std::string UrlFile(const std::string& Address) {
    return Line("[InternetShortcut]") + Line("URL=" + Address);
}

// The share screen's pictures with the words of one language: the Russian ones where the
// settings name them, another language's under "wdata/CODE/" with the same names (the game
// takes those in that language).
bool WriteSharePictures(const TShareLayout& L, const std::filesystem::path& Root, const TPictureWords& Words) {
    const auto place = [&](const std::string& File) {
        const std::filesystem::path Path = Root / File;
        if (Words.Language() == "ru") {
            return Path;
        }
        std::error_code Error;
        std::filesystem::create_directories(Path.parent_path() / Words.Language(), Error);
        return Path.parent_path() / Words.Language() / Path.filename();
    };
    bool Ok = DrawShareBackground(Words).SavePng(place(L.Background).string());
    const char* const Captions[] = {N_("Ещё игры"), N_("Наш сайт"), N_("Выход")};
    for (size_t i = 0; i < L.Buttons.size() && i < std::size(Captions); ++i) {
        const TShareButton& B = L.Buttons[i];
        const bool Exit = i + 1 == L.Buttons.size();
        const std::string Caption = Words(Captions[i]);
        Ok = DrawShareButton(B.Width, B.Height, Caption, Exit, false).SavePng(place(B.Normal).string()) && Ok;
        Ok = DrawShareButton(B.Width, B.Height, Caption, Exit, true).SavePng(place(B.Hover).string()) && Ok;
    }
    const TShareButton& Exit = L.Buttons.back();
    return DrawShareWaiting(Exit.Width, Exit.Height, Words).SavePng(place(Exit.LinkOrWaiting).string()) && Ok;
}

} // namespace

TShareLayout GameShareLayout() {
    TShareLayout L;
    L.Background = std::string(Folder) + "share_back.png";
    L.Buttons = {
        {std::string(Folder) + "more_games.png", std::string(Folder) + "more_games_hover.png",
         std::string(Folder) + "more_games.url", 120, 400, 240, 72},
        {std::string(Folder) + "website.png", std::string(Folder) + "website_hover.png",
         std::string(Folder) + "website.url", 440, 400, 240, 72},
        {std::string(Folder) + "exit.png", std::string(Folder) + "exit_hover.png",
         std::string(Folder) + "exit_wait.png", 300, 500, 200, 64},
    };
    // The seconds count down inside the round window at the right end of the waiting
    // exit button.
    L.CountdownX = 300 + ShareWaitDialX;
    L.CountdownY = 500 + 64 / 2;
    L.CountdownSeconds = 5;
    L.Red = 255;
    L.Green = 214;
    L.Blue = 90;
    L.DigitWidth = 22;
    return L;
}

std::string ShareConfigText(const TShareLayout& L) {
    std::string Text = Line(std::to_string(L.Buttons.size())) + Line(L.Background);
    for (size_t i = 0; i < L.Buttons.size(); ++i) {
        const TShareButton& B = L.Buttons[i];
        const bool Exit = i + 1 == L.Buttons.size();
        // The hover picture covers the normal one exactly; the two trailing numbers are
        // kept by the game but not used.
        Text += Line(Numbers({B.X, B.Y, 0, 0}));
        Text += Line(Numbers({B.X, B.Y, B.Width, B.Height}));
        if (Exit) {
            Text += Line(Numbers({B.X, B.Y, 0, 0}));
        }
        Text += Line(B.Normal) + Line(B.Hover) + Line(B.LinkOrWaiting);
    }
    Text += Line(Numbers({L.CountdownX, L.CountdownY}));
    Text += Line(std::to_string(L.CountdownSeconds));
    // Blue first, then green, then red.
    Text += Line(Numbers({L.Blue, L.Green, L.Red}));
    Text += Line("TRUE");
    Text += Line(std::to_string(L.DigitWidth));
    return Text;
}

bool WriteShareData(const TManifest& Manifest, const std::string& GameDir) {
    const std::filesystem::path Root(GameDir);
    std::error_code Error;
    std::filesystem::create_directories(Root / Folder, Error);
    const TShareLayout L = GameShareLayout();
    bool Ok = WriteTextFile(Root / "wdata" / "config.ini", ShareConfigText(L));
    Ok = WriteTextFile(Root / L.Buttons[0].LinkOrWaiting, UrlFile("https://www.example.com/zibo/games/")) &&
         Ok;
    Ok = WriteTextFile(Root / L.Buttons[1].LinkOrWaiting, UrlFile("https://www.example.com/zibo/")) && Ok;
    // The main menu's site button opens this one, next to the game.
    Ok = WriteTextFile(Root / "website.url", UrlFile("https://www.example.com/zibo/")) && Ok;
    for (const TPictureWords& Words : Manifest.EveryLanguage()) {
        Ok = WriteSharePictures(L, Root, Words) && Ok;
    }
    return Ok;
}
