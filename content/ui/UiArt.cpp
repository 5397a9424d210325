// SPDX-License-Identifier: MIT
#include "content/ui/UiArt.h"

#include "content/FontFace.h"
#include "platform/Text.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

struct TRgb {
    double R, G, B;
};

constexpr TRgb Hex(uint32_t C) {
    return {((C >> 16) & 255) / 255.0, ((C >> 8) & 255) / 255.0, (C & 255) / 255.0};
}

void SetRgb(cairo_t* cr, TRgb C, double Alpha = 1.0) {
    cairo_set_source_rgba(cr, C.R, C.G, C.B, Alpha);
}

void RoundedRect(cairo_t* cr, double X, double Y, double W, double H, double R) {
    R = std::min({R, W / 2, H / 2});
    constexpr double Q = std::numbers::pi / 2;
    cairo_new_sub_path(cr);
    cairo_arc(cr, X + W - R, Y + R, R, -Q, 0);
    cairo_arc(cr, X + W - R, Y + H - R, R, 0, Q);
    cairo_arc(cr, X + R, Y + H - R, R, Q, 2 * Q);
    cairo_arc(cr, X + R, Y + R, R, 2 * Q, 3 * Q);
    cairo_close_path(cr);
}

// Rounded only at the top: the shape of a tab.
void TabShape(cairo_t* cr, double X, double Y, double W, double H, double R) {
    constexpr double Q = std::numbers::pi / 2;
    cairo_new_sub_path(cr);
    cairo_move_to(cr, X, Y + H);
    cairo_arc(cr, X + R, Y + R, R, 2 * Q, 3 * Q);
    cairo_arc(cr, X + W - R, Y + R, R, -Q, 0);
    cairo_line_to(cr, X + W, Y + H);
    cairo_close_path(cr);
}

void VerticalGradient(cairo_t* cr, double Top, double Bottom, TRgb A, double AlphaA, TRgb B, double AlphaB) {
    cairo_pattern_t* P = cairo_pattern_create_linear(0, Top, 0, Bottom);
    cairo_pattern_add_color_stop_rgba(P, 0, A.R, A.G, A.B, AlphaA);
    cairo_pattern_add_color_stop_rgba(P, 1, B.R, B.G, B.B, AlphaB);
    cairo_set_source(cr, P);
    cairo_pattern_destroy(P);
}

// A soft shadow: the shape drawn several times, growing and fading.
void SoftShadow(cairo_t* cr, double X, double Y, double W, double H, double R, int Spread) {
    for (int i = Spread; i >= 1; --i) {
        RoundedRect(cr, X - i + 2, Y - i + 4, W + 2 * i - 4, H + 2 * i - 4, R + i);
        cairo_set_source_rgba(cr, 0, 0, 0.05, 0.05);
        cairo_fill(cr);
    }
}

// Faint stars scattered over a panel body, from a fixed seed so every run matches.
void Sprinkle(cairo_t* cr, double X, double Y, double W, double H, uint32_t Seed) {
    uint32_t State = Seed;
    const auto Next = [&State] {
        State = State * 1664525u + 1013904223u;
        return (State >> 8) / 16777216.0;
    };
    const int Count = static_cast<int>(W * H / 2600);
    for (int i = 0; i < Count; ++i) {
        const double SX = X + Next() * W;
        const double SY = Y + Next() * H;
        const double Size = 0.5 + Next() * 1.1;
        cairo_arc(cr, SX, SY, Size, 0, 2 * std::numbers::pi);
        cairo_set_source_rgba(cr, 0.85, 0.9, 1.0, 0.10 + Next() * 0.22);
        cairo_fill(cr);
    }
}

void DrawInset(cairo_t* cr, const TUiInset& I) {
    const double X = I.Left - 3.5;
    const double Y = I.Top - 3.5;
    const double W = I.Width + 7;
    const double H = I.Height + 7;
    RoundedRect(cr, X, Y, W, H, 10);
    SetRgb(cr, Hex(0x0A0C26), 0.9);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 2);
    SetRgb(cr, Hex(0xE8A93A), 0.85);
    cairo_stroke(cr);
    // The top edge is darker, as if the well were sunk into the panel.
    RoundedRect(cr, X + 2, Y + 2, W - 4, H - 4, 8);
    VerticalGradient(cr, Y, Y + 14, Hex(0x000000), 0.45, Hex(0x000000), 0.0);
    cairo_fill(cr);
}

struct TButtonColours {
    TRgb Top, Bottom, Rim, Glow;
};

// The pattern a button shows while it cannot be used.
constexpr int DisabledState = 3;

TButtonColours ButtonColours(TButtonTheme Theme, int State) {
    // A button that cannot be used loses its colour whatever its theme: a dim slate grey.
    if (State == DisabledState) {
        return {Hex(0x7A7A88), Hex(0x4C4C5A), Hex(0x26262F), Hex(0x9A9AA8)};
    }
    if (Theme == TButtonTheme::Orange) {
        switch (State) {
        case 1:
            return {Hex(0xFFD86A), Hex(0xF58A1C), Hex(0x8A3A06), Hex(0xFFF2A0)};
        case 2:
            return {Hex(0xE07A1C), Hex(0xB9500A), Hex(0x6A2A04), Hex(0xFFC060)};
        default:
            return {Hex(0xFFBC4A), Hex(0xE86A10), Hex(0x7A3205), Hex(0xFFE080)};
        }
    }
    switch (State) {
    case 1:
        return {Hex(0xA58BFF), Hex(0x5B3FD0), Hex(0x241060), Hex(0xE0D8FF)};
    case 2:
        return {Hex(0x6E52D8), Hex(0x3C2496), Hex(0x180A48), Hex(0xB8A8FF)};
    default:
        return {Hex(0x8C72F0), Hex(0x4A2FB8), Hex(0x1E0C55), Hex(0xD0C4FF)};
    }
}

// Appends the icon's outline to the current path, centred on (CX, CY), about 2 Size wide.
void IconPath(cairo_t* cr, TButtonIcon Icon, double CX, double CY, double S) {
    switch (Icon) {
    case TButtonIcon::None:
        break;
    case TButtonIcon::Minus:
        cairo_rectangle(cr, CX - S, CY - S * 0.22, 2 * S, S * 0.44);
        break;
    case TButtonIcon::Plus:
        cairo_rectangle(cr, CX - S, CY - S * 0.22, 2 * S, S * 0.44);
        cairo_rectangle(cr, CX - S * 0.22, CY - S, S * 0.44, 2 * S);
        break;
    case TButtonIcon::Left:
        cairo_move_to(cr, CX - S * 0.9, CY);
        cairo_line_to(cr, CX + S * 0.6, CY - S);
        cairo_line_to(cr, CX + S * 0.6, CY + S);
        cairo_close_path(cr);
        break;
    case TButtonIcon::Right:
        cairo_move_to(cr, CX + S * 0.9, CY);
        cairo_line_to(cr, CX - S * 0.6, CY - S);
        cairo_line_to(cr, CX - S * 0.6, CY + S);
        cairo_close_path(cr);
        break;
    }
}

// A white icon with a dark drop shadow; a disabled button's icon is a faded grey.
void FillIcon(cairo_t* cr, TButtonIcon Icon, double CX, double CY, double Size, bool Disabled) {
    if (Icon == TButtonIcon::None) {
        return;
    }
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    cairo_new_path(cr);
    IconPath(cr, Icon, CX + 1.2, CY + 1.6, Size);
    cairo_set_source_rgba(cr, 0.15, 0.05, 0.0, 0.55);
    cairo_fill(cr);
    IconPath(cr, Icon, CX, CY, Size);
    if (Disabled) {
        cairo_set_source_rgb(cr, 0.66, 0.66, 0.72);
    } else {
        cairo_set_source_rgb(cr, 1, 1, 0.95);
    }
    cairo_fill(cr);
}

TPicture ButtonPattern(int Width, int Height, TButtonTheme Theme, TButtonIcon Icon, int State) {
    return DrawPicture(Width, Height, [&](cairo_t* cr) {
        const TButtonColours C = ButtonColours(Theme, State);
        const double Sink = State == 2 ? 1.0 : 0.0;
        const double X = 2.5;
        const double Y = 1.5 + Sink;
        const double W = Width - 5.0;
        const double H = Height - 5.0;
        const double R = std::min(H * 0.42, 16.0);
        // Drop shadow under the button, smaller when it is pressed in.
        RoundedRect(cr, X + 1, Y + 2.5 - Sink, W - 2, H, R);
        cairo_set_source_rgba(cr, 0, 0, 0.08, State == 2 ? 0.25 : 0.45);
        cairo_fill(cr);
        // Body and rim.
        RoundedRect(cr, X, Y, W, H, R);
        VerticalGradient(cr, Y, Y + H, C.Top, 1.0, C.Bottom, 1.0);
        cairo_fill_preserve(cr);
        cairo_set_line_width(cr, 2.0);
        SetRgb(cr, C.Rim);
        cairo_stroke(cr);
        // Gloss on the upper half.
        RoundedRect(cr, X + 3, Y + 2.5, W - 6, H * 0.46, R * 0.8);
        const double Gloss = State == 2 ? 0.25 : State == DisabledState ? 0.18 : 0.55;
        VerticalGradient(cr, Y + 2, Y + 2 + H * 0.46, Hex(0xFFFFFF), Gloss, Hex(0xFFFFFF), 0.05);
        cairo_fill(cr);
        // A bright line along the lower inside edge, as light through a glass body.
        RoundedRect(cr, X + 2, Y + 2, W - 4, H - 4, R - 1);
        cairo_set_line_width(cr, 1.2);
        VerticalGradient(cr, Y, Y + H, C.Glow, 0.0, C.Glow, State == 1 ? 0.9 : 0.6);
        cairo_stroke(cr);
        FillIcon(cr, Icon, Width / 2.0, Height / 2.0 - 1.0 + Sink, std::min(Width, Height) * 0.2,
                 State == DisabledState);
    });
}

// A switch that cannot be used: a grey track with the knob resting in the middle, no word.
TPicture DisabledSwitch(int Width, int Height) {
    return DrawPicture(Width, Height, [&](cairo_t* cr) {
        const double X = 2.5, Y = 2.5, W = Width - 5.0, H = Height - 5.0, R = H / 2;
        RoundedRect(cr, X, Y, W, H, R);
        VerticalGradient(cr, Y, Y + H, Hex(0x3A3A46), 1.0, Hex(0x5A5A68), 1.0);
        cairo_fill_preserve(cr);
        cairo_set_line_width(cr, 2.0);
        SetRgb(cr, Hex(0x1E1E26));
        cairo_stroke(cr);
        cairo_arc(cr, X + W / 2, Y + H / 2, R - 3.5, 0, 2 * std::numbers::pi);
        SetRgb(cr, Hex(0x8A8A96));
        cairo_fill(cr);
    });
}

TPicture SwitchPattern(int Width, int Height, bool On, const TPictureWords& Words) {
    // A face per call: cairo tears its font caches down at the end of the run, before
    // any static object would let go of its face.
    const TFontFace Face("DejaVuSans-Bold.ttf");
    return DrawPicture(Width, Height, [&](cairo_t* cr) {
        const double X = 2.5, Y = 2.5, W = Width - 5.0, H = Height - 5.0, R = H / 2;
        RoundedRect(cr, X, Y + 1.5, W, H, R);
        cairo_set_source_rgba(cr, 0, 0, 0.08, 0.4);
        cairo_fill(cr);
        RoundedRect(cr, X, Y, W, H, R);
        if (On) {
            VerticalGradient(cr, Y, Y + H, Hex(0x2E9E3A), 1.0, Hex(0x7EE25A), 1.0);
        } else {
            VerticalGradient(cr, Y, Y + H, Hex(0x2A2C48), 1.0, Hex(0x50547A), 1.0);
        }
        cairo_fill_preserve(cr);
        cairo_set_line_width(cr, 2.0);
        SetRgb(cr, On ? Hex(0x0F4A18) : Hex(0x12132A));
        cairo_stroke(cr);
        // The knob sits at the "on" end or the "off" end.
        const double KnobR = R - 3.5;
        const double KX = On ? X + W - R : X + R;
        const double KY = Y + H / 2;
        cairo_arc(cr, KX, KY + 1.5, KnobR, 0, 2 * std::numbers::pi);
        cairo_set_source_rgba(cr, 0, 0, 0, 0.3);
        cairo_fill(cr);
        cairo_pattern_t* P =
            cairo_pattern_create_radial(KX - KnobR * 0.3, KY - KnobR * 0.4, 1, KX, KY, KnobR);
        cairo_pattern_add_color_stop_rgb(P, 0, 1, 1, 0.95);
        cairo_pattern_add_color_stop_rgb(P, 1, 0.95, 0.72, 0.3);
        cairo_arc(cr, KX, KY, KnobR, 0, 2 * std::numbers::pi);
        cairo_set_source(cr, P);
        cairo_fill(cr);
        cairo_pattern_destroy(P);
        // The word on the free side of the track.
        Face.Select(cr, H * 0.42);
        const double TextX = On ? X + (W - 2 * R) / 2 + 4 : X + 2 * R + (W - 2 * R) / 2 - 4;
        const std::string Word = On ? Words(N_("ВКЛ")) : Words(N_("ВЫКЛ"));
        RequireFit(cr, Word, W - 2 * R - 4, "switch word");
        CentredTextPath(cr, Word, TextX, KY + H * 0.15);
        cairo_set_source_rgba(cr, 1, 1, 1, On ? 1.0 : 0.75);
        cairo_fill(cr);
    });
}

} // namespace

TPicture DrawPanel(int Width, int Height, const std::vector<TUiInset>& Insets) {
    return DrawPicture(Width, Height, [&](cairo_t* cr) {
        // The shadow falls to the sides and below; the body keeps to within 6 pixels of the
        // edges, so wells placed near a form's edge still sit inside the gold rim.
        constexpr int Spread = 6;
        const double X = 6, Y = 4;
        const double W = Width - 12.0, H = Height - 10.0;
        constexpr double R = 20;
        SoftShadow(cr, X, Y, W, H, R, Spread);
        RoundedRect(cr, X, Y, W, H, R);
        VerticalGradient(cr, Y, Y + H, Hex(0x2E2F86), 0.93, Hex(0x18164A), 0.95);
        cairo_fill(cr);
        Sprinkle(cr, X + 10, Y + 10, W - 20, H - 20, static_cast<uint32_t>(Width * 7919 + Height));
        // Gloss across the top.
        RoundedRect(cr, X + 5, Y + 4, W - 10, std::min(60.0, H * 0.3), R - 4);
        VerticalGradient(cr, Y, Y + std::min(60.0, H * 0.3), Hex(0xFFFFFF), 0.16, Hex(0xFFFFFF), 0.0);
        cairo_fill(cr);
        // Gold rim with a thin light line inside it.
        RoundedRect(cr, X + 1.5, Y + 1.5, W - 3, H - 3, R - 1);
        cairo_set_line_width(cr, 3.0);
        VerticalGradient(cr, Y, Y + H, Hex(0xFFE08A), 1.0, Hex(0xD9781C), 1.0);
        cairo_stroke(cr);
        RoundedRect(cr, X + 4.5, Y + 4.5, W - 9, H - 9, R - 4);
        cairo_set_line_width(cr, 1.0);
        cairo_set_source_rgba(cr, 1, 1, 1, 0.22);
        cairo_stroke(cr);
        for (const TUiInset& Inset : Insets) {
            DrawInset(cr, Inset);
        }
    });
}

std::vector<TPicture> DrawButton(int Width, int Height, TButtonTheme Theme, TButtonIcon Icon) {
    return {ButtonPattern(Width, Height, Theme, Icon, 0), ButtonPattern(Width, Height, Theme, Icon, 1),
            ButtonPattern(Width, Height, Theme, Icon, 2),
            ButtonPattern(Width, Height, Theme, Icon, DisabledState)};
}

std::vector<TPicture> DrawTab(int Width, int Height) {
    // 0 not chosen, 1 chosen, 2 not to be used (grey).
    std::vector<TPicture> Patterns;
    for (int State = 0; State < 3; ++State) {
        Patterns.push_back(DrawPicture(Width, Height, [&](cairo_t* cr) {
            const bool Chosen = State == 1;
            const double X = 2, Y = Chosen ? 1.5 : 5.5, W = Width - 4.0, H = Height - Y;
            TabShape(cr, X, Y, W, H, 12);
            if (Chosen) {
                VerticalGradient(cr, Y, Y + H, Hex(0xFFC450), 1.0, Hex(0xE8741A), 1.0);
            } else if (State == 2) {
                VerticalGradient(cr, Y, Y + H, Hex(0x44444E), 0.95, Hex(0x2A2A32), 0.95);
            } else {
                VerticalGradient(cr, Y, Y + H, Hex(0x4C3FA8), 0.95, Hex(0x2A2270), 0.95);
            }
            cairo_fill_preserve(cr);
            cairo_set_line_width(cr, 2);
            const TRgb Rim = Chosen ? Hex(0x7A3205) : State == 2 ? Hex(0x8A8A96) : Hex(0x9E8CFF);
            SetRgb(cr, Rim, Chosen ? 1.0 : 0.7);
            cairo_stroke(cr);
            TabShape(cr, X + 3, Y + 2.5, W - 6, H * 0.42, 9);
            VerticalGradient(cr, Y, Y + H * 0.45, Hex(0xFFFFFF), Chosen ? 0.5 : 0.16, Hex(0xFFFFFF), 0.03);
            cairo_fill(cr);
        }));
    }
    return Patterns;
}

std::vector<TPicture> DrawSwitch(int Width, int Height, const TPictureWords& Words) {
    return {SwitchPattern(Width, Height, true, Words), SwitchPattern(Width, Height, false, Words),
            DisabledSwitch(Width, Height)};
}
