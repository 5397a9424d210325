// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The GUI screens as plain data: a tree of controls, each a class name, properties in the
// order they are applied, and children (the first child is the front-most). Written to the
// game's GUI stream through the GUI writer.

// Property kinds of the GUI stream.
enum TGuiKind : uint8_t {
    gkInteger = 0,
    gkString = 2,
    gkBoolean = 3,
    gkFill = 4,
    gkFont = 5,
    gkEffect = 6,
    gkAlignment = 7,
    gkColor = 8,
    gkStrings = 9,
    gkGlyphPosition = 10,
};

// Four corner colours (0xAARRGGBB: top-left, top-right, bottom-right, bottom-left).
struct TGuiFillValue {
    uint32_t Colors[4] = {0, 0, 0, 0};
    bool Shown = true;
    // One colour on all four corners.
    static TGuiFillValue Flat(uint32_t Color, bool Shown = true) {
        return {{Color, Color, Color, Color}, Shown};
    }
    // Top colour above, bottom colour below.
    static TGuiFillValue Vertical(uint32_t Top, uint32_t Bottom) {
        return {{Top, Top, Bottom, Bottom}, true};
    }
    friend bool operator==(const TGuiFillValue&, const TGuiFillValue&) = default;
};

struct TGuiFontValue {
    int32_t FontIndex = 0;
    uint32_t Color = 0xFFFFFFFF;
    uint32_t Color2 = 0xFFFFFFFF;
    double Scale = 1.0;
    uint8_t Style = 0;
    double Interleave = 0.0;
    friend bool operator==(const TGuiFontValue&, const TGuiFontValue&) = default;
};

struct TGuiProperty {
    std::string Name;
    uint8_t Kind = gkString;
    // The value of every kind but fills and fonts, as text.
    std::string Text;
    TGuiFillValue Fill;
    TGuiFontValue Font;
};

struct TGuiNode {
    std::string ClassName;
    std::vector<TGuiProperty> Properties;
    std::vector<TGuiNode> Children;

    TGuiNode& Set(const std::string& Name, uint8_t Kind, std::string Text);
    TGuiNode& SetInt(const std::string& Name, int64_t Value, uint8_t Kind = gkInteger);
    TGuiNode& SetBool(const std::string& Name, bool Value);
    TGuiNode& SetText(const std::string& Name, std::string Value);
    TGuiNode& SetFill(const std::string& Name, const TGuiFillValue& Value);
    TGuiNode& SetFont(const std::string& Name, const TGuiFontValue& Value);
    // Appends a child and returns it.
    TGuiNode& Add(TGuiNode Child);

    // The last entry of that name (names compared without regard to ASCII case), or nullptr.
    [[nodiscard]] const TGuiProperty* Find(const std::string& Name) const;
    // The text of "Name", empty when there is none.
    [[nodiscard]] std::string ControlName() const;
    // An integer property's value, or Default when absent or not a number.
    [[nodiscard]] int64_t IntOr(const std::string& Name, int64_t Default) const;
};

// The GUI stream of a list of top-level controls.
[[nodiscard]] std::vector<uint8_t> WriteGuiTree(const std::vector<TGuiNode>& TopLevel);

// Walks the tree depth first (each control before its children).
[[nodiscard]] const TGuiNode* FindControl(const std::vector<TGuiNode>& TopLevel, const std::string& Name);
