// SPDX-License-Identifier: MIT
#include "gui/GuiListBox.h"

#include "engine/Image.h"
#include "gui/GuiContext.h"
#include "gui/GuiScroll.h"
#include "gui/GuiValue.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr uint32_t Id = TGuiControl::IdOwn;
constexpr uint32_t IdItems = Id + 0;
constexpr uint32_t IdBorderColor = Id + 6;
constexpr TGuiPropertyInfo ListBoxProperties[] = {
    {"Items", pkStrings, Id + 0, "The list of displayed strings"},
    {"ItemSize", pkInteger, Id + 1, "The size of individual item in the list"},
    {"Indexed", pkFill, Id + 2, "The fill-style of a selected item"},
    {"ItemIndex", pkInteger, Id + 3, "The index of currently selected item"},
    {"TextAdjust", pkInteger, Id + 4, "The vertical text adjustment"},
    {"IndexedFont", pkFont, Id + 5, "The font to be used with the selected item"},
    {"BorderColor", pkColor, Id + 6, "The color of control's border"},
    {"ScrollButton", pkFill, Id + 7, "The fill-style of scrollbar's buttons"},
    {"ScrollFill", pkFill, Id + 8, "The fill-style of scrollbar's scrolling area"},
    {"ScrollPressed", pkFill, Id + 9, "The fill-style scrollbar's pressed buttons"},
    {"ScrollArrow", pkColor, Id + 10, "The color of scrollbar's arrows"},
};

constexpr int32_t NormalScrollWidth = 16;

TRect Inset(const TRect& R, int32_t D) {
    return {R.Left + D, R.Top + D, R.Right - D, R.Bottom - D};
}

} // namespace

TGuiListBox::TGuiListBox(TGuiControl* Parent) : TGuiControl(Parent) {
    SetTypeName("TGuiListBox", "TGuiListBox is a simple set of multiple selectable strings");
    AddStandardProperty("Bkgrnd");
    AddStandardProperty("Selected");
    AddStandardProperty("Font");
    AddProperties(ListBoxProperties);
    Scroll_ = &Add<TGuiScroll>();
    Scroll_->Position = 1.0;
    Bind(Id + 1, &ItemSize);
    Bind(Id + 2, &Indexed);
    Bind(Id + 3, &ItemIndex);
    Bind(Id + 4, TGuiOffset{&TextAdjust});
    Bind(Id + 5, &IndexedFont);
    Bind(Id + 7, &Scroll_->ButtonFill);
    Bind(Id + 8, &Scroll_->TrackFill);
    Bind(Id + 9, &Scroll_->PressedFill);
    Bind(Id + 10, &Scroll_->ArrowColor);
    SetBounds(0, 0, 200, 150);
    Bkgrnd = TGuiFill(0xFFF3E7E4, 0xFFF5E4DF, 0xFFFFF3EF, 0xFFFFFFFF);
    Selected = TGuiFill::All(0xFFF7DFD6);
    Font = TGuiFont(0xFFC56A31, 0xFFC56A31);
    DisabledFont = TGuiFont(0xFF5F6B70, 0xFF5F6B70);
}

TGuiValue TGuiListBox::GetValue(uint32_t Id) const {
    if (Id == IdItems) {
        return ItemsText();
    }
    if (Id == IdBorderColor) {
        return int64_t{BorderColor_};
    }
    return TGuiControl::GetValue(Id);
}

bool TGuiListBox::SetValue(uint32_t Id, const TGuiValue& Value) {
    if (Id == IdItems) {
        SetItemsText(ValueToString(Value));
        return true;
    }
    if (Id == IdBorderColor) {
        const auto v = ValueToLow32(Value);
        if (v) {
            SetBorderColor(*v);
        }
        return v.has_value();
    }
    return TGuiControl::SetValue(Id, Value);
}

std::string TGuiListBox::ItemsText() const {
    std::string text;
    for (const std::string& item : Items) {
        text += item + "\r\n";
    }
    return text;
}

void TGuiListBox::SetItemsText(const std::string& Text) {
    Items.clear();
    size_t start = 0;
    while (start < Text.size()) {
        size_t end = Text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            end = Text.size();
        }
        Items.push_back(Text.substr(start, end - start));
        // A line ends at CR, LF or CR LF.
        start = end;
        if (start < Text.size() && Text[start] == '\r') {
            ++start;
        }
        if (start < Text.size() && Text[start] == '\n') {
            ++start;
        }
    }
}

void TGuiListBox::SetBorderColor(uint32_t Color) {
    BorderColor_ = Color;
    Scroll_->BorderColor = Color;
}

int32_t TGuiListBox::RowCount() const {
    if (ItemSize <= 0) {
        return 0;
    }
    return std::min<int64_t>((Height() - 2) / ItemSize, static_cast<int64_t>(Items.size()));
}

int32_t TGuiListBox::ScrollWidth() const {
    if (!ImageMode()) {
        return NormalScrollWidth;
    }
    const TGfxImage* track = Context().Image(Scroll_->TrackFill.Colors[0]);
    return track != nullptr ? track->PatternSize().X : 0;
}

void TGuiListBox::UpdateLayout() {
    const auto count = static_cast<int64_t>(Items.size());
    const int32_t rows = std::max(RowCount(), 0);
    Scroll_->SetVisible(rows < count);
    if (Scroll_->Visible()) {
        const double hidden = static_cast<double>(count - rows);
        Scroll_->SmallStep = 1.0 / hidden;
        Scroll_->LargeStep = 4.0 / hidden;
        TopIndex = static_cast<int32_t>(std::lround(hidden * Scroll_->Position));
        if (count < rows + TopIndex) {
            TopIndex = static_cast<int32_t>(std::max<int64_t>(count - rows, 0));
        }
    } else {
        TopIndex = 0;
    }
    if (ItemIndex >= count) {
        ItemIndex = -1;
    }
    const int32_t sw = ScrollWidth();
    Scroll_->SetBounds(Width() - sw, 0, sw, Height());
}

void TGuiListBox::DoDraw() {
    const TGuiContext& context = Context();
    UpdateLayout();
    if (!Enabled()) {
        HoverIndex = -1;
    }
    TRect content = ScreenRect();
    if (Scroll_->Visible()) {
        content.Right -= ScrollWidth() - 1;
    }
    if (!ImageMode()) {
        if (Bkgrnd.Shown) {
            context.FillRect(content, Bkgrnd, DrawFx);
        }
    } else {
        Scroll_->Tag = Tag;
        if (TGfxImage* image = context.Image(Bkgrnd.Colors[0])) {
            context.DrawImage(*image, 0, content.Left, content.Top);
        }
    }
    if ((BorderColor_ >> 24) != 0) {
        context.Outline(content, BorderColor_, DrawFx);
    }
    for (int32_t t = 0; t < RowCount(); ++t) {
        DrawRow(t, content);
    }
}

void TGuiListBox::DrawRow(int32_t Row, const TRect& Content) {
    const TGuiContext& context = Context();
    const int64_t item = int64_t{TopIndex} + Row;
    if (item < 0 || item >= static_cast<int64_t>(Items.size())) {
        return;
    }
    const TRect row =
        RectOfSize(Content.Left + 1, Content.Top + 1 + Row * ItemSize, Content.Width() - 2, ItemSize);
    const TRect inner = Inset(row, 1);
    const bool selected = item == ItemIndex;
    const bool hovered = item == HoverIndex && !selected;
    const bool border = (BorderColor_ >> 24) != 0;
    const TGuiFill* fill = nullptr;
    const TGuiFill* image = nullptr;
    if (hovered && Selected.Shown) {
        fill = &Selected;
        image = &Indexed;
    } else if (selected && Enabled() && Indexed.Shown) {
        fill = &Indexed;
        image = &Selected;
    }
    if (fill != nullptr && !ImageMode()) {
        context.FillRect(inner, *fill, DrawFx);
        if (border) {
            context.Outline(inner, BorderColor_, DrawFx);
        }
    } else if (fill != nullptr) {
        if (TGfxImage* picture = context.Image(image->Colors[0])) {
            context.DrawImage(*picture, Scroll_->Visible() ? 1 : 0, inner.Left, inner.Top);
        }
    }
    const TGuiFont& font = !Enabled() ? DisabledFont : selected ? IndexedFont : Font;
    const TGfxFont* resolved = font.Resolve();
    if (resolved == nullptr) {
        return;
    }
    const std::string& text = Items[static_cast<size_t>(item)];
    const double tw = TGuiFont::TextWidth(*resolved, text);
    const int32_t th = RoundCoordinate(TGuiFont::TextHeight(*resolved, text));
    const auto x = row.Left + std::lround(row.Width() / 2.0) - std::lround(tw / 2);
    const int32_t y = inner.Top + (inner.Height() - th) / 2 + TextAdjust;
    font.TextOut(text, static_cast<float>(x), static_cast<float>(y), 1284);
}

void TGuiListBox::DoMouse(TPoint Position, uint8_t Kind, uint8_t Button, TGuiShift) {
    if (Kind == mkLeave || !Enabled()) {
        HoverIndex = -1;
        return;
    }
    if (ItemSize <= 0) {
        return;
    }
    const int64_t index = int64_t{Position.Y - ScreenRect().Top - 1} / ItemSize + TopIndex;
    HoverIndex = index >= 0 && index < static_cast<int64_t>(Items.size()) ? static_cast<int32_t>(index) : -1;
    if (Kind == mkDown && Button == mbLeft && HoverIndex >= 0) {
        ItemIndex = HoverIndex;
        if (OnSelect) {
            OnSelect(*this);
        }
    }
}
