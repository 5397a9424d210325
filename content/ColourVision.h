// SPDX-License-Identifier: MIT
#pragma once

#include "content/Picture.h"

#include <array>
#include <cstdint>

// How the pieces look to players who see colours differently: the three full colour-vision
// deficiencies (the physiological model of Machado, Oliveira and Fernandes, 2009, at full
// severity, applied in linear RGB) and plain greyscale. The contact sheets show the pieces
// this way, and the tests measure on these pictures that every two kinds sharing a board
// differ without colour.
enum class TVision { Normal, Deuteranopia, Protanopia, Tritanopia, Greyscale };

constexpr std::array<TVision, 5> Visions = {TVision::Normal, TVision::Deuteranopia, TVision::Protanopia,
                                            TVision::Tritanopia, TVision::Greyscale};

[[nodiscard]] const char* VisionName(TVision Vision);

// A straight-alpha 0xAARRGGBB pixel as seen with Vision; alpha is kept.
[[nodiscard]] uint32_t SeeAs(uint32_t Pixel, TVision Vision);
[[nodiscard]] TPicture SeeAs(const TPicture& Picture, TVision Vision);

// The CIE 1976 L*a*b* colour of a pixel's RGB (sRGB, D65 white), alpha ignored.
struct TLab {
    double L = 0, A = 0, B = 0;
};
[[nodiscard]] TLab ToLab(uint32_t Pixel);
// The CIEDE2000 colour difference: about 1 is just noticeable, 2..10 is seen at a glance,
// above 10 two colours read as different colours.
[[nodiscard]] double DeltaE2000(const TLab& X, const TLab& Y);
