// SPDX-License-Identifier: MIT
#pragma once

#include "gui/GuiFill.h"
#include "gui/GuiFont.h"
#include "gui/GuiTypes.h"

#include <cstdint>
#include <list>
#include <string>
#include <vector>

class TStream;

// One control of a GUI file being written: its class name, its property entries in the order
// the loader applies them, and its children, front-most first. References returned by Add
// stay valid for the life of the tree.
//
//   TGuiWriter writer;
//   TGuiWriterControl& form = writer.Add("TGuiForm");
//   form.Set("Name", "scr_mainmenu").SetInt("Left", 300).SetBool("Visible", false);
//   form.Add("TGuiButton").Set("Name", "b_start").Set("Caption", "Start").SetFont("Font", font);
//   writer.SaveToFile("Data/gfx.fgg");
class TGuiWriterControl {
public:
    explicit TGuiWriterControl(std::string ClassName) : ClassName(std::move(ClassName)) {}

    // A property whose value is stored as text, with any kind code (string by default).
    TGuiWriterControl& Set(const std::string& Name, const std::string& Text, uint8_t Kind = pkString);
    // Integers in decimal (kind 0); also for alignments (7) and glyph positions (10).
    TGuiWriterControl& SetInt(const std::string& Name, int64_t Value, uint8_t Kind = pkInteger);
    // "true" or "false" (kind 3).
    TGuiWriterControl& SetBool(const std::string& Name, bool Value);
    // Colours as unsigned decimal (kind 8), e.g. 4278190080 for opaque black.
    TGuiWriterControl& SetColor(const std::string& Name, uint32_t Value);
    // Drawing effect codes as unsigned decimal (kind 6).
    TGuiWriterControl& SetDrawFx(const std::string& Name, uint32_t Value);
    // One string per line (kind 9).
    TGuiWriterControl& SetLines(const std::string& Name, const std::vector<std::string>& Lines);
    // A 17-byte fill record (kind 4).
    TGuiWriterControl& SetFill(const std::string& Name, const TGuiFill& Fill);
    // A 29-byte font record (kind 5).
    TGuiWriterControl& SetFont(const std::string& Name, const TGuiFont& Font);

    // A new child after the existing ones.
    TGuiWriterControl& Add(const std::string& ClassName);

    // Control entry: class name, property block, child list.
    void WriteTo(TStream& Stream) const;

    struct TEntry {
        std::string Name;
        uint8_t Kind = pkString;
        std::string Text;
        TGuiFill Fill;
        TGuiFont Font;
    };
    std::string ClassName;
    std::vector<TEntry> Properties;
    std::list<TGuiWriterControl> Children;
};

// A whole GUI file: the list of top-level controls (the screens), front-most first.
class TGuiWriter {
public:
    TGuiWriterControl& Add(const std::string& ClassName);

    // The file's bytes: the child list of the root container.
    [[nodiscard]] std::vector<uint8_t> Bytes() const;
    void WriteTo(TStream& Stream) const;
    // False when the file cannot be written completely.
    [[nodiscard]] bool SaveToFile(const std::string& FileName) const;

    std::list<TGuiWriterControl> Controls;
};
