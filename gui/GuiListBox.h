// SPDX-License-Identifier: MIT
#pragma once

#include "gui/GuiControl.h"

#include <string>
#include <vector>

class TGuiScroll;

// A list of strings, one per row, with a hovered row, a selected row and a scroll bar that
// appears when the rows cannot show every item.
class TGuiListBox final : public TGuiControl {
public:
    explicit TGuiListBox(TGuiControl* Parent);

    [[nodiscard]] TGuiValue GetValue(uint32_t Id) const override;
    [[nodiscard]] bool SetValue(uint32_t Id, const TGuiValue& Value) override;

    // The items as text, one per line (CR LF after each), and back.
    [[nodiscard]] std::string ItemsText() const;
    void SetItemsText(const std::string& Text);
    void SetBorderColor(uint32_t Color);
    [[nodiscard]] uint32_t BorderColor() const { return BorderColor_; }

    [[nodiscard]] TGuiScroll& Scroll() const { return *Scroll_; }
    // Rows that fit: (height - 2) / ItemSize, at most the item count.
    [[nodiscard]] int32_t RowCount() const;
    // Shows or hides the scroll bar and works out TopIndex and the scroll steps from the
    // scroll bar's Position; drawing does it every frame.
    void UpdateLayout();

    std::vector<std::string> Items{"Item 1", "Item 2", "Item 3"};
    int32_t ItemSize = 18;
    TGuiFill Indexed = TGuiFill::All(0xFFE7C3AE);
    int32_t ItemIndex = -1;
    int32_t TextAdjust = 0;
    TGuiFont IndexedFont{0xFFC65B1F, 0xFFC65B1F};
    int32_t TopIndex = 0;
    int32_t HoverIndex = -1;
    TControlEvent OnSelect;

protected:
    void DoDraw() override;
    void DoMouse(TPoint Position, uint8_t Kind, uint8_t Button, TGuiShift Shift) override;

private:
    [[nodiscard]] bool ImageMode() const { return TagNumber() == 1; }
    [[nodiscard]] int32_t ScrollWidth() const;
    void DrawRow(int32_t Row, const TRect& Content);

    TGuiScroll* Scroll_ = nullptr;
    uint32_t BorderColor_ = 0xFFB99D7F;
};
