// SPDX-License-Identifier: MIT
#include "content/characters/HelpPages.h"

#include "content/FontFace.h"
#include "content/characters/CharacterPaint.h"
#include "content/characters/HeroFace.h"
#include "platform/Text.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace HelpPages {

using namespace CharacterPaint;

namespace {

constexpr double Pi = std::numbers::pi;
constexpr uint32_t Ink = 0xFF22102E;
constexpr double Margin = 14;
constexpr double TitleSize = 18;
constexpr double TextSize = 12.5;
constexpr double LineHeight = 15.5;
// The illustration band under the title.
constexpr double ArtTop = 40;
constexpr double ArtHeight = 96;
constexpr double TextTop = ArtTop + ArtHeight + 18;
// The text's lines end above the page number in the bottom corner.
constexpr int MaxBodyLines = 6;

struct TPageText {
    const char* Title;
    const char* Body;
};

// The pages' words in Russian; each picture language draws its translation.
constexpr TPageText Texts[Pages] = {
    {N_("История"), N_("Злые монстры схватили капитана Зибо! Помоги ему вырваться на свободу: пройди 16 "
                       "уровней и перехитри четырёх монстров, по одному на каждую главу.")},
    {N_("Как играть"),
     N_("Поменяй местами две соседние фишки, чтобы собрать ряд из трёх или больше "
        "одинаковых. Ряд взрывается, фишки сверху падают вниз, а новые появляются сверху.")},
    {N_("Цель уровня"), N_("Под некоторыми фишками лежат плитки. Взрывай ряды над ними, чтобы убрать все "
                           "плитки, пока не кончилось время. Шкала внизу показывает, сколько уже сделано.")},
    {N_("Управление"), N_("Щёлкни фишку, а затем соседнюю: они поменяются местами. P или F1 — пауза, "
                          "Esc — выход в меню. Нет ходов? Нажми «Перемешать».")},
    {N_("Цепочки и очки"), N_("Ряды, собранные упавшими фишками, продолжают цепочку и приносят больше "
                              "очков. Время, оставшееся в конце уровня, тоже превращается в очки.")},
    {N_("Часы и монеты"), N_("Фишка с часами добавляет 20 секунд ко времени уровня. Фишка с монетой "
                             "приносит 50 очков. Взорви их в ряду!")},
    {N_("Динамит"),
     N_("Когда фишка с динамитом взрывается в ряду, она взрывает и все восемь соседних фишек.")},
    {N_("Звезда"), N_("Звезда взрывает пять случайных фишек на поле. Каждая из них может лежать на плитке.")},
    {N_("Молния"), N_("Молния взрывает всю строку поля, в которой лежит её фишка.")},
    {N_("Энергошар"), N_("Энергошар взрывает весь столбец поля, в котором лежит его фишка.")},
    {N_("Двойные очки"), N_("Бонус x2 ещё раз начисляет все очки, набранные в этой цепочке.")},
    {N_("Радуга"), N_("Радуга взрывает на поле все фишки того же вида, что и её фишка.")},
    {N_("Перемешивание"), N_("Этот бонус заменяет все фишки поля новыми. Плитки остаются на своих местах.")},
};

// Breaks Text into lines no wider than Width in the current font.
std::vector<std::string> WrapText(cairo_t* cr, const std::string& Text, double Width) {
    std::vector<std::string> lines;
    std::string line;
    size_t start = 0;
    while (start < Text.size()) {
        size_t end = Text.find(' ', start);
        if (end == std::string::npos) {
            end = Text.size();
        }
        const std::string word = Text.substr(start, end - start);
        const std::string candidate = line.empty() ? word : line + " " + word;
        if (!line.empty() && TextWidth(cr, candidate.c_str()) > Width) {
            lines.push_back(line);
            line = word;
        } else {
            line = candidate;
        }
        start = end + 1;
    }
    if (!line.empty()) {
        lines.push_back(line);
    }
    return lines;
}

void Card(cairo_t* cr) {
    RoundedRectPath(cr, 2, 2, Width - 4, Height - 4, 16);
    FillVertical(cr, 0xF0263A7A, 0xF0181E48, 2, Height - 2);
    Outline(cr, 3, 0xFFFFD86A);
    RoundedRectPath(cr, Margin - 4, ArtTop - 4, Width - 2 * Margin + 8, ArtHeight + 8, 10);
    FillVertical(cr, 0x60FFFFFF, 0x20FFFFFF, ArtTop, ArtTop + ArtHeight);
    cairo_new_path(cr);
}

void Title(cairo_t* cr, const TFontFace& Bold, const std::string& Text) {
    Bold.Select(cr, TitleSize);
    RequireFit(cr, Text, Width - 2 * Margin, "help page title");
    CentredTextPath(cr, Text, Width / 2.0 + 1.5, 28 + 1.5);
    SetColour(cr, 0xA0000010);
    cairo_fill(cr);
    CentredTextPath(cr, Text, Width / 2.0, 28);
    FillVertical(cr, 0xFFFFF2A0, 0xFFFFB830, 14, 30);
    cairo_new_path(cr);
}

void Body(cairo_t* cr, const TFontFace& Regular, const std::string& Text) {
    Regular.Select(cr, TextSize);
    const std::vector<std::string> lines = WrapText(cr, Text, Width - 2 * Margin);
    if (lines.size() > MaxBodyLines) {
        throw TTextTooWide("help page text: \"" + Text + "\" takes " + std::to_string(lines.size()) +
                           " lines, the page has room for " + std::to_string(MaxBodyLines));
    }
    double y = TextTop;
    for (const std::string& line : lines) {
        // A single word longer than the line is all a line can hold.
        RequireFit(cr, line, Width - 2 * Margin, "help page text");
        cairo_move_to(cr, Margin, y);
        cairo_show_text(cr, line.c_str());
        y += LineHeight;
    }
}

// Draws pattern 0 of a registered image centred on (X, Y) at Size pixels across, or a
// plain stand-in circle of Fallback colour when the image is not there.
void Stamp(cairo_t* cr, const TManifest& Manifest, const char* Name, double X, double Y, double Size,
           uint32_t Fallback) {
    const TManifestImage* image = Manifest.FindImage(Name);
    if (image == nullptr || image->Patterns.empty()) {
        EllipsePath(cr, X, Y, Size * 0.42, Size * 0.42);
        FillLit(cr, Fallback, X, Y, Size * 0.42);
        Outline(cr, 2, Ink);
        return;
    }
    const TPicture& picture = image->Patterns.front();
    const double scale = Size / std::max(picture.Width(), picture.Height());
    PaintPicture(cr, picture, X - picture.Width() * scale / 2, Y - picture.Height() * scale / 2, scale);
}

void Piece(cairo_t* cr, const TManifest& Manifest, int Kind, double X, double Y, double Size) {
    if (Kind < 0 || Kind > 4) {
        return;
    }
    static constexpr const char* names[] = {"RedCircle.piece", "BlueHexagon.piece", "YellowSquare.piece",
                                            "GreenCircle.piece", "PurplePentagon.piece"};
    static constexpr uint32_t colours[] = {0xFFE83A3A, 0xFF3A6AE8, 0xFFFFD83A, 0xFF3AC85A, 0xFFA04AE8};
    Stamp(cr, Manifest, names[Kind % 5], X, Y, Size, colours[Kind % 5]);
}

constexpr double ArtMiddleY = ArtTop + ArtHeight / 2;
constexpr double Cell = 30;

// A little piece of board: Kinds holds one digit (a piece kind 0..4) per cell row by row;
// Marks holds per cell '.' plain, 'x' blown up by the bonus, 't' a tile underneath,
// 'b' the cell that carries Bonus.
struct TMiniBoard {
    int Columns;
    int Rows;
    const char* Kinds;
    const char* Marks;
    const char* Bonus = nullptr;
};

void BlastGlow(cairo_t* cr, double X, double Y) {
    RoundedRectPath(cr, X - Cell / 2 + 1, Y - Cell / 2 + 1, Cell - 2, Cell - 2, 6);
    FillVertical(cr, 0xE0FFD040, 0xE0FF6A20, Y - Cell / 2, Y + Cell / 2);
    cairo_new_path(cr);
    cairo_pattern_t* glow = cairo_pattern_create_radial(X, Y, 2, X, Y, Cell * 0.75);
    cairo_pattern_add_color_stop_rgba(glow, 0, 1, 0.95, 0.5, 0.95);
    cairo_pattern_add_color_stop_rgba(glow, 1, 1, 0.6, 0.1, 0);
    cairo_set_source(cr, glow);
    cairo_arc(cr, X, Y, Cell * 0.75, 0, 2 * Pi);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
}

void MiniCell(cairo_t* cr, const TManifest& Manifest, const TMiniBoard& Board, int Index, double X, double Y,
              int Pass) {
    const char mark = Board.Marks[Index];
    if (Pass == 0) {
        if (mark == 't') {
            RoundedRectPath(cr, X - Cell / 2 + 1, Y - Cell / 2 + 1, Cell - 2, Cell - 2, 5);
            FillVertical(cr, 0xFFC8A878, 0xFF8A6A48, Y - Cell / 2, Y + Cell / 2);
            Outline(cr, 1.2, Ink);
        }
        if (mark == 'x' || mark == 'b') {
            BlastGlow(cr, X, Y);
        }
        return;
    }
    Piece(cr, Manifest, Board.Kinds[Index] - '0', X, Y, Cell - 4);
    if (mark == 'b' && Board.Bonus != nullptr) {
        Stamp(cr, Manifest, Board.Bonus, X, Y, Cell * 0.8, 0xFFFFD83A);
    }
}

void MiniBoard(cairo_t* cr, const TManifest& Manifest, const TMiniBoard& Board,
               double CentreX = Width / 2.0) {
    const double x0 = CentreX - Cell * Board.Columns / 2.0;
    const double y0 = ArtMiddleY - Cell * Board.Rows / 2.0;
    RoundedRectPath(cr, x0 - 3, y0 - 3, Cell * Board.Columns + 6, Cell * Board.Rows + 6, 6);
    SetColour(cr, 0x70101030);
    cairo_fill(cr);
    // Tiles and glows first, so no glow covers a neighbouring piece.
    for (int pass = 0; pass < 2; ++pass) {
        for (int r = 0; r < Board.Rows; ++r) {
            for (int col = 0; col < Board.Columns; ++col) {
                const int i = r * Board.Columns + col;
                const double x = x0 + Cell * (col + 0.5);
                const double y = y0 + Cell * (r + 0.5);
                MiniCell(cr, Manifest, Board, i, x, y, pass);
            }
        }
    }
}

// Gold text with a dark edge, centred on (X, Y), at most Area pixels wide.
void Label(cairo_t* cr, const TFontFace& Bold, const std::string& Text, double X, double Y, double Size,
           double Area) {
    Bold.Select(cr, Size);
    RequireFit(cr, Text, Area, "help picture label");
    CentredTextPath(cr, Text, X, Y);
    cairo_set_line_width(cr, 3.5);
    SetColour(cr, Ink);
    cairo_stroke_preserve(cr);
    FillVertical(cr, 0xFFFFF2A0, 0xFFFFB830, Y - Size, Y);
    cairo_new_path(cr);
}

void Keycap(cairo_t* cr, const TFontFace& Bold, const char* Text, double X, double Y, double W) {
    RoundedRectPath(cr, X - W / 2, Y - 15, W, 30, 6);
    FillVertical(cr, 0xFFFFFFFF, 0xFFC0C8E0, Y - 15, Y + 15);
    Outline(cr, 2, Ink);
    Bold.Select(cr, 13);
    CentredTextPath(cr, Text, X, Y + 5);
    SetColour(cr, Ink);
    cairo_fill(cr);
}

void Arrow(cairo_t* cr, double X0, double Y0, double X1, double Y1) {
    const double a = std::atan2(Y1 - Y0, X1 - X0);
    cairo_move_to(cr, X0, Y0);
    cairo_line_to(cr, X1, Y1);
    cairo_move_to(cr, X1 - 8 * std::cos(a - 0.5), Y1 - 8 * std::sin(a - 0.5));
    cairo_line_to(cr, X1, Y1);
    cairo_line_to(cr, X1 - 8 * std::cos(a + 0.5), Y1 - 8 * std::sin(a + 0.5));
    Outline(cr, 5, Ink);
    cairo_move_to(cr, X0, Y0);
    cairo_line_to(cr, X1, Y1);
    cairo_move_to(cr, X1 - 8 * std::cos(a - 0.5), Y1 - 8 * std::sin(a - 0.5));
    cairo_line_to(cr, X1, Y1);
    cairo_line_to(cr, X1 - 8 * std::cos(a + 0.5), Y1 - 8 * std::sin(a + 0.5));
    Outline(cr, 2.5, 0xFFFFE04A);
}

void StoryArt(cairo_t* cr, const TManifest& Manifest, const TFontFace& Bold, const TPictureWords&) {
    (void)Manifest;
    (void)Bold;
    // The captain looking worried between two pairs of glowing monster eyes.
    cairo_save(cr);
    RoundedRectPath(cr, Margin - 4, ArtTop - 4, Width - 2 * Margin + 8, ArtHeight + 8, 10);
    cairo_clip(cr);
    cairo_translate(cr, Width / 2.0 - 8, ArtMiddleY + 4);
    cairo_scale(cr, 0.34, 0.34);
    cairo_translate(cr, -100, -270);
    HeroFace::PaintBust(cr, 5, Pi);
    cairo_restore(cr);
    for (int side = -1; side <= 1; side += 2) {
        const double x = Width / 2.0 + side * 92;
        for (int k = -1; k <= 1; k += 2) {
            EllipsePath(cr, x + k * 9, ArtMiddleY - 6, 6, 4);
            SetColour(cr, side < 0 ? 0xFFFF5A3A : 0xFFFFE04A);
            cairo_fill(cr);
        }
    }
}

void SwapArt(cairo_t* cr, const TManifest& Manifest, const TFontFace& Bold, const TPictureWords&) {
    (void)Bold;
    MiniBoard(cr, Manifest, {5, 3, "320410013223410", "..............."}, Width / 2.0);
    const double x = Width / 2.0;
    Arrow(cr, x + 10, ArtMiddleY - 6, x + 10, ArtMiddleY - Cell + 6);
    Arrow(cr, x - 10, ArtMiddleY - Cell + 6, x - 10, ArtMiddleY - 6);
}

void GoalArt(cairo_t* cr, const TManifest& Manifest, const TFontFace& Bold, const TPictureWords&) {
    MiniBoard(cr, Manifest, {5, 3, "012340123401234", ".t.t..ttt..t.t."}, Width / 2.0 - 30);
    // The progress bar filling up.
    const double x = Width / 2.0 + 62;
    RoundedRectPath(cr, x, ArtMiddleY - 40, 20, 80, 8);
    FillVertical(cr, 0xFF202040, 0xFF303060, ArtMiddleY - 40, ArtMiddleY + 40);
    Outline(cr, 2, Ink);
    RoundedRectPath(cr, x + 3, ArtMiddleY, 14, 37, 6);
    FillVertical(cr, 0xFF9AFF6A, 0xFF2AA83A, ArtMiddleY, ArtMiddleY + 37);
    cairo_new_path(cr);
    Label(cr, Bold, "60%", x + 10, ArtMiddleY - 46 + 60, 11, 40);
}

void ControlsArt(cairo_t* cr, const TManifest& Manifest, const TFontFace& Bold, const TPictureWords& Words) {
    (void)Manifest;
    // A mouse with its left button lit, and the keys.
    const double mx = 64;
    RoundedRectPath(cr, mx - 20, ArtMiddleY - 32, 40, 64, 20);
    FillVertical(cr, 0xFFFFFFFF, 0xFFB8C0D8, ArtMiddleY - 32, ArtMiddleY + 32);
    Outline(cr, 2.5, Ink);
    cairo_move_to(cr, mx - 20, ArtMiddleY - 8);
    cairo_line_to(cr, mx + 20, ArtMiddleY - 8);
    cairo_move_to(cr, mx, ArtMiddleY - 32);
    cairo_line_to(cr, mx, ArtMiddleY - 8);
    Outline(cr, 2, Ink);
    RoundedRectPath(cr, mx - 18, ArtMiddleY - 30, 17, 21, 8);
    SetColour(cr, 0xFFFFB830);
    cairo_fill(cr);
    Keycap(cr, Bold, "P", 140, ArtMiddleY - 20, 32);
    Keycap(cr, Bold, "F1", 186, ArtMiddleY - 20, 36);
    Keycap(cr, Bold, "Esc", 234, ArtMiddleY - 20, 44);
    Label(cr, Bold, Words(N_("пауза")), 163, ArtMiddleY + 22, 13, 64);
    Label(cr, Bold, Words(N_("меню")), 234, ArtMiddleY + 22, 13, 64);
}

void ChainArt(cairo_t* cr, const TManifest& Manifest, const TFontFace& Bold, const TPictureWords&) {
    MiniBoard(cr, Manifest, {5, 3, "210432114000342", "......xxx......"}, Width / 2.0 - 36);
    Arrow(cr, Width / 2.0 - 36 + Cell, ArtMiddleY - Cell - 10, Width / 2.0 - 36 + Cell, ArtMiddleY - 14);
    Label(cr, Bold, "+9", Width / 2.0 + 78, ArtMiddleY - 8, 18, 60);
    Label(cr, Bold, "+18", Width / 2.0 + 78, ArtMiddleY + 22, 18, 60);
}

void ClockMoneyArt(cairo_t* cr, const TManifest& Manifest, const TFontFace& Bold,
                   const TPictureWords& Words) {
    for (int i = 0; i < 2; ++i) {
        const double x = Width / 2.0 + (i == 0 ? -70 : 40);
        BlastGlow(cr, x, ArtMiddleY);
        Piece(cr, Manifest, i, x, ArtMiddleY, 46);
        Stamp(cr, Manifest, i == 0 ? "clock.bonus" : "money.bonus", x, ArtMiddleY, 38, 0xFFFFD83A);
        Label(cr, Bold, i == 0 ? Words(N_("+20 с")) : std::string("+50"), x + 50, ArtMiddleY + 7, 17, 56);
    }
}

// A 7 by 3 board with the bonus in the middle; Marks says which cells it blows up.
void BonusArt(cairo_t* cr, const TManifest& Manifest, const char* Bonus, const char* Marks) {
    MiniBoard(cr, Manifest, {7, 3, "012340223104133401240", Marks, Bonus});
}

void DynamiteArt(cairo_t* cr, const TManifest& Manifest, const TFontFace&, const TPictureWords&) {
    BonusArt(cr, Manifest, "dinamit.bonus", "..xxx....xbx....xxx..");
}
void StarArt(cairo_t* cr, const TManifest& Manifest, const TFontFace&, const TPictureWords&) {
    BonusArt(cr, Manifest, "star.bonus", "x....x....b.x...x..x.");
}
void FlashArt(cairo_t* cr, const TManifest& Manifest, const TFontFace&, const TPictureWords&) {
    BonusArt(cr, Manifest, "flash.bonus", ".......xxxbxxx.......");
}
void EnergyArt(cairo_t* cr, const TManifest& Manifest, const TFontFace&, const TPictureWords&) {
    BonusArt(cr, Manifest, "energy_ball.bonus", "...x......b......x...");
}
void TimesTwoArt(cairo_t* cr, const TManifest& Manifest, const TFontFace& Bold, const TPictureWords&) {
    MiniBoard(cr, Manifest, {5, 3, "012341112300124", ".....xxb.......", "x2.bonus"}, Width / 2.0 - 30);
    Label(cr, Bold, "×2", Width / 2.0 + 80, ArtMiddleY + 10, 28, 60);
}
void RainbowArt(cairo_t* cr, const TManifest& Manifest, const TFontFace&, const TPictureWords&) {
    MiniBoard(cr, Manifest, {7, 3, "012340223004133401240", "x....x...xb.....x...x", "rainbow.bonus"});
}
void MixArt(cairo_t* cr, const TManifest& Manifest, const TFontFace&, const TPictureWords&) {
    BonusArt(cr, Manifest, "mix.bonus", "xxxxxxxxxxbxxxxxxxxxx");
}

using TArtPainter = void (*)(cairo_t*, const TManifest&, const TFontFace&, const TPictureWords&);
constexpr TArtPainter Arts[Pages] = {&StoryArt,      &SwapArt,     &GoalArt, &ControlsArt, &ChainArt,
                                     &ClockMoneyArt, &DynamiteArt, &StarArt, &FlashArt,    &EnergyArt,
                                     &TimesTwoArt,   &RainbowArt,  &MixArt};

} // namespace

namespace {

// One card: the page's picture and text under TitleText, with the page number in the
// corner when Numbered.
TPicture PaintPage(int Index, const TManifest& Manifest, const TPictureWords& Words, const char* TitleText,
                   bool Numbered) {
    const TFontFace bold("DejaVuSans-Bold.ttf");
    const TFontFace regular("DejaVuSans.ttf");
    return DrawPicture(Width, Height, [&](cairo_t* cr) {
        Card(cr);
        Title(cr, bold, Words(TitleText));
        Arts[Index](cr, Manifest, bold, Words);
        SetColour(cr, 0xFFFFFFFF);
        Body(cr, regular, Words(Texts[Index].Body));
        if (!Numbered) {
            return;
        }
        regular.Select(cr, 10);
        const std::string number = std::to_string(Index + 1) + " / " + std::to_string(Pages);
        CentredTextPath(cr, number, Width - 34, Height - 10);
        SetColour(cr, 0xA0FFFFFF);
        cairo_fill(cr);
    });
}

} // namespace

TPicture Page(int Number, const TManifest& Manifest, const TPictureWords& Words) {
    const int index = std::clamp(Number, 1, Pages) - 1;
    return PaintPage(index, Manifest, Words, Texts[index].Title, true);
}

TPicture HowToPlayCard(int Number, const TManifest& Manifest, const TPictureWords& Words) {
    // The overlay is headed "Как играть" itself, so the first card names its rule instead;
    // the cards belong to no book and carry no page numbers.
    if (Number <= 1) {
        return PaintPage(1, Manifest, Words, N_("Собери ряд"), false);
    }
    return PaintPage(2, Manifest, Words, Texts[2].Title, false);
}

} // namespace HelpPages
