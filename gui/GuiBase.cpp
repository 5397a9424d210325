// SPDX-License-Identifier: MIT
#include "gui/GuiBase.h"

#include "engine/Device.h"

#include <cmath>
#include <stdexcept>

namespace {

bool InstanceAlive = false;

int32_t ToPoints(int32_t Pixels, float Scale) {
    const double scale = Scale > 0.0f ? Scale : 1.0;
    // nearbyint rounds halves to even in the default rounding mode.
    return static_cast<int32_t>(std::nearbyint(Pixels / scale));
}

} // namespace

TGuiBase::TGuiBase() {
    if (InstanceAlive) {
        throw std::logic_error("TGuiBase: Only one instance of this component is allowed.");
    }
    InstanceAlive = true;
    TGuiContext::MakeCurrent(&Context_);
    Root_ = std::make_unique<TGuiTaskbar>();
}

TGuiBase::~TGuiBase() {
    Root_.reset();
    TGuiContext::MakeCurrent(nullptr);
    InstanceAlive = false;
}

void TGuiBase::Render() {
    const TRect saved = Context_.GetClipRect();
    Context_.SetClipRect({0, 0, 800, 600});
    Root_->SetBounds(0, 0, 800, 600);
    Root_->DrawTree();
    Root_->DrawKeyFocus();
    Context_.SetClipRect(saved);
}

TPoint TGuiBase::ToGuiPoint(int32_t X, int32_t Y) const {
    if (Context_.Device == nullptr) {
        return {X, Y};
    }
    return {ToPoints(X, Context_.Device->ScaleX()), ToPoints(Y, Context_.Device->ScaleY())};
}

void TGuiBase::OnMouseDown(uint8_t Button, TGuiShift Shift, int32_t X, int32_t Y) {
    Root_->WindowMouseDown(Button, Shift, ToGuiPoint(X, Y));
}

void TGuiBase::OnMouseUp(uint8_t Button, TGuiShift Shift, int32_t X, int32_t Y) {
    Root_->WindowMouseUp(Button, Shift, ToGuiPoint(X, Y));
}

void TGuiBase::OnMouseMove(TGuiShift Shift, int32_t X, int32_t Y) {
    Root_->WindowMouseMove(Shift, ToGuiPoint(X, Y));
}
