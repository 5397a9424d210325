// SPDX-License-Identifier: MIT
#include "engine/Font.h"

#include "archive/Archive.h"
#include "archive/Stream.h"
#include "engine/TextureAtlas.h"
#include "platform/Text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// Every colour tag is two marker characters and eight hexadecimal digits.
constexpr size_t TagLength = 10;
constexpr size_t TagDigits = 8;

[[nodiscard]] bool ParseHexColor(std::string_view Digits, TColor& Value) {
    if (Digits.size() != TagDigits) {
        return false;
    }
    uint32_t Result = 0;
    for (const char C : Digits) {
        uint32_t Digit = 0;
        if (C >= '0' && C <= '9') {
            Digit = static_cast<uint32_t>(C - '0');
        } else if (C >= 'a' && C <= 'f') {
            Digit = static_cast<uint32_t>(C - 'a' + 10);
        } else if (C >= 'A' && C <= 'F') {
            Digit = static_cast<uint32_t>(C - 'A' + 10);
        } else {
            return false;
        }
        Result = Result << 4 | Digit;
    }
    Value = Result;
    return true;
}

// An alpha byte from a 0..1 strength, rounded and kept inside a byte.
[[nodiscard]] TColor AlphaOf(double Strength) {
    const double Value = std::round(Strength * 255.0);
    if (!(Value > 0.0)) {
        return 0;
    }
    return static_cast<TColor>(std::min(Value, 255.0)) << 24;
}

[[nodiscard]] TQuad Moved(const TQuad& Q, float Dx, float Dy) {
    TQuad Result = Q;
    for (TPointF& P : Result.P) {
        P.X += Dx;
        P.Y += Dy;
    }
    return Result;
}

} // namespace

TGfxFont::TGfxFont(TGfxDevice& Device, TGfxFonts* Owner) : Device(Device), Owner_(Owner) {}

TGfxFont::~TGfxFont() = default;

bool TGfxFont::LoadFont(const std::string& Key, TArchive& Archive, TGfxQuality Quality,
                        TAlphaLevel AlphaLevel) {
    if (Loaded_ || !Archive.EnsureOpen()) {
        return false;
    }
    const int32_t Index = Archive.IndexOf(Key);
    if (Index < 0 || Archive.RecordTypeOf(Index) != RecordTypeFont) {
        return false;
    }
    std::vector<uint8_t> Bytes;
    if (!Archive.ReadRecordBuffer(Key, Bytes)) {
        return false;
    }
    TMemoryStream Stream(std::move(Bytes));
    const bool Loaded = LoadFromStream(Stream, Quality, AlphaLevel);
    Archive.GiveBack(std::move(Stream.Bytes()));
    return Loaded;
}

bool TGfxFont::LoadFromStream(TStream& Stream, TGfxQuality Quality, TAlphaLevel AlphaLevel) {
    if (Loaded_) {
        return false;
    }
    int32_t First = 0;
    int32_t Spacing = 0;
    int32_t Unused = 0;
    int32_t Count = 0;
    if (!ReadInt32(Stream, First) || !ReadInt32(Stream, Spacing) || !ReadInt32(Stream, Unused) ||
        !ReadInt32(Stream, Count)) {
        return false;
    }
    // The glyph table must fit in what is left of the record before anything is allocated.
    if (Count < 0 || static_cast<int64_t>(Count) * 8 > Stream.Remaining()) {
        return false;
    }
    std::vector<TGlyphSize> Table(static_cast<size_t>(Count));
    for (TGlyphSize& Glyph : Table) {
        if (!ReadInt32(Stream, Glyph.Width) || !ReadInt32(Stream, Glyph.Height)) {
            return false;
        }
    }
    auto Glyph = std::make_unique<TGfxImage>(Device);
    // Text is measured from the glyph table; the glyph pixels live on the device only, after a
    // stop in memory for the atlas.
    TTextureAtlas* Atlas = Owner_ != nullptr ? Owner_->Atlas() : nullptr;
    Glyph->SetKeepPixels(Atlas != nullptr);
    Glyph->SetUploadLater(Atlas != nullptr);
    Glyph->SetQuality(Quality);
    Glyph->SetAlphaLevel(AlphaLevel);
    Glyph->SetMipMapping(true);
    if (!Glyph->LoadFromStream(Stream)) {
        return false;
    }
    if (Atlas != nullptr && !Atlas->Add(*Glyph)) {
        const bool Uploaded = Glyph->UploadNow();
        Glyph->DropPixels();
        if (!Uploaded) {
            return false;
        }
    }
    FirstChar_ = static_cast<uint8_t>(First & 0xFF);
    GlyphSpacing_ = Spacing;
    Glyphs = std::move(Table);
    Image = std::move(Glyph);
    Loaded_ = true;
    return true;
}

int32_t TGfxFont::GlyphOf(unsigned char C) const {
    const int32_t Glyph = static_cast<int32_t>(C) - FirstChar_;
    return Glyph >= 0 && Glyph < GlyphCount() ? Glyph : -1;
}

size_t TGfxFont::SkipTags(std::string_view Text, size_t Pos, TTextColors& Colors) const {
    // A tag counts only when at least two characters follow it; the kinds are tried once each,
    // in this order, so a top, a bottom and a both-colours tag may follow one another.
    const auto TryTag = [&](char A, char B, auto Apply) {
        if (Pos + TagLength + 1 < Text.size() && Text[Pos] == A && Text[Pos + 1] == B) {
            TColor Value = 0;
            if (ParseHexColor(Text.substr(Pos + 2, TagDigits), Value)) {
                Apply(Value);
            }
            Pos += TagLength;
        }
    };
    TryTag('#', '$', [&](TColor V) { Colors.Top = V; });
    TryTag('&', '$', [&](TColor V) { Colors.Bottom = V; });
    TryTag('0', 'x', [&](TColor V) { Colors.Top = Colors.Bottom = V; });
    return Pos;
}

double TGfxFont::BlankAdvance() const {
    const double Cell = Image ? static_cast<double>(Image->VisibleSize().X) : 0.0;
    return (Cell * BlankSpacing + Interleave) * Scale;
}

double TGfxFont::GlyphAdvance(int32_t Glyph) const {
    const auto& Size = Glyphs[static_cast<size_t>(Glyph)];
    return (static_cast<double>(Size.Width) + GlyphSpacing_ + Interleave) * Scale;
}

TPointF TGfxFont::TextExtent(std::string_view Text) const {
    double Width = 0.0;
    double Height = 0.0;
    TTextColors Ignored{0, 0};
    for (size_t Pos = 0; Pos < Text.size(); ++Pos) {
        if (TextTags) {
            Pos = SkipTags(Text, Pos, Ignored);
        }
        const int32_t Glyph = GlyphOf(static_cast<unsigned char>(Text[Pos]));
        if (Glyph < 0) {
            Width += BlankAdvance();
            continue;
        }
        Width += GlyphAdvance(Glyph);
        Height = std::max(Height, Glyphs[static_cast<size_t>(Glyph)].Height * Scale);
    }
    return {static_cast<float>(Width), static_cast<float>(Height)};
}

TGfxCanvas& TGfxFont::RequireCanvas() const {
    if (Owner_ == nullptr) {
        throw EFontError("TGfxFont: Unassigned Owner property.");
    }
    if (Owner_->Canvas() == nullptr) {
        throw EFontError("TGfxFont: Unassigned Owner.Canvas property.");
    }
    return *Owner_->Canvas();
}

void TGfxFont::TextOut(std::string_view Text, float X, float Y, TColor TopColor, TColor BottomColor,
                       uint32_t Effect) {
    if (!Loaded_) {
        return;
    }
    TGfxCanvas& Canvas = RequireCanvas();
    TTextColors Colors{TopColor, BottomColor};
    double PenX = X;
    for (size_t Pos = 0; Pos < Text.size(); ++Pos) {
        if (TextTags) {
            Pos = SkipTags(Text, Pos, Colors);
        }
        const int32_t Glyph = GlyphOf(static_cast<unsigned char>(Text[Pos]));
        if (Glyph < 0) {
            PenX += BlankAdvance();
            continue;
        }
        DrawGlyph(Canvas, Glyph, PenX, Y, Colors, Effect);
        PenX += GlyphAdvance(Glyph);
    }
}

void TGfxFont::DrawGlyph(TGfxCanvas& Canvas, int32_t Glyph, double PenX, float Y, const TTextColors& Colors,
                         uint32_t Effect) {
    const TPoint Visible = Image->VisibleSize();
    const auto Left = static_cast<float>(std::trunc(PenX));
    const float Top = std::trunc(Y);
    const auto Width = static_cast<float>(std::round(Scale * Visible.X));
    const auto Height = static_cast<float>(std::round(Scale * Visible.Y));
    TQuad Quad{{{Left, Top}, {Left + Width, Top}, {Left + Width, Top + Height}, {Left, Top + Height}}};
    const bool Bold = (Style & feBold) != 0;
    if ((Style & feItalic) != 0) {
        // The slant is a fixed share of the unscaled cell.
        const float Slant = static_cast<float>(Visible.X) / 8.0f;
        Quad.P[0].X = std::trunc(Quad.P[0].X + Slant);
        Quad.P[1].X = std::trunc(Quad.P[1].X + Slant);
        Quad.P[2].X = std::trunc(Quad.P[2].X - Slant);
        Quad.P[3].X = std::trunc(Quad.P[3].X - Slant);
    }
    TPatternRequest Request;
    Request.Pattern = Glyph;
    if ((Style & feShadow) != 0) {
        const TColor Shadow = AlphaOf(ShadowIntensity) | (ShadowColor & 0xFFFFFFu);
        const auto Step = static_cast<float>(Scale * ShadowDistance);
        const float Dx = (Bold ? 3.0f : 2.0f) * Step;
        Canvas.TexMap(*Image, Moved(Quad, Dx, 2.0f * Step), Request, TColor4::All(Shadow), Effect);
    }
    const bool Emboss = (Style & feEmboss) != 0;
    if (Emboss) {
        Quad = Moved(Quad, -1.0f, -1.0f);
    }
    const TColor4 Corners{{Colors.Top, Colors.Top, Colors.Bottom, Colors.Bottom}};
    Canvas.TexMap(*Image, Quad, Request, Corners, Effect);
    if (Bold) {
        Canvas.TexMap(*Image, Moved(Quad, -1.0f, 0.0f), Request, Corners, Effect);
        Canvas.TexMap(*Image, Moved(Quad, 1.0f, 0.0f), Request, Corners, Effect);
    }
    if (Emboss) {
        const TColor Light =
            AlphaOf(Bold ? EmbossStrength * 0.65 : EmbossStrength) | (EmbossColor & 0xFFFFFFu);
        Canvas.TexMap(*Image, Moved(Quad, 1.0f, 1.0f), Request, TColor4::All(Light), Effect);
        if (Bold) {
            Canvas.TexMap(*Image, Moved(Quad, 0.0f, 1.0f), Request, TColor4::All(Light), Effect);
            Canvas.TexMap(*Image, Moved(Quad, 2.0f, 1.0f), Request, TColor4::All(Light), Effect);
        }
    }
}

TGfxFonts::TGfxFonts(TGfxDevice& Device) : Device(Device) {
    Device.Subscribe(this);
}

TGfxFonts::~TGfxFonts() {
    Device.Unsubscribe(this);
}

bool TGfxFonts::DeviceNotify(TDeviceEvent Event) {
    // Glyph images live in the device's managed memory: only finalising frees them.
    if (Event == devFinalize) {
        ClearFonts();
    }
    return true;
}

TGfxFont* TGfxFonts::Items(int32_t Position) const {
    if (Position < 0 || Position >= FontCount()) {
        return nullptr;
    }
    return Fonts[static_cast<size_t>(Position)].get();
}

TGfxFont& TGfxFonts::AddFont() {
    auto Font = std::make_unique<TGfxFont>(Device, this);
    char Name[16];
    std::snprintf(Name, sizeof Name, "Font%02d", static_cast<int>(NameCounter));
    ++NameCounter;
    Font->Name = Name;
    Fonts.push_back(std::move(Font));
    ++Generation_;
    return *Fonts.back();
}

void TGfxFonts::ClearFonts() {
    Fonts.clear();
    ++Generation_;
}

TGfxFont* TGfxFonts::Find(std::string_view Name) const {
    for (const auto& Font : Fonts) {
        if (SameName(Font->Name, Name)) {
            return Font.get();
        }
    }
    return nullptr;
}

bool TGfxFonts::LoadArchive(TArchive& Archive) {
    if (!Archive.EnsureOpen()) {
        return false;
    }
    const TArchiveLoading Loading(Archive);
    for (int32_t Index = 0; Index < Archive.RecordCount(); ++Index) {
        if (Archive.RecordTypeOf(Index) == RecordTypeFont && !LoadRecord(Archive.RecordKeyAt(Index), Archive)) {
            return false;
        }
    }
    return true;
}

bool TGfxFonts::LoadRecord(const std::string& Key, TArchive& Archive) {
    bool Accept = true;
    std::string Name = Key;
    TGfxQuality Quality = aqHigh;
    TAlphaLevel AlphaLevel = alFull;
    if (OnArchiveLoad) {
        OnArchiveLoad(Key, FontCount(), Accept, Name, Quality, AlphaLevel);
    }
    if (!Accept) {
        return true;
    }
    // A font that fails stays in the list under its counter name.
    TGfxFont& Font = AddFont();
    if (!Font.LoadFont(Key, Archive, Quality, AlphaLevel)) {
        return false;
    }
    Font.Name = Name;
    ++Generation_;
    return true;
}
