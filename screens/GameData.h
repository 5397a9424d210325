// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

class TGfxFonts;
class TGfxImages;
class TGuiBase;

// Everything the game looks up by name in its data files: the pictures and fonts it draws, the
// forms and controls the screens bind. The content generator writes exactly these names (it
// checks them against this list), and the game refuses to start when a loaded file lacks any,
// instead of playing with a black board or a screen without its buttons.

// Data/data.fgg: the board, the pieces, bonuses, targets, the scene and the story.
inline constexpr std::string_view RequiredDataImages[] = {
    "AquaPentagon.piece", "FuchsiaCircle.piece", "YellowHexagon.piece", "RedCircle.piece",
    "GreenCircle.piece", "SkyBlueRhomb.piece", "LiteMaroonHexagon.piece", "ClaretSquare.piece",
    "LimeHexagon.piece", "OliveRhomb.piece", "BlueHexagon.piece", "OrangeTriangle.piece",
    "PurplePentagon.piece", "SandCircle.piece", "TealTriangle.piece", "YellowSquare.piece", "clock.bonus",
    "money.bonus", "dinamit.bonus", "star.bonus", "flash.bonus", "energy_ball.bonus", "x2.bonus",
    "rainbow.bonus", "mix.bonus", "podlogki", "1_1.LevelTarget", "1_2.LevelTarget", "1_3.LevelTarget",
    "1_4.LevelTarget", "2_1.LevelTarget", "2_2.LevelTarget", "2_3.LevelTarget", "2_4.LevelTarget",
    "3_1.LevelTarget", "3_2.LevelTarget", "3_3.LevelTarget", "3_4.LevelTarget", "4_1.LevelTarget",
    "4_2.LevelTarget", "4_3.LevelTarget", "4_4.LevelTarget", "0_el", "1_el", "2_el", "3_el", "4_el", "5_el",
    "6_el", "7_el", "8_el", "9_el", "10_el", "11_el", "12_el", "13_el", "14_el", "15_el", "16_el", "board",
    "backgame", "UpPanel", "DownPanel", "progressbar", "Cosmos", "particles", "zibo.head", "zibo.eye",
    "zibo.pupil", "zibo.mouth", "Monstr1.head", "Monstr1.eye", "Monstr2.head", "Monstr2.eye", "Monstr3.head",
    "Monstr3.eye", "Monstr4.head", "Monstr4.eye", "monstr.mouth", "ZiboAndLirra", "Planet.Speech",
    "Cave.Speech", "Room.Speech", "Engine.Speech", "1.help", "2.help", "3.help", "4.help", "5.help",
    "6.help", "7.help", "8.help", "9.help", "10.help", "11.help", "12.help", "13.help", "1.howto", "2.howto", "selection", "boardcursor",
};

// Data/gdata.fgg: the menu pictures, the cursor and the pictures of the GUI controls.
inline constexpr std::string_view RequiredGDataImages[] = {
    "back", "title", "logo", "endgame", "cursor", "gui_panel_360x190", "gui_button_orange_130x44",
    "gui_button_violet_130x44", "gui_panel_360x216", "gui_button_orange_140x44", "gui_panel_300x424",
    "gui_button_violet_200x36", "gui_button_orange_240x48", "gui_button_violet_240x48",
    "gui_button_violet_140x32", "gui_panel_scr_help", "gui_button_orange_160x46", "gui_button_violet_160x46",
    "gui_panel_300x314", "gui_panel_450x436", "gui_tab_128x40", "gui_button_orange_128x40",
    "gui_button_violet_128x44", "gui_button_orange_128x44", "gui_button_orange_160x40", "gui_panel_340x106",
    "gui_panel_300x316", "gui_panel_320x240", "gui_panel_400x410", "gui_button_orange_114x44",
    "gui_button_violet_114x44", "gui_panel_340x210", "gui_panel_360x300", "gui_button_orange_44x44_minus",
    "gui_button_orange_44x44_plus", "gui_button_violet_140x44", "gui_panel_360x310", "gui_switch",
    "gui_button_orange_104x40", "gui_panel_340x206", "gui_panel_560x360", "gui_button_violet_160x44",
    "gui_button_orange_160x44", "gui_panel_scr_howtoplay", "gui_button_violet_100x44",
    "gui_button_orange_100x44", "gui_panel_400x190", "gui_panel_460x260",
};

// Data/data1.fgg: every font.
inline constexpr std::string_view RequiredFonts[] = {
    "Verdana11", "Verdana16", "VerdanaIB[Aa]16_time", "zagolovki", "sharetext", "knopki", "tekst", "titul",
};

// One archive's share of the list.
struct TRequiredRecords {
    std::string_view Archive;
    std::span<const std::string_view> Images;
    std::span<const std::string_view> Fonts;
};

inline constexpr TRequiredRecords RequiredRecords[] = {
    {"Data/data.fgg", RequiredDataImages, {}},
    {"Data/gdata.fgg", RequiredGDataImages, {}},
    {"Data/data1.fgg", {}, RequiredFonts},
};

// The classes of the controls the screens use by name.
enum class TControlKind : uint8_t { Form, Button, Edit, ListBox, Gauge, Label };

struct TRequiredControls {
    TControlKind Kind;
    std::span<const std::string_view> Names;
};

inline constexpr std::string_view RequiredForms[] = {
    "scr_change", "scr_choosedif", "scr_clear", "scr_create", "scr_delete", "scr_entername", "scr_exitgame",
    "scr_exittomm", "scr_gameover", "scr_graphics", "scr_help", "scr_highscore", "scr_howtoplay",
    "scr_LevelMix", "scr_mainmenu", "scr_options", "scr_sendscore", "scr_sound", "scr_SpeechPanel",
    "scr_stagecomplete", "scr_ycountry", "scr_yourscoreis",
};

inline constexpr std::string_view RequiredButtons[] = {
    "b_antialias", "b_autohint", "b_change_back", "b_change_create", "b_change_delete", "b_choosedif_back",
    "b_choosedif_easy", "b_choosedif_hard", "b_choosedif_medium", "b_clear_no", "b_clear_yes",
    "b_create_create", "b_delete_no", "b_delete_yes", "b_entername_create", "b_exit_no", "b_exit_yes",
    "b_exitmm_no", "b_exitmm_yes", "b_fullscreen", "b_graphics_back", "b_help_back", "b_help_next",
    "b_help_previous", "b_highscore_back", "b_highscore_clear", "b_highscore_easy", "b_highscore_hard",
    "b_highscore_medium", "b_highscore_view", "b_howtoplay_next", "b_howtoplay_previous",
    "b_howtoplay_start", "b_mainmenu_exit", "b_mainmenu_help", "b_mainmenu_highscore", "b_mainmenu_logo",
    "b_mainmenu_options", "b_mainmenu_presshere", "b_mainmenu_startgame", "b_Mix", "b_options_back",
    "b_options_graphics", "b_options_language", "b_options_sound", "b_sendscore_no", "b_sendscore_yes", "b_sound_back",
    "b_sound_fxmax", "b_sound_fxmin", "b_sound_musicmax", "b_sound_musicmin", "b_SpeechPanel_Next",
    "b_SpeechPanel_Skip", "b_stagecomplete_next", "b_ycountry_next", "b_yourscore_next",
};

inline constexpr std::string_view RequiredEdits[] = {
    "e_ycountry", "edit_name", "edit_name1",
};

inline constexpr std::string_view RequiredListBoxes[] = {
    "players",
};

inline constexpr std::string_view RequiredGauges[] = {
    "bar_fx", "bar_music",
};

inline constexpr std::string_view RequiredLabels[] = {
    "delete_name", "hello", "n1", "n2", "n3", "n4", "n5", "n6", "n7", "n8", "n9", "n10", "name1", "name2",
    "name3", "name4", "name5", "name6", "name7", "name8", "name9", "name10", "sc_score", "score1", "score2",
    "score3", "score4", "score5", "score6", "score7", "score8", "score9", "score10", "Speech_Label1",
    "Speech_Label2", "Speech_Label3", "Speech_Label4", "Speech_Label5", "Speech_Label6", "Speech_Label7",
    "Speech_Label8", "Speech_Label9", "t1", "t2", "t3", "yourscore", "players_empty",
};

// Data/gfx.fgg.
inline constexpr char ScreensFile[] = "Data/gfx.fgg";
inline constexpr TRequiredControls RequiredControls[] = {
    {TControlKind::Form, RequiredForms},       {TControlKind::Button, RequiredButtons},
    {TControlKind::Edit, RequiredEdits},       {TControlKind::ListBox, RequiredListBoxes},
    {TControlKind::Gauge, RequiredGauges},     {TControlKind::Label, RequiredLabels},
};

// "Data/data.fgg: missing image NAME" for the first required picture or font the loaded lists
// lack (or hold empty, without a pattern to draw); empty when every one is there.
[[nodiscard]] std::string MissingRecord(const TGfxImages& Images, const TGfxFonts& Fonts);

// The record type an archive's directory gives Key (0 when it lists no such key); Archive is
// the file as RequiredRecords names it.
using TListedType = std::function<int32_t(std::string_view Archive, std::string_view Key)>;
// The same message for the first required picture or font that its archive's directory does not
// list as one, before anything is loaded; empty when every one is listed.
[[nodiscard]] std::string UnlistedRecord(const TListedType& ListedType);
// "Data/gfx.fgg: missing button NAME" for the first required control the loaded screens lack
// or hold as another kind of control; empty when every one is there.
[[nodiscard]] std::string MissingControl(TGuiBase& Gui);
