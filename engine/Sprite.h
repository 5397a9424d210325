// SPDX-License-Identifier: MIT
#pragma once

#include "engine/Canvas.h"
#include "platform/Types.h"

#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

class TGfxImage;
class TGfxImages;
class TSprite;

// The owner of every sprite on screen. Sprites are kept in one list sorted by Z (larger on
// top), moved and drawn once per frame, and freed only at FreeDead after MarkDead, so no code
// ever frees a sprite that another one is still walking over.
class TSpriteEngine {
public:
    TSpriteEngine();
    virtual ~TSpriteEngine();
    TSpriteEngine(const TSpriteEngine&) = delete;
    TSpriteEngine& operator=(const TSpriteEngine&) = delete;

    // Makes a sprite of class T (constructed as T(*this, Args...)) owned by this engine. The
    // sprite is already in the draw list when its constructor finishes.
    template <class T, class... A> T& Add(A&&... Args) {
        static_assert(std::is_base_of_v<TSprite, T>, "the engine holds only sprites");
        auto Sprite = std::make_unique<T>(*this, std::forward<A>(Args)...);
        T& Result = *Sprite;
        Adopt(std::move(Sprite));
        return Result;
    }

    // Moves every sprite once. Sprites made while this runs wait for the next frame unless
    // they land in front of the count taken at the start.
    virtual void Move(float Elapsed);
    virtual void Draw();
    // Frees the sprites marked dead, newest mark first.
    void FreeDead();
    // Frees every sprite, last in draw order first. A derived engine whose sprites reach into
    // its own members calls this from its destructor.
    void FreeAll();

    [[nodiscard]] int32_t SpriteCount() const { return static_cast<int32_t>(Sprites.size()); }
    // nullptr outside 0..SpriteCount()-1.
    [[nodiscard]] TSprite* SpriteAt(int32_t Index) const;
    // Takes the sprite out of the draw list without freeing it; the engine still owns it.
    void Remove(TSprite& Sprite);
    [[nodiscard]] int32_t DeadCount() const { return static_cast<int32_t>(DeadList.size()); }

    void SetCanvas(TGfxCanvas* Value) { Canvas_ = Value; }
    [[nodiscard]] TGfxCanvas* Canvas() const { return Canvas_; }
    void SetImages(TGfxImages* Value) { Images_ = Value; }
    [[nodiscard]] TGfxImages* Images() const { return Images_; }

    // World origin, subtracted from every sprite position when drawing, and the zoom of
    // draw mode 5.
    float WorldX = 0.0f;
    float WorldY = 0.0f;
    float ZoomX = 1.0f;
    float ZoomY = 1.0f;

protected:
    // Called just before the engine frees one of its sprites, so a derived engine can drop
    // what it keeps of it.
    virtual void Freeing(const TSprite& /*Sprite*/) {}

private:
    friend class TSprite;

    void Adopt(std::unique_ptr<TSprite> Sprite);
    // Sorted insert: below every sprite that already has the same Z.
    void Insert(TSprite& Sprite);
    void Detach(TSprite& Sprite);
    void AddDead(TSprite& Sprite);
    void Free(TSprite& Sprite);

    // Draw order, Z ascending. Ownership lives in Owned, so the order can change freely.
    std::vector<TSprite*> Sprites;
    std::vector<TSprite*> DeadList;
    std::vector<std::unique_ptr<TSprite>> Owned;
    TGfxCanvas* Canvas_ = nullptr;
    TGfxImages* Images_ = nullptr;
};

// How Draw hands the pattern to the canvas.
enum TDrawMode : int32_t {
    dmScaled = 0,       // scaled about the middle or the top-left corner
    dmRotated = 1,      // scaled and rotated about the middle, middle at (X, Y)
    dmCornerColors = 2, // as dmScaled with CornerColors
    dmQuad = 3,         // mapped onto QuadPoints
    dmQuadColors = 4,   // as dmQuad with CornerColors
    dmZoomed = 5,       // through the engine's zoom
};

enum TCollideMode : uint8_t { cmCircle = 0, cmRect = 1, cmQuad = 2 };

// A positioned, coloured, scaled image pattern owned by a sprite engine. Game objects derive
// from it and override Move, and MarkDead when they hold other sprites. Sprites are made only
// through TSpriteEngine::Add, which gives the engine ownership; the constructor puts the
// sprite into the draw list and the destructor takes it out of both of the engine's lists.
class TSprite {
public:
    explicit TSprite(TSpriteEngine& Engine);
    virtual ~TSprite();
    TSprite(const TSprite&) = delete;
    TSprite& operator=(const TSprite&) = delete;

    virtual void SetName(const std::string& Value) { Name = Value; }
    virtual void SetRed(int32_t Value) { Red = Value; }
    virtual void SetGreen(int32_t Value) { Green = Value; }
    virtual void SetBlue(int32_t Value) { Blue = Value; }
    virtual void SetAlpha(int32_t Value) { Alpha = Value; }
    virtual void SetImageName(const std::string& Value);
    virtual void SetPatternIndex(int32_t Value) { PatternIndex = Value; }
    // Values above dmZoomed fall back to dmScaled.
    virtual void SetDrawMode(int32_t Value);
    virtual void SetX(float Value) { X = Value; }
    virtual void SetY(float Value) { Y = Value; }
    // A new Z re-inserts the sprite below all sprites of that Z; the same Z changes nothing.
    virtual void SetZ(int32_t Value);
    // Copies the settings of Source. Z goes through SetZ; Dead and the engine are not copied.
    virtual void Assign(const TSprite& Source);
    virtual void Collide(TSprite& Other);
    // Collide against every other sprite of the engine, last in draw order first.
    virtual void CollideAll();
    // The collision test alone: sets Collided, calls nobody.
    virtual void CollisionTest(const TSprite& Other);
    // Flags the sprite for the engine's next FreeDead; a second call does nothing.
    virtual void MarkDead();
    virtual void OnCollision(TSprite& /*Other*/) {}
    virtual void Move(float /*Elapsed*/) {}
    virtual void Draw();

    [[nodiscard]] TSpriteEngine& Engine() const { return Engine_; }
    [[nodiscard]] int32_t Z() const { return Z_; }
    [[nodiscard]] bool Dead() const { return Dead_; }
    [[nodiscard]] const std::string& ImageName() const { return ImageName_; }
    [[nodiscard]] int32_t DrawMode() const { return DrawMode_; }
    // Red + Green << 8 + Blue << 16 + Alpha << 24, each component taken as a byte.
    [[nodiscard]] TColor PackedColor() const;
    // The name Draw looks up: ImageName with ImageIndex appended (ImageNameMode 0), ImageName
    // alone (1), or empty, meaning no image (any other mode).
    [[nodiscard]] std::string DrawnImageName() const;

    std::string Name;
    float X = 200.0f;
    float Y = 200.0f;
    TPointF QuadPoints[4] = {{0.0f, 0.0f}, {10.0f, 0.0f}, {10.0f, 10.0f}, {0.0f, 10.0f}};
    bool Visible = true;
    uint32_t DrawEffect = fxBlend;
    bool MirrorX = false;
    bool MirrorY = false;
    bool ScaleFromCentre = true;
    TColor4 CornerColors = TColor4::All(0xFFFFFFFF);
    int32_t Red = 255;
    int32_t Green = 255;
    int32_t Blue = 255;
    int32_t Alpha = 255;
    bool CollideEnabled = false;
    bool Collided = false;
    float Angle = 0.0f;
    int32_t PatternIndex = 0;
    int32_t ImageIndex = 0;
    float ScaleX = 1.0f;
    float ScaleY = 1.0f;
    bool Active = true;
    // Culling rectangle relative to the world origin; Right and Bottom are the far edges.
    TRect ViewArea{-100, -100, 4400, 3300};
    TPointF CollideCentre;
    int32_t CollideRadius = 0;
    TRect CollideRect;
    TPointF CollideQuad[4];
    uint8_t CollideMode = cmCircle;
    uint8_t ImageNameMode = 1;

protected:
    // The image Draw uses: looked up by name when the name changed, otherwise the one found
    // last time, as long as the image list still holds it under that name.
    [[nodiscard]] TGfxImage* FindImage();
    // Draws through the engine's zoom when the zoomed rectangle is in view.
    void DrawZoomed(TGfxCanvas& Canvas, TGfxImage& Image, TPoint PatternSize) const;
    void DrawByMode(TGfxCanvas& Canvas, TGfxImage& Image) const;
    [[nodiscard]] bool Hits(const TSprite& Other) const;

private:
    friend class TSpriteEngine;

    // What the last lookup was made for and what it found.
    struct TImageCache {
        bool Valid = false;
        uint8_t NameMode = 0;
        int32_t Index = 0;
        TGfxImages* Images = nullptr;
        // The list's generation when Image was found.
        uint64_t Generation = 0;
        std::string Name;
        TGfxImage* Image = nullptr;
    };
    [[nodiscard]] bool CacheMatches(const TGfxImages& Images) const;

    TSpriteEngine& Engine_;
    TImageCache Cache;
    int32_t Z_ = 0;
    bool Dead_ = false;
    std::string ImageName_;
    int32_t DrawMode_ = dmScaled;
};

enum TAnimPlayMode : uint8_t { pmForward = 0, pmBackward = 1, pmPingPong = 2 };

// A sprite whose pattern advances over time through FrameCount patterns from FrameStart.
class TAnimatedSprite : public TSprite {
public:
    explicit TAnimatedSprite(TSpriteEngine& Engine);

    // Also copies the animation when Source is animated.
    void Assign(const TSprite& Source) override;
    void Move(float Elapsed) override;

    // Both forms set the image through SetImageName and store the rest; FramePos stays.
    virtual void SetAnimation(const std::string& Image, int32_t Start, int32_t Count, float Rate, bool Loop,
                              bool Mirror, bool Animate, TAnimPlayMode Mode);
    virtual void SetAnimation(const std::string& Image, int32_t Start, int32_t Count, float Rate, bool Loop,
                              TAnimPlayMode Mode);
    // Moves FramePos to a new start; the same start changes nothing.
    void SetFrameStart(int32_t Value);

    bool Animating = true;
    bool Looping = true;
    int32_t FrameStart = 0;
    int32_t FrameCount = 0;
    // Patterns per second; its sign carries the direction of a ping-pong.
    float FrameRate = 0.0f;
    float FramePos = 0.0f;
    bool FrameEnded = false;
    bool ReachedEnd = false;
    bool ReachedStart = false;
    uint8_t PlayMode = pmForward;

private:
    void MoveForward(float Step);
    void MoveBackward(float Step);
    void MovePingPong(float Step);
};
