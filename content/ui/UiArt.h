// SPDX-License-Identifier: MIT
#pragma once

#include "content/Picture.h"
#include "content/PictureWords.h"

#include <string>
#include <vector>

// The GUI's pictures: glossy panels, buttons, tabs and switches in the game's palette
// (deep blue and violet space, warm orange and gold controls).

// A rectangle inside a panel picture, in the panel's pixels.
struct TUiInset {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
};

// Colour schemes of buttons: orange for going on, violet for going back or saying no.
enum class TButtonTheme { Orange, Violet };

// The icon painted on a small square button.
enum class TButtonIcon { None, Minus, Plus, Left, Right };

// A translucent rounded panel with a gold rim and a soft shadow, Width x Height; each inset
// is a recessed dark well (where the game draws a picture over the form).
[[nodiscard]] TPicture DrawPanel(int Width, int Height, const std::vector<TUiInset>& Insets);

// Four patterns of a button: normal, with the mouse over it, pressed, disabled (grey, dim).
[[nodiscard]] std::vector<TPicture> DrawButton(int Width, int Height, TButtonTheme Theme,
                                               TButtonIcon Icon = TButtonIcon::None);

// Three patterns of a tab: 0 not chosen, 1 chosen, 2 disabled.
[[nodiscard]] std::vector<TPicture> DrawTab(int Width, int Height);

// Three patterns of an on/off switch: 0 on, 1 off, each with its word; 2 disabled.
[[nodiscard]] std::vector<TPicture> DrawSwitch(int Width, int Height, const TPictureWords& Words);
