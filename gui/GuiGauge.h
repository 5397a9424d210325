// SPDX-License-Identifier: MIT
#pragma once

#include "gui/GuiControl.h"

// A progress bar with an optional "value: caption" text; with a non-zero Tag a slider made of
// two images (track and knob).
class TGuiGauge final : public TGuiControl {
public:
    explicit TGuiGauge(TGuiControl* Parent);

    std::string Caption = "Gauge";
    int32_t Theta = 50;
    int32_t MinValue = 0;
    int32_t MaxValue = 100;
    bool ShowText = true;
    int32_t Alignment = 0;

    // Width of the bar in normal mode: (Theta - MinValue) * (width - 2) / (MaxValue - MinValue).
    [[nodiscard]] int32_t BarWidth() const;
    // The text shown: Theta, then ": " and the caption when there is one.
    [[nodiscard]] std::string GaugeText() const;

protected:
    void DoDraw() override;

private:
    void DrawNormal();
    void DrawSlider();
};
