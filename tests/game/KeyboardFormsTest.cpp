// SPDX-License-Identifier: MIT
#include "GameInProcess.h"

#include "gui/GuiBase.h"
#include "gui/GuiControl.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

// Every form of the game is reached and left with the keyboard alone: the arrows move the
// focus ring through a form's buttons in reading order, Enter presses the ringed button, and
// Escape keeps its meaning.
namespace {

constexpr uint8_t Down = 40;
constexpr uint8_t Enter = 13;
constexpr uint8_t Escape = 27;

// A step: a control line, or "wait S" (frames until screen S comes).
using TSteps = std::vector<std::string>;

// Each key pressed and three frames run after it.
TSteps Keys(std::initializer_list<int> Codes) {
    TSteps steps;
    for (const int code : Codes) {
        steps.push_back("key " + std::to_string(code));
        steps.emplace_back("frames 3");
    }
    return steps;
}

TSteps operator+(TSteps A, const TSteps& B) {
    A.insert(A.end(), B.begin(), B.end());
    return A;
}

TSteps Wait(int State) { return {"wait " + std::to_string(State)}; }

// The first name typed, then the main menu.
TSteps Menu() { return TSteps{"frames 390", "type Tester", "frames 2"} + Keys({Enter}) + Wait(4); }
// The n-th button of the main menu in reading order: change player, new game, high scores,
// options, help, exit, the web site.
TSteps MenuButton(int N) {
    TSteps steps = Menu();
    for (int i = 0; i < N; ++i) {
        steps = steps + Keys({Down});
    }
    return steps + Keys({Enter});
}
TSteps Options() { return MenuButton(4) + Wait(7); }
TSteps Players() { return MenuButton(1) + Wait(18); }
TSteps Difficulty() { return MenuButton(2) + Wait(14); }
// Easy, then the story until it hands over to the board.
TSteps Story() { return Difficulty() + Keys({Down, Enter}) + Wait(27); }
// The board, once the how-to-play card that opens over a new player's first stage is closed.
TSteps Playing() { return Story() + Keys({Escape}) + Wait(12) + Wait(28) + Keys({Escape}) + Wait(12); }
// Hard (the third difficulty), the how-to-play card closed, the clock run out.
TSteps GameOver() {
    return Difficulty() + Keys({Down, Down, Down, Enter}) + Wait(27) + Keys({Escape}) + Wait(28) +
           Keys({Escape}) + Wait(13) + TSteps{"frames 120"};
}
TSteps YourScore() { return GameOver() + Wait(20) + TSteps{"frames 110"}; }
TSteps Country() { return YourScore() + Keys({Enter}) + Wait(25); }

struct TFormRow {
    const char* Form;
    TSteps Reach;
    int State;
    TSteps Leave;
    int After;
};

void PrintTo(const TFormRow& Row, std::ostream* Out) { *Out << Row.Form; }

bool IsPointerCommand(const std::string& Line) {
    for (const char* command : {"move", "press", "release", "click"}) {
        if (Line.rfind(command, 0) == 0) {
            return true;
        }
    }
    return false;
}

// Runs the steps; false (with the step) when a wait times out or a line is refused.
testing::AssertionResult RunSteps(TGameInProcess& Game, const TSteps& Steps) {
    for (const std::string& step : Steps) {
        if (IsPointerCommand(step)) {
            return testing::AssertionFailure() << "pointer command " << step;
        }
        if (step.rfind("wait ", 0) == 0) {
            const int state = std::stoi(step.substr(5));
            if (!Game.WaitFor(static_cast<uint8_t>(state), 4000)) {
                return testing::AssertionFailure() << "screen " << state << " did not come; on "
                                                   << int{Game.Screen()};
            }
        } else if (!Game.Run(step)) {
            return testing::AssertionFailure() << "refused: " << step;
        }
    }
    return testing::AssertionSuccess();
}

class KeyboardForms : public testing::TestWithParam<TFormRow> {};

TEST_P(KeyboardForms, AreReachedAndLeftWithKeysAlone) {
    const TFormRow& row = GetParam();
    TGameInProcess game{1};
    ASSERT_TRUE(game.Started());
    ASSERT_TRUE(RunSteps(game, row.Reach)) << game.Trace().back();
    ASSERT_EQ(game.Screen(), row.State);
    const TGuiControl* form = game.Game().Gui().FindControl(row.Form);
    ASSERT_NE(form, nullptr);
    ASSERT_TRUE(form->Visible());

    ASSERT_TRUE(RunSteps(game, row.Leave));
    EXPECT_EQ(game.Screen(), row.After);
    if (row.After != 12) { // the board's own form stays under the question
        EXPECT_FALSE(form->Visible());
    }
}

const TFormRow Rows[] = {
    {"scr_entername", {"frames 390"}, 1, TSteps{"type Tester", "frames 2"} + Keys({Enter}), 4},
    // Tab, then Enter on "Create".
    {"scr_entername", {"frames 390"}, 1, TSteps{"type Tester", "frames 2"} + Keys({9, Enter}), 4},
    {"scr_mainmenu", Menu(), 4, Keys({Escape}), 10},
    {"scr_mainmenu", Menu(), 4, Keys({Down, Down, Enter}), 14},
    {"scr_exitgame", Menu() + Keys({Escape}), 10, Keys({Escape}), 4},
    // Yes, then no: the focus wraps back up to "no".
    {"scr_exitgame", Menu() + Keys({Escape}), 10, Keys({Down, Down, Enter}), 4},
    {"scr_options", Options(), 7, Keys({Escape}), 4},
    {"scr_options", Options(), 7, Keys({Down, Down, Down, Enter}), 4},
    {"scr_sound", Options() + Keys({Down, Enter}), 22, Keys({Escape}), 7},
    {"scr_graphics", Options() + Keys({Down, Down, Enter}), 23, Keys({Escape}), 7},
    {"scr_highscore", MenuButton(3), 8, Keys({Escape}), 4},
    // The three tabs, then "clear".
    {"scr_clear", MenuButton(3) + Keys({Down, Down, Down, Down, Enter}), 9, Keys({Escape}), 8},
    {"scr_help", MenuButton(5), 6, Keys({Escape}), 4},
    {"scr_change", Players(), 18, Keys({Escape}), 4},
    {"scr_create", Players() + Keys({Down, Enter}), 17, Keys({Escape}), 18},
    {"scr_delete", Players() + Keys({Down, Down, Enter}), 19, Keys({Escape}), 18},
    {"scr_choosedif", Difficulty(), 14, Keys({Escape}), 4},
    {"scr_SpeechPanel", Story(), 27, Keys({Escape}), 12},
    {"scr_LevelMix", Playing(), 12, Keys({Escape}), 0},
    {"scr_exittomm", Playing() + Keys({Escape}), 0, Keys({Escape}), 12},
    {"scr_howtoplay", Story() + Keys({Escape}) + Wait(12) + Wait(28), 28, Keys({Escape}), 12},
    // "Next", then "Play!".
    {"scr_howtoplay", Story() + Keys({Escape}) + Wait(12) + Wait(28), 28, Keys({Down, Down, Enter}), 12},
    // The form says the time is up and gives way to the score by itself.
    {"scr_gameover", GameOver(), 13, {"frames 110"}, 20},
    {"scr_yourscoreis", YourScore(), 20, Keys({Enter}), 25},
    {"scr_ycountry", Country(), 25, TSteps{"type Russia", "frames 2"} + Keys({Enter}), 21},
    // "No": a score outside the table goes back to the menu.
    {"scr_sendscore", Country() + TSteps{"type Russia", "frames 2"} + Keys({Enter}) + Wait(21), 21, Keys({Escape}),
     4},
};

INSTANTIATE_TEST_SUITE_P(EveryForm, KeyboardForms, testing::ValuesIn(Rows), [](const auto& Info) {
    return std::string(Info.param.Form).substr(4) + "_" + std::to_string(Info.index);
});

} // namespace
