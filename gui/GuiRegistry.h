// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string_view>

class TGuiControl;

// Turns the class names of a GUI file into new controls. Ten names are known; the scroll bar
// and the root container are never read from a file.
class TGuiRegistry {
public:
    [[nodiscard]] static const TGuiRegistry& Instance();

    static constexpr int32_t ClassCount = 10;
    // The registered name at Index (0 to 9), or an empty view.
    [[nodiscard]] std::string_view ClassName(int32_t Index) const;
    // 0 to 9, or -1; names compare with ASCII letters lower-cased, first match.
    [[nodiscard]] int32_t IndexOfClass(std::string_view Name) const;
    // A new control of that class appended to Parent's children, or nullptr for an unknown name.
    TGuiControl* CreateControl(std::string_view Name, TGuiControl& Parent) const;
};
