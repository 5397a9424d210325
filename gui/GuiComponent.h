// SPDX-License-Identifier: MIT
#pragma once

#include "gui/GuiObject.h"
#include "platform/Types.h"

#include <cstdint>
#include <functional>

// Bounds, a user tag, visibility and enabling: what every control has before it joins a tree.
class TGuiComponent : public TGuiObject {
public:
    using TNotifyEvent = std::function<void(TGuiComponent& Sender)>;

    TGuiComponent();
    ~TGuiComponent() override;

    static constexpr uint32_t IdLeft = 0x70000;
    static constexpr uint32_t IdTop = 0x70001;
    static constexpr uint32_t IdWidth = 0x70002;
    static constexpr uint32_t IdHeight = 0x70003;
    static constexpr uint32_t IdTag = 0x70004;
    static constexpr uint32_t IdVisible = 0x70005;
    static constexpr uint32_t IdEnabled = 0x70006;

    [[nodiscard]] TGuiValue GetValue(uint32_t Id) const override;
    [[nodiscard]] bool SetValue(uint32_t Id, const TGuiValue& Value) override;

    // Bounds in points relative to the parent's top-left corner.
    [[nodiscard]] const TRect& Bounds() const { return Bounds_; }
    [[nodiscard]] int32_t Left() const { return Bounds_.Left; }
    [[nodiscard]] int32_t Top() const { return Bounds_.Top; }
    [[nodiscard]] int32_t Width() const { return Bounds_.Width(); }
    [[nodiscard]] int32_t Height() const { return Bounds_.Height(); }
    // Which: 0 Left (keeps the width), 1 Top (keeps the height), 2 width, 3 height.
    void SetBound(int32_t Which, int32_t Value);
    [[nodiscard]] int32_t GetBound(int32_t Which) const;
    void SetBounds(const TRect& Rect);
    void SetBounds(int32_t Left, int32_t Top, int32_t Width, int32_t Height);

    [[nodiscard]] bool Visible() const { return Visible_; }
    [[nodiscard]] bool Enabled() const { return Enabled_; }
    // Becoming visible runs DoShow then OnShow; becoming invisible OnHide then DoHide.
    void SetVisible(bool Value);
    void SetEnabled(bool Value);

    // The Tag as an integer, or Fallback when it does not convert.
    [[nodiscard]] int64_t TagNumber(int64_t Fallback = -1) const;

    TGuiValue Tag = int64_t{0};
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;

protected:
    // The new rectangle passes through here before it is stored; no control changes it.
    virtual void BoundsChanging(TRect& Rect);
    virtual void DoShow() {}
    virtual void DoHide() {}
    virtual void DoEnable() {}
    virtual void DoDisable() {}

private:
    TRect Bounds_;
    bool Visible_ = true;
    bool Enabled_ = true;
};
