// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <variant>

// Mouse event kinds as the controls receive them.
enum TGuiMouseKind : uint8_t {
    mkDown = 0,
    mkUp = 1,
    mkMove = 2,
    mkClick = 3,
    mkDblClick = 4,
    mkEnter = 5,
    mkLeave = 6,
};

// Mouse buttons; a move carries mbNone.
enum TGuiMouseButton : uint8_t { mbLeft = 0, mbRight = 1, mbMiddle = 2, mbNone = 3 };

// Key event kinds: down and up carry a virtual-key code, a press carries a character.
enum TGuiKeyKind : uint8_t { kkDown = 0, kkUp = 1, kkPress = 2 };

// The shift state set, one bit per member, in one byte.
using TGuiShift = uint8_t;
constexpr TGuiShift ssShift = 1 << 0;
constexpr TGuiShift ssAlt = 1 << 1;
constexpr TGuiShift ssCtrl = 1 << 2;
constexpr TGuiShift ssLeft = 1 << 3;
constexpr TGuiShift ssRight = 1 << 4;
constexpr TGuiShift ssMiddle = 1 << 5;
constexpr TGuiShift ssDouble = 1 << 6;

// Property type codes as stored in GUI files.
enum TGuiPropertyKind : uint8_t {
    pkInteger = 0,
    pkString = 2,
    pkBoolean = 3,
    pkFill = 4,
    pkFont = 5,
    pkDrawFx = 6,
    pkAlignment = 7,
    pkColor = 8,
    pkStrings = 9,
    pkGlyph = 10,
};

// A property value: what typed access by id hands around. Values read from a GUI file are
// always strings and are converted by the receiving property.
using TGuiValue = std::variant<int64_t, bool, double, std::string>;

// Positions, sizes and text measurements stay within this many points of the origin. The
// screen is 800 by 600, so nothing real comes near, and sums of a control's edges, its
// parents' origins and its text never leave 32 bits, whatever a GUI file says.
constexpr int32_t MaxGuiCoordinate = 1 << 20;

[[nodiscard]] inline int32_t ClampCoordinate(int64_t Value) {
    return static_cast<int32_t>(std::clamp<int64_t>(Value, -MaxGuiCoordinate, MaxGuiCoordinate));
}

// A measurement kept inside the coordinate range; one that is not a number counts as 0.
[[nodiscard]] inline double ClampMeasure(double Value) {
    if (std::isnan(Value)) {
        return 0.0;
    }
    return std::clamp<double>(Value, -MaxGuiCoordinate, MaxGuiCoordinate);
}

// Rounded to the nearest point, halves away from zero.
[[nodiscard]] inline int32_t RoundCoordinate(double Value) {
    return static_cast<int32_t>(std::lround(ClampMeasure(Value)));
}
