// SPDX-License-Identifier: MIT
#include "content/characters/FacePreview.h"
#include "content/characters/HeroFace.h"
#include "content/characters/MonsterFaces.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

uint32_t Alpha(uint32_t Pixel) { return Pixel >> 24; }

// A pixel of the white of an eye: opaque and light in every channel.
bool IsEyeWhite(uint32_t Pixel) {
    return Alpha(Pixel) == 255 && ((Pixel >> 16) & 0xFF) > 170 && ((Pixel >> 8) & 0xFF) > 170 && (Pixel & 0xFF) > 170;
}

// The head picture's pixel under a screen point.
uint32_t HeadPixel(const TPicture& Head, const TSpritePlacement& At, double X, double Y) {
    return Head.Pixel(static_cast<int>(std::floor(At.PictureX(X))), static_cast<int>(std::floor(At.PictureY(Y))));
}

// Pointer places all around the screen, and one right on the eye.
std::vector<TScreenPoint> Pointers() {
    std::vector<TScreenPoint> points;
    for (int i = 0; i < 16; ++i) {
        const double a = 2 * std::numbers::pi * i / 16;
        points.push_back({400 + 390 * std::cos(a), 300 + 290 * std::sin(a)});
    }
    return points;
}

// Points on the rim of an iris drawn with its middle at Centre.
std::vector<TScreenPoint> Rim(TScreenPoint Centre, double Radius) {
    std::vector<TScreenPoint> points;
    for (int i = 0; i < 24; ++i) {
        const double a = 2 * std::numbers::pi * i / 24;
        points.push_back({Centre.X + Radius * std::cos(a), Centre.Y + Radius * std::sin(a)});
    }
    return points;
}

struct TFaces {
    TPicture ZiboHead = HeroFace::Head();
    TPicture ZiboPupil = HeroFace::Pupil();
    std::vector<TPicture> ZiboMouths = HeroFace::Mouths();
    std::vector<TPicture> MonsterHeads;
    std::vector<TPicture> MonsterMouths = MonsterFaces::Mouths();
    TFaces() {
        for (int type = 1; type <= MonsterRest::Types; ++type) {
            MonsterHeads.push_back(MonsterFaces::Head(type));
        }
    }
};

const TFaces& Faces() {
    static const TFaces faces;
    return faces;
}

// Wherever the pointer is, the hero's near iris (in front of the head) stays on the white
// painted for it, and the far eye is a hole with the eyeball picture behind all of it.
TEST(CharacterFaces, ZiboIrisesStayInTheirEyes) {
    const TFaces& f = Faces();
    const TSpritePlacement head = ZiboRest::Head();
    const double iris = ZiboRest::IrisRadius * ZiboRest::EyeScale;
    for (const TScreenPoint& pointer : Pointers()) {
        const FacePreview::TEyePose pose = FacePreview::ZiboEyePose(ZiboRest::NearEye, pointer);
        for (const TScreenPoint& p : Rim(pose.Position, iris)) {
            EXPECT_TRUE(IsEyeWhite(HeadPixel(f.ZiboHead, head, p.X, p.Y))) << p.X << "," << p.Y;
        }
    }
    EXPECT_EQ(Alpha(HeadPixel(f.ZiboHead, head, ZiboRest::FarEye.X, ZiboRest::FarEye.Y)), 0u);
    const TSpritePlacement pupil = ZiboRest::Pupil();
    const double rx = ZiboRest::FarHoleRadiusX + 1.5;
    const double ry = ZiboRest::FarHoleRadiusY + 1.5;
    for (double y = ZiboRest::FarEye.Y - ry; y <= ZiboRest::FarEye.Y + ry; y += 0.5) {
        for (double x = ZiboRest::FarEye.X - rx; x <= ZiboRest::FarEye.X + rx; x += 0.5) {
            const double u = (x - ZiboRest::FarEye.X) / rx;
            const double v = (y - ZiboRest::FarEye.Y) / ry;
            if (u * u + v * v <= 1 && Alpha(HeadPixel(f.ZiboHead, head, x, y)) < 255) {
                const uint32_t behind =
                    f.ZiboPupil.Pixel(static_cast<int>(std::floor(pupil.PictureX(x))),
                                      static_cast<int>(std::floor(pupil.PictureY(y))));
                EXPECT_EQ(Alpha(behind), 255u) << "gap in the far eye at " << x << "," << y;
            }
        }
    }
}

// Every monster's irises stay on the whites painted on its head, wherever they look.
TEST(CharacterFaces, MonsterIrisesStayInTheirEyes) {
    const TFaces& f = Faces();
    for (int type = 1; type <= MonsterRest::Types; ++type) {
        const TSpritePlacement head = MonsterRest::Head(type);
        const double iris = MonsterRest::Start[type - 1].IrisRadius;
        for (int eye = 0; eye < 2; ++eye) {
            for (const TScreenPoint& pointer : Pointers()) {
                const FacePreview::TEyePose pose = FacePreview::MonsterEyePose(
                    type, MonsterRest::Eye(type, eye), MonsterRest::EyeRadius(type, eye), pointer);
                for (const TScreenPoint& p : Rim(pose.Position, iris)) {
                    EXPECT_TRUE(IsEyeWhite(HeadPixel(f.MonsterHeads[type - 1], head, p.X, p.Y)))
                        << "monster " << type << " eye " << eye << " at " << p.X << "," << p.Y;
                }
            }
        }
    }
}

// Counts the opaque pixels of a mouth pattern that would hang in the air off the head.
int MouthPixelsOffHead(const TPicture& Mouth, const TSpritePlacement& MouthAt, const TPicture& Head,
                       const TSpritePlacement& HeadAt) {
    int off = 0;
    for (int y = 0; y < Mouth.Height(); ++y) {
        for (int x = 0; x < Mouth.Width(); ++x) {
            if (Alpha(Mouth.Pixel(x, y)) > 128 &&
                Alpha(HeadPixel(Head, HeadAt, MouthAt.ScreenX(x + 0.5), MouthAt.ScreenY(y + 0.5))) < 255) {
                ++off;
            }
        }
    }
    return off;
}

// Every mouth shape lands on its face, at every place the game moves it to.
TEST(CharacterFaces, MouthsLandOnTheFaces) {
    const TFaces& f = Faces();
    ASSERT_EQ(f.ZiboMouths.size(), 7u);
    ASSERT_EQ(f.MonsterMouths.size(), 7u);
    for (int p = 0; p < 7; ++p) {
        EXPECT_EQ(MouthPixelsOffHead(f.ZiboMouths[p], ZiboRest::Mouth(p), f.ZiboHead, ZiboRest::Head()), 0)
            << "zibo mouth " << p;
        for (int type = 1; type <= MonsterRest::Types; ++type) {
            EXPECT_EQ(MouthPixelsOffHead(f.MonsterMouths[p], FacePreview::MonsterMouthAt(type, p),
                                         f.MonsterHeads[type - 1], MonsterRest::Head(type)),
                      0)
                << "monster " << type << " mouth " << p;
        }
    }
}

// The head comes to rest where the slide's last step puts it: past 300 pixels.
TEST(CharacterFaces, MonsterSlideOvershoots) {
    EXPECT_DOUBLE_EQ(MonsterSlideDistance(), 311.75);
    EXPECT_DOUBLE_EQ(MonsterRest::Head(1).X, 712 - 311.75);
}

} // namespace
