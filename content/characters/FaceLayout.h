// SPDX-License-Identifier: MIT
#pragma once

#include <cmath>

// Where the game's face sprites come to rest, and how a sprite maps its pattern onto the
// screen. The head pictures are drawn in screen coordinates through these mappings, so the
// eyes, pupil and mouth sprites land on the painted features without guessing.

// A sprite drawn in draw mode 0, scaled about the middle of its pattern.
struct TSpritePlacement {
    double X = 0;
    double Y = 0;
    double Scale = 1;
    int Width = 0;
    int Height = 0;

    // The engine truncates positions toward zero before drawing.
    [[nodiscard]] double DrawX() const { return std::trunc(X); }
    [[nodiscard]] double DrawY() const { return std::trunc(Y); }
    [[nodiscard]] double ScreenX(double PictureX) const {
        return DrawX() + Width / 2.0 + Scale * (PictureX - Width / 2.0);
    }
    [[nodiscard]] double ScreenY(double PictureY) const {
        return DrawY() + Height / 2.0 + Scale * (PictureY - Height / 2.0);
    }
    [[nodiscard]] double PictureX(double ScreenXValue) const {
        return Width / 2.0 + (ScreenXValue - DrawX() - Width / 2.0) / Scale;
    }
    [[nodiscard]] double PictureY(double ScreenYValue) const {
        return Height / 2.0 + (ScreenYValue - DrawY() - Height / 2.0) / Scale;
    }
};

// A point of the logical 800x600 screen.
struct TScreenPoint {
    double X = 0;
    double Y = 0;
};

// How far a monster head slides in from its start: the head moves by a speed that starts
// at 2 and grows by 0.25 each frame while it is still right of its slide-in X, so it
// overshoots the 300 pixels a little and stays where the last step put it.
[[nodiscard]] constexpr double MonsterSlideDistance() {
    float x = 300.0f;
    float speed = 2.0f;
    while (x > 0.0f) {
        x -= speed;
        speed += 0.25f;
    }
    return 300.0 - x;
}

// The hero.
namespace ZiboRest {
// The head slides in to X -137 and snaps there.
inline constexpr double HeadX = -137;
inline constexpr double HeadY = 25;
inline constexpr double HeadScale = 0.55;
inline constexpr int HeadWidth = 440;
inline constexpr int HeadHeight = 500;

// Eyes are drawn centred on their position, scale 0.75 flipped upside down. They sit on an
// ellipse of radii 3, 5 around their centres once the pointer is away from them.
inline constexpr TScreenPoint NearEye{-137 + 281, 230};
inline constexpr TScreenPoint FarEye{-137 + 305, 236};
inline constexpr double EyeScale = 0.75;
inline constexpr double EyeTravelX = 3;
inline constexpr double EyeTravelY = 5;
inline constexpr int EyeSize = 26;
inline constexpr double IrisRadius = 11.5;

// The near eye's white is painted on the head; its iris is drawn in front of the head.
inline constexpr double NearWhiteRadiusX = 14;
inline constexpr double NearWhiteRadiusY = 18.5;
// The far eye is a hole in the head: the pupil picture (the eyeball) and the far iris lie
// behind it and show through.
inline constexpr double FarHoleRadiusX = 8.5;
inline constexpr double FarHoleRadiusY = 13.5;

inline constexpr double PupilX = -137 + 286;
inline constexpr double PupilY = 205;
inline constexpr double PupilScale = 0.5;
inline constexpr int PupilWidth = 38;
inline constexpr int PupilHeight = 64;

inline constexpr double MouthX = -137 + 213;
inline constexpr double MouthScale = 0.7;
inline constexpr int MouthWidth = 160;
inline constexpr int MouthHeight = 100;
inline constexpr int MouthPatterns = 7;
// The Y each mouth pattern is shown at (the game moves the mouth per pattern); patterns 0
// to 2 also talk on the story panel at Y 246, so they are drawn between both places.
inline constexpr double MouthPatternY[MouthPatterns] = {240, 240, 243, 247, 243, 243, 249};
// Where the middle of every mouth shape lands on the face.
inline constexpr TScreenPoint MouthCentre{152, 294};

[[nodiscard]] inline TSpritePlacement Head() { return {HeadX, HeadY, HeadScale, HeadWidth, HeadHeight}; }
[[nodiscard]] inline TSpritePlacement Pupil() {
    return {PupilX, PupilY, PupilScale, PupilWidth, PupilHeight};
}
[[nodiscard]] inline TSpritePlacement Mouth(int Pattern) {
    return {MouthX, MouthPatternY[Pattern], MouthScale, MouthWidth, MouthHeight};
}
} // namespace ZiboRest

// The four monsters, one per chapter; Type runs 1..4.
namespace MonsterRest {
inline constexpr int Types = 4;

struct TMonsterStart {
    double HeadX, HeadY, HeadScale;
    int HeadWidth, HeadHeight;
    // Eye centres as created, before the slide.
    TScreenPoint FirstEye, SecondEye;
    double FirstRadiusX, FirstRadiusY, SecondRadiusX, SecondRadiusY;
    // The mouth as created and its scale.
    TScreenPoint Mouth;
    double MouthScale;
    // The iris drawn on this monster's eye picture.
    double IrisRadius;
};

inline constexpr TMonsterStart Start[Types] = {
    {712, 53, 0.6, 640, 512, {1017, 248}, {965, 288}, 7, 6, 7, 6, {950, 230}, 0.7, 11},
    {695, 69, 0.68, 600, 500, {1014, 237}, {943, 295}, 9, 7, 10, 9, {950, 230}, 1.0, 11},
    {812, 132, 1.0, 300, 330, {1007, 211}, {913, 264}, 17, 11, 7, 5, {935, 222}, 1.0, 12},
    {705, 89, 0.63, 640, 470, {945, 222}, {922, 250}, 7, 7, 6, 5, {920, 210}, 0.7, 6},
};

// The shared mouth picture: every shape is drawn around MouthShapeCentre of its pattern.
inline constexpr int MouthWidth = 128;
inline constexpr int MouthHeight = 160;
inline constexpr int MouthPatterns = 7;
inline constexpr TScreenPoint MouthShapeCentre{60, 112};
// An eye picture is drawn at its natural size.
inline constexpr int EyeSize = 32;
// Room left between the iris and the rim of the painted eyeball when it looks aside.
inline constexpr double WhiteMargin = 3;

[[nodiscard]] inline double Slide() { return MonsterSlideDistance(); }
[[nodiscard]] inline TSpritePlacement Head(int Type) {
    const TMonsterStart& s = Start[Type - 1];
    return {s.HeadX - Slide(), s.HeadY, s.HeadScale, s.HeadWidth, s.HeadHeight};
}
[[nodiscard]] inline TScreenPoint Eye(int Type, int Index) {
    const TMonsterStart& s = Start[Type - 1];
    const TScreenPoint p = Index == 0 ? s.FirstEye : s.SecondEye;
    return {p.X - Slide(), p.Y};
}
[[nodiscard]] inline TScreenPoint EyeRadius(int Type, int Index) {
    const TMonsterStart& s = Start[Type - 1];
    return Index == 0 ? TScreenPoint{s.FirstRadiusX, s.FirstRadiusY}
                      : TScreenPoint{s.SecondRadiusX, s.SecondRadiusY};
}
// The mouth at rest and calm: where it was created, moved along with the head.
[[nodiscard]] inline TSpritePlacement Mouth(int Type) {
    const TMonsterStart& s = Start[Type - 1];
    return {s.Mouth.X - Slide(), s.Mouth.Y, s.MouthScale, MouthWidth, MouthHeight};
}
// Where the middle of the mouth shape lands on the face at rest.
[[nodiscard]] inline TScreenPoint MouthCentre(int Type) {
    const TSpritePlacement m = Mouth(Type);
    return {m.ScreenX(MouthShapeCentre.X), m.ScreenY(MouthShapeCentre.Y)};
}
} // namespace MonsterRest
