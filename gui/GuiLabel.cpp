// SPDX-License-Identifier: MIT
#include "gui/GuiLabel.h"

#include "gui/GuiContext.h"
#include "gui/GuiValue.h"

#include <cmath>

namespace {

constexpr uint32_t Id = TGuiControl::IdOwn;
constexpr uint32_t IdText = Id + 0;
constexpr uint32_t IdProgressive = Id + 5;
constexpr TGuiPropertyInfo LabelProperties[] = {
    {"Text", pkString, Id + 0, "The text that will be displayed"},
    {"WordWrap", pkBoolean, Id + 1, "Whether the text can be wrapped to appear on multiple lines."},
    {"TextAdjust", pkInteger, Id + 2, "The vertical adjustment of visible text"},
    {"Alignment", pkAlignment, Id + 3, "The horizontal alignment of text"},
    {"LineSpacing", pkInteger, Id + 4, "The space in pixels between text lines"},
    {"Progressive", pkBoolean, Id + 5, "Whether to show text as if it was typed by machine"},
    {"ShowDelay", pkInteger, Id + 6, "The typing delay for displaying progressive text"},
};

bool IsSeparator(char C) {
    return C == 8 || C == 13 || C == 32;
}

} // namespace

TGuiLabel::TGuiLabel(TGuiControl* Parent) : TGuiControl(Parent) {
    SetTypeName("TGuiLabel", "TGuiLabel is an advanced component that displays text.");
    AddStandardProperty("Bkgrnd");
    AddStandardProperty("Border");
    AddStandardProperty("Font");
    AddStandardProperty("DisabledFont");
    AddProperties(LabelProperties);
    Bind(Id + 1, &WordWrap);
    Bind(Id + 2, TGuiOffset{&TextAdjust});
    Bind(Id + 3, &Alignment);
    Bind(Id + 4, &LineSpacing);
    Bind(Id + 6, &ShowDelay);
    SetBounds(0, 0, 100, 20);
    DrawFx = 1284;
    Bkgrnd = TGuiFill::All(0xFFFFFFFF, false);
    Border = TGuiFill::All(0xFFB99D7F, false);
    Font = TGuiFont(0xFFC56A31, 0xFFC56A31);
    DisabledFont = TGuiFont(0xFF5F6B70, 0xFF5F6B70);
}

void TGuiLabel::SetText(std::string Value) {
    Text_ = std::move(Value);
    DelayCount = 0;
    VisibleChars = 0;
    RebuildWords();
}

void TGuiLabel::SetProgressive(bool Value) {
    Progressive_ = Value;
    RebuildWords();
}

TGuiValue TGuiLabel::GetValue(uint32_t Id) const {
    if (Id == IdText) {
        return Text_;
    }
    if (Id == IdProgressive) {
        return Progressive_;
    }
    return TGuiControl::GetValue(Id);
}

bool TGuiLabel::SetValue(uint32_t Id, const TGuiValue& Value) {
    if (Id == IdText) {
        SetText(ValueToString(Value));
        return true;
    }
    if (Id == IdProgressive) {
        const auto v = ValueToBool(Value);
        if (v) {
            SetProgressive(*v);
        }
        return v.has_value();
    }
    return TGuiControl::SetValue(Id, Value);
}

std::vector<std::string> TGuiLabel::SplitWords(std::string_view Text) {
    std::vector<std::string> words;
    SplitWordsInto(Text, words);
    return words;
}

void TGuiLabel::SplitWordsInto(std::string_view Text, std::vector<std::string>& Words) {
    size_t count = 0;
    size_t i = 0;
    while (i < Text.size()) {
        while (i < Text.size() && IsSeparator(Text[i])) {
            ++i;
        }
        const size_t start = i;
        while (i < Text.size() && !IsSeparator(Text[i])) {
            ++i;
        }
        if (i > start) {
            const std::string_view word = Text.substr(start, i - start);
            if (count < Words.size()) {
                Words[count].assign(word);
            } else {
                Words.emplace_back(word);
            }
            ++count;
        }
    }
    Words.resize(count);
}

void TGuiLabel::RebuildWords() {
    const std::string_view text = Text_;
    if (!Progressive_) {
        SplitWordsInto(text, Words);
        return;
    }
    const auto shown =
        static_cast<size_t>(std::clamp<int64_t>(VisibleChars, 0, static_cast<int64_t>(Text_.size())));
    SplitWordsInto(text.substr(0, shown), Words);
}

void TGuiLabel::DoUpdate() {
    if (!Progressive_) {
        return;
    }
    if (++DelayCount >= ShowDelay) {
        DelayCount = 0;
        // Growing past the text's end changes nothing visible; the cap only keeps it finite.
        if (VisibleChars < INT64_MAX) {
            ++VisibleChars;
        }
        RebuildWords();
    }
}

void TGuiLabel::DoDraw() {
    const TGuiContext& context = Context();
    const TRect r = ScreenRect();
    if (Bkgrnd.Shown) {
        context.FillRect(r, Bkgrnd, DrawFx);
    }
    const TGuiFont& font = StateFont();
    if (const TGfxFont* resolved = font.Resolve()) {
        if (WordWrap) {
            DrawWrapped(font, *resolved);
        } else {
            DrawSingleLine(font, *resolved);
        }
    }
    if (Border.Shown) {
        context.Outline(r, Border, DrawFx);
    }
}

void TGuiLabel::DrawSingleLine(const TGuiFont& Font, const TGfxFont& Resolved) {
    const TRect r = ScreenRect();
    const float y = static_cast<float>(
        r.Top + (r.Height() - RoundCoordinate(TGuiFont::TextHeight(Resolved, Text_))) / 2 + TextAdjust);
    const int32_t w = RoundCoordinate(TGuiFont::TextWidth(Resolved, Text_));
    switch (Alignment) {
    case 0:
        Font.TextOut(Text_, static_cast<float>(r.Left + 4), y, DrawFx);
        break;
    case 1:
        Font.TextOut(Text_, static_cast<float>(r.Right - w - 4), y, DrawFx);
        break;
    case 2:
        Font.TextOut(Text_, static_cast<float>(r.Left + (r.Width() - w) / 2), y, DrawFx);
        break;
    case 3:
        DrawJustified(Font, Resolved, 0, Words.size(), y);
        break;
    default:
        break;
    }
}

void TGuiLabel::DrawJustified(const TGuiFont& Font, const TGfxFont& Resolved, size_t First, size_t Count,
                              float Y) {
    const TRect r = ScreenRect();
    double sum = 0.0;
    for (size_t i = First; i < First + Count; ++i) {
        sum += TGuiFont::TextWidth(Resolved, Words[i]);
    }
    const double gap = Count >= 2 ? (r.Width() - 8 - sum) / static_cast<double>(Count - 1) : 0.0;
    double x = r.Left + 4;
    for (size_t i = First; i < First + Count; ++i) {
        Font.TextOut(Words[i], static_cast<float>(x), Y, DrawFx);
        x += TGuiFont::TextWidth(Resolved, Words[i]) + gap;
    }
}

TGuiLabel::TLine TGuiLabel::FillLine(const std::vector<std::string>& Words, const std::vector<double>& Widths,
                                     double SpaceWidth, size_t First, double Avail) {
    TLine line;
    line.First = First;
    double placed = 0.0;
    size_t i = First;
    while (i < Words.size()) {
        const bool lastWord = i + 1 == Words.size();
        const double w = Widths[i] + (lastWord ? 0.0 : SpaceWidth);
        if (!(placed + w < Avail)) {
            break;
        }
        placed += w;
        ++line.Count;
        const bool feed = Words[i].find('\n') != std::string::npos;
        ++i;
        if (feed && line.Count > 1) {
            line.EndedByLineFeed = true;
            break;
        }
    }
    line.Last = i >= Words.size();
    return line;
}

void TGuiLabel::DrawWrapped(const TGuiFont& Font, const TGfxFont& Resolved) {
    if (Words.empty()) {
        return;
    }
    const TRect r = ScreenRect();
    WordWidths.clear();
    for (const std::string& word : Words) {
        WordWidths.push_back(TGuiFont::TextWidth(Resolved, word));
    }
    const double space = TGuiFont::TextWidth(Resolved, " ");
    const double avail = r.Width();
    double y = r.Top + TextAdjust;
    size_t next = 0;
    bool more = true;
    while (more && y < r.Bottom) {
        const TLine line = FillLine(Words, WordWidths, space, next, avail);
        std::string& text = LineText;
        text.clear();
        for (size_t i = line.First; i < line.First + line.Count; ++i) {
            if (i > line.First) {
                text += ' ';
            }
            text += Words[i];
        }
        const double w = TGuiFont::TextWidth(Resolved, text);
        const auto fy = static_cast<float>(y);
        if (Alignment == 1) {
            Font.TextOut(text, static_cast<float>(r.Right - RoundCoordinate(w) - 4), fy, DrawFx);
        } else if (Alignment == 2) {
            Font.TextOut(text, static_cast<float>(r.Left + (avail - w) / 2), fy, DrawFx);
        } else if (Alignment == 3 && !line.Last && !line.EndedByLineFeed) {
            DrawJustified(Font, Resolved, line.First, line.Count, fy);
        } else if (Alignment == 0 || Alignment == 3) {
            Font.TextOut(text, static_cast<float>(r.Left + 4), fy, DrawFx);
        }
        y += TGuiFont::LineHeight(Resolved) + LineSpacing;
        next = line.First + line.Count;
        more = line.Count > 0 && next < Words.size();
    }
}
