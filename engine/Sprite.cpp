// SPDX-License-Identifier: MIT
#include "engine/Sprite.h"

#include "engine/Image.h"
#include "platform/Text.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Truncates toward zero into a 64-bit integer; NaN gives 0 and out-of-range values saturate,
// so a runaway frame position can never make the conversion undefined.
[[nodiscard]] int64_t TruncToInt64(float Value) {
    if (std::isnan(Value)) {
        return 0;
    }
    constexpr float Limit = 9.0e18f;
    if (Value >= Limit) {
        return std::numeric_limits<int64_t>::max();
    }
    if (Value <= -Limit) {
        return std::numeric_limits<int64_t>::min();
    }
    return static_cast<int64_t>(Value);
}

[[nodiscard]] int32_t TruncToInt32(float Value) {
    const int64_t Wide = TruncToInt64(Value);
    return static_cast<int32_t>(
        std::clamp<int64_t>(Wide, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

[[nodiscard]] float Dot(TPointF A, TPointF B) {
    return A.X * B.X + A.Y * B.Y;
}

[[nodiscard]] TPointF Sub(TPointF A, TPointF B) {
    return {A.X - B.X, A.Y - B.Y};
}

} // namespace

TSpriteEngine::TSpriteEngine() = default;

TSpriteEngine::~TSpriteEngine() {
    FreeAll();
}

void TSpriteEngine::FreeAll() {
    while (!Sprites.empty()) {
        TSprite& Last = *Sprites.back();
        Free(Last);
        // A sprite that the engine does not own cannot be freed here; let it go.
        if (!Sprites.empty() && Sprites.back() == &Last) {
            Sprites.pop_back();
        }
    }
    // Sprites taken out of the draw list by Remove are still ours.
    while (!Owned.empty()) {
        std::unique_ptr<TSprite> Sprite = std::move(Owned.back());
        Owned.pop_back();
        Freeing(*Sprite);
        Sprite.reset();
    }
    DeadList.clear();
}

void TSpriteEngine::Adopt(std::unique_ptr<TSprite> Sprite) {
    Owned.push_back(std::move(Sprite));
}

void TSpriteEngine::Insert(TSprite& Sprite) {
    const auto Where = std::lower_bound(Sprites.begin(), Sprites.end(), Sprite.Z_,
                                        [](const TSprite* S, int32_t Z) { return S->Z_ < Z; });
    Sprites.insert(Where, &Sprite);
}

void TSpriteEngine::Detach(TSprite& Sprite) {
    const auto Where = std::find(Sprites.begin(), Sprites.end(), &Sprite);
    if (Where != Sprites.end()) {
        Sprites.erase(Where);
    }
}

void TSpriteEngine::Remove(TSprite& Sprite) {
    Detach(Sprite);
}

void TSpriteEngine::AddDead(TSprite& Sprite) {
    DeadList.push_back(&Sprite);
}

void TSpriteEngine::Free(TSprite& Sprite) {
    const auto Where =
        std::find_if(Owned.begin(), Owned.end(), [&](const auto& Entry) { return Entry.get() == &Sprite; });
    if (Where == Owned.end()) {
        return;
    }
    // Take ownership out of the container first: the destructor may mark or make other
    // sprites, which changes Owned.
    std::unique_ptr<TSprite> Doomed = std::move(*Where);
    *Where = std::move(Owned.back());
    Owned.pop_back();
    Freeing(*Doomed);
    Doomed.reset();
}

TSprite* TSpriteEngine::SpriteAt(int32_t Index) const {
    if (Index < 0 || Index >= SpriteCount()) {
        return nullptr;
    }
    return Sprites[static_cast<size_t>(Index)];
}

void TSpriteEngine::Move(float Elapsed) {
    const size_t Count = Sprites.size();
    // By index: a sprite's Move may change Z (re-sorting the list) or make new sprites.
    for (size_t I = 0; I < Count && I < Sprites.size(); ++I) {
        Sprites[I]->Move(Elapsed);
    }
}

void TSpriteEngine::Draw() {
    for (size_t I = 0; I < Sprites.size(); ++I) {
        Sprites[I]->Draw();
    }
}

void TSpriteEngine::FreeDead() {
    while (!DeadList.empty()) {
        TSprite& Last = *DeadList.back();
        Free(Last);
        // A sprite the engine does not own stays alive; only its mark goes.
        if (!DeadList.empty() && DeadList.back() == &Last) {
            DeadList.pop_back();
        }
    }
}

TSprite::TSprite(TSpriteEngine& Engine) : Engine_(Engine) {
    Engine_.Insert(*this);
}

TSprite::~TSprite() {
    Engine_.Detach(*this);
    auto& Dead = Engine_.DeadList;
    Dead.erase(std::remove(Dead.begin(), Dead.end(), this), Dead.end());
}

void TSprite::SetDrawMode(int32_t Value) {
    DrawMode_ = Value > dmZoomed ? dmScaled : Value;
}

void TSprite::SetZ(int32_t Value) {
    if (Value == Z_) {
        return;
    }
    Z_ = Value;
    Engine_.Detach(*this);
    Engine_.Insert(*this);
}

void TSprite::Assign(const TSprite& Source) {
    if (&Source == this) {
        return;
    }
    Name = Source.Name;
    X = Source.X;
    Y = Source.Y;
    std::copy(std::begin(Source.QuadPoints), std::end(Source.QuadPoints), std::begin(QuadPoints));
    Visible = Source.Visible;
    DrawEffect = Source.DrawEffect;
    MirrorX = Source.MirrorX;
    MirrorY = Source.MirrorY;
    ScaleFromCentre = Source.ScaleFromCentre;
    CornerColors = Source.CornerColors;
    Red = Source.Red;
    Green = Source.Green;
    Blue = Source.Blue;
    Alpha = Source.Alpha;
    CollideEnabled = Source.CollideEnabled;
    Angle = Source.Angle;
    SetImageName(Source.ImageName_);
    PatternIndex = Source.PatternIndex;
    ImageIndex = Source.ImageIndex;
    ScaleX = Source.ScaleX;
    ScaleY = Source.ScaleY;
    Active = Source.Active;
    SetDrawMode(Source.DrawMode_);
    ViewArea = Source.ViewArea;
    CollideCentre = Source.CollideCentre;
    CollideRadius = Source.CollideRadius;
    CollideRect = Source.CollideRect;
    std::copy(std::begin(Source.CollideQuad), std::end(Source.CollideQuad), std::begin(CollideQuad));
    CollideMode = Source.CollideMode;
    ImageNameMode = Source.ImageNameMode;
    SetZ(Source.Z_);
}

bool TSprite::Hits(const TSprite& Other) const {
    switch (CollideMode) {
    case cmCircle: {
        const double Radii = static_cast<double>(CollideRadius) + Other.CollideRadius;
        const double Dx = static_cast<double>(CollideCentre.X) - Other.CollideCentre.X;
        const double Dy = static_cast<double>(CollideCentre.Y) - Other.CollideCentre.Y;
        return Radii * Radii > Dx * Dx + Dy * Dy;
    }
    case cmRect: {
        const TRect& A = CollideRect;
        const TRect& B = Other.CollideRect;
        return A.Left < B.Right && B.Left < A.Right && A.Top < B.Bottom && B.Top < A.Bottom;
    }
    case cmQuad:
        // A corner of the other quad lies on the inner side of all four edges of ours.
        return std::any_of(std::begin(Other.CollideQuad), std::end(Other.CollideQuad), [&](TPointF P) {
            for (int I = 0; I < 4; ++I) {
                const TPointF Edge = Sub(CollideQuad[(I + 2) % 4], CollideQuad[(I + 1) % 4]);
                if (Dot(Sub(P, CollideQuad[I]), Edge) < 0.0f) {
                    return false;
                }
            }
            return true;
        });
    default:
        return false;
    }
}

void TSprite::Collide(TSprite& Other) {
    Collided = false;
    if (!CollideEnabled || !Other.CollideEnabled || Dead_ || Other.Dead_) {
        return;
    }
    if (Hits(Other)) {
        Collided = true;
        OnCollision(Other);
        Other.OnCollision(*this);
    }
}

void TSprite::CollideAll() {
    // By index from the end: a collision handler may add or remove sprites.
    for (int32_t I = Engine_.SpriteCount() - 1; I >= 0; --I) {
        TSprite* Other = Engine_.SpriteAt(I);
        if (Other != nullptr && Other != this) {
            Collide(*Other);
        }
    }
}

void TSprite::CollisionTest(const TSprite& Other) {
    Collided = CollideEnabled && Other.CollideEnabled && !Dead_ && !Other.Dead_ && Hits(Other);
}

void TSprite::MarkDead() {
    if (Dead_) {
        return;
    }
    Dead_ = true;
    Engine_.AddDead(*this);
}

TColor TSprite::PackedColor() const {
    const auto Byte = [](int32_t V) { return static_cast<uint32_t>(V) & 0xFFu; };
    return Byte(Red) | Byte(Green) << 8 | Byte(Blue) << 16 | Byte(Alpha) << 24;
}

std::string TSprite::DrawnImageName() const {
    switch (ImageNameMode) {
    case 0:
        return ImageName_ + std::to_string(ImageIndex);
    case 1:
        return ImageName_;
    default:
        return {};
    }
}

void TSprite::SetImageName(const std::string& Value) {
    ImageName_ = Value;
    Cache.Valid = false;
}

bool TSprite::CacheMatches(const TGfxImages& Images) const {
    return Cache.Valid && Cache.Images == &Images && Cache.NameMode == ImageNameMode &&
           (ImageNameMode != 0 || Cache.Index == ImageIndex);
}

TGfxImage* TSprite::FindImage() {
    TGfxImages* Images = Engine_.Images();
    if (Images == nullptr || ImageNameMode > 1) {
        return nullptr;
    }
    // The list may have dropped or renamed the image since; a pointer it no longer holds is
    // never touched.
    if (CacheMatches(*Images) && Cache.Image != nullptr && Cache.Generation == Images->Generation() &&
        SameName(Cache.Image->Name(), Cache.Name)) {
        return Cache.Image;
    }
    if (!CacheMatches(*Images)) {
        Cache.Name = DrawnImageName();
        Cache.NameMode = ImageNameMode;
        Cache.Index = ImageIndex;
        Cache.Images = Images;
        Cache.Valid = true;
    }
    Cache.Image = Images->Find(Cache.Name);
    Cache.Generation = Images->Generation();
    return Cache.Image;
}

void TSprite::Draw() {
    if (!Visible) {
        return;
    }
    TGfxCanvas* Canvas = Engine_.Canvas();
    TGfxImage* Image = FindImage();
    if (Canvas == nullptr || Image == nullptr) {
        return;
    }
    const TPoint Pattern = Image->PatternSize();
    const float WX = Engine_.WorldX;
    const float WY = Engine_.WorldY;
    const bool InView = X + Pattern.X > WX + ViewArea.Left && X < WX + ViewArea.Right &&
                        Y + Pattern.Y > WY + ViewArea.Top && Y < WY + ViewArea.Bottom;
    if (DrawMode_ == dmZoomed || !InView) {
        DrawZoomed(*Canvas, *Image, Pattern);
        return;
    }
    DrawByMode(*Canvas, *Image);
}

void TSprite::DrawZoomed(TGfxCanvas& Canvas, TGfxImage& Image, TPoint Pattern) const {
    const float WX = Engine_.WorldX;
    const float WY = Engine_.WorldY;
    const float ZX = Engine_.ZoomX;
    const float ZY = Engine_.ZoomY;
    const bool InView = (X + Pattern.X) * ZX > WX + ViewArea.Left && X * ZX < WX + ViewArea.Right &&
                        (Y + Pattern.Y) * ZY > WY + ViewArea.Top && Y * ZY < WY + ViewArea.Bottom;
    if (!InView) {
        return;
    }
    Canvas.DrawEx(Image, PatternIndex, std::trunc(X * ZX - WX), std::trunc(Y * ZY - WY), ScaleX * ZX,
                  ScaleY * ZY, MirrorX, MirrorY, 0, TColor4::All(PackedColor()), DrawEffect);
}

void TSprite::DrawByMode(TGfxCanvas& Canvas, TGfxImage& Image) const {
    const float WX = Engine_.WorldX;
    const float WY = Engine_.WorldY;
    const float SX = std::trunc(X - WX);
    const float SY = std::trunc(Y - WY);
    const int32_t Scaling = ScaleFromCentre ? 1 : 0;
    switch (DrawMode_) {
    case dmScaled:
        Canvas.DrawEx(Image, PatternIndex, SX, SY, ScaleX, ScaleY, MirrorX, MirrorY, Scaling,
                      TColor4::All(PackedColor()), DrawEffect);
        break;
    case dmRotated:
        Canvas.DrawRotatedEx(Image, PatternIndex, {SX, SY}, Angle, ScaleX, ScaleY, MirrorX, MirrorY,
                             TColor4::All(PackedColor()), DrawEffect);
        break;
    case dmCornerColors:
        Canvas.DrawEx(Image, PatternIndex, SX, SY, ScaleX, ScaleY, MirrorX, MirrorY, Scaling, CornerColors,
                      DrawEffect);
        break;
    case dmQuad:
    case dmQuadColors: {
        TQuad Quad;
        for (int I = 0; I < 4; ++I) {
            Quad.P[I] = {std::trunc(QuadPoints[I].X - WX), std::trunc(QuadPoints[I].Y - WY)};
        }
        const TColor4 Colors = DrawMode_ == dmQuad ? TColor4::All(PackedColor()) : CornerColors;
        Canvas.DrawQuad(Image, PatternIndex, Quad, MirrorX, MirrorY, Colors, DrawEffect);
        break;
    }
    default:
        // Negative modes draw nothing.
        break;
    }
}

TAnimatedSprite::TAnimatedSprite(TSpriteEngine& Engine) : TSprite(Engine) {}

void TAnimatedSprite::Assign(const TSprite& Source) {
    TSprite::Assign(Source);
    const auto* Animated = dynamic_cast<const TAnimatedSprite*>(&Source);
    if (Animated == nullptr || Animated == this) {
        return;
    }
    Animating = Animated->Animating;
    Looping = Animated->Looping;
    FrameStart = Animated->FrameStart;
    FrameCount = Animated->FrameCount;
    FrameRate = Animated->FrameRate;
    FramePos = Animated->FramePos;
    FrameEnded = Animated->FrameEnded;
    ReachedEnd = Animated->ReachedEnd;
    ReachedStart = Animated->ReachedStart;
    PlayMode = Animated->PlayMode;
}

void TAnimatedSprite::MoveForward(float Step) {
    FramePos += Step;
    const int64_t End = static_cast<int64_t>(FrameStart) + FrameCount;
    if (FramePos <= static_cast<float>(End)) {
        return;
    }
    // Running past the end by less than one frame is what counts as a finished pass.
    if (TruncToInt64(FramePos) == End) {
        FrameEnded = true;
    }
    if (Looping) {
        FramePos = static_cast<float>(FrameStart);
    } else {
        FramePos = static_cast<float>(End - 1);
        Animating = false;
    }
}

void TAnimatedSprite::MoveBackward(float Step) {
    FramePos -= Step;
    if (FramePos >= static_cast<float>(FrameStart)) {
        return;
    }
    if (Looping) {
        FramePos = static_cast<float>(static_cast<int64_t>(FrameStart) + FrameCount - 1);
    } else {
        FramePos = static_cast<float>(FrameStart);
        Animating = false;
    }
}

void TAnimatedSprite::MovePingPong(float Step) {
    FramePos += Step;
    const int64_t Start = FrameStart;
    const int64_t End = Start + FrameCount;
    if (Looping) {
        if (FramePos > static_cast<float>(End - 1) || FramePos < static_cast<float>(Start)) {
            FrameRate = -FrameRate;
        }
        return;
    }
    if (FramePos > static_cast<float>(End) || FramePos < static_cast<float>(Start)) {
        FrameRate = -FrameRate;
    }
    // A one-shot ping-pong ends when it is back at the start after reaching the end.
    const int64_t Frame = TruncToInt64(FramePos);
    if (Frame == End) {
        ReachedEnd = true;
    }
    if (Frame == Start && ReachedEnd) {
        ReachedStart = true;
    }
    if (ReachedEnd && ReachedStart) {
        Animating = false;
        ReachedEnd = false;
        ReachedStart = false;
    }
}

void TAnimatedSprite::Move(float Elapsed) {
    if (!Active || !Animating) {
        return;
    }
    switch (PlayMode) {
    case pmForward:
        MoveForward(FrameRate * Elapsed);
        break;
    case pmBackward:
        MoveBackward(FrameRate * Elapsed);
        break;
    case pmPingPong:
        MovePingPong(FrameRate * Elapsed);
        break;
    default:
        break;
    }
    PatternIndex = TruncToInt32(FramePos);
    ImageIndex = PatternIndex;
}

void TAnimatedSprite::SetAnimation(const std::string& Image, int32_t Start, int32_t Count, float Rate,
                                   bool Loop, bool Mirror, bool Animate, TAnimPlayMode Mode) {
    SetImageName(Image);
    FrameStart = Start;
    FrameCount = Count;
    FrameRate = Rate;
    Looping = Loop;
    MirrorX = Mirror;
    Animating = Animate;
    PlayMode = Mode;
}

void TAnimatedSprite::SetAnimation(const std::string& Image, int32_t Start, int32_t Count, float Rate,
                                   bool Loop, TAnimPlayMode Mode) {
    SetImageName(Image);
    FrameStart = Start;
    FrameCount = Count;
    FrameRate = Rate;
    Looping = Loop;
    PlayMode = Mode;
}

void TAnimatedSprite::SetFrameStart(int32_t Value) {
    if (Value == FrameStart) {
        return;
    }
    FrameStart = Value;
    FramePos = static_cast<float>(Value);
}
