// SPDX-License-Identifier: MIT
#include "gui/GuiControl.h"

#include "archive/Stream.h"
#include "gui/GuiContext.h"
#include "gui/GuiRegistry.h"
#include "gui/GuiValue.h"
#include "platform/Text.h"

#include <algorithm>

namespace {

constexpr TGuiPropertyInfo ControlProperties[] = {
    {"Name", pkString, TGuiControl::IdName, "The unique name of control"},
    {"DrawFx", pkDrawFx, TGuiControl::IdDrawFx, "Drawing effect used with this control"},
};

constexpr TGuiPropertyInfo StandardProperties[] = {
    {"Font", pkFont, TGuiControl::IdFont, "The font of the displayed text"},
    {"Bkgrnd", pkFill, TGuiControl::IdBkgrnd, "How to fill the background of this control"},
    {"Border", pkFill, TGuiControl::IdBorder, "The fill style of control's border"},
    {"Selected", pkFill, TGuiControl::IdSelected, "How to fill the control when it's selected"},
    {"DisabledFont", pkFont, TGuiControl::IdDisabledFont, "The text font when the control is disabled"},
};

// The smallest control entry: an empty class name, an empty property block and child list.
constexpr int64_t MinControlEntryBytes = 4 + 4 + 4;

} // namespace

TGuiControl::TGuiControl(TGuiControl* Parent) : Parent_(Parent) {
    SetTypeName("TGuiControl", "TGuiControl generic class");
    AddProperties(ControlProperties);
}

TGuiControl::~TGuiControl() {
    if (Parent_ != nullptr) {
        Root().ForgetControl(*this);
    }
    ClearChildren();
}

TGuiValue TGuiControl::GetValue(uint32_t Id) const {
    switch (Id) {
    case IdName:
        return Name;
    case IdDrawFx:
        return int64_t{DrawFx};
    default:
        return TGuiComponent::GetValue(Id);
    }
}

bool TGuiControl::SetValue(uint32_t Id, const TGuiValue& Value) {
    if (Id == IdName) {
        Name = ValueToString(Value);
        return true;
    }
    if (Id == IdDrawFx) {
        const auto v = ValueToLow32(Value);
        if (v) {
            DrawFx = *v;
        }
        return v.has_value();
    }
    return TGuiComponent::SetValue(Id, Value);
}

TGuiFill* TGuiControl::GetFill(uint32_t Id) {
    switch (Id) {
    case IdBkgrnd:
        return &Bkgrnd;
    case IdBorder:
        return &Border;
    case IdSelected:
        return &Selected;
    default:
        return TGuiComponent::GetFill(Id);
    }
}

TGuiFont* TGuiControl::GetFont(uint32_t Id) {
    switch (Id) {
    case IdFont:
        return &Font;
    case IdDisabledFont:
        return &DisabledFont;
    default:
        return TGuiComponent::GetFont(Id);
    }
}

TGuiControl* TGuiControl::Child(int32_t Index) const {
    if (Index < 0 || Index >= ChildCount()) {
        return nullptr;
    }
    return Children[static_cast<size_t>(Index)].get();
}

int32_t TGuiControl::IndexOfChild(const TGuiControl* Control) const {
    for (size_t i = 0; i < Children.size(); ++i) {
        if (Children[i].get() == Control) {
            return static_cast<int32_t>(i);
        }
    }
    return -1;
}

int32_t TGuiControl::AddChild(std::unique_ptr<TGuiControl> Control) {
    if (Control == nullptr) {
        return -1;
    }
    Control->Parent_ = this;
    Children.push_back(std::move(Control));
    const int32_t index = ChildCount() - 1;
    if (FocusIndex_ == -1) {
        FocusIndex_ = index;
    }
    return index;
}

std::unique_ptr<TGuiControl> TGuiControl::RemoveChild(TGuiControl& Control) {
    const int32_t index = IndexOfChild(&Control);
    if (index < 0) {
        return nullptr;
    }
    Root().ForgetControl(Control);
    if (FocusIndex_ == index) {
        FocusIndex_ = -1;
    }
    std::unique_ptr<TGuiControl> owned = std::move(Children[static_cast<size_t>(index)]);
    Children.erase(Children.begin() + index);
    if (FocusIndex_ == -1) {
        FocusFirst();
    }
    owned->Parent_ = nullptr;
    return owned;
}

void TGuiControl::ClearChildren() {
    while (!Children.empty()) {
        // Moved out first so that the child's destructor sees a consistent list.
        std::unique_ptr<TGuiControl> last = std::move(Children.back());
        Children.pop_back();
        last.reset();
    }
    FocusIndex_ = -1;
}

TGuiControl* TGuiControl::FindControl(std::string_view Name) {
    // Compared letter by letter, so a lookup allocates nothing.
    if (SameName(this->Name, Name)) {
        return this;
    }
    for (const auto& child : Children) {
        if (TGuiControl* found = child->FindControl(Name)) {
            return found;
        }
    }
    return nullptr;
}

void TGuiControl::FocusFirst() {
    FocusIndex_ = -1;
    for (size_t i = 0; i < Children.size(); ++i) {
        if (Children[i]->Visible() && Children[i]->Enabled()) {
            FocusIndex_ = static_cast<int32_t>(i);
            return;
        }
    }
}

bool TGuiControl::IsFocused() const {
    if (Parent_ == nullptr) {
        return true;
    }
    return Parent_->FocusIndex_ == Parent_->IndexOfChild(this) && Parent_->IsFocused();
}

void TGuiControl::SetFocus() {
    if (Parent_ != nullptr) {
        Parent_->FocusIndex_ = Parent_->IndexOfChild(this);
        Parent_->SetFocus();
    }
}

void TGuiControl::BringToFront() {
    if (Parent_ == nullptr) {
        return;
    }
    auto& siblings = Parent_->Children;
    const int32_t index = Parent_->IndexOfChild(this);
    if (index < 0) {
        return;
    }
    std::rotate(siblings.begin(), siblings.begin() + index, siblings.begin() + index + 1);
    if (Parent_->FocusIndex_ == index) {
        Parent_->FocusIndex_ = 0;
    }
}

void TGuiControl::SendToBack() {
    if (Parent_ == nullptr) {
        return;
    }
    auto& siblings = Parent_->Children;
    const int32_t index = Parent_->IndexOfChild(this);
    if (index < 0) {
        return;
    }
    std::rotate(siblings.begin() + index, siblings.begin() + index + 1, siblings.end());
    if (Parent_->FocusIndex_ == index) {
        Parent_->FocusIndex_ = Parent_->ChildCount() - 1;
    }
}

TRect TGuiControl::ScreenRect() const {
    if (Parent_ == nullptr) {
        return Bounds();
    }
    const TRect origin = Parent_->ScreenRect();
    return Bounds().Moved(origin.Left, origin.Top);
}

TRect TGuiControl::ClipRect() const {
    if (Parent_ == nullptr) {
        return Bounds();
    }
    return ScreenRect().Intersect(Parent_->ClipRect());
}

TPoint TGuiControl::ScreenToClient(TPoint Point) const {
    const TRect r = ScreenRect();
    return {Point.X - r.Left, Point.Y - r.Top};
}

TGuiControl* TGuiControl::ControlAt(TPoint Position) {
    if (!Visible() || !ClipRect().ContainsInclusive(Position)) {
        return nullptr;
    }
    // Handlers never run here, so walking the list directly is safe.
    for (const auto& child : Children) {
        if (TGuiControl* hit = child->ControlAt(Position)) {
            return hit;
        }
    }
    return this;
}

void TGuiControl::UpdateTree() {
    DoUpdate();
    for (size_t i = 0; i < Children.size(); ++i) {
        Children[i]->UpdateTree();
    }
}

void TGuiControl::DrawTree() {
    const TRect clip = ClipRect();
    if (clip.IsEmpty()) {
        return;
    }
    const TGuiContext& context = Context();
    const TRect saved = context.GetClipRect();
    context.SetClipRect(clip);
    DoDraw();
    context.SetClipRect(saved);
    for (size_t i = Children.size(); i-- > 0;) {
        if (Children[i]->Visible()) {
            Children[i]->DrawTree();
        }
    }
}

bool TGuiControl::HasHiddenAncestorOrSelf() const {
    for (const TGuiControl* c = this; c != nullptr; c = c->Parent_) {
        if (!c->Visible()) {
            return true;
        }
    }
    return false;
}

TGuiControl& TGuiControl::Root() {
    TGuiControl* c = this;
    while (c->Parent_ != nullptr) {
        c = c->Parent_;
    }
    return *c;
}

void TGuiControl::MouseEvent(TPoint Position, uint8_t Kind, uint8_t Button, TGuiShift Shift) {
    if ((Kind == mkClick || Kind == mkDblClick) && HasHiddenAncestorOrSelf()) {
        return;
    }
    DoMouse(Position, Kind, Button, Shift);
    if (OnMouse) {
        OnMouse(*this, Position, Kind, Button, Shift);
    }
    const bool inside = ScreenRect().ContainsInclusive(Position);
    if (Kind == mkClick && Enabled() && OnClick && inside) {
        OnClick(*this);
    } else if (Kind == mkDblClick && Enabled() && OnDblClick && inside) {
        OnDblClick(*this);
    } else if (Kind == mkEnter) {
        MouseOver = true;
        if (OnMouseEnter) {
            OnMouseEnter(*this);
        }
    } else if (Kind == mkLeave) {
        MouseOver = false;
        if (OnMouseLeave) {
            OnMouseLeave(*this);
        }
    }
}

void TGuiControl::KeyEvent(uint8_t Key, uint8_t Kind, TGuiShift Shift) {
    if (TGuiControl* focused = Child(FocusIndex_)) {
        focused->KeyEvent(Key, Kind, Shift);
        return;
    }
    DoKey(Key, Kind, Shift);
    if (OnKey) {
        OnKey(*this, Key, Kind, Shift);
    }
}

void TGuiControl::AddStandardProperty(std::string_view Name) {
    for (const TGuiPropertyInfo& row : StandardProperties) {
        if (SameName(row.Name, Name)) {
            AddProperty(row.Name, row.Kind, row.Description, row.Id);
            return;
        }
    }
}

bool TGuiControl::LoadChildren(TGuiControl* Parent, TStream& Stream) {
    TLoadBudget budget;
    return LoadList(Parent != nullptr ? *Parent : *this, Stream, budget);
}

bool TGuiControl::LoadList(TGuiControl& Parent, TStream& Stream, TLoadBudget& Budget) {
    int32_t count = 0;
    if (Budget.Depth > MaxLoadDepth || !ReadInt32(Stream, count)) {
        return false;
    }
    if (count > MaxLoadChildren || (count > 0 && count > Stream.Remaining() / MinControlEntryBytes)) {
        return false;
    }
    for (int32_t i = 0; i < count; ++i) {
        std::string className;
        if (!ReadString(Stream, className) || Budget.ControlsLeft <= 0) {
            return false;
        }
        // Every control inside the "spec1" container is a button, whatever the file names.
        const std::string& created = Parent.Name == "spec1" ? std::string("TGuiButtonEdit") : className;
        TGuiControl* control = TGuiRegistry::Instance().CreateControl(created, Parent);
        if (control == nullptr) {
            return true;
        }
        --Budget.ControlsLeft;
        if (!control->ReadProperties(Stream)) {
            return false;
        }
        ++Budget.Depth;
        const bool loaded = LoadList(*control, Stream, Budget);
        --Budget.Depth;
        if (!loaded) {
            return false;
        }
    }
    return true;
}

bool TGuiControl::LoadFromStream(TStream& Stream) {
    return LoadChildren(nullptr, Stream);
}

void TGuiControl::DoShow() {
    if (Parent_ != nullptr && Parent_->FocusIndex_ == -1) {
        Parent_->FocusFirst();
    }
}

void TGuiControl::DoHide() {
    if (Parent_ != nullptr && Parent_->FocusIndex_ == Parent_->IndexOfChild(this)) {
        Parent_->FocusFirst();
    }
}

void TGuiControl::DoMouse(TPoint, uint8_t, uint8_t, TGuiShift) {}

void TGuiControl::DoKey(uint8_t, uint8_t, TGuiShift) {}

void TGuiControl::ForgetControl(const TGuiControl&) {}

TGuiContext& TGuiControl::Context() {
    return TGuiContext::Current();
}
