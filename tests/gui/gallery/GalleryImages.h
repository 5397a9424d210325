// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

class TGfxImages;

// List positions of the pictures the image-mode controls of the gallery use.
struct TGalleryImages {
    int32_t FormBody = -1;
    int32_t Button = -1; // three patterns: normal, hover, pressed
    int32_t SliderTrack = -1;
    int32_t SliderKnob = -1;
    int32_t ListBody = -1;
    int32_t RowHover = -1; // two patterns: full width, beside a scroll bar
    int32_t RowSelected = -1;
    int32_t ScrollTrack = -1;
    int32_t ScrollUp = -1; // two patterns: normal, pressed
    int32_t ScrollDown = -1;
    int32_t ScrollThumb = -1;
};

// Draws the pictures in code and adds them to the list.
[[nodiscard]] TGalleryImages AddGalleryImages(TGfxImages& Images);
