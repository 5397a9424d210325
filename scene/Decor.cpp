// SPDX-License-Identifier: MIT
#include "scene/Decor.h"

#include "board/Board.h"
#include "board/BoardHost.h"
#include "engine/Canvas.h"

TPanel::TPanel(TSpriteEngine& Engine, float X, float Y, const std::string& Image) : TSprite(Engine), RestY(Y) {
    Name = "Panel";
    SetImageName(Image);
    this->X = X;
    this->Y = Y;
    if (Image == "DownPanel") {
        SetZ(-40);
        this->Y = Y + 150.0f;
    } else if (Image == "board") {
        SetZ(-45);
        this->Y = Y + 500.0f;
        DropSpeed = 4.0f;
    } else {
        SetZ(-50);
        if (Image == "UpPanel") {
            this->Y = Y - 150.0f;
        }
    }
}

void TPanel::Arrive() {
    const std::string& image = ImageName();
    if (image == "UpPanel") {
        if (Y < RestY) {
            Y += DropSpeed;
            DropSpeed += DropAccel;
        }
        if (Y >= RestY) {
            Y = RestY;
            Arriving = false;
            DropSpeed = 3.0f;
        }
    } else if (image == "DownPanel" || image == "board") {
        if (Y > RestY) {
            Y -= DropSpeed;
            DropSpeed += DropAccel;
        }
        if (Y <= RestY) {
            Y = RestY;
            Arriving = false;
            DropSpeed = image == "board" ? 4.0f : 3.0f;
        }
    }
}

void TPanel::Leave() {
    const std::string& image = ImageName();
    const float bottom = image == "board" ? 620.0f : (image == "DownPanel" ? 800.0f : Y);
    if (Y < bottom) {
        Y += DropSpeed;
        DropSpeed += DropAccel;
    }
    if (Y >= bottom) {
        Leaving = false;
        DropSpeed = 4.0f;
    }
}

void TPanel::Move(float /*Elapsed*/) {
    if (Arriving) {
        Arrive();
    } else if (Leaving) {
        Leave();
    }
}

TCosmos::TCosmos(TSpriteEngine& Engine) : TSprite(Engine) {
    Name = "Cosmos";
    SetImageName("Cosmos");
    X = 410.0f;
    Y = 180.0f;
    SetZ(-55);
    ScaleY = 1.1f;
    SetDrawMode(1);
}

void TCosmos::Move(float /*Elapsed*/) {
    Turn_ += TurnPerFrame;
    if (++FramesSinceStep >= StepFrames) {
        FramesSinceStep = 0;
        Angle = Turn_;
    }
}

TSpeechPicture::TSpeechPicture(TSpriteEngine& Engine, int32_t Stage) : TSprite(Engine) {
    Name = "Speech";
    struct TPlace {
        const char* Image;
        float X, Y, Scale;
    };
    static constexpr TPlace kPlaces[] = {{"Planet.Speech", 97, 52, 0.4f},
                                         {"Cave.Speech", 197, 102, 0.6f},
                                         {"Room.Speech", 197, 70, 0.5f},
                                         {"Engine.Speech", 102, -30, 0.3f}};
    const TPlace& p = kPlaces[std::clamp((Stage - 1) / 4, 0, 3)];
    SetImageName(p.Image);
    X = p.X;
    Y = p.Y;
    ScaleX = ScaleY = p.Scale;
}

THelpWnd::THelpWnd(TSpriteEngine& Engine, int32_t Page) : TSprite(Engine) {
    Name = "Help";
    X = 314.0f;
    Y = 326.0f;
    ShowPage(Page);
}

void THelpWnd::ShowPage(int32_t Page) { SetImageName(std::to_string(Page) + ".help"); }

TMenuSprite::TMenuSprite(TSpriteEngine& Engine, float X, float Y, const std::string& Image) : TSprite(Engine) {
    SetImageName(Image);
    const TPoint size = ImagePatternSize(Engine, Image);
    this->X = X - static_cast<float>(size.X) / 2.0f;
    this->Y = Y - static_cast<float>(size.Y) / 2.0f;
    SetZ(500);
    Alpha = 0;
}

TElement::TElement(TSpriteEngine& Engine, float X, float Y, int32_t Index) : TSprite(Engine) {
    Name = "Element";
    SetElementIndex(std::clamp(Index, 0, 16));
    this->X = X - 5.0f;
    this->Y = Y;
    SetZ(0);
}

void TElement::SetElementIndex(int32_t Index) {
    if (Index >= 0 && Index <= 16) {
        SetImageName(std::to_string(Index) + "_el");
    }
}

TCursor::TCursor(TSpriteEngine& Engine, const IBoardHost& Host) : TAnimatedSprite(Engine), Host(Host) {
    Name = "cursor";
    SetImageName("cursor");
    SetZ(1000);
    Animating = false;
    FollowPointer();
}

void TCursor::FollowPointer() {
    // The pointer arrives in logical coordinates, unrounded, so the tip stays under it at any
    // scale.
    const TPointF p = Host.PointerPosition();
    X = p.X - HotSpot.X;
    Y = p.Y - HotSpot.Y;
}

void TCursor::Move(float Elapsed) {
    TAnimatedSprite::Move(Elapsed);
    FollowPointer();
}

void TCursor::Draw() {
    TGfxCanvas* canvas = Engine().Canvas();
    TGfxImage* image = FindImage();
    if (!Visible || canvas == nullptr || image == nullptr) {
        return;
    }
    canvas->DrawEx(*image, PatternIndex, X, Y, 1.0f, 1.0f, false, false, 0, TColor4::All(PackedColor()), DrawEffect);
}

bool IsLive(const TSpriteEngine& Engine, const TSprite* Sprite) {
    if (Sprite == nullptr) {
        return false;
    }
    for (int32_t i = 0; i < Engine.SpriteCount(); ++i) {
        if (Engine.SpriteAt(i) == Sprite) {
            return !Sprite->Dead();
        }
    }
    return false;
}
