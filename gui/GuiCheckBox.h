// SPDX-License-Identifier: MIT
#pragma once

#include "gui/GuiControl.h"

#include <functional>

// A box that toggles its check mark when clicked, with a caption beside it.
class TGuiCheckBox final : public TGuiControl {
public:
    using TChangeEvent = std::function<void(TGuiControl& Sender, bool Changed)>;

    explicit TGuiCheckBox(TGuiControl* Parent);

    [[nodiscard]] bool Checked() const { return Checked_; }
    // Raises OnChange when the value changes.
    void SetChecked(bool Value);

    [[nodiscard]] TGuiValue GetValue(uint32_t Id) const override;
    [[nodiscard]] bool SetValue(uint32_t Id, const TGuiValue& Value) override;

    std::string Caption = "TGuiCheckBox";
    int32_t TextAdjust = 0;
    uint32_t CheckColor = 0xFFBD4F62;
    int32_t HorizSpace = 0;
    bool Pressed = false;
    TChangeEvent OnChange;

protected:
    void DoDraw() override;
    void DoMouse(TPoint Position, uint8_t Kind, uint8_t Button, TGuiShift Shift) override;

private:
    void DrawCheckMark(int32_t X, int32_t Y);

    bool Checked_ = true;
};
