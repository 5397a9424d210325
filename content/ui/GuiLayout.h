// SPDX-License-Identifier: MIT
#pragma once

#include "content/ui/GuiTree.h"
#include "content/ui/UiArt.h"

#include <functional>
#include <string>
#include <vector>

// A picture the GUI layout needs in the image list, with how to draw it.
struct TUiImageRequest {
    enum class TKind { Panel, Button, Tab, Switch };
    std::string Name;
    TKind Kind = TKind::Panel;
    int Width = 0;
    int Height = 0;
    TButtonTheme Theme = TButtonTheme::Orange;
    TButtonIcon Icon = TButtonIcon::None;
    std::vector<TUiInset> Insets;
};

// Looks up list positions by name; -1 when the name is unknown.
struct TGuiResources {
    std::function<int(const std::string&)> ImageIndex;
    std::function<int(const std::string&)> FontIndex;
};

// Builds every screen form of the game for an 800 x 600 screen: all forms hidden, every
// control the screens address present under its name, captions and texts in Russian
// (code page 1251). Along the way it notes which pictures the forms and buttons use, so
// the image module draws exactly those.
class TGuiLayout {
public:
    explicit TGuiLayout(TGuiResources Resources);

    // The top-level forms in file order.
    [[nodiscard]] std::vector<TGuiNode> Build();
    // The pictures the last Build asked for, each once, in first-use order.
    [[nodiscard]] const std::vector<TUiImageRequest>& ImageRequests() const { return Requests; }

private:
    // Forms.
    TGuiNode Form(const std::string& Name, int Left, int Top, int Width, int Height,
                  const std::vector<TUiInset>& Insets = {});
    TGuiNode MainMenu();
    TGuiNode NameEntry(const std::string& FormName, const std::string& Title, const std::string& EditName,
                       const std::string& ButtonName, const std::string& Caption);
    TGuiNode ChangePlayer();
    TGuiNode DeletePlayer();
    TGuiNode Help();
    TGuiNode Options();
    TGuiNode Sound();
    TGuiNode Graphics();
    TGuiNode HighScores();
    TGuiNode Question(const std::string& FormName, int Left, int Top, const std::string& Title,
                      const std::string& Text, const std::string& Yes, const std::string& No, int Width = 360);
    TGuiNode ChooseDifficulty();
    TGuiNode LevelMix();
    TGuiNode GameOver();
    TGuiNode StageComplete();
    TGuiNode YourScore();
    TGuiNode Country();
    TGuiNode SpeechPanel();
    TGuiNode HowToPlay();
    TGuiNode MessageBox();

    // Controls.
    TGuiNode Button(const std::string& Name, const std::string& Caption, int Left, int Top, int Width,
                    int Height, TButtonTheme Theme = TButtonTheme::Orange,
                    TButtonIcon Icon = TButtonIcon::None);
    TGuiNode Tab(const std::string& Name, const std::string& Caption, int Left, int Top, int Width,
                 int Height);
    TGuiNode Switch(const std::string& Name, int Left, int Top);
    TGuiNode Title(const std::string& Text, int Width);
    TGuiNode Label(const std::string& Name, const std::string& Text, int Left, int Top, int Width, int Height,
                   const TGuiFontValue& Font, int Alignment = 0);
    TGuiNode Edit(const std::string& Name, int Left, int Top, int Width, int Height, int MaxLength);
    TGuiNode Gauge(const std::string& Name, int Left, int Top, int Width, int Height);

    [[nodiscard]] TGuiFontValue FontOf(const char* FontName, uint32_t Top, uint32_t Bottom) const;
    [[nodiscard]] int ImageFor(TUiImageRequest Request);

    TGuiResources Resources;
    std::vector<TUiImageRequest> Requests;
};

// Converts a UTF-8 text of the source code to the code page 1251 the game's texts use.
[[nodiscard]] std::string GameText(const std::string& Utf8);
