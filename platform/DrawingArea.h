// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Types.h"

#include <algorithm>
#include <cmath>

// The largest area of the client's shape Width x Height that fits into a client of the given
// size, centred: full screen shows the logical screen scaled uniformly between black bars.
[[nodiscard]] inline TRect FitDrawingArea(TPoint Client, int32_t Width, int32_t Height) {
    if (Client.X <= 0 || Client.Y <= 0 || Width <= 0 || Height <= 0) {
        return {0, 0, std::max(Client.X, 0), std::max(Client.Y, 0)};
    }
    const double Scale =
        std::min(static_cast<double>(Client.X) / Width, static_cast<double>(Client.Y) / Height);
    const auto W = std::min(Client.X, static_cast<int32_t>(std::lround(Width * Scale)));
    const auto H = std::min(Client.Y, static_cast<int32_t>(std::lround(Height * Scale)));
    return RectOfSize((Client.X - W) / 2, (Client.Y - H) / 2, W, H);
}

// How many times the logical screen Width x Height a new window shows: the largest whole
// multiple that fits into nine tenths of the desktop, at least 1.
[[nodiscard]] inline int32_t InitialWindowScale(TPoint Desktop, int32_t Width, int32_t Height) {
    if (Width <= 0 || Height <= 0) {
        return 1;
    }
    const int64_t ByWidth = static_cast<int64_t>(Desktop.X) * 9 / (10 * static_cast<int64_t>(Width));
    const int64_t ByHeight = static_cast<int64_t>(Desktop.Y) * 9 / (10 * static_cast<int64_t>(Height));
    return static_cast<int32_t>(std::clamp<int64_t>(std::min(ByWidth, ByHeight), 1, 64));
}
