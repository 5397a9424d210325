// SPDX-License-Identifier: MIT
#pragma once

#include "gui/GuiControl.h"

// A screen: an optional caption bar and an image body. It can be dragged by its caption and
// comes to the front whenever it (or anything inside it) takes the focus.
class TGuiForm final : public TGuiControl {
public:
    explicit TGuiForm(TGuiControl* Parent);

    void SetFocus() override;

    std::string Caption = "TGuiForm";
    int32_t CaptSize = 20;
    int32_t CaptAdjust = 0;
    TGuiFill CaptActive{0xFFFFFFFF, 0xFFFFFFFF, 0xFFF7D3C6, 0xFFF7D3C6};
    TGuiFill CaptUnactive{0xFFE8DFDC, 0xFFE8DFDC, 0xFFE0C2B7, 0xFFE0C2B7};
    TGuiFont FontActive{0xFFCE5D29, 0xFFCE5D29};
    TGuiFont FontUnactive{0xFFB34624, 0xFFB34624};
    TGuiFill IconFill = TGuiFill::All(0xFFE59F79);
    int32_t IconIndex = -1;
    int32_t IconPattern = 0;
    int32_t IconWidth = 12;
    int32_t IconHeight = 12;
    int32_t ImageIndex = -1;
    int32_t ImagePattern = 0;
    int32_t ShadowSize = 4;
    uint32_t ShadowColor = 0x40000000;

    [[nodiscard]] bool Dragging() const { return Dragging_; }

protected:
    void DoDraw() override;
    void DoMouse(TPoint Position, uint8_t Kind, uint8_t Button, TGuiShift Shift) override;

private:
    bool Dragging_ = false;
    TPoint DragOrigin;
    TPoint DragMouse;
};
