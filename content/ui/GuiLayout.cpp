// SPDX-License-Identifier: MIT
#include "content/ui/GuiLayout.h"

#include "content/fonts/FontCatalog.h"
#include "platform/Text.h"

namespace {

// Where the game draws pictures over the forms, so the forms frame them with a sunken well.
// The help window puts its page at (314, 326), the how-to-play overlay at (248, 208); both
// pictures are one page size.
constexpr int HelpPageX = 314;
constexpr int HelpPageY = 326;
constexpr int HowToPlayX = 248;
constexpr int HowToPlayY = 208;
constexpr int HelpPageWidth = 300;
constexpr int HelpPageHeight = 260;
// The level target rests at (295, 283) at full size on the stage-complete screen.
constexpr int LevelTargetX = 353;
constexpr int LevelTargetY = 283;
constexpr int LevelTargetSize = 90;

// The volume gauges run over the settings' range, 0 to 250.
constexpr int VolumeMax = 250;
constexpr int NameMaxLength = 12;
constexpr int CountryMaxLength = 20;

constexpr int AlignLeft = 0;
constexpr int AlignRight = 1;
constexpr int AlignCentre = 2;

// Palette: gold titles, white text with a cool blue foot, warm button captions.
constexpr uint32_t TitleTop = 0xFFFFE48A;
constexpr uint32_t TitleBottom = 0xFFFFA632;
constexpr uint32_t TextTop = 0xFFFFFFFF;
constexpr uint32_t TextBottom = 0xFFCFDBFF;
constexpr uint32_t CaptionTop = 0xFFFFFFFF;
constexpr uint32_t CaptionBottom = 0xFFFFF0C0;
constexpr uint32_t DisabledTop = 0xFFA4A4BC;
constexpr uint32_t DisabledBottom = 0xFF7C7C98;
// A disabled button's caption: pale grey on the button's grey body.
constexpr uint32_t DisabledCaptionTop = 0xFFD4D4DE;
constexpr uint32_t DisabledCaptionBottom = 0xFFA8A8B8;
constexpr uint32_t Gold = 0xFFE8B040;
constexpr uint32_t WellTop = 0xFF0E1232;
constexpr uint32_t WellBottom = 0xFF1E2456;
// The high-score table headers start in the easy table's sea green, the colour the game gives
// them whenever the easy table shows.
constexpr uint32_t EasyTableTop = 0xFF2FA38C;
constexpr uint32_t EasyTableBottom = 0xFF1A6A64;

std::string Lower(std::string Text) {
    return LowerAscii(Text);
}

// The GUI hands its font, fill and colour values to the canvas unchanged, and the canvas
// reads red from the lowest byte. The palette above is written as 0xAARRGGBB, so red and
// blue trade places on the way into the file.
constexpr uint32_t CanvasOrder(uint32_t Argb) {
    return (Argb & 0xFF00FF00u) | ((Argb >> 16) & 0xFFu) | ((Argb & 0xFFu) << 16);
}

TGuiFillValue FlatFill(uint32_t Argb) {
    return TGuiFillValue::Flat(CanvasOrder(Argb));
}
TGuiFillValue VerticalFill(uint32_t Top, uint32_t Bottom) {
    return TGuiFillValue::Vertical(CanvasOrder(Top), CanvasOrder(Bottom));
}

} // namespace

std::string GameText(const std::string& Utf8) {
    return Utf8ToCp1251(Utf8);
}

TGuiLayout::TGuiLayout(TGuiResources Resources) : Resources(std::move(Resources)) {}

TGuiFontValue TGuiLayout::FontOf(const char* FontName, uint32_t Top, uint32_t Bottom) const {
    TGuiFontValue Font;
    Font.FontIndex = Resources.FontIndex(FontName);
    Font.Color = CanvasOrder(Top);
    Font.Color2 = CanvasOrder(Bottom);
    return Font;
}

int TGuiLayout::ImageFor(TUiImageRequest Request) {
    bool Known = false;
    for (const TUiImageRequest& R : Requests) {
        Known = Known || R.Name == Request.Name;
    }
    if (!Known) {
        Requests.push_back(Request);
    }
    return Resources.ImageIndex(Request.Name);
}

TGuiNode TGuiLayout::Form(const std::string& Name, int Left, int Top, int Width, int Height,
                          const std::vector<TUiInset>& Insets) {
    TGuiNode Node{"TGuiForm", {}, {}};
    std::string Image = "gui_panel_" + std::to_string(Width) + "x" + std::to_string(Height);
    if (!Insets.empty()) {
        Image = "gui_panel_" + Lower(Name);
    }
    const int Index = ImageFor({Image, TUiImageRequest::TKind::Panel, Width, Height, {}, {}, Insets});
    // No caption bar (so forms cannot be dragged) and no drawn shadow: the panel picture
    // carries its own soft shadow.
    Node.SetText("Name", Name)
        .SetInt("Left", Left)
        .SetInt("Top", Top)
        .SetInt("Width", Width)
        .SetInt("Height", Height)
        .SetText("Caption", "")
        .SetInt("CaptSize", 0)
        .SetInt("ShadowSize", 0)
        .SetInt("ImageIndex", Index)
        .SetInt("ImagePattern", 0)
        .SetFill("Bkgrnd", FlatFill(0xFFFFFFFF));
    return Node;
}

TGuiNode TGuiLayout::Button(const std::string& Name, const std::string& Caption, int Left, int Top, int Width,
                            int Height, TButtonTheme Theme, TButtonIcon Icon) {
    static const char* IconNames[] = {"", "_minus", "_plus", "_left", "_right"};
    const std::string Image =
        std::string("gui_button_") + (Theme == TButtonTheme::Orange ? "orange_" : "violet_") +
        std::to_string(Width) + "x" + std::to_string(Height) + IconNames[static_cast<int>(Icon)];
    const int Index = ImageFor({Image, TUiImageRequest::TKind::Button, Width, Height, Theme, Icon, {}});
    TGuiNode Node{"TGuiButton", {}, {}};
    // Pattern 0 normal, 1 under the mouse, 2 pressed, 3 disabled.
    Node.SetText("Name", Name)
        .SetInt("Left", Left)
        .SetInt("Top", Top)
        .SetInt("Width", Width)
        .SetInt("Height", Height)
        .SetText("Caption", GameText(Caption))
        .SetInt("ImageIndex", Index)
        .SetInt("NormalGlyph", 0)
        .SetInt("DisabledGlyph", 1)
        .SetInt("ClickedGlyph", 2)
        .SetInt("InactiveGlyph", 3)
        .SetFont("Font", FontOf(FontButton, CaptionTop, CaptionBottom))
        .SetFont("DisabledFont", FontOf(FontButton, DisabledCaptionTop, DisabledCaptionBottom));
    return Node;
}

TGuiNode TGuiLayout::Tab(const std::string& Name, const std::string& Caption, int Left, int Top, int Width,
                         int Height) {
    const std::string Image = "gui_tab_" + std::to_string(Width) + "x" + std::to_string(Height);
    const int Index = ImageFor({Image, TUiImageRequest::TKind::Tab, Width, Height, {}, {}, {}});
    TGuiNode Node = Button(Name, Caption, Left, Top, Width, Height);
    // The high-score screen picks the pattern of each tab (1 for the chosen one) itself;
    // 2 is the grey one of a disabled tab.
    Node.SetInt("ImageIndex", Index)
        .SetInt("NormalGlyph", 0)
        .SetInt("DisabledGlyph", 0)
        .SetInt("ClickedGlyph", 0)
        .SetInt("InactiveGlyph", 2);
    return Node;
}

TGuiNode TGuiLayout::Switch(const std::string& Name, int Left, int Top) {
    constexpr int Width = 104;
    constexpr int Height = 40;
    const int Index = ImageFor({"gui_switch", TUiImageRequest::TKind::Switch, Width, Height, {}, {}, {}});
    TGuiNode Node = Button(Name, "", Left, Top, Width, Height);
    // Pattern 0 reads "on", 1 "off", 2 is a disabled switch; the graphics screen sets the
    // normal, mouse-over and pressed glyphs on entry.
    Node.SetInt("ImageIndex", Index)
        .SetInt("NormalGlyph", 0)
        .SetInt("DisabledGlyph", 0)
        .SetInt("ClickedGlyph", 0)
        .SetInt("InactiveGlyph", 2);
    return Node;
}

TGuiNode TGuiLayout::Label(const std::string& Name, const std::string& Text, int Left, int Top, int Width,
                           int Height, const TGuiFontValue& Font, int Alignment) {
    TGuiNode Node{"TGuiLabel", {}, {}};
    Node.SetText("Name", Name)
        .SetInt("Left", Left)
        .SetInt("Top", Top)
        .SetInt("Width", Width)
        .SetInt("Height", Height)
        .SetText("Text", GameText(Text))
        .SetInt("Alignment", Alignment, gkAlignment)
        .SetFont("Font", Font)
        .SetFont("DisabledFont", Font);
    return Node;
}

TGuiNode TGuiLayout::Title(const std::string& Text, int Width) {
    return Label("", Text, 16, 12, Width - 32, 40, FontOf(FontTitle, TitleTop, TitleBottom), AlignCentre);
}

TGuiNode TGuiLayout::Edit(const std::string& Name, int Left, int Top, int Width, int Height, int MaxLength) {
    TGuiNode Node{"TGuiEdit", {}, {}};
    Node.SetText("Name", Name)
        .SetInt("Left", Left)
        .SetInt("Top", Top)
        .SetInt("Width", Width)
        .SetInt("Height", Height)
        .SetFill("Bkgrnd", VerticalFill(WellTop, WellBottom))
        .SetFill("Border", FlatFill(Gold))
        .SetFont("Font", FontOf(FontText, TextTop, TextBottom))
        .SetFont("DisabledFont", FontOf(FontText, DisabledTop, DisabledBottom))
        .SetFill("Selector", FlatFill(0xA0FFB020))
        .SetInt("TextAdjust", 0)
        .SetInt("MaxLength", MaxLength)
        .SetText("Text", "");
    return Node;
}

TGuiNode TGuiLayout::Gauge(const std::string& Name, int Left, int Top, int Width, int Height) {
    TGuiNode Node{"TGuiGauge", {}, {}};
    Node.SetText("Name", Name)
        .SetInt("Left", Left)
        .SetInt("Top", Top)
        .SetInt("Width", Width)
        .SetInt("Height", Height)
        .SetFill("Bkgrnd", VerticalFill(WellTop, WellBottom))
        .SetFill("Border", FlatFill(Gold))
        .SetFill("Selected", VerticalFill(0xFFFFD860, 0xFFE8700E))
        .SetFont("Font", FontOf(FontSmall, TextTop, TextBottom))
        .SetFont("DisabledFont", FontOf(FontSmall, DisabledTop, DisabledBottom))
        .SetText("Caption", "")
        .SetInt("MinValue", 0)
        .SetInt("MaxValue", VolumeMax)
        .SetInt("Theta", VolumeMax)
        .SetBool("ShowText", false);
    return Node;
}

TGuiNode TGuiLayout::MainMenu() {
    TGuiNode F = Form("scr_mainmenu", 450, 168, 300, 424);
    // "Привет, " and a name of up to twelve letters must fit on one line, even twelve of the
    // widest letter (Ж), which takes 266 pixels at the text font.
    F.Add(Label("hello", N_("Привет!"), 8, 14, 284, 36, FontOf(FontText, TitleTop, TitleBottom), AlignCentre));
    F.Add(Button("b_mainmenu_presshere", N_("Сменить игрока"), 50, 54, 200, 36, TButtonTheme::Violet));
    F.Add(Button("b_mainmenu_startgame", N_("Новая игра"), 30, 104, 240, 48));
    F.Add(Button("b_mainmenu_highscore", N_("Рекорды"), 30, 158, 240, 48));
    F.Add(Button("b_mainmenu_options", N_("Настройки"), 30, 212, 240, 48));
    F.Add(Button("b_mainmenu_help", N_("Помощь"), 30, 266, 240, 48));
    F.Add(Button("b_mainmenu_exit", N_("Выход"), 30, 320, 240, 48, TButtonTheme::Violet));
    F.Add(Button("b_mainmenu_logo", N_("Наш сайт"), 80, 376, 140, 32, TButtonTheme::Violet));
    return F;
}

TGuiNode TGuiLayout::NameEntry(const std::string& FormName, const std::string& TitleText,
                               const std::string& EditName, const std::string& ButtonName,
                               const std::string& Caption) {
    TGuiNode F = Form(FormName, 400, 210, 360, 216);
    F.Add(Title(TitleText, 360));
    F.Add(
        Label("", N_("Введите ваше имя:"), 30, 58, 300, 28, FontOf(FontText, TextTop, TextBottom), AlignCentre));
    F.Add(Edit(EditName, 50, 94, 260, 34, NameMaxLength));
    F.Add(Button(ButtonName, Caption, 110, 148, 140, 44));
    return F;
}

TGuiNode TGuiLayout::ChangePlayer() {
    TGuiNode F = Form("scr_change", 380, 160, 400, 410);
    F.Add(Title(N_("Выбор игрока"), 400));
    // Shown over the list while it is empty; the first child is drawn on top.
    TGuiNode Empty = Label("players_empty", N_("Игроков пока нет. Нажмите «Новый», чтобы создать игрока."), 60, 150,
                           280, 72, FontOf(FontText, TextTop, TextBottom), AlignCentre);
    Empty.SetBool("WordWrap", true).SetBool("Visible", false);
    F.Add(std::move(Empty));
    TGuiNode List{"TGuiListBox", {}, {}};
    // 26-point rows: all ten profiles fit without the scroll bar.
    List.SetText("Name", "players")
        .SetInt("Left", 50)
        .SetInt("Top", 60)
        .SetInt("Width", 300)
        .SetInt("Height", 266)
        .SetFill("Bkgrnd", VerticalFill(WellTop, WellBottom))
        .SetFill("Selected", FlatFill(0xFF343E86))
        .SetFont("Font", FontOf(FontText, TextTop, TextBottom))
        .Set("Items", gkStrings, "")
        .SetInt("ItemSize", 26)
        .SetFill("Indexed", VerticalFill(0xFFFFBC4A, 0xFFE86A10))
        .SetFont("IndexedFont", FontOf(FontButton, CaptionTop, CaptionBottom))
        .SetInt("BorderColor", CanvasOrder(Gold), gkColor)
        .SetFill("ScrollButton", VerticalFill(0xFFFFC860, 0xFFE07818))
        .SetFill("ScrollFill", FlatFill(0xFF232A60))
        .SetFill("ScrollPressed", VerticalFill(0xFFE07818, 0xFFFFC860))
        .SetInt("ScrollArrow", CanvasOrder(0xFF3A1A04), gkColor);
    F.Add(std::move(List));
    F.Add(Button("b_change_create", N_("Новый"), 20, 344, 114, 44));
    F.Add(Button("b_change_delete", N_("Удалить"), 143, 344, 114, 44, TButtonTheme::Violet));
    F.Add(Button("b_change_back", N_("Готово"), 266, 344, 114, 44));
    return F;
}

TGuiNode TGuiLayout::DeletePlayer() {
    TGuiNode F = Form("scr_delete", 400, 220, 360, 190);
    F.Add(Title(N_("Удалить игрока?"), 360));
    F.Add(Label("delete_name", "", 20, 58, 320, 34, FontOf(FontButton, CaptionTop, CaptionBottom),
                AlignCentre));
    F.Add(Button("b_delete_yes", N_("Да"), 40, 124, 130, 44));
    F.Add(Button("b_delete_no", N_("Нет"), 190, 124, 130, 44, TButtonTheme::Violet));
    return F;
}

// The panel starts right of Lirra, the girl beside the captain on the menu screen, and
// reaches the screen's right edge; the intro runs on one line across the whole panel.
TGuiNode TGuiLayout::Help() {
    constexpr int Left = 298;
    constexpr int Top = 170;
    constexpr int Width = 498;
    constexpr int ButtonLeft = 326;
    TGuiNode F = Form("scr_help", Left, Top, Width, 430,
                      {{HelpPageX - Left, HelpPageY - Top, HelpPageWidth, HelpPageHeight}});
    F.Add(Title(N_("Помощь"), Width));
    F.Add(Label("", N_("Правила игры и советы капитана Зибо"), 24, 60, Width - 48, 30,
                FontOf(FontText, TextTop, TextBottom), AlignCentre));
    F.Add(Button("b_help_previous", N_("« Назад"), ButtonLeft, 160, 160, 46));
    F.Add(Button("b_help_next", N_("Далее »"), ButtonLeft, 216, 160, 46));
    F.Add(Button("b_help_back", N_("В меню"), ButtonLeft, 362, 160, 46, TButtonTheme::Violet));
    return F;
}

TGuiNode TGuiLayout::Options() {
    TGuiNode F = Form("scr_options", 450, 200, 300, 314);
    F.Add(Title(N_("Настройки"), 300));
    F.Add(Button("b_options_sound", N_("Звук"), 30, 66, 240, 48));
    F.Add(Button("b_options_graphics", N_("Графика"), 30, 120, 240, 48));
    F.Add(Button("b_options_back", N_("В меню"), 30, 190, 240, 48, TButtonTheme::Violet));
    // The language switch names the language on show, in that language; a click takes the next.
    F.Add(Button("b_options_language", N_("Язык: Русский"), 30, 248, 240, 48));
    return F;
}

TGuiNode TGuiLayout::Sound() {
    TGuiNode F = Form("scr_sound", 400, 200, 360, 300);
    const TGuiFontValue Text = FontOf(FontText, TextTop, TextBottom);
    F.Add(Title(N_("Звук"), 360));
    F.Add(Label("", N_("Музыка"), 24, 58, 312, 26, Text, AlignCentre));
    F.Add(Button("b_sound_musicmin", "", 24, 88, 44, 44, TButtonTheme::Orange, TButtonIcon::Minus));
    F.Add(Gauge("bar_music", 78, 98, 204, 24));
    F.Add(Button("b_sound_musicmax", "", 292, 88, 44, 44, TButtonTheme::Orange, TButtonIcon::Plus));
    F.Add(Label("", N_("Звуковые эффекты"), 24, 144, 312, 26, Text, AlignCentre));
    F.Add(Button("b_sound_fxmin", "", 24, 174, 44, 44, TButtonTheme::Orange, TButtonIcon::Minus));
    F.Add(Gauge("bar_fx", 78, 184, 204, 24));
    F.Add(Button("b_sound_fxmax", "", 292, 174, 44, 44, TButtonTheme::Orange, TButtonIcon::Plus));
    F.Add(Button("b_sound_back", N_("Назад"), 110, 236, 140, 44, TButtonTheme::Violet));
    return F;
}

TGuiNode TGuiLayout::Graphics() {
    TGuiNode F = Form("scr_graphics", 400, 200, 360, 310);
    const TGuiFontValue Text = FontOf(FontText, TextTop, TextBottom);
    F.Add(Title(N_("Графика"), 360));
    F.Add(Label("", N_("Полный экран"), 28, 70, 200, 40, Text, AlignLeft));
    F.Add(Switch("b_fullscreen", 228, 70));
    F.Add(Label("", N_("Сглаживание"), 28, 124, 200, 40, Text, AlignLeft));
    F.Add(Switch("b_antialias", 228, 124));
    F.Add(Label("", N_("Автоподсказка"), 28, 178, 200, 40, Text, AlignLeft));
    F.Add(Switch("b_autohint", 228, 178));
    F.Add(Button("b_graphics_back", N_("Назад"), 110, 244, 140, 44, TButtonTheme::Violet));
    return F;
}

TGuiNode TGuiLayout::HighScores() {
    TGuiNode F = Form("scr_highscore", 330, 155, 450, 436);
    F.Add(Title(N_("Рекорды"), 450));
    F.Add(Tab("b_highscore_easy", N_("Легко"), 29, 54, 128, 40));
    F.Add(Tab("b_highscore_medium", N_("Средне"), 161, 54, 128, 40));
    F.Add(Tab("b_highscore_hard", N_("Сложно"), 293, 54, 128, 40));
    const TGuiFontValue Header = FontOf(FontText, CaptionTop, CaptionBottom);
    const struct {
        const char* Name;
        const char* Text;
        int Left, Width, Alignment;
    } Columns[] = {// TRANSLATORS: the heading of the column of places (1 to 10) in the score table.
                   {"t1", N_("№"), 24, 50, AlignCentre},
                   {"t2", N_("Имя"), 78, 230, AlignLeft},
                   {"t3", N_("Очки"), 312, 114, AlignRight}};
    for (const auto& C : Columns) {
        TGuiNode Head = Label(C.Name, C.Text, C.Left, 98, C.Width, 26, Header, C.Alignment);
        Head.SetFill("Bkgrnd", VerticalFill(EasyTableTop, EasyTableBottom));
        F.Add(std::move(Head));
    }
    const TGuiFontValue Row = FontOf(FontText, TextTop, TextBottom);
    const TGuiFontValue Place = FontOf(FontText, TitleTop, TitleBottom);
    for (int i = 1; i <= 10; ++i) {
        const int Top = 128 + 23 * (i - 1);
        const std::string N = std::to_string(i);
        F.Add(Label("n" + N, N, 24, Top, 50, 22, Place, AlignCentre));
        F.Add(Label("name" + N, "", 78, Top, 230, 22, Row, AlignLeft));
        F.Add(Label("score" + N, "", 312, Top, 114, 22, Row, AlignRight));
    }
    F.Add(Button("b_highscore_clear", N_("Очистить"), 20, 372, 128, 44, TButtonTheme::Violet));
    F.Add(Button("b_highscore_view", N_("Онлайн"), 161, 372, 128, 44));
    F.Add(Button("b_highscore_back", N_("В меню"), 302, 372, 128, 44));
    return F;
}

TGuiNode TGuiLayout::Question(const std::string& FormName, int Left, int Top, const std::string& TitleText,
                              const std::string& Text, const std::string& Yes, const std::string& No, int Width) {
    TGuiNode F = Form(FormName, Left, Top, Width, 190);
    F.Add(Title(TitleText, Width));
    TGuiNode Body =
        Label("", Text, 24, 56, Width - 48, 56, FontOf(FontText, TextTop, TextBottom), AlignCentre);
    Body.SetBool("WordWrap", true);
    F.Add(std::move(Body));
    // "Да" and "Нет" stand 20 pixels apart about the middle.
    F.Add(Button(Yes, N_("Да"), Width / 2 - 140, 124, 130, 44));
    F.Add(Button(No, N_("Нет"), Width / 2 + 10, 124, 130, 44, TButtonTheme::Violet));
    return F;
}

TGuiNode TGuiLayout::ChooseDifficulty() {
    TGuiNode F = Form("scr_choosedif", 450, 180, 300, 316);
    F.Add(Title(N_("Сложность"), 300));
    F.Add(Button("b_choosedif_easy", N_("Легко"), 30, 64, 240, 48));
    F.Add(Button("b_choosedif_medium", N_("Средне"), 30, 118, 240, 48));
    F.Add(Button("b_choosedif_hard", N_("Сложно"), 30, 172, 240, 48));
    F.Add(Button("b_choosedif_back", N_("Назад"), 30, 246, 240, 48, TButtonTheme::Violet));
    return F;
}

TGuiNode TGuiLayout::LevelMix() {
    // Only as large as its button, so the form never catches clicks meant for the board; it
    // sits in the free corner right of the lower panel, below the monster.
    TGuiNode F{"TGuiForm", {}, {}};
    F.SetText("Name", "scr_LevelMix")
        .SetInt("Left", 628)
        .SetInt("Top", 546)
        .SetInt("Width", 160)
        .SetInt("Height", 40)
        .SetText("Caption", "")
        .SetInt("CaptSize", 0)
        .SetInt("ShadowSize", 0)
        .SetInt("ImageIndex", -1);
    F.Add(Button("b_Mix", N_("Перемешать"), 0, 0, 160, 40));
    return F;
}

TGuiNode TGuiLayout::GameOver() {
    TGuiNode F = Form("scr_gameover", 230, 250, 340, 106);
    F.Add(Title(N_("Время вышло!"), 340));
    F.Add(Label("", N_("Игра окончена"), 20, 54, 300, 28, FontOf(FontText, TextTop, TextBottom), AlignCentre));
    return F;
}

TGuiNode TGuiLayout::StageComplete() {
    // The level target flies to (353, 283) and rests there at full size under the counted
    // score; once every second is counted it flies on to the lower panel, and "Далее" comes
    // up in the place it left, so the form never shows an empty hollow. The form stands over
    // the board's middle, clear of the captain's face at the left and the monster at the right.
    constexpr int Left = 238;
    constexpr int Top = LevelTargetY - 136;
    constexpr int TargetMiddle = LevelTargetY - Top + LevelTargetSize / 2;
    static_assert(LevelTargetX - Left + LevelTargetSize / 2 == 160, "the target rests in the form's middle");
    TGuiNode F = Form("scr_stagecomplete", Left, Top, 320, 240);
    F.Add(Title(N_("Этап пройден!"), 320));
    F.Add(Label("", N_("Счёт"), 20, 50, 280, 22, FontOf(FontText, TextTop, TextBottom), AlignCentre));
    F.Add(Label("sc_score", "0", 20, 70, 280, 56, FontOf(FontHeading, TitleTop, TitleBottom), AlignCentre));
    F.Add(Button("b_stagecomplete_next", N_("Далее"), 90, TargetMiddle - 22, 140, 44));
    return F;
}

TGuiNode TGuiLayout::YourScore() {
    TGuiNode F = Form("scr_yourscoreis", 230, 200, 340, 210);
    F.Add(Title(N_("Ваш результат"), 340));
    F.Add(Label("yourscore", "0", 20, 58, 300, 60, FontOf(FontHeading, TitleTop, TitleBottom), AlignCentre));
    F.Add(Button("b_yourscore_next", N_("Далее"), 100, 146, 140, 44));
    return F;
}

TGuiNode TGuiLayout::Country() {
    TGuiNode F = Form("scr_ycountry", 230, 200, 340, 206);
    F.Add(Title(N_("Ваша страна"), 340));
    F.Add(
        Label("", N_("Откуда вы играете?"), 20, 54, 300, 28, FontOf(FontText, TextTop, TextBottom), AlignCentre));
    F.Add(Edit("e_ycountry", 30, 88, 280, 34, CountryMaxLength));
    F.Add(Button("b_ycountry_next", N_("Далее"), 100, 142, 140, 44));
    return F;
}

TGuiNode TGuiLayout::SpeechPanel() {
    // Rests at Left 222 over the board once it has slid in from the right edge.
    TGuiNode F = Form("scr_SpeechPanel", 222, 136, 560, 360);
    const TGuiFontValue Story = FontOf(FontMedium, 0xFFFFFFFF, 0xFFFFF0B8);
    for (int i = 1; i <= 9; ++i) {
        F.Add(
            Label("Speech_Label" + std::to_string(i), "", 24, 24 + 30 * (i - 1), 512, 28, Story, AlignLeft));
    }
    F.Add(Button("b_SpeechPanel_Skip", N_("Пропустить"), 24, 300, 160, 44, TButtonTheme::Violet));
    F.Add(Button("b_SpeechPanel_Next", N_("Далее"), 376, 300, 160, 44));
    return F;
}

TGuiNode TGuiLayout::HowToPlay() {
    constexpr int Left = 228;
    constexpr int Top = 150;
    TGuiNode F = Form("scr_howtoplay", Left, Top, 340, 396,
                      {{HowToPlayX - Left, HowToPlayY - Top, HelpPageWidth, HelpPageHeight}});
    F.Add(Label("", N_("Как играть"), 16, 10, 308, 40, FontOf(FontTitle, TitleTop, TitleBottom), AlignCentre));
    TGuiNode Previous = Button("b_howtoplay_previous", N_("« Назад"), 16, 332, 100, 44, TButtonTheme::Violet);
    Previous.SetBool("Visible", false);
    F.Add(std::move(Previous));
    F.Add(Button("b_howtoplay_next", N_("Далее »"), 120, 332, 100, 44));
    F.Add(Button("b_howtoplay_start", N_("Играть!"), 224, 332, 100, 44));
    return F;
}

TGuiNode TGuiLayout::MessageBox() {
    // The game's own message box, over every other form: the game's name as its title, the
    // message (filled in by the game, up to six lines) and one button.
    TGuiNode F = Form("scr_message", 170, 170, 460, 260);
    F.Add(Title(N_("Капитан Зибо"), 460));
    TGuiNode Text = Label("message_text", "", 24, 56, 412, 132, FontOf(FontText, TextTop, TextBottom), AlignCentre);
    Text.SetBool("WordWrap", true);
    F.Add(std::move(Text));
    F.Add(Button("b_message_ok", N_("ОК"), 160, 198, 140, 44));
    // Added last, so drawn first: a dark veil inside the panel's rim keeps the forms behind the
    // box from showing through its translucent panel.
    TGuiNode Veil = Label("", "", 8, 8, 444, 244, FontOf(FontText, TextTop, TextBottom), AlignCentre);
    Veil.SetFill("Bkgrnd", FlatFill(0xA0181848));
    F.Add(std::move(Veil));
    return F;
}

std::vector<TGuiNode> TGuiLayout::Build() {
    Requests.clear();
    std::vector<TGuiNode> Forms = {
        Question("scr_exittomm", 220, 220, N_("В главное меню?"), N_("Текущая игра будет прервана."), "b_exitmm_yes",
                 "b_exitmm_no"),
        NameEntry("scr_entername", N_("Добро пожаловать!"), "edit_name1", "b_entername_create", N_("Готово")),
        MainMenu(),
        Help(),
        Options(),
        HighScores(),
        Question("scr_clear", 400, 230, N_("Очистить рекорды?"), N_("Все три таблицы рекордов будут сброшены."),
                 "b_clear_yes", "b_clear_no"),
        Question("scr_exitgame", 400, 230, N_("Выход"), N_("Вы действительно хотите выйти из игры?"), "b_exit_yes",
                 "b_exit_no"),
        LevelMix(),
        GameOver(),
        ChooseDifficulty(),
        StageComplete(),
        NameEntry("scr_create", N_("Новый игрок"), "edit_name", "b_create_create", N_("Создать")),
        ChangePlayer(),
        DeletePlayer(),
        YourScore(),
        // Its title needs the wider form: at the title font it is 340 pixels long. A no-break
        // space keeps "в" with "Интернете" when the question wraps.
        Question("scr_sendscore", 200, 220, N_("Отправить результат?"),
                 N_("Отправить ваш счёт в таблицу рекордов в Интернете?"), "b_sendscore_yes", "b_sendscore_no", 400),
        Sound(),
        Graphics(),
        Country(),
        SpeechPanel(),
        HowToPlay(),
        MessageBox(),
    };
    // Every screen starts hidden; its enter handler shows it. Unnamed decorations get a
    // name of their own form so every name in the file is unique.
    for (TGuiNode& F : Forms) {
        F.SetBool("Visible", false);
        int Counter = 0;
        for (TGuiNode& Child : F.Children) {
            if (!Child.ControlName().empty()) {
                continue;
            }
            const std::string Name = F.ControlName() + "_text" + std::to_string(++Counter);
            for (TGuiProperty& P : Child.Properties) {
                if (P.Name == "Name") {
                    P.Text = Name;
                }
            }
        }
    }
    return Forms;
}
