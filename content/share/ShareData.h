// SPDX-License-Identifier: MIT
#pragma once

#include "content/Manifest.h"

#include <string>
#include <vector>

// The share screen shown before the game closes: its settings file "wdata/config.ini", the
// background, two link buttons with their link files and the exit button with its
// waiting picture, all in the game folder's "wdata" folder.

// One picture button of the share screen. Positions are screen pixels.
struct TShareButton {
    std::string Normal;
    std::string Hover;
    // The link file to open, or for the exit button its waiting picture.
    std::string LinkOrWaiting;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
};

struct TShareLayout {
    std::string Background;
    std::vector<TShareButton> Buttons;
    int CountdownX = 0;
    int CountdownY = 0;
    int CountdownSeconds = 0;
    // Countdown colour components.
    int Red = 0;
    int Green = 0;
    int Blue = 0;
    int DigitWidth = 0;
};

// The layout the game ships with; the last button is the exit button.
[[nodiscard]] TShareLayout GameShareLayout();

// The text of "wdata/config.ini" for a layout, lines ended by CR LF.
[[nodiscard]] std::string ShareConfigText(const TShareLayout& Layout);

// Writes the settings file, every picture and both link files, and the main menu's
// "website.url" in the game folder. False when a file cannot be written.
[[nodiscard]] bool WriteShareData(const TManifest& Manifest, const std::string& GameDir);
