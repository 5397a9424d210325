// SPDX-License-Identifier: MIT
#pragma once

#include "gui/GuiControl.h"

// A clickable button: a glyph image whose pattern follows the button's state, and a centred
// caption. The click itself arrives through OnClick.
class TGuiButton final : public TGuiControl {
public:
    explicit TGuiButton(TGuiControl* Parent);

    TGuiFill OutFill{0xFFF6DBD0, 0xFFF7DFD6, 0xFFFCF1ED, 0xFFF7DFD6};
    std::string Caption = "Button1";
    int32_t ImageIndex = -1;
    int32_t NormalGlyph = 0;
    // Shown while the mouse is over the button.
    int32_t DisabledGlyph = 1;
    int32_t ClickedGlyph = 0;
    // Shown while the button is disabled; -1 keeps the state's usual pattern.
    int32_t InactiveGlyph = -1;
    int32_t GlyphSpacer = 4;
    int32_t GlyphWidth = 18;
    int32_t GlyphHeight = 18;
    int32_t GlyphPosition = 0;
    bool Pressed = false;

    // The glyph pattern for the current state.
    [[nodiscard]] int32_t CurrentGlyph() const;

protected:
    void DoDraw() override;
    void DoMouse(TPoint Position, uint8_t Kind, uint8_t Button, TGuiShift Shift) override;
};
