// SPDX-License-Identifier: MIT
#include "gui/GuiComponent.h"

#include "gui/GuiValue.h"

namespace {

constexpr TGuiPropertyInfo ComponentProperties[] = {
    {"Left", pkInteger, TGuiComponent::IdLeft, "The horizontal position of component in pixels"},
    {"Top", pkInteger, TGuiComponent::IdTop, "The vertical position of component in pixels"},
    {"Width", pkInteger, TGuiComponent::IdWidth, "The horizontal size of component in pixels"},
    {"Height", pkInteger, TGuiComponent::IdHeight, "The vertical size of component in pixels"},
    {"Tag", pkString, TGuiComponent::IdTag, "User-defined attribute"},
    {"Visible", pkBoolean, TGuiComponent::IdVisible, "Whether this component is visible or not"},
    {"Enabled", pkBoolean, TGuiComponent::IdEnabled,
     "Whether this component can receive and respond to events"},
};

} // namespace

TGuiComponent::TGuiComponent() {
    SetTypeName("TGuiComponent", "TGuiComponent generic class");
    AddProperties(ComponentProperties);
}

TGuiComponent::~TGuiComponent() = default;

TGuiValue TGuiComponent::GetValue(uint32_t Id) const {
    switch (Id) {
    case IdLeft:
        return int64_t{Left()};
    case IdTop:
        return int64_t{Top()};
    case IdWidth:
        return int64_t{Width()};
    case IdHeight:
        return int64_t{Height()};
    case IdTag:
        return Tag;
    case IdVisible:
        return Visible_;
    case IdEnabled:
        return Enabled_;
    default:
        return TGuiObject::GetValue(Id);
    }
}

bool TGuiComponent::SetValue(uint32_t Id, const TGuiValue& Value) {
    if (Id >= IdLeft && Id <= IdHeight) {
        const auto v = ValueToInt32(Value);
        if (v) {
            SetBound(static_cast<int32_t>(Id - IdLeft), *v);
        }
        return v.has_value();
    }
    if (Id == IdVisible || Id == IdEnabled) {
        const auto v = ValueToBool(Value);
        if (v) {
            Id == IdVisible ? SetVisible(*v) : SetEnabled(*v);
        }
        return v.has_value();
    }
    if (Id == IdTag) {
        Tag = Value;
        return true;
    }
    return TGuiObject::SetValue(Id, Value);
}

void TGuiComponent::SetBound(int32_t Which, int32_t Value) {
    // Bounds_ is always inside the coordinate range, so these sums fit 32 bits.
    const int32_t v = ClampCoordinate(Value);
    TRect r = Bounds_;
    switch (Which) {
    case 0:
        r = RectOfSize(v, r.Top, r.Width(), r.Height());
        break;
    case 1:
        r = RectOfSize(r.Left, v, r.Width(), r.Height());
        break;
    case 2:
        r.Right = r.Left + v;
        break;
    case 3:
        r.Bottom = r.Top + v;
        break;
    default:
        return;
    }
    SetBounds(r);
}

int32_t TGuiComponent::GetBound(int32_t Which) const {
    switch (Which) {
    case 0:
        return Left();
    case 1:
        return Top();
    case 2:
        return Width();
    case 3:
        return Height();
    default:
        return 0;
    }
}

void TGuiComponent::SetBounds(const TRect& Rect) {
    TRect r{ClampCoordinate(Rect.Left), ClampCoordinate(Rect.Top), ClampCoordinate(Rect.Right),
            ClampCoordinate(Rect.Bottom)};
    BoundsChanging(r);
    Bounds_ = r;
}

void TGuiComponent::SetBounds(int32_t Left, int32_t Top, int32_t Width, int32_t Height) {
    SetBounds({Left, Top, ClampCoordinate(int64_t{Left} + Width), ClampCoordinate(int64_t{Top} + Height)});
}

void TGuiComponent::SetVisible(bool Value) {
    if (Value == Visible_) {
        return;
    }
    Visible_ = Value;
    if (Value) {
        DoShow();
        if (OnShow) {
            OnShow(*this);
        }
    } else {
        if (OnHide) {
            OnHide(*this);
        }
        DoHide();
    }
}

void TGuiComponent::SetEnabled(bool Value) {
    if (Value == Enabled_) {
        return;
    }
    Enabled_ = Value;
    Value ? DoEnable() : DoDisable();
}

int64_t TGuiComponent::TagNumber(int64_t Fallback) const {
    return ValueToInt64(Tag).value_or(Fallback);
}

void TGuiComponent::BoundsChanging(TRect&) {}
