// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Types.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TGfxCanvas;
class TGfxDevice;
class TGfxFonts;
class TGfxImage;

// The last screen before the window closes: a background picture with link buttons, an exit
// button and a countdown, all described by "wdata/config.ini". Without a complete settings
// file the screen is unavailable and leaving the game closes the window at once.
class TShareScreen {
public:
    // The picture a button shows in a frame.
    enum class TLook : uint8_t { Normal, Hover, Waiting };

    // One clickable picture. Each of its pictures is decoded once, on first use, and kept.
    struct TButton {
        TButton();
        ~TButton();
        TButton(TButton&&) noexcept;
        TButton& operator=(TButton&&) noexcept;

        // The file to open, or "exit" for the exit button.
        std::string Link;
        bool Hover = false;
        // False only for the exit button until the countdown has run out.
        bool Active = true;
        bool Visible = true;
        TPoint HoverAt{0, 0};
        TPoint NormalAt{0, 0};
        // Width and height of the normal rectangle, also the cell of every picture.
        TPoint Size{0, 0};
        TPoint WaitingAt{0, 0};
        std::string NormalPicture;
        std::string HoverPicture;
        // The exit button's own; the normal picture again for the others.
        std::string WaitingPicture;

        [[nodiscard]] bool IsExit() const { return Link == "exit"; }
        // Edges included.
        [[nodiscard]] bool Contains(TPoint At) const;
        [[nodiscard]] TLook Look() const;

        // Kept pictures, one per look; Tried notes a decode already attempted.
        std::unique_ptr<TGfxImage> Pictures[3];
        bool Tried[3] = {false, false, false};
    };

    TShareScreen(TGfxDevice& Device, TGfxFonts& Fonts);
    ~TShareScreen();
    TShareScreen(const TShareScreen&) = delete;
    TShareScreen& operator=(const TShareScreen&) = delete;

    // The folder that the settings file and the picture names in it are relative to (the game's
    // data folder); the working folder until set.
    void SetFolder(const std::string& Value) { Folder = Value; }
    // The language whose pictures the screen shows: a picture "DIR/NAME" named by the settings
    // is taken from "DIR/CODE/NAME" where that file exists (the pictures with words), else as
    // named. Pictures already loaded are loaded again.
    void SetLanguage(const std::string& Code);
    // Reads "wdata/config.ini" of the folder.
    void LoadShareSettings();
    // Reads the settings from another file (tests and tools).
    void LoadShareSettings(const std::string& FileName);

    // The pointer in logical coordinates, for the per-frame hover test.
    void SetMouse(TPoint At) { Mouse = At; }
    // One frame: hover flags, the click guard, then the drawing.
    void Draw(TGfxCanvas& Canvas);
    // A mouse release at a logical point: the first button under it acts.
    void Click(TPoint At);

    [[nodiscard]] const std::vector<TButton>& Buttons() const { return Buttons_; }

    // What the buttons do: open a link file, ask the window to close.
    std::function<void(const std::string&)> OnOpenFile;
    std::function<void()> OnClose;

    bool Available = false;
    int32_t Countdown = 0;
    int32_t ClickGuard = 4;
    std::string BackgroundPicture;
    TPoint CountdownCentre{0, 0};
    // 32-bit ARGB.
    uint32_t CountdownColor = 0xFF000000;
    bool DigitSizing = false;
    int32_t DigitWidth = 0;

private:
    class TReader;
    void Reset();
    bool ReadButton(TReader& Reader, bool Last);
    void ScaleCountdownFont();
    void LoadBackground();
    void UpdateHover();
    void DrawButton(TGfxCanvas& Canvas, TButton& Button);
    void DrawCountdown();
    [[nodiscard]] TGfxImage* Picture(TButton& Button, TLook Look);
    // A name from the settings file as a path: relative names are inside Folder.
    [[nodiscard]] std::string InFolder(const std::string& Name) const;
    // A picture's path: the current language's variant where there is one.
    [[nodiscard]] std::string PictureFile(const std::string& Name) const;

    TGfxDevice& Device;
    TGfxFonts& Fonts;
    std::vector<TButton> Buttons_;
    std::unique_ptr<TGfxImage> Background;
    bool BackgroundTried = false;
    TPoint Mouse{-1, -1};
    std::string Folder;
    std::string Language;
};
