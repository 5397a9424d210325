// SPDX-License-Identifier: MIT
// One game photographed screen by screen, in Russian: the menus, each chapter's story, play
// and results, the end picture and the final score. The pictures go into the build folder's
// gallery for review; the tests below check what the screens must show on them.
#include "GameInProcess.h"
#include "Shot.h"

#include "board/GameEngine.h"
#include "board/ScreenState.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

class Gallery : public testing::Test {
public:
    // The folder the walk's pictures were taken in.
    static std::filesystem::path Folder() { return Game->RunFolder(); }

protected:
    static void SetUpTestSuite() {
        Game = std::make_unique<TGameInProcess>(3, nullptr, [](TOptions& Options) {
            Options.Renderer = TRenderer::Gl;
            Options.Language = "ru";
        });
        Walked = Game->Started() && Walk();
        KeepInGallery(Game->RunFolder(), Shots, "");
        // The gallery's pictures, with those other tests kept there, on one contact sheet.
        const std::string gallery = ZIBO_BINARY_DIR "/gallery";
        Sheet = RunProgram(ShellQuote(ZIBO_BINARY_DIR "/content/content_gen") + " --gallery " + ShellQuote(gallery),
                           Game->RunFolder());
    }
    static void TearDownTestSuite() { Game.reset(); }
    void SetUp() override { ASSERT_TRUE(Walked) << "the walk stopped after " << (Shots.empty() ? "" : Shots.back()); }

    static bool Run(const std::vector<std::string>& Lines) {
        for (const std::string& line : Lines) {
            if (!Game->Run(line)) {
                return false;
            }
        }
        return true;
    }
    static bool Shoot(const std::string& Name) {
        Shots.push_back(Name + ".png");
        return Run({"screenshot " + (Game->RunFolder() / Shots.back()).string()});
    }
    static TGameEngine& Engine() { return Game->Game().Engine(); }

    // A stage ended: its results with the target resting in them, and once everything is counted
    // and the target has flown to its place in the lower panel.
    static bool StageResults(const std::string& Chapter) {
        if (!Game->TakeTilesAndSwap() || !Game->WaitFor(ssStageComplete, 2000) || !Run({"frames 250"}) ||
            !Shoot(Chapter + "-stage-complete")) {
            return false;
        }
        // The seconds left are counted into the score one a frame; then the target flies off.
        for (int32_t frame = 0; frame < 3000 && Engine().Level().TimeLeft > 0; ++frame) {
            Run({"frames 1"});
        }
        return Engine().Level().TimeLeft == 0 && Run({"frames 120"}) && Shoot(Chapter + "-stage-counted");
    }

    // From the first stage's results of the chapter before: the chapter before is taken as
    // finished (its last stage number is set), and the chapter's story, play and results follow.
    static bool Chapter(int Number) {
        const std::string chapter = "chapter" + std::to_string(Number);
        Engine().CurrentStage = static_cast<uint8_t>(4 * (Number - 1));
        return Game->LeaveStageComplete() && Game->Screen() == ssStory && Run({"frames 100"}) &&
               Shoot(chapter + "-story") && Run({"key 27"}) && Game->WaitFor(ssPlaying, 20) && Game->BoardSettled() &&
               Run({"move 400 590", "frames 2"}) && Shoot(chapter + "-play") && StageResults(chapter);
    }

    static bool Menus() {
        return Run({"frames 100"}) && Shoot("01-logo") && Run({"frames 290"}) && Shoot("02-first-name") &&
               Run({"type Tester", "frames 2", "key 13", "frames 30"}) && Shoot("03-main-menu") &&
               Run({"click 600 238", "frames 30"}) && Shoot("04-players") && Run({"key 27", "frames 30"}) &&
               Run({"click 600 349", "frames 30"}) && Shoot("05-high-scores") && Run({"key 27", "frames 30"}) &&
               Run({"click 600 403", "frames 30"}) && Shoot("06-options") && Run({"key 27", "frames 30"}) &&
               Run({"click 600 457", "frames 30"}) && Shoot("07-help") && Run({"key 27", "frames 30"}) &&
               Run({"click 600 511", "frames 30"}) && Shoot("08-exit-question") && Run({"key 27", "frames 30"}) &&
               Run({"click 600 296", "frames 30"}) && Shoot("09-difficulty");
    }

    static bool FirstChapter() {
        return Run({"click 600 268", "frames 100"}) && Shoot("chapter1-story") &&
               Run({"key 13", "frames 3", "key 13"}) && Game->WaitFor(ssHowToPlay, 1000) && Run({"frames 60"}) &&
               Shoot("chapter1-how-to-play") && Run({"key 27"}) && Game->WaitFor(ssPlaying, 20) && Game->BoardSettled() &&
               Run({"move 400 590", "frames 2"}) && Shoot("chapter1-play") && Run({"key 80", "frames 20"}) &&
               Shoot("chapter1-pause") && Run({"key 80", "frames 2", "key 27", "frames 20"}) &&
               Shoot("chapter1-exit-question") && Run({"key 27", "frames 2"}) && StageResults("chapter1");
    }

    // From the fourth chapter's first results, taken as the last stage's: the end picture and
    // the final score over it. The last stage's clock is taken as counted into the score, as its
    // results do, so the final score has no seconds left to show.
    static bool Ending() {
        Engine().CurrentStage = 16;
        Engine().Level().TimeLeft = 0;
        return Game->LeaveStageComplete() && Game->Screen() == ssAllStagesDone && Run({"frames 200"}) &&
               Shoot("end-picture") && Game->WaitFor(ssYourScore, 400) && Run({"frames 400"}) &&
               Shoot("final-score");
    }

    static bool Walk() { return Menus() && FirstChapter() && Chapter(2) && Chapter(3) && Chapter(4) && Ending(); }

    static std::unique_ptr<TGameInProcess> Game;
    static std::vector<std::string> Shots;
    static bool Walked;
    static TProgramRun Sheet;
};
std::unique_ptr<TGameInProcess> Gallery::Game;
std::vector<std::string> Gallery::Shots;
bool Gallery::Walked = false;
TProgramRun Gallery::Sheet;

TShot Shot(const std::string& Name) { return LoadShot(Gallery::Folder() / (Name + ".png")); }

// The lower panel's stage, score and clock fields hold their numbers (dark or red digits on the
// light fields) on every screen of a stage: how to play, play, the pause, the exit question and
// the results, before and after the seconds are counted.
void LowerPanelFieldsAreFilledOnEveryStageScreen() {
    const auto Ink = [](int R, int G, int B) { return R + G + B < 450 || (R > 150 && G < 90 && B < 90); };
    for (const char* name : {"chapter1-how-to-play", "chapter1-play", "chapter1-pause", "chapter1-exit-question",
                             "chapter1-stage-complete", "chapter1-stage-counted", "chapter4-stage-counted"}) {
        const TShot shot = Shot(name);
        // The stage field spans x 188..226, the score field 236..322, both y 541..566.
        EXPECT_GT(CountPixels(shot, 190, 543, 224, 565, Ink), 15) << name << ": stage";
        EXPECT_GT(CountPixels(shot, 238, 543, 320, 565, Ink), 15) << name << ": score";
        // The clock field.
        EXPECT_GT(CountPixels(shot, 356, 533, 436, 560, Ink), 30) << name << ": clock";
    }
}

// The panels stand clear of the characters: the stage results leave the captain's face
// (his nose at the left edge) uncovered; once counted, "Далее" stands where the target rested,
// so no empty hollow is left; the final score leaves the rocket of the end picture in view and
// shows its next button.
void PanelsLeaveTheCharactersInView() {
    const auto Skin = [](int R, int G, int B) { return R > 200 && G > 120 && G < 220 && B > 90 && R > B + 40; };
    EXPECT_GT(CountPixels(Shot("chapter1-stage-complete"), 165, 245, 200, 285, Skin), 400);
    const auto Orange = [](int R, int G, int B) { return R > 200 && G > 90 && G < 200 && B < 100; };
    for (int chapter = 1; chapter <= 4; ++chapter) {
        const std::string name = "chapter" + std::to_string(chapter) + "-stage-counted";
        EXPECT_GT(CountPixels(Shot(name), 353, 283, 443, 373, Orange), 1000) << name;
    }
    const auto Silver = [](int R, int G, int B) { return R > 170 && G > 170 && B > 170 && std::abs(R - B) < 40; };
    EXPECT_GT(CountPixels(Shot("final-score"), 280, 200, 470, 370, Silver), 4000);
    // Its "Далее" stands inside the window, at the foot of the final score's panel.
    EXPECT_GT(CountPixels(Shot("final-score"), 110, 515, 260, 565, Orange), 1000);
}

// No monster reaches over the board frame: its right rim is as gold in every chapter as beside
// the first monster, who stands well clear of it.
void MonstersStayClearOfTheBoardFrame() {
    const auto Gold = [](int R, int G, int B) { return R > 200 && G > 150 && B < 150; };
    const int clear = CountPixels(Shot("chapter1-play"), 583, 140, 590, 490, Gold);
    EXPECT_GT(clear, 1000);
    for (int chapter = 2; chapter <= 4; ++chapter) {
        const std::string name = "chapter" + std::to_string(chapter) + "-play";
        EXPECT_GE(CountPixels(Shot(name), 583, 140, 590, 490, Gold), clear - 4) << name;
    }
}

} // namespace

// The walk takes minutes, so one test looks at all its pictures.
TEST_F(Gallery, EveryScreenLooksFinished) {
    EXPECT_EQ(Sheet.Exit, 0) << Sheet.Err;
    EXPECT_TRUE(std::filesystem::exists(ZIBO_BINARY_DIR "/gallery/contact-sheet.png"));
    {
        SCOPED_TRACE("the lower panel");
        LowerPanelFieldsAreFilledOnEveryStageScreen();
    }
    {
        SCOPED_TRACE("the panels and the characters");
        PanelsLeaveTheCharactersInView();
    }
    {
        SCOPED_TRACE("the monsters and the board frame");
        MonstersStayClearOfTheBoardFrame();
    }
}
