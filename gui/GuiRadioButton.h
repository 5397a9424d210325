// SPDX-License-Identifier: MIT
#pragma once

#include "gui/GuiControl.h"

#include <functional>

// A round button that, once checked, unchecks the sibling radio buttons of its group.
class TGuiRadioButton final : public TGuiControl {
public:
    explicit TGuiRadioButton(TGuiControl* Parent);

    [[nodiscard]] bool Checked() const { return Checked_; }
    // Checking clears the other buttons of the group among the siblings; OnChange follows a
    // change.
    void SetChecked(bool Value);

    [[nodiscard]] TGuiValue GetValue(uint32_t Id) const override;
    [[nodiscard]] bool SetValue(uint32_t Id, const TGuiValue& Value) override;

    std::string Caption = "TGuiRadioButton";
    int32_t TextAdjust = 0;
    uint32_t BorderColor = 0xFFB99D7F;
    uint32_t CheckColor = 0xFFD82F3A;
    uint32_t OverColor = 0x80FC97B2;
    int32_t HorizSpace = 2;
    int32_t GroupIndex = 0;
    bool Pressed = false;
    TControlEvent OnChange;

protected:
    void DoDraw() override;
    void DoMouse(TPoint Position, uint8_t Kind, uint8_t Button, TGuiShift Shift) override;

private:
    bool Checked_ = false;
};
