// SPDX-License-Identifier: MIT
#pragma once

#include "gui/GuiControl.h"

#include <string>
#include <string_view>
#include <vector>

// Text on one line (left, right, centred or justified) or wrapped over several lines, and
// optionally typed out one character every ShowDelay frames.
class TGuiLabel final : public TGuiControl {
public:
    explicit TGuiLabel(TGuiControl* Parent);

    // Stores the text and restarts the typing.
    void SetText(std::string Value);
    [[nodiscard]] const std::string& Text() const { return Text_; }
    void SetProgressive(bool Value);
    [[nodiscard]] bool Progressive() const { return Progressive_; }

    [[nodiscard]] TGuiValue GetValue(uint32_t Id) const override;
    [[nodiscard]] bool SetValue(uint32_t Id, const TGuiValue& Value) override;

    // One laid-out line of a wrapped label.
    struct TLine {
        size_t First = 0; // index of its first word
        size_t Count = 0; // words placed
        bool EndedByLineFeed = false;
        bool Last = false; // no words follow it
    };
    // Words placed on the line that starts at word First, given each word's width, the width
    // of a space and the width available.
    [[nodiscard]] static TLine FillLine(const std::vector<std::string>& Words,
                                        const std::vector<double>& Widths, double SpaceWidth, size_t First,
                                        double Avail);
    // Splits Text at the bytes 8, 13 and 32; a line feed stays inside its word.
    [[nodiscard]] static std::vector<std::string> SplitWords(std::string_view Text);
    // The same into Words, whose strings are reused: a label whose text changes every frame
    // (a score counting up) then allocates nothing.
    static void SplitWordsInto(std::string_view Text, std::vector<std::string>& Words);

    bool WordWrap = false;
    int32_t TextAdjust = 0;
    int32_t Alignment = 0;
    double LineSpacing = 0.0;
    int32_t ShowDelay = 2;
    // The words shown: the whole text, or with Progressive its first VisibleChars characters.
    std::vector<std::string> Words;
    int64_t VisibleChars = 0;
    int32_t DelayCount = 0;

protected:
    void DoUpdate() override;
    void DoDraw() override;

private:
    void RebuildWords();
    void DrawSingleLine(const TGuiFont& Font, const TGfxFont& Resolved);
    void DrawWrapped(const TGuiFont& Font, const TGfxFont& Resolved);
    void DrawJustified(const TGuiFont& Font, const TGfxFont& Resolved, size_t First, size_t Count, float Y);

    std::string Text_;
    bool Progressive_ = false;
    // Kept between frames so that drawing a steady label allocates nothing.
    std::vector<double> WordWidths;
    std::string LineText;
};
