// SPDX-License-Identifier: MIT
#include "content/fonts/FontCatalog.h"

namespace {

constexpr TFontSpec Specs[] = {
    {FontSmall, "DejaVuSans.ttf", 12, 0, 0},
    {FontMedium, "DejaVuSans.ttf", 16, 0, 0},
    {FontClock, "DejaVuSans-BoldOblique.ttf", 19, 1, 0},
    {FontHeading, "DejaVuSans-Bold.ttf", 40, 2, 0},
    {FontShare, "DejaVuSans-Bold.ttf", 44, 2, 0},
    {FontButton, "DejaVuSans-Bold.ttf", 17, 1, 0},
    {FontText, "DejaVuSans.ttf", 15, 0, 0},
    {FontTitle, "DejaVuSans-Bold.ttf", 25, 2, 0},
};

} // namespace

std::span<const TFontSpec> GameFontSpecs() {
    return Specs;
}
