// SPDX-License-Identifier: MIT
#include "gui/GuiContext.h"

#include "engine/Canvas.h"
#include "engine/Image.h"

namespace {

TGuiContext* ActiveContext = nullptr;

TGuiContext& EmptyContext() {
    static TGuiContext context;
    return context;
}

TGuiCharSet MakeSet(std::initializer_list<std::pair<int, int>> Ranges) {
    TGuiCharSet set;
    for (const auto& [first, last] : Ranges) {
        for (int c = first; c <= last; ++c) {
            set.set(static_cast<size_t>(c));
        }
    }
    return set;
}

TQuad QuadOf(const TRect& R) {
    const auto l = static_cast<float>(R.Left), t = static_cast<float>(R.Top);
    const auto r = static_cast<float>(R.Right), b = static_cast<float>(R.Bottom);
    return TQuad{{{l, t}, {r, t}, {r, b}, {l, b}}};
}

TColor4 ColorsOf(const uint32_t (&Colors)[4]) {
    return TColor4{{Colors[0], Colors[1], Colors[2], Colors[3]}};
}

} // namespace

TGuiContext::TGuiContext()
    : TypeableChars(&OwnTypeableChars), EditKeys(&OwnEditKeys), OwnTypeableChars(DefaultTypeableChars()),
      OwnEditKeys(DefaultEditKeys()) {}

TGuiContext::~TGuiContext() {
    if (ActiveContext == this) {
        ActiveContext = nullptr;
    }
}

TGuiContext& TGuiContext::Current() {
    return ActiveContext != nullptr ? *ActiveContext : EmptyContext();
}

void TGuiContext::MakeCurrent(TGuiContext* Context) {
    ActiveContext = Context;
}

const TGuiCharSet& TGuiContext::DefaultTypeableChars() {
    static const TGuiCharSet set = MakeSet({{39, 39}, {42, 57}, {59, 59}, {61, 61}, {65, 93}, {96, 96}});
    return set;
}

const TGuiCharSet& TGuiContext::DefaultEditKeys() {
    static const TGuiCharSet set = MakeSet({{9, 9}, {16, 17}, {32, 40}, {45, 46}});
    return set;
}

TGfxImage* TGuiContext::Image(int64_t Position) const {
    if (Images == nullptr || Position < 0 || Position > INT32_MAX) {
        return nullptr;
    }
    return Images->Items(static_cast<int32_t>(Position));
}

void TGuiContext::FillRect(const TRect& Rect, const uint32_t (&Colors)[4], uint32_t Effect) const {
    if (Canvas != nullptr) {
        Canvas->FillQuad(QuadOf(Rect), ColorsOf(Colors), Effect);
    }
}

void TGuiContext::FillRect(const TRect& Rect, const TGuiFill& Fill, uint32_t Effect) const {
    FillRect(Rect, Fill.Colors, Effect);
}

void TGuiContext::FillRect(const TRect& Rect, uint32_t Color, uint32_t Effect) const {
    const uint32_t colors[4] = {Color, Color, Color, Color};
    FillRect(Rect, colors, Effect);
}

void TGuiContext::Outline(const TRect& Rect, const uint32_t (&Colors)[4], uint32_t Effect) const {
    if (Canvas != nullptr) {
        Canvas->FrameQuad(QuadOf(Rect), ColorsOf(Colors), Effect);
    }
}

void TGuiContext::Outline(const TRect& Rect, const TGuiFill& Fill, uint32_t Effect) const {
    Outline(Rect, Fill.Colors, Effect);
}

void TGuiContext::Outline(const TRect& Rect, uint32_t Color, uint32_t Effect) const {
    const uint32_t colors[4] = {Color, Color, Color, Color};
    Outline(Rect, colors, Effect);
}

void TGuiContext::OutlineReversed(const TRect& Rect, const TGuiFill& Fill, uint32_t Effect) const {
    const uint32_t colors[4] = {Fill.Colors[3], Fill.Colors[2], Fill.Colors[1], Fill.Colors[0]};
    Outline(Rect, colors, Effect);
}

void TGuiContext::Line(TPointF A, TPointF B, uint32_t Color, uint32_t Effect) const {
    if (Canvas != nullptr) {
        Canvas->Line(A, B, Color, Color, Effect);
    }
}

void TGuiContext::Triangle(TPointF A, TPointF B, TPointF C, uint32_t Color, uint32_t Effect) const {
    if (Canvas != nullptr) {
        Canvas->Triangle(A, B, C, Color, Effect);
    }
}

void TGuiContext::Circle(TPointF Centre, float Radius, uint32_t Color, uint32_t Effect) const {
    if (Canvas != nullptr) {
        Canvas->Circle(Centre, Radius, Color, Effect);
    }
}

void TGuiContext::FillCircle(TPointF Centre, float Radius, uint32_t Color, uint32_t Effect) const {
    if (Canvas != nullptr) {
        Canvas->FillCircle(Centre, Radius, Color, Effect);
    }
}

void TGuiContext::GradientCircle(TPointF Centre, float Radius, const uint32_t (&Colors)[4],
                                 uint32_t Effect) const {
    if (Canvas != nullptr) {
        Canvas->GradientCircle(Centre, Radius, ColorsOf(Colors), Effect);
    }
}

void TGuiContext::StretchImage(TGfxImage& Image, int32_t Pattern, const TRect& Rect,
                               const uint32_t (&Colors)[4], uint32_t Effect) const {
    if (Canvas != nullptr) {
        TPatternRequest request;
        request.Pattern = Pattern;
        Canvas->TexMap(Image, QuadOf(Rect), request, ColorsOf(Colors), Effect);
    }
}

void TGuiContext::DrawImage(TGfxImage& Image, int32_t Pattern, int32_t X, int32_t Y) const {
    const TPoint size = Image.PatternSize();
    const uint32_t white[4] = {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF};
    StretchImage(Image, Pattern, RectOfSize(X, Y, size.X, size.Y), white, fxBlend);
}

TRect TGuiContext::GetClipRect() const {
    return Canvas != nullptr ? Canvas->GetClipRect() : TRect{0, 0, 800, 600};
}

void TGuiContext::SetClipRect(const TRect& Rect) const {
    if (Canvas != nullptr) {
        Canvas->SetClipRect(Rect);
    }
}
