// SPDX-License-Identifier: MIT
#include "engine/Canvas.h"

#include "engine/Image.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {

constexpr int32_t MinVertexCache = 512;
constexpr int32_t MaxVertexCache = 65536;
// No effect code can equal this, so the first call of a scene always sets its blending.
constexpr uint32_t NoEffect = 0xFFFFFFFFu;

// Canvas colours keep red in the lowest byte; the device wants 0xAARRGGBB.
[[nodiscard]] uint32_t ToDeviceColor(TColor Color) {
    return (Color & 0xFF00FF00u) | ((Color & 0xFFu) << 16) | ((Color >> 16) & 0xFFu);
}

[[nodiscard]] uint8_t Channel(TColor Color, int Shift) {
    return static_cast<uint8_t>((Color >> Shift) & 0xFFu);
}

[[nodiscard]] TColor Lerp(TColor A, TColor B, float T) {
    TColor Result = 0;
    for (int Shift = 0; Shift < 32; Shift += 8) {
        const float Value =
            static_cast<float>(Channel(A, Shift)) +
            (static_cast<float>(Channel(B, Shift)) - static_cast<float>(Channel(A, Shift))) * T;
        Result |= static_cast<TColor>(std::clamp(std::lround(Value), 0L, 255L)) << Shift;
    }
    return Result;
}

[[nodiscard]] TColor WithAlpha(TColor Color, float Factor) {
    const auto Alpha = static_cast<float>(Color >> 24) * std::clamp(Factor, 0.0f, 1.0f);
    return (Color & 0x00FFFFFFu) | (static_cast<TColor>(std::lround(Alpha)) << 24);
}

// Corners of a w x h rectangle rotated by Angle about its middle, the middle at Centre.
[[nodiscard]] TQuad RotatedRect(TPointF Centre, float Width, float Height, float Angle) {
    const float C = std::cos(Angle);
    const float S = std::sin(Angle);
    const float HalfW = Width * 0.5f;
    const float HalfH = Height * 0.5f;
    const std::array<TPointF, 4> Offsets{
        {{-HalfW, -HalfH}, {HalfW, -HalfH}, {HalfW, HalfH}, {-HalfW, HalfH}}};
    TQuad Q;
    for (size_t i = 0; i < 4; ++i) {
        Q.P[i] = {Centre.X + Offsets[i].X * C - Offsets[i].Y * S,
                  Centre.Y + Offsets[i].X * S + Offsets[i].Y * C};
    }
    return Q;
}

// Whole-number points from Centre - Reach to Centre + Reach, cut to the logical screen with a
// pixel to spare: points off the screen would be clipped anyway, and a huge radius must not
// turn into a huge loop.
struct TSpan {
    int32_t First = 0;
    int32_t Last = -1;
};
[[nodiscard]] TSpan ScreenSpan(float Centre, float Reach, int32_t ScreenSize) {
    const double First = std::max(std::floor(static_cast<double>(Centre) - Reach), -1.0);
    const double Last =
        std::min(std::ceil(static_cast<double>(Centre) + Reach), static_cast<double>(ScreenSize));
    if (!(First <= Last)) {
        return {};
    }
    return {static_cast<int32_t>(First), static_cast<int32_t>(Last)};
}

[[nodiscard]] bool IsAxisAligned(const TQuad& Q) {
    return Q.P[0].Y == Q.P[1].Y && Q.P[1].X == Q.P[2].X && Q.P[2].Y == Q.P[3].Y && Q.P[3].X == Q.P[0].X;
}

} // namespace

// The caches live as long as the device: allocated at devInitialize, freed at devFinalize,
// so a steady frame never allocates.
struct TGfxCanvas::TBatch {
    std::vector<TVertex> Vertices;
    std::vector<uint16_t> Indices;
    size_t VertexCount = 0;
    size_t IndexCount = 0;
    TPrimitive Kind = TPrimitive::None;
    uint32_t Effect = NoEffect;
    TTextureHandle Texture = 0;
    bool Allocated = false;
    bool StatesSet = false;
    bool Lost = false;
    uint64_t Drawn = 0;
    // The texture the device was last asked to draw with in this frame (0: none yet).
    TTextureHandle Bound = 0;
};

TGfxCanvas::TGfxCanvas(TGfxDevice& Device) : Device(Device), Batch(std::make_unique<TBatch>()) {
    Device.Subscribe(this);
    if (Device.Initialized()) {
        AllocateCaches();
    }
}

TGfxCanvas::~TGfxCanvas() {
    Device.Unsubscribe(this);
}

bool TGfxCanvas::DeviceNotify(TDeviceEvent Event) {
    switch (Event) {
    case devInitialize:
        AllocateCaches();
        Batch->Lost = false;
        break;
    case devFinalize:
        FreeCaches();
        break;
    case devLost:
        // Drawing goes on filling the caches; flushes throw it away until the reset.
        Batch->VertexCount = 0;
        Batch->IndexCount = 0;
        Batch->Kind = TPrimitive::None;
        Batch->Lost = true;
        break;
    case devReset:
        Batch->Lost = false;
        Batch->StatesSet = false;
        break;
    case devBeginScene:
        Batch->StatesSet = false;
        Batch->Bound = 0;
        ThisFrame = {};
        break;
    case devEndScene:
        Flush();
        LastFrame = ThisFrame;
        break;
    }
    return true;
}

uint64_t TGfxCanvas::BatchesDrawn() const {
    return Batch->Drawn;
}

void TGfxCanvas::SetVertexCache(int32_t Value) {
    const int64_t Rounded = (static_cast<int64_t>(Value) + 3) / 4 * 4;
    VertexCache_ = static_cast<int32_t>(std::clamp<int64_t>(Rounded, MinVertexCache, MaxVertexCache));
    if (Batch->Allocated) {
        Flush();
        AllocateCaches();
    }
}

void TGfxCanvas::AllocateCaches() {
    Batch->Vertices.assign(static_cast<size_t>(VertexCache_), TVertex{});
    Batch->Indices.assign(static_cast<size_t>(VertexCache_), 0);
    Batch->VertexCount = 0;
    Batch->IndexCount = 0;
    Batch->Kind = TPrimitive::None;
    Batch->Allocated = true;
    Batch->StatesSet = false;
}

void TGfxCanvas::FreeCaches() {
    Batch->Vertices = {};
    Batch->Indices = {};
    Batch->VertexCount = 0;
    Batch->IndexCount = 0;
    Batch->Kind = TPrimitive::None;
    Batch->Allocated = false;
}

void TGfxCanvas::SetAntialias(bool Value) {
    Flush();
    Antialias_ = Value;
    if (TRenderBackend* Backend = Device.Backend()) {
        Backend->SetFiltering(Value);
    }
}

void TGfxCanvas::SetDithering(bool Value) {
    Flush();
    Dithering_ = Value;
    if (TRenderBackend* Backend = Device.Backend()) {
        Backend->SetDithering(Value);
    }
}

void TGfxCanvas::SetFixedStates() {
    TRenderBackend* Backend = Device.Backend();
    Backend->SetFiltering(Antialias_);
    Backend->SetDithering(Dithering_);
    Backend->SetAlphaTest(false);
    Batch->Effect = NoEffect;
    Batch->Texture = 0;
    Batch->StatesSet = true;
}

void TGfxCanvas::Flush() {
    TBatch& B = *Batch;
    TRenderBackend* Backend = Device.Backend();
    if (B.VertexCount > 0 && B.IndexCount > 0 && !B.Lost && Backend) {
        Backend->DrawBatch(B.Kind, B.Effect, B.Texture, B.Vertices.data(), B.VertexCount, B.Indices.data(),
                           B.IndexCount);
        ++B.Drawn;
        ++ThisFrame.DrawCalls;
        if (B.Texture != 0 && B.Texture != B.Bound) {
            ++ThisFrame.Binds;
            B.Bound = B.Texture;
        }
    }
    B.VertexCount = 0;
    B.IndexCount = 0;
    B.Kind = TPrimitive::None;
}

void TGfxCanvas::Append(TPrimitive Kind, uint32_t Effect, TTextureHandle Texture,
                        const TCanvasVertex* Vertices, size_t VertexCount, const uint16_t* Indices,
                        size_t IndexCount) {
    TBatch& B = *Batch;
    const auto Capacity = static_cast<size_t>(VertexCache_);
    if (Discarding_ || !B.Allocated || !Device.Backend() || VertexCount > Capacity || IndexCount > Capacity) {
        return;
    }
    if (!B.StatesSet) {
        SetFixedStates();
    }
    if (B.VertexCount + VertexCount > Capacity || B.IndexCount + IndexCount > Capacity || B.Kind != Kind) {
        Flush();
    }
    if (Effect != B.Effect) {
        Flush();
        B.Effect = Effect;
        Device.Backend()->SetAlphaTest(AlphaTesting_ && Effect != fxNone);
    }
    if (Texture != B.Texture) {
        Flush();
        B.Texture = Texture;
    }
    B.Kind = Kind;
    const float Sx = Device.ScaleX();
    const float Sy = Device.ScaleY();
    // Texel centres meet pixel centres only when textured vertices sit half a pixel up-left.
    const float Shift = Texture != 0 ? 0.5f : 0.0f;
    const auto Base = static_cast<uint16_t>(B.VertexCount);
    for (size_t i = 0; i < VertexCount; ++i) {
        TVertex& V = B.Vertices[B.VertexCount + i];
        V.X = Vertices[i].P.X * Sx - Shift;
        V.Y = Vertices[i].P.Y * Sy - Shift;
        V.Color = ToDeviceColor(Vertices[i].Color);
        V.U = Vertices[i].T.X;
        V.V = Vertices[i].T.Y;
    }
    for (size_t i = 0; i < IndexCount; ++i) {
        B.Indices[B.IndexCount + i] = static_cast<uint16_t>(Base + Indices[i]);
    }
    B.VertexCount += VertexCount;
    B.IndexCount += IndexCount;
}

void TGfxCanvas::Point(float X, float Y, TColor Color, uint32_t Effect) {
    const TCanvasVertex V{{X, Y}, Color, {}};
    const uint16_t Index = 0;
    Append(TPrimitive::Points, Effect, 0, &V, 1, &Index, 1);
}

void TGfxCanvas::PutPixel(TPointF P, TColor Color, uint32_t Effect) {
    Point(P.X, P.Y, Color, Effect);
}

void TGfxCanvas::Line(TPointF A, TPointF B, TColor ColorA, TColor ColorB, uint32_t Effect) {
    const std::array<TCanvasVertex, 2> V{{{A, ColorA, {}}, {B, ColorB, {}}}};
    const std::array<uint16_t, 2> I{0, 1};
    Append(TPrimitive::Lines, Effect, 0, V.data(), V.size(), I.data(), I.size());
}

void TGfxCanvas::FillQuad(const TQuad& Q, const TColor4& Colors, uint32_t Effect) {
    std::array<TCanvasVertex, 4> V;
    for (size_t i = 0; i < 4; ++i) {
        V[i] = {Q.P[i], Colors.C[i], {}};
    }
    const std::array<uint16_t, 6> I{0, 1, 3, 1, 2, 3};
    Append(TPrimitive::Triangles, Effect, 0, V.data(), V.size(), I.data(), I.size());
    ++ThisFrame.Quads;
}

void TGfxCanvas::FrameQuad(const TQuad& Q, const TColor4& Colors, uint32_t Effect) {
    TQuad Edges = Q;
    // An axis-aligned frame covers the same pixels as the filled rectangle would.
    if (IsAxisAligned(Q)) {
        Edges.P[1].X -= 1.0f;
        Edges.P[2].X -= 1.0f;
        Edges.P[2].Y -= 1.0f;
        Edges.P[3].Y -= 1.0f;
    }
    std::array<TCanvasVertex, 4> V;
    for (size_t i = 0; i < 4; ++i) {
        V[i] = {Edges.P[i], Colors.C[i], {}};
    }
    const std::array<uint16_t, 8> I{0, 1, 1, 2, 2, 3, 3, 0};
    Append(TPrimitive::Lines, Effect, 0, V.data(), V.size(), I.data(), I.size());
}

void TGfxCanvas::Triangle(TPointF A, TPointF B, TPointF C, TColor Color, uint32_t Effect) {
    const std::array<TCanvasVertex, 3> V{{{A, Color, {}}, {B, Color, {}}, {C, Color, {}}}};
    const std::array<uint16_t, 3> I{0, 1, 2};
    Append(TPrimitive::Triangles, Effect, 0, V.data(), V.size(), I.data(), I.size());
}

void TGfxCanvas::Circle(TPointF Centre, float Radius, TColor Color, uint32_t Effect) {
    if (!(Radius > 0.0f)) {
        return;
    }
    const TSpan Rows = ScreenSpan(Centre.Y, Radius + 1.0f, 600);
    const TSpan Columns = ScreenSpan(Centre.X, Radius + 1.0f, 800);
    for (int32_t y = Rows.First; y <= Rows.Last; ++y) {
        for (int32_t x = Columns.First; x <= Columns.Last; ++x) {
            const float Dx = static_cast<float>(x) - Centre.X;
            const float Dy = static_cast<float>(y) - Centre.Y;
            // Points within one pixel of the ideal circle, fading with their distance from it.
            const float Off = std::fabs(std::sqrt(Dx * Dx + Dy * Dy) - Radius);
            if (Off < 1.0f) {
                Point(static_cast<float>(x), static_cast<float>(y), WithAlpha(Color, 1.0f - Off), Effect);
            }
        }
    }
}

void TGfxCanvas::FillCircle(TPointF Centre, float Radius, TColor Color, uint32_t Effect) {
    GradientCircle(Centre, Radius, TColor4::All(Color), Effect);
}

void TGfxCanvas::GradientCircle(TPointF Centre, float Radius, const TColor4& Colors, uint32_t Effect) {
    if (!(Radius > 0.0f)) {
        return;
    }
    const TSpan Rows = ScreenSpan(Centre.Y, Radius, 600);
    const TSpan Columns = ScreenSpan(Centre.X, Radius, 800);
    const float Size = 2.0f * Radius;
    for (int32_t y = Rows.First; y <= Rows.Last; ++y) {
        const float Dy = static_cast<float>(y) - Centre.Y;
        const float Ty = (Dy + Radius) / Size;
        const TColor Left = Lerp(Colors.C[0], Colors.C[3], Ty);
        const TColor Right = Lerp(Colors.C[1], Colors.C[2], Ty);
        for (int32_t x = Columns.First; x <= Columns.Last; ++x) {
            const float Dx = static_cast<float>(x) - Centre.X;
            if (Dx * Dx + Dy * Dy < Radius * Radius) {
                const TColor C = Left == Right ? Left : Lerp(Left, Right, (Dx + Radius) / Size);
                Point(static_cast<float>(x), static_cast<float>(y), C, Effect);
            }
        }
    }
}

void TGfxCanvas::TexturedQuad(TTextureHandle Texture, const TQuad& Q, const TTexCorners& Coords,
                              const TColor4& Colors, uint32_t Effect) {
    // A texture that is not on the device (not loaded, or lost) draws nothing rather than a
    // plain coloured quad.
    if (Texture == 0) {
        return;
    }
    std::array<TCanvasVertex, 4> V;
    for (size_t i = 0; i < 4; ++i) {
        V[i] = {Q.P[i], Colors.C[i], Coords.P[i]};
    }
    const std::array<uint16_t, 6> I{0, 1, 3, 1, 2, 3};
    Append(TPrimitive::Triangles, Effect, Texture, V.data(), V.size(), I.data(), I.size());
    ++ThisFrame.Quads;
}

void TGfxCanvas::TexMap(TGfxImage& Image, const TQuad& Q, const TPatternRequest& Request,
                        const TColor4& Colors, uint32_t Effect) {
    TTexCorners Coords;
    int32_t TextureIndex = 0;
    if (!Image.PatternCoords(Request, Coords, TextureIndex)) {
        return;
    }
    TexturedQuad(Image.Handle(TextureIndex), Q, Coords, Colors, Effect);
}

void TGfxCanvas::TexMap(TBaseTexture& Texture, int32_t TextureIndex, const TQuad& Q,
                        const TTexCorners& Coords, const TColor4& Colors, uint32_t Effect) {
    TexturedQuad(Texture.Handle(TextureIndex), Q, Coords, Colors, Effect);
}

TQuad TGfxCanvas::PatternRect(const TGfxImage& Image, float X, float Y, float ScaleX, float ScaleY,
                              bool FromCentre) {
    const auto W = static_cast<float>(Image.VisibleSize().X);
    const auto H = static_cast<float>(Image.VisibleSize().Y);
    float Left = X;
    float Top = Y;
    if (FromCentre) {
        Left = X + (W - W * ScaleX) * 0.5f;
        Top = Y + (H - H * ScaleY) * 0.5f;
    }
    const float Right = Left + W * ScaleX;
    const float Bottom = Top + H * ScaleY;
    return {{{Left, Top}, {Right, Top}, {Right, Bottom}, {Left, Bottom}}};
}

void TGfxCanvas::Draw(TGfxImage& Image, int32_t Pattern, float X, float Y, uint32_t Effect) {
    TPatternRequest Request;
    Request.Pattern = Pattern;
    TexMap(Image, PatternRect(Image, X, Y, 1.0f, 1.0f, false), Request, TColor4::All(0xFFFFFFFFu), Effect);
}

void TGfxCanvas::DrawScaled(TGfxImage& Image, int32_t Pattern, float X, float Y, float Scale,
                            uint32_t Effect) {
    const auto W = static_cast<float>(std::lround(static_cast<float>(Image.VisibleSize().X) * Scale));
    const auto H = static_cast<float>(std::lround(static_cast<float>(Image.VisibleSize().Y) * Scale));
    const TQuad Q{{{X, Y}, {X + W, Y}, {X + W, Y + H}, {X, Y + H}}};
    TPatternRequest Request;
    Request.Pattern = Pattern;
    TexMap(Image, Q, Request, TColor4::All(0xFFFFFFFFu), Effect);
}

void TGfxCanvas::DrawRotated(TGfxImage& Image, int32_t Pattern, TPointF Centre, float Angle, float Scale,
                             TColor Color, uint32_t Effect) {
    DrawRotatedEx(Image, Pattern, Centre, Angle, Scale, Scale, false, false, TColor4::All(Color), Effect);
}

void TGfxCanvas::DrawEx(TGfxImage& Image, int32_t Pattern, float X, float Y, float ScaleX, float ScaleY,
                        bool MirrorX, bool MirrorY, int32_t ScalingMode, const TColor4& Colors,
                        uint32_t Effect) {
    TPatternRequest Request;
    Request.Pattern = Pattern;
    Request.Mirror = MirrorX;
    Request.Flip = MirrorY;
    TexMap(Image, PatternRect(Image, X, Y, ScaleX, ScaleY, ScalingMode == 1), Request, Colors, Effect);
}

void TGfxCanvas::DrawQuad(TGfxImage& Image, int32_t Pattern, const TQuad& Q, bool MirrorX, bool MirrorY,
                          const TColor4& Colors, uint32_t Effect) {
    TPatternRequest Request;
    Request.Pattern = Pattern;
    Request.Mirror = MirrorX;
    Request.Flip = MirrorY;
    TexMap(Image, Q, Request, Colors, Effect);
}

void TGfxCanvas::DrawRotatedEx(TGfxImage& Image, int32_t Pattern, TPointF Centre, float Angle, float ScaleX,
                               float ScaleY, bool MirrorX, bool MirrorY, const TColor4& Colors,
                               uint32_t Effect) {
    const float W = static_cast<float>(Image.VisibleSize().X) * ScaleX;
    const float H = static_cast<float>(Image.VisibleSize().Y) * ScaleY;
    DrawQuad(Image, Pattern, RotatedRect(Centre, W, H, Angle), MirrorX, MirrorY, Colors, Effect);
}

TRect TGfxCanvas::GetClipRect() const {
    const TRenderBackend* Backend = Device.Backend();
    if (!Backend) {
        return {0, 0, 800, 600};
    }
    const TRect R = Backend->ClipRect();
    if (!(Device.ScaleX() > 0.0f) || !(Device.ScaleY() > 0.0f)) {
        return R;
    }
    const auto Logical = [](int32_t Value, float Scale) {
        return static_cast<int32_t>(std::lround(static_cast<float>(Value) / Scale));
    };
    return {Logical(R.Left, Device.ScaleX()), Logical(R.Top, Device.ScaleY()),
            Logical(R.Right, Device.ScaleX()), Logical(R.Bottom, Device.ScaleY())};
}

void TGfxCanvas::SetClipRect(const TRect& Rect) {
    TRenderBackend* Backend = Device.Backend();
    if (!Backend) {
        return;
    }
    Flush();
    const auto ToDevice = [](int32_t Value, float Scale) {
        return static_cast<int32_t>(std::lround(static_cast<float>(Value) * Scale));
    };
    Backend->SetClipRect({ToDevice(Rect.Left, Device.ScaleX()), ToDevice(Rect.Top, Device.ScaleY()),
                          ToDevice(Rect.Right, Device.ScaleX()), ToDevice(Rect.Bottom, Device.ScaleY())});
}
