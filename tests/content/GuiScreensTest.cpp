// SPDX-License-Identifier: MIT
#include "archive/Archive.h"
#include "archive/Stream.h"
#include "content/characters/MenuCharacters.h"
#include "content/ui/GuiLayout.h"
#include "engine/Canvas.h"
#include "engine/Device.h"
#include "engine/Font.h"
#include "engine/Image.h"
#include "gui/GuiBase.h"
#include "gui/GuiButton.h"
#include "gui/GuiEdit.h"
#include "gui/GuiForm.h"
#include "gui/GuiGauge.h"
#include "gui/GuiListBox.h"
#include "platform/RecordingBackend.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

const std::string GameDir = ZIBO_GAME_DIR;

struct TExpected {
    std::string Name;
    std::string Class;
};

const char* const Forms[] = {
    "scr_exittomm",    "scr_entername",     "scr_mainmenu", "scr_help",     "scr_options",
    "scr_highscore",   "scr_clear",         "scr_exitgame", "scr_LevelMix", "scr_gameover",
    "scr_choosedif",   "scr_stagecomplete", "scr_create",   "scr_change",   "scr_delete",
    "scr_yourscoreis", "scr_sendscore",     "scr_sound",    "scr_graphics", "scr_ycountry",
    "scr_SpeechPanel", "scr_howtoplay",     "scr_message",
};

const char* const Buttons[] = {
    "b_mainmenu_startgame",
    "b_mainmenu_highscore",
    "b_mainmenu_options",
    "b_mainmenu_help",
    "b_mainmenu_exit",
    "b_mainmenu_presshere",
    "b_mainmenu_logo",
    "b_exit_yes",
    "b_exit_no",
    "b_help_back",
    "b_help_previous",
    "b_help_next",
    "b_highscore_back",
    "b_highscore_clear",
    "b_highscore_view",
    "b_highscore_easy",
    "b_highscore_medium",
    "b_highscore_hard",
    "b_clear_yes",
    "b_clear_no",
    "b_change_back",
    "b_change_delete",
    "b_change_create",
    "b_create_create",
    "b_delete_yes",
    "b_delete_no",
    "b_entername_create",
    "b_options_back",
    "b_options_graphics",
    "b_options_sound",
    "b_sound_back",
    "b_sound_musicmin",
    "b_sound_musicmax",
    "b_sound_fxmax",
    "b_sound_fxmin",
    "b_graphics_back",
    "b_fullscreen",
    "b_antialias",
    "b_autohint",
    "b_exitmm_yes",
    "b_exitmm_no",
    "b_yourscore_next",
    "b_sendscore_yes",
    "b_sendscore_no",
    "b_choosedif_back",
    "b_choosedif_easy",
    "b_choosedif_medium",
    "b_choosedif_hard",
    "b_stagecomplete_next",
    "b_ycountry_next",
    "b_Mix",
    "b_SpeechPanel_Next",
    "b_SpeechPanel_Skip",
    "b_howtoplay_start",
    "b_howtoplay_next",
    "b_howtoplay_previous",
};

// Every control the screens find by name, with the class they expect it to be.
std::vector<TExpected> AddressedControls() {
    std::vector<TExpected> List;
    for (const char* Name : Forms) {
        List.push_back({Name, "TGuiForm"});
    }
    for (const char* Name : Buttons) {
        List.push_back({Name, "TGuiButton"});
    }
    for (const char* Name : {"hello", "t1", "t2", "t3", "delete_name", "yourscore", "sc_score", "players_empty"}) {
        List.push_back({Name, "TGuiLabel"});
    }
    for (int i = 1; i <= 10; ++i) {
        for (const char* Prefix : {"n", "name", "score"}) {
            List.push_back({Prefix + std::to_string(i), "TGuiLabel"});
        }
    }
    for (int i = 1; i <= 9; ++i) {
        List.push_back({"Speech_Label" + std::to_string(i), "TGuiLabel"});
    }
    for (const char* Name : {"edit_name", "edit_name1", "e_ycountry"}) {
        List.push_back({Name, "TGuiEdit"});
    }
    List.push_back({"bar_music", "TGuiGauge"});
    List.push_back({"bar_fx", "TGuiGauge"});
    List.push_back({"players", "TGuiListBox"});
    return List;
}

// Records of one type over the archives the game loads them from, in list order.
int CountRecords(const std::vector<std::string>& Files, int32_t Type) {
    int Count = 0;
    for (const std::string& File : Files) {
        TArchive Archive;
        Archive.SetFileName(GameDir + "/" + File);
        if (!Archive.EnsureOpen()) {
            return -1;
        }
        for (int32_t i = 0; i < Archive.RecordCount(); ++i) {
            Count += Archive.RecordTypeOf(i) == Type ? 1 : 0;
        }
    }
    return Count;
}

class GuiFile : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(Gui.LoadFromFile(GameDir + "/Data/gfx.fgg")); }
    TGuiBase Gui;
};

TEST_F(GuiFile, EveryAddressedControlExistsWithItsClass) {
    for (const TExpected& E : AddressedControls()) {
        TGuiControl* Control = Gui.FindControl(E.Name);
        ASSERT_NE(Control, nullptr) << E.Name;
        EXPECT_EQ(Control->TypeName(), E.Class) << E.Name;
    }
}

// Screens start hidden and show themselves; every picture and font they name exists.
TEST_F(GuiFile, FormsStartHiddenAndNameExistingImagesAndFonts) {
    const int Images = CountRecords({"Data/data.fgg", "Data/gdata.fgg"}, 1);
    const int Fonts = CountRecords({"Data/data.fgg", "Data/gdata.fgg", "Data/data1.fgg"}, 3);
    ASSERT_GT(Images, 0);
    ASSERT_GT(Fonts, 0);
    for (const char* Name : Forms) {
        const auto* Form = dynamic_cast<TGuiForm*>(Gui.FindControl(Name));
        ASSERT_NE(Form, nullptr) << Name;
        EXPECT_FALSE(Form->Visible()) << Name;
        EXPECT_LT(Form->ImageIndex, Images) << Name;
        if (std::string(Name) != "scr_LevelMix") {
            EXPECT_GE(Form->ImageIndex, 0) << Name;
        }
    }
    for (const char* Name : Buttons) {
        const auto* Button = dynamic_cast<TGuiButton*>(Gui.FindControl(Name));
        ASSERT_NE(Button, nullptr) << Name;
        EXPECT_GE(Button->ImageIndex, 0) << Name;
        EXPECT_LT(Button->ImageIndex, Images) << Name;
        EXPECT_GE(Button->Font.FontIndex, 0) << Name;
        EXPECT_LT(Button->Font.FontIndex, Fonts) << Name;
    }
}

TEST_F(GuiFile, InputControlsCarryTheirLimits) {
    const struct {
        const char* Name;
        int MaxLength;
    } Edits[] = {{"edit_name", 12}, {"edit_name1", 12}, {"e_ycountry", 20}};
    for (const auto& E : Edits) {
        const auto* Edit = dynamic_cast<TGuiEdit*>(Gui.FindControl(E.Name));
        ASSERT_NE(Edit, nullptr) << E.Name;
        EXPECT_EQ(Edit->MaxLength(), E.MaxLength) << E.Name;
    }
    // Volumes run 0..250 in steps of 25.
    for (const char* Name : {"bar_music", "bar_fx"}) {
        const auto* Gauge = dynamic_cast<TGuiGauge*>(Gui.FindControl(Name));
        ASSERT_NE(Gauge, nullptr) << Name;
        EXPECT_EQ(Gauge->MinValue, 0) << Name;
        EXPECT_EQ(Gauge->MaxValue, 250) << Name;
    }
    // All ten profiles fit without scrolling.
    const auto* List = dynamic_cast<TGuiListBox*>(Gui.FindControl("players"));
    ASSERT_NE(List, nullptr);
    EXPECT_GE((List->Height() - 2) / List->ItemSize, 10);
    EXPECT_TRUE(List->Items.empty());
}

std::string Lower(std::string Text) {
    for (char& C : Text) {
        C = (C >= 'A' && C <= 'Z') ? static_cast<char>(C - 'A' + 'a') : C;
    }
    return Text;
}

// Titles are meant gold (0xFFFFE48A over 0xFFFFA632): drawn through the GUI, the font and
// the canvas, the glyph corners reach the device in exactly those colours.
TEST(GuiColours, TitlesReachTheScreenGold) {
    TRecordingBackend* Backend = nullptr;
    TGfxDevice Device([&Backend](const TDisplaySettings& S) {
        auto Made = std::make_unique<TRecordingBackend>(S.Width, S.Height);
        Backend = Made.get();
        return Made;
    });
    ASSERT_TRUE(Device.Initialize());
    {
        TGfxCanvas Canvas(Device);
        TGfxImages Images(Device);
        TGfxFonts Fonts(Device);
        Fonts.SetCanvas(&Canvas);
        for (const char* File : {"Data/data.fgg", "Data/gdata.fgg", "Data/data1.fgg"}) {
            TArchive Archive;
            Archive.SetFileName(GameDir + "/" + File);
            ASSERT_TRUE(Fonts.LoadArchive(Archive)) << File;
        }
        TGuiBase Gui;
        Gui.SetCanvas(&Canvas);
        Gui.SetImages(&Images);
        Gui.SetFonts(&Fonts);
        Gui.SetDevice(&Device);
        ASSERT_TRUE(Gui.LoadFromFile(GameDir + "/Data/gfx.fgg"));
        TGuiControl* Options = Gui.FindControl("scr_options");
        ASSERT_NE(Options, nullptr);
        Options->SetVisible(true);
        Device.OnRender = [&Gui] { Gui.Render(); };
        ASSERT_TRUE(Device.Render(0, true));
        std::set<uint32_t> Colours;
        for (const auto& Batch : Backend->Batches) {
            for (const TVertex& V : Batch.Vertices) {
                Colours.insert(Batch.Texture != 0 ? V.Color : 0);
            }
        }
        EXPECT_EQ(Colours.count(0xFFFFE48Au), 1u);
        EXPECT_EQ(Colours.count(0xFFFFA632u), 1u);
    }
}

bool Inside(const TRect& Inner, const TRect& Outer) {
    return Inner.Left >= Outer.Left && Inner.Top >= Outer.Top && Inner.Right <= Outer.Right &&
           Inner.Bottom <= Outer.Bottom;
}

TRect BoundsOf(const TGuiNode& Node) {
    const int Left = static_cast<int>(Node.IntOr("Left", 0));
    const int Top = static_cast<int>(Node.IntOr("Top", 0));
    return RectOfSize(Left, Top, static_cast<int>(Node.IntOr("Width", 0)),
                      static_cast<int>(Node.IntOr("Height", 0)));
}

// The layout as data: forms on the 800 x 600 screen, controls inside their forms, names
// unique, menu forms clear of the characters on the left, the reshuffle form off the board.
TEST(GuiLayout, FormsFitTheScreenAndKeepClearOfTheScene) {
    TGuiLayout Layout({[](const std::string&) { return 0; }, [](const std::string&) { return 0; }});
    const std::vector<TGuiNode> Forms = Layout.Build();
    const TRect Screen{0, 0, 800, 600};
    const TRect Board{222, 138, 574, 490};
    const std::set<std::string> OverCharacters = {
        "scr_mainmenu", "scr_options", "scr_choosedif", "scr_highscore", "scr_entername", "scr_create",
        "scr_change",   "scr_delete",  "scr_clear",     "scr_exitgame",  "scr_sound",     "scr_graphics"};
    std::set<std::string> Names;
    for (const TGuiNode& Form : Forms) {
        const TRect Bounds = BoundsOf(Form);
        EXPECT_TRUE(Inside(Bounds, Screen)) << Form.ControlName();
        EXPECT_TRUE(Names.insert(Lower(Form.ControlName())).second) << Form.ControlName();
        if (OverCharacters.count(Form.ControlName()) != 0) {
            EXPECT_GE(Bounds.Left, 300) << Form.ControlName();
        }
        for (const TGuiNode& Child : Form.Children) {
            EXPECT_TRUE(Inside(BoundsOf(Child), RectOfSize(0, 0, Bounds.Width(), Bounds.Height())))
                << Child.ControlName();
            EXPECT_TRUE(Names.insert(Lower(Child.ControlName())).second) << Child.ControlName();
        }
    }
    const TGuiNode* Mix = FindControl(Forms, "scr_LevelMix");
    ASSERT_NE(Mix, nullptr);
    EXPECT_TRUE(BoundsOf(*Mix).Intersect(Board).IsEmpty());
}

// The help form is too wide to keep left of x 300 like the menus; it starts where Lirra, the
// girl beside the captain (drawn at (0, 210)), ends beside it, so none of her is covered.
TEST(GuiLayout, TheHelpFormLeavesLirraWhole) {
    TGuiLayout Layout({[](const std::string&) { return 0; }, [](const std::string&) { return 0; }});
    const std::vector<TGuiNode> Forms = Layout.Build();
    const TGuiNode* Help = FindControl(Forms, "scr_help");
    ASSERT_NE(Help, nullptr);
    const TRect Bounds = BoundsOf(*Help);
    // The panel's body begins 6 pixels in; only its soft shadow lies further out.
    constexpr int PanelInset = 6;
    constexpr int PairTop = 210;
    int Rightmost = -1;
    for (int Pattern = 0; Pattern < MenuCharacters::Patterns; ++Pattern) {
        const TPicture Pair = MenuCharacters::ZiboAndLirra(Pattern);
        for (int Y = std::max(0, Bounds.Top - PairTop); Y < Pair.Height(); ++Y) {
            for (int X = 0; X < Pair.Width(); ++X) {
                if ((Pair.Pixel(X, Y) >> 24) >= 0x20) {
                    Rightmost = std::max(Rightmost, X);
                }
            }
        }
    }
    ASSERT_GE(Rightmost, 0);
    EXPECT_LT(Rightmost, Bounds.Left + PanelInset);
}

} // namespace
