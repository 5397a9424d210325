// SPDX-License-Identifier: MIT
// The texture atlases change where the small pictures lie on the device, never what a frame
// shows: the same game, with the same seed and input, is photographed on the main menu, in
// play with pieces exploding, paused and on the stage results, once with every picture on a
// texture of its own and once with the atlases, and the pictures are compared pixel for pixel.
// The same photographs show that frames held back as unchanged look like frames drawn, and a
// run of photographs of consecutive frames shows that frames redrawn only where they changed
// look exactly like frames drawn whole.
#include "GameInProcess.h"

#include "board/GameEngine.h"
#include "board/ScreenState.h"
#include "platform/Picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct TShot {
    std::string Name;
    std::vector<uint32_t> Pixels;
    int32_t Width = 0;
    int32_t Height = 0;
};

class TPhotographer {
public:
    explicit TPhotographer(bool Atlas, bool RepaintOnlyChanges = true, bool RedrawOnlyDamage = true)
        : Game(5, {}, [Atlas, RepaintOnlyChanges, RedrawOnlyDamage](TOptions& Options) {
              Options.Renderer = TRenderer::Gl;
              Options.Atlas = Atlas;
              Options.RepaintOnlyChanges = RepaintOnlyChanges;
              Options.RedrawOnlyDamage = RedrawOnlyDamage;
          }) {}

    [[nodiscard]] bool Started() const { return Game.Started(); }
    void Run(const std::string& Line) { ASSERT_TRUE(Game.Run(Line)) << Line; }

    void Shoot(const std::string& Name) {
        const std::string file = (Game.RunFolder() / (Name + ".png")).string();
        Run("screenshot " + file);
        TShot shot;
        shot.Name = Name;
        ASSERT_TRUE(DecodePicture(file, shot.Pixels, shot.Width, shot.Height)) << file;
        Shots.push_back(std::move(shot));
    }

    // From the main menu into stage 1, and a swap that makes a line.
    void IntoPlayAndSwap() {
        for (const char* line : {"click 600 296", "frames 5", "click 600 268", "frames 5", "key 27"}) {
            Run(line);
        }
        ASSERT_TRUE(Game.WaitFor(ssHowToPlay, 1000));
        Run("key 27");
        ASSERT_TRUE(Game.WaitFor(ssPlaying, 10));
        ASSERT_TRUE(Game.BoardSettled());
        ASSERT_TRUE(Game.SwapForLine());
    }

    // Main menu, a swap that explodes a line, the pause, the stage results.
    void TakeAll() {
        for (const std::string& line : ToMainMenu()) {
            Run(line);
        }
        Run("frames 60");
        Shoot("menu");
        ASSERT_NO_FATAL_FAILURE(IntoPlayAndSwap());
        // The swap takes a few frames; then the line bursts into particles.
        Run("frames 30");
        Shoot("play");
        Run("key 80");
        Run("frames 20");
        Shoot("pause");
        Run("key 80");
        ASSERT_TRUE(Game.WaitFor(ssPlaying, 10));
        ASSERT_TRUE(Game.TakeTilesAndSwap());
        ASSERT_TRUE(Game.WaitFor(ssStageComplete, 2000));
        Run("frames 300");
        Shoot("results");
    }

    // Consecutive frames: the main menu with the pointer moving and over a button, then play
    // with a line bursting, the bonuses turning and the clock running.
    void TakeConsecutive() {
        for (const std::string& line : ToMainMenu()) {
            Run(line);
        }
        Run("frames 60");
        // Across the menu's space, then onto a button, which lights up.
        for (const char* at : {"300 200", "310 205", "600 296", "602 297"}) {
            Run(std::string("move ") + at);
            for (const char* step : {"-a", "-b"}) {
                Run("frames 1");
                Shoot("menu-" + std::to_string(Shots.size()) + step);
            }
        }
        ASSERT_NO_FATAL_FAILURE(IntoPlayAndSwap());
        for (int i = 0; i < 40; ++i) {
            Run("frames 1");
            Shoot("play-" + std::to_string(i));
            Run("stats");
        }
        Run("frames 200");
        for (int i = 0; i < 12; ++i) {
            Run("frames 1");
            Shoot("idle-" + std::to_string(i));
            Run("stats");
        }
    }

    // Pictures of the stats lines so far that changed only part of the 800x600 window.
    [[nodiscard]] int PartlyChanged() const {
        int count = 0;
        for (const std::string& line : Game.Trace()) {
            const size_t at = line.find(" damaged=");
            if (line.find(" stats ") != std::string::npos && at != std::string::npos) {
                const long long pixels = std::stoll(line.substr(at + 9));
                count += pixels > 0 && pixels < 800 * 600 ? 1 : 0;
            }
        }
        return count;
    }

    TGameInProcess Game;
    std::vector<TShot> Shots;
};

// How far two pictures differ: pixels whose largest channel difference exceeds Tolerance.
struct TDifference {
    int64_t Pixels = 0;
    int32_t Largest = 0;
};

TDifference Compare(const TShot& A, const TShot& B, int32_t Tolerance) {
    TDifference d;
    for (size_t i = 0; i < A.Pixels.size(); ++i) {
        int32_t worst = 0;
        for (int shift = 0; shift < 32; shift += 8) {
            const auto a = static_cast<int32_t>((A.Pixels[i] >> shift) & 0xFFu);
            const auto b = static_cast<int32_t>((B.Pixels[i] >> shift) & 0xFFu);
            worst = std::max(worst, std::abs(a - b));
        }
        d.Largest = std::max(d.Largest, worst);
        d.Pixels += worst > Tolerance ? 1 : 0;
    }
    return d;
}

} // namespace

TEST(AtlasLook, FramesLookTheSameWithAndWithoutAtlases) {
    std::vector<TShot> own;
    {
        TPhotographer plain(false);
        ASSERT_TRUE(plain.Started());
        plain.TakeAll();
        own = std::move(plain.Shots);
    }
    TPhotographer atlas(true);
    ASSERT_TRUE(atlas.Started());
    atlas.TakeAll();
    ASSERT_EQ(own.size(), 4u);
    ASSERT_EQ(atlas.Shots.size(), own.size());
    for (size_t i = 0; i < own.size(); ++i) {
        const TShot& a = own[i];
        const TShot& b = atlas.Shots[i];
        ASSERT_EQ(a.Width, b.Width) << a.Name;
        ASSERT_EQ(a.Height, b.Height) << a.Name;
        ASSERT_EQ(a.Pixels.size(), b.Pixels.size()) << a.Name;
        // Linear filtering weighs the same texels from coordinates scaled by another texture
        // size, which may round a channel by one step; nothing else may differ.
        const TDifference d = Compare(a, b, 1);
        EXPECT_EQ(d.Pixels, 0) << a.Name << ": largest channel difference " << d.Largest;
        const TDifference rounding = Compare(a, b, 0);
        EXPECT_LT(rounding.Pixels, static_cast<int64_t>(a.Pixels.size()) / 1000) << a.Name;
    }
}

// A frame that would draw the picture already on screen is not drawn again (the pause holds
// still); what the screen shows is then exactly what drawing every frame shows.
TEST(AtlasLook, HeldFramesLookExactlyLikeDrawnOnes) {
    std::vector<TShot> drawn;
    {
        TPhotographer always(true, false);
        ASSERT_TRUE(always.Started());
        always.TakeAll();
        drawn = std::move(always.Shots);
    }
    TPhotographer held(true, true);
    ASSERT_TRUE(held.Started());
    held.TakeAll();
    ASSERT_EQ(drawn.size(), 4u);
    ASSERT_EQ(held.Shots.size(), drawn.size());
    for (size_t i = 0; i < drawn.size(); ++i) {
        EXPECT_EQ(drawn[i].Pixels, held.Shots[i].Pixels) << drawn[i].Name;
    }
}

// Frames redrawn only where they changed since the picture before look like frames drawn
// whole, frame after frame. The software rasteriser may round a channel of a filtered texel by
// one step differently in the kept picture than in the window (seen at one angle of the turning
// background, in a few hundred pixels of the sky); nothing else may differ.
TEST(AtlasLook, PartlyRedrawnFramesLookLikeWholeOnes) {
    std::vector<TShot> whole;
    {
        TPhotographer full(true, true, false);
        ASSERT_TRUE(full.Started());
        full.TakeConsecutive();
        whole = std::move(full.Shots);
    }
    TPhotographer partly(true, true, true);
    ASSERT_TRUE(partly.Started());
    partly.TakeConsecutive();
    // Between the background's steps, pictures in play change only in small parts.
    EXPECT_GE(partly.PartlyChanged(), 10);
    ASSERT_EQ(whole.size(), 60u);
    ASSERT_EQ(partly.Shots.size(), whole.size());
    for (size_t i = 0; i < whole.size(); ++i) {
        const TDifference d = Compare(whole[i], partly.Shots[i], 1);
        EXPECT_EQ(d.Pixels, 0) << whole[i].Name << ": largest channel difference " << d.Largest;
        const TDifference rounding = Compare(whole[i], partly.Shots[i], 0);
        EXPECT_LT(rounding.Pixels, static_cast<int64_t>(whole[i].Pixels.size()) / 1000) << whole[i].Name;
    }
}
