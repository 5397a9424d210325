// SPDX-License-Identifier: MIT
#pragma once

#include "gui/GuiComponent.h"
#include "gui/GuiFill.h"
#include "gui/GuiFont.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TGuiContext;
class TStream;

// A control of the GUI tree: owns its children (index 0 is the front-most: hit first, drawn
// last), keeps which child has the keyboard focus, routes mouse and key events, and draws
// itself and its children clipped to its parent.
class TGuiControl : public TGuiComponent {
public:
    using TControlEvent = std::function<void(TGuiControl& Sender)>;
    using TMouseEvent = std::function<void(TGuiControl& Sender, TPoint Position, uint8_t Kind, uint8_t Button,
                                           TGuiShift Shift)>;
    using TKeyEvent = std::function<void(TGuiControl& Sender, uint8_t Key, uint8_t Kind, TGuiShift Shift)>;

    // Parent is remembered (constructors may look at their future siblings); the control
    // joins the parent's Children when it is handed to AddChild, as Add does.
    explicit TGuiControl(TGuiControl* Parent);
    ~TGuiControl() override;

    static constexpr uint32_t IdName = 0x80000;
    static constexpr uint32_t IdDrawFx = 0x80001;
    static constexpr uint32_t IdFont = 0x80002;
    static constexpr uint32_t IdBkgrnd = 0x80003;
    static constexpr uint32_t IdBorder = 0x80004;
    static constexpr uint32_t IdSelected = 0x80005;
    static constexpr uint32_t IdDisabledFont = 0x80006;
    // Concrete controls number their own properties from here.
    static constexpr uint32_t IdOwn = 0xA000;

    [[nodiscard]] TGuiValue GetValue(uint32_t Id) const override;
    [[nodiscard]] bool SetValue(uint32_t Id, const TGuiValue& Value) override;
    [[nodiscard]] TGuiFill* GetFill(uint32_t Id) override;
    [[nodiscard]] TGuiFont* GetFont(uint32_t Id) override;

    // Creates a T with this control as parent and appends it.
    template <class T, class... A> T& Add(A&&... Args) {
        auto control = std::make_unique<T>(this, std::forward<A>(Args)...);
        T& result = *control;
        AddChild(std::move(control));
        return result;
    }

    [[nodiscard]] TGuiControl* Parent() const { return Parent_; }
    [[nodiscard]] int32_t ChildCount() const { return static_cast<int32_t>(Children.size()); }
    // nullptr when Index is out of range.
    [[nodiscard]] TGuiControl* Child(int32_t Index) const;
    [[nodiscard]] int32_t IndexOfChild(const TGuiControl* Control) const;
    // Appends the control and focuses it when no child has the focus; returns its index.
    int32_t AddChild(std::unique_ptr<TGuiControl> Control);
    // Takes the control out of the list and hands it back (nullptr when it is no child).
    std::unique_ptr<TGuiControl> RemoveChild(TGuiControl& Control);
    // Destroys every child, last first.
    void ClearChildren();

    // This control or the first in its subtree, depth-first, named Name (ASCII case ignored).
    [[nodiscard]] TGuiControl* FindControl(std::string_view Name);

    [[nodiscard]] int32_t FocusIndex() const { return FocusIndex_; }
    // Focuses the first child that is visible and enabled, or none.
    void FocusFirst();
    // True when every ancestor's focus leads down to this control.
    [[nodiscard]] bool IsFocused() const;
    // True when this control or one of its ancestors is hidden.
    [[nodiscard]] bool HasHiddenAncestorOrSelf() const;
    // Focuses this control in its parent, and the parent in its own, up to the root.
    virtual void SetFocus();
    void BringToFront();
    void SendToBack();

    [[nodiscard]] TRect ScreenRect() const;
    [[nodiscard]] TRect ClipRect() const;
    [[nodiscard]] TPoint ScreenToClient(TPoint Point) const;

    // The deepest visible control under Position, inside every clip rectangle (edges included).
    [[nodiscard]] virtual TGuiControl* ControlAt(TPoint Position);

    void UpdateTree();
    void DrawTree();
    void MouseEvent(TPoint Position, uint8_t Kind, uint8_t Button, TGuiShift Shift);
    void KeyEvent(uint8_t Key, uint8_t Kind, TGuiShift Shift);

    // Publishes one of "Font", "Bkgrnd", "Border", "Selected", "DisabledFont" (ASCII case
    // ignored); other names are ignored.
    void AddStandardProperty(std::string_view Name);

    // Loads a child list of a GUI stream into Parent (this control when nullptr). False on any
    // failure; what was built before it stays.
    [[nodiscard]] bool LoadChildren(TGuiControl* Parent, TStream& Stream);
    [[nodiscard]] bool LoadFromStream(TStream& Stream);

    // Deepest nesting of child lists a GUI stream may hold.
    static constexpr int32_t MaxLoadDepth = 64;
    // Longest child list a GUI stream may hold. Screens hold a few dozen controls; sibling edit
    // boxes renumber each other in chains, which costs the cube of their number at worst.
    static constexpr int32_t MaxLoadChildren = 512;
    // Most controls one load may create: the game's screens need a few hundred, and each
    // control's property table takes a few kilobytes.
    static constexpr int32_t MaxLoadControls = 4096;

    std::string Name;
    TMouseEvent OnMouse;
    TKeyEvent OnKey;
    TControlEvent OnClick;
    TControlEvent OnDblClick;
    TControlEvent OnMouseEnter;
    TControlEvent OnMouseLeave;
    bool MouseOver = false;
    TGuiFont Font;
    TGuiFill Bkgrnd;
    TGuiFill Border;
    TGuiFill Selected;
    uint32_t DrawFx = 1;
    TGuiFont DisabledFont;

protected:
    void DoShow() override;
    void DoHide() override;
    virtual void DoUpdate() {}
    virtual void DoDraw() {}
    virtual void DoMouse(TPoint Position, uint8_t Kind, uint8_t Button, TGuiShift Shift);
    virtual void DoKey(uint8_t Key, uint8_t Kind, TGuiShift Shift);
    // Called on the root when a control of its tree is being destroyed.
    virtual void ForgetControl(const TGuiControl& Control);

    [[nodiscard]] static TGuiContext& Context();
    // Font when enabled, DisabledFont otherwise.
    [[nodiscard]] const TGuiFont& StateFont() const { return Enabled() ? Font : DisabledFont; }
    // Siblings (this control excluded) that are of class T.
    template <class T> [[nodiscard]] std::vector<T*> SiblingsOf() const {
        std::vector<T*> result;
        if (Parent_ != nullptr) {
            for (const auto& child : Parent_->Children) {
                if (auto* t = dynamic_cast<T*>(child.get()); t != nullptr && child.get() != this) {
                    result.push_back(t);
                }
            }
        }
        return result;
    }

private:
    // What a load may still spend: nesting levels and controls.
    struct TLoadBudget {
        int32_t Depth = 0;
        int32_t ControlsLeft = MaxLoadControls;
    };
    [[nodiscard]] static bool LoadList(TGuiControl& Parent, TStream& Stream, TLoadBudget& Budget);
    [[nodiscard]] TGuiControl& Root();

    TGuiControl* Parent_ = nullptr;
    std::vector<std::unique_ptr<TGuiControl>> Children;
    int32_t FocusIndex_ = -1;
};
