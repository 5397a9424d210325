// SPDX-License-Identifier: MIT
#include "gui/GuiForm.h"

#include "gui/GuiContext.h"

namespace {

constexpr uint32_t Id = TGuiControl::IdOwn;
constexpr TGuiPropertyInfo FormProperties[] = {
    {"Caption", pkString, Id + 0, "Windows' caption"},
    {"CaptSize", pkInteger, Id + 1, "The height of window's caption"},
    {"CaptAdjust", pkInteger, Id + 2, "The vertical adjustment of caption text"},
    {"CaptActive", pkFill, Id + 3, "The caption's fill style in focused window"},
    {"CaptUnactive", pkFill, Id + 4, "The caption's fill style in non-focused window"},
    {"FontActive", pkFont, Id + 5, "The caption's font style in focused window"},
    {"FontUnactive", pkFont, Id + 6, "The caption's font style in non-focused window"},
    {"IconFill", pkFill, Id + 7, "The fill style of simple window's icon"},
    {"IconIndex", pkInteger, Id + 8, "The index of window's icon"},
    {"IconPattern", pkInteger, Id + 9, "The patern number of window's icon"},
    {"IconWidth", pkInteger, Id + 10, "The width of window's icon in pixels"},
    {"IconHeight", pkInteger, Id + 11, "The height of window's icon in pixels"},
    {"ImageIndex", pkInteger, Id + 12, "The image index of window's background"},
    {"ImagePattern", pkInteger, Id + 13, "The pattern number of window's background image"},
    {"ShadowSize", pkInteger, Id + 14, "The size of window's shadow (in pixels)"},
    {"ShadowColor", pkColor, Id + 15, "The color of window's shadow"},
};

} // namespace

TGuiForm::TGuiForm(TGuiControl* Parent) : TGuiControl(Parent) {
    SetTypeName("TGuiForm", "TGuiForm represents a standard window.");
    AddStandardProperty("Bkgrnd");
    AddStandardProperty("Border");
    AddProperties(FormProperties);
    Bind(Id + 0, &Caption);
    Bind(Id + 1, &CaptSize);
    Bind(Id + 2, &CaptAdjust);
    Bind(Id + 3, &CaptActive);
    Bind(Id + 4, &CaptUnactive);
    Bind(Id + 5, &FontActive);
    Bind(Id + 6, &FontUnactive);
    Bind(Id + 7, &IconFill);
    Bind(Id + 8, &IconIndex);
    Bind(Id + 9, &IconPattern);
    Bind(Id + 10, &IconWidth);
    Bind(Id + 11, &IconHeight);
    Bind(Id + 12, &ImageIndex);
    Bind(Id + 13, &ImagePattern);
    Bind(Id + 14, &ShadowSize);
    Bind(Id + 15, &ShadowColor);
    SetBounds(0, 0, 300, 200);
    Bkgrnd = TGuiFill::All(0xFFF7DFD6);
    Border = TGuiFill::All(0xFFFFFFFF);
}

void TGuiForm::SetFocus() {
    BringToFront();
    TGuiControl::SetFocus();
}

void TGuiForm::DoDraw() {
    const TGuiContext& context = Context();
    TRect r = ScreenRect();
    r.Right -= ShadowSize;
    r.Bottom -= ShadowSize;
    if (CaptSize > 0) {
        const TGuiFill& caption = IsFocused() ? CaptActive : CaptUnactive;
        if (caption.Shown) {
            context.FillRect(RectOfSize(r.Left, r.Top, r.Width(), CaptSize), caption, 1284);
        }
    }
    TGfxImage* image = ImageIndex != -1 ? context.Image(ImageIndex) : nullptr;
    if (image == nullptr) {
        return;
    }
    // Under a caption the body starts on the caption bar's last line.
    TRect body = r;
    if (CaptSize > 0) {
        body.Top = r.Top + CaptSize - 1;
    }
    context.StretchImage(*image, ImagePattern, body, Bkgrnd.Colors, 1284);
}

void TGuiForm::DoMouse(TPoint Position, uint8_t Kind, uint8_t Button, TGuiShift) {
    const TPoint p = ScreenToClient(Position);
    if (Kind == mkDown && Button == mbLeft && !Dragging_) {
        if (p.X >= 0 && p.X < Width() && p.Y >= 0 && p.Y < CaptSize) {
            Dragging_ = true;
            DragOrigin = {Left(), Top()};
            DragMouse = Position;
        }
    } else if (Kind == mkMove && Dragging_) {
        SetBound(0, Position.X + DragOrigin.X - DragMouse.X);
        SetBound(1, Position.Y + DragOrigin.Y - DragMouse.Y);
    } else if (Kind == mkUp && Button == mbLeft) {
        Dragging_ = false;
    }
}
