// SPDX-License-Identifier: MIT
#include "gui/GuiScroll.h"

#include "engine/Image.h"
#include "gui/GuiContext.h"

#include <algorithm>
#include <cmath>

TGuiScroll::TGuiScroll(TGuiControl* Parent) : TGuiControl(Parent) {
    SetBounds(0, 0, 16, 100);
}

TRect TGuiScroll::UpButtonRect() const {
    const TRect r = ScreenRect();
    const int32_t b = r.Width() - 2;
    return RectOfSize(r.Left + 1, r.Top + 1, b, b);
}

TRect TGuiScroll::DownButtonRect() const {
    const TRect r = ScreenRect();
    const int32_t b = r.Width() - 2;
    return RectOfSize(r.Left + 1, r.Bottom - r.Width() + 1, b, b);
}

TRect TGuiScroll::TrackRect() const {
    const TRect up = UpButtonRect(), down = DownButtonRect();
    return {up.Left, up.Bottom, up.Right, down.Top};
}

int32_t TGuiScroll::TrackLength() const {
    const int32_t b = Width() - 2;
    return Height() - 3 * b - 4;
}

TRect TGuiScroll::ThumbRect() const {
    const TRect r = ScreenRect();
    const int32_t b = r.Width() - 2;
    const auto offset = static_cast<int32_t>(std::lround(TrackLength() * Position));
    return RectOfSize(r.Left + 1, r.Top + r.Width() + offset, b, b);
}

void TGuiScroll::Changed(double Before) {
    if (Position != Before && OnChange) {
        OnChange(*this);
    }
}

void TGuiScroll::Press(TPoint Point) {
    const double before = Position;
    const TRect thumb = ThumbRect();
    UpPressed = UpButtonRect().ContainsInclusive(Point);
    DownPressed = DownButtonRect().ContainsInclusive(Point);
    ThumbPressed = thumb.ContainsInclusive(Point);
    if (UpPressed) {
        Position -= SmallStep;
    } else if (DownPressed) {
        Position += SmallStep;
    } else if (!ThumbPressed && TrackRect().ContainsInclusive(Point)) {
        Position += Point.Y > thumb.Bottom ? LargeStep : -LargeStep;
    }
    Position = std::clamp(Position, 0.0, 1.0);
    DragStart = Point;
    DragPosition = Position;
    Changed(before);
}

void TGuiScroll::DragThumb(TPoint Point) {
    const int32_t length = TrackLength();
    // Moving far to the side (or a track too short to move in) puts the thumb back.
    if (std::abs(Point.X - DragStart.X) < 4 * Width() && length > 0) {
        Position = std::clamp(DragPosition + double(Point.Y - DragStart.Y) / length, 0.0, 1.0);
    } else {
        Position = DragPosition;
    }
    if (OnChange) {
        OnChange(*this);
    }
}

void TGuiScroll::DoMouse(TPoint Position, uint8_t Kind, uint8_t Button, TGuiShift) {
    if (Kind == mkDown && Button == mbLeft) {
        Press(Position);
    } else if (Kind == mkMove && ThumbPressed) {
        DragThumb(Position);
    } else if (Kind == mkUp && Button == mbLeft) {
        UpPressed = DownPressed = ThumbPressed = false;
    }
}

void TGuiScroll::DoDraw() {
    const int64_t tag = TagNumber();
    if (tag == 0) {
        DrawNormal();
    } else {
        DrawImages();
    }
}

void TGuiScroll::DrawButton(const TRect& Rect, bool Pressed) {
    const TGuiContext& context = Context();
    const TGuiFill& fill = Pressed ? PressedFill : ButtonFill;
    context.FillRect(Rect, fill, DrawFx);
    // Light top and left edges, dark bottom and right ones; a pressed button sinks by a point.
    const int32_t s = Pressed ? 1 : 0;
    const auto l = static_cast<float>(Rect.Left + s), t = static_cast<float>(Rect.Top + s);
    const auto r = static_cast<float>(Rect.Right - 1), b = static_cast<float>(Rect.Bottom - 1);
    context.Line({l, t}, {r, t}, fill.Colors[0], DrawFx);
    context.Line({l, t}, {l, b}, fill.Colors[0], DrawFx);
    context.Line({l, b}, {r + 1, b}, fill.Colors[2], DrawFx);
    context.Line({r, t}, {r, b}, fill.Colors[2], DrawFx);
}

void TGuiScroll::DrawNormal() {
    const TGuiContext& context = Context();
    const TRect r = ScreenRect();
    if ((BorderColor >> 24) != 0) {
        context.Outline(r, BorderColor, DrawFx);
    }
    const TRect track = TrackRect();
    context.FillRect(track, TrackFill, DrawFx);
    context.Outline(track, BorderColor, DrawFx);
    const TRect up = UpButtonRect(), down = DownButtonRect(), thumb = ThumbRect();
    DrawButton(up, UpPressed);
    DrawButton(down, DownPressed);
    DrawButton(thumb, ThumbPressed);
    // Arrows a sixth of the width in from the edges.
    const float inset = static_cast<float>(r.Width()) / 6.0f;
    const auto upL = static_cast<float>(up.Left) + inset, upR = static_cast<float>(up.Right) - inset;
    const auto upT = static_cast<float>(up.Top) + inset, upB = static_cast<float>(up.Bottom) - inset;
    context.Triangle({(upL + upR) / 2, upT}, {upR, upB}, {upL, upB}, ArrowColor, 1284);
    const auto dnL = static_cast<float>(down.Left) + inset, dnR = static_cast<float>(down.Right) - inset;
    const auto dnT = static_cast<float>(down.Top) + inset, dnB = static_cast<float>(down.Bottom) - inset;
    context.Triangle({dnL, dnT}, {dnR, dnT}, {(dnL + dnR) / 2, dnB}, ArrowColor, 1284);
    const int32_t mark = std::max(2, thumb.Width() / 4);
    const int32_t cx = (thumb.Left + thumb.Right) / 2, cy = (thumb.Top + thumb.Bottom) / 2;
    context.FillRect(RectOfSize(cx - mark / 2, cy - mark / 2, mark, mark), ArrowColor, 1284);
}

void TGuiScroll::DrawImages() {
    const TGuiContext& context = Context();
    const TRect r = ScreenRect();
    if (TGfxImage* track = context.Image(TrackFill.Colors[0])) {
        context.DrawImage(*track, 0, r.Left, r.Top);
    }
    TGfxImage* downImage = context.Image(ButtonFill.Colors[0]);
    const TPoint button = downImage != nullptr ? downImage->PatternSize() : TPoint{0, 0};
    if (TagNumber() == 1 && downImage != nullptr) {
        const uint32_t white[4] = {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF};
        if (TGfxImage* upImage = context.Image(PressedFill.Colors[0])) {
            context.StretchImage(*upImage, UpPressed ? 1 : 0, RectOfSize(r.Left, r.Top, button.X, button.Y),
                                 white, 1284);
        }
        context.StretchImage(*downImage, DownPressed ? 1 : 0,
                             RectOfSize(r.Left, r.Bottom - button.Y, button.X, button.Y), white, 1284);
    }
    if (TGfxImage* thumb = context.Image(ArrowColor)) {
        const int32_t travel = r.Height() - thumb->PatternSize().Y - 2 * button.Y;
        const auto offset = static_cast<int32_t>(std::lround(travel * Position));
        context.DrawImage(*thumb, 0, r.Left + 1, r.Top + button.Y + offset);
    }
}
