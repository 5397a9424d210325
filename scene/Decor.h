// SPDX-License-Identifier: MIT
#pragma once

#include "engine/Sprite.h"

#include <cstdint>
#include <string>

class IBoardHost;

// A panel of the game scene: "UpPanel" and "DownPanel" slide into place, the board frame
// rises from below, "backgame" stays; the frame and the lower panel can leave downward.
class TPanel final : public TSprite {
public:
    TPanel(TSpriteEngine& Engine, float X, float Y, const std::string& Image);
    void Move(float Elapsed) override;

    float DropSpeed = 3.0f;
    float DropAccel = 0.2f;
    bool Arriving = true;
    bool Leaving = false;

private:
    float RestY;
    void Arrive();
    void Leave();
};

// The starry background, turning slowly about (410, 180). Its turn advances every logic frame,
// but the picture follows it only every StepFrames frames: a step of 0.001 rad moves the
// window's farthest pixel, 587 px from the centre and stretched by 1.1, by 0.65 px, still a
// smooth turn to the eye (each star slides by a fraction of a pixel, 25 times a second), and
// the pictures between two steps are the same, so the repaint filter leaves them on screen
// instead of rasterising the whole window again.
class TCosmos final : public TSprite {
public:
    static constexpr float TurnPerFrame = 0.00025f;
    static constexpr int32_t StepFrames = 4;

    explicit TCosmos(TSpriteEngine& Engine);
    void Move(float Elapsed) override;
    // How far the background has turned; the drawn Angle is this as of the last step.
    [[nodiscard]] float Turn() const { return Turn_; }

private:
    float Turn_ = 0.0f;
    int32_t FramesSinceStep = 0;
};

// The picture beside the story text, chosen by the stage.
class TSpeechPicture final : public TSprite {
public:
    TSpeechPicture(TSpriteEngine& Engine, int32_t Stage);
};

// A help page picture ("<page>.help").
class THelpWnd final : public TSprite {
public:
    THelpWnd(TSpriteEngine& Engine, int32_t Page);
    void ShowPage(int32_t Page);
};

// A picture centred on a point that the screens fade in and out (the logo).
class TMenuSprite final : public TSprite {
public:
    TMenuSprite(TSpriteEngine& Engine, float X, float Y, const std::string& Image);
};

// The element picture at the lower left: the chapter's machine filling up part by part.
class TElement final : public TSprite {
public:
    TElement(TSpriteEngine& Engine, float X, float Y, int32_t Index);
    // Indexes outside 0..16 are ignored.
    void SetElementIndex(int32_t Index);
};

// The game's own mouse cursor, drawn over everything. Its picture's arrow tip (the hot spot)
// lies HotSpot pixels into the picture; the sprite is placed so the tip is exactly where the
// pointer is, in a window at any size and in full screen alike.
class TCursor final : public TAnimatedSprite {
public:
    TCursor(TSpriteEngine& Engine, const IBoardHost& Host);
    void Move(float Elapsed) override;
    // Drawn where it is, not on whole logical pixels as other sprites are: on an enlarged
    // screen that would leave the tip up to a logical pixel away from the pointer.
    void Draw() override;

    // Where the content generator draws the tip in both cursor patterns.
    static constexpr TPointF HotSpot{5.0f, 5.0f};

private:
    void FollowPointer();
    const IBoardHost& Host;
};

// Whether the sprite is still one of the engine's live sprites (not freed, not marked dead).
[[nodiscard]] bool IsLive(const TSpriteEngine& Engine, const TSprite* Sprite);
