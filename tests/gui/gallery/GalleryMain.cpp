// SPDX-License-Identifier: MIT
// Draws every GUI control, in normal and in image mode, on one 800x600 screen with the OpenGL
// renderer and saves it as a PNG, so the look can be checked by eye.

#include "GalleryFont.h"
#include "GalleryImages.h"

#include "archive/Stream.h"
#include "engine/Canvas.h"
#include "engine/Device.h"
#include "engine/Font.h"
#include "engine/Image.h"
#include "gui/GuiBase.h"
#include "gui/GuiButton.h"
#include "gui/GuiCheckBox.h"
#include "gui/GuiEdit.h"
#include "gui/GuiForm.h"
#include "gui/GuiGauge.h"
#include "gui/GuiLabel.h"
#include "gui/GuiListBox.h"
#include "gui/GuiPaint.h"
#include "gui/GuiRadioButton.h"
#include "gui/GuiScroll.h"
#include "platform/GameWindow.h"
#include "platform/Screenshot.h"

#include <cstdio>
#include <string>

namespace {

constexpr int SkippedTest = 77;
constexpr const char* FaceFolder = "/usr/share/fonts/truetype/dejavu/";

// GUI colours hold red in the lowest byte.
constexpr uint32_t Rgb(uint32_t R, uint32_t G, uint32_t B, uint32_t A = 255) {
    return A << 24 | B << 16 | G << 8 | R;
}

const uint32_t Cream = Rgb(0xFF, 0xF1, 0xD6);
const uint32_t Gold = Rgb(0xF2, 0xB3, 0x4E);
const uint32_t Ink = Rgb(0x3A, 0x1C, 0x04);

TGuiFont TextFont(int32_t Index, uint32_t Top, uint32_t Bottom) {
    TGuiFont font(Top, Bottom);
    font.FontIndex = Index;
    return font;
}

template <class T> T& Place(TGuiControl& Parent, int32_t Left, int32_t Top, int32_t Width, int32_t Height) {
    T& control = Parent.Add<T>();
    control.SetBounds(Left, Top, Width, Height);
    return control;
}

TGuiLabel& Title(TGuiControl& Parent, int32_t Top, const std::string& Text) {
    TGuiLabel& label = Place<TGuiLabel>(Parent, 10, Top, 360, 22);
    label.Alignment = 2;
    label.Font = TextFont(1, Cream, Gold);
    label.SetText(Text);
    return label;
}

TGuiForm& NewForm(TGuiControl& Root, int32_t Left, const TGalleryImages& Images, const std::string& Caption) {
    TGuiForm& form = Place<TGuiForm>(Root, Left, 8, 388, 588);
    form.ImageIndex = Images.FormBody;
    form.Bkgrnd = TGuiFill::All(0xFFFFFFFF);
    form.CaptSize = 26;
    form.CaptActive =
        TGuiFill(Rgb(0xFF, 0xD0, 0x80), Rgb(0xFF, 0xD0, 0x80), Rgb(0xE0, 0x78, 0x1E), Rgb(0xE0, 0x78, 0x1E));
    form.CaptUnactive =
        TGuiFill(Rgb(0x8A, 0x8F, 0xC0), Rgb(0x8A, 0x8F, 0xC0), Rgb(0x4A, 0x4F, 0x8A), Rgb(0x4A, 0x4F, 0x8A));
    TGuiLabel& caption = Place<TGuiLabel>(form, 8, 3, 360, 20);
    caption.Font = TextFont(1, Ink, Ink);
    caption.SetText(Caption);
    return form;
}

void BuildNormalForm(TGuiControl& Root, const TGalleryImages& Images) {
    TGuiForm& form = NewForm(Root, 4, Images, "Normal mode");
    Title(form, 30, "Buttons, edit boxes and a key box");
    Place<TGuiButton>(form, 14, 56, 110, 24).Caption = "Text button";
    TGuiButton& disabled = Place<TGuiButton>(form, 130, 56, 110, 24);
    disabled.Caption = "Disabled";
    disabled.SetEnabled(false);
    TGuiEdit& edit = Place<TGuiEdit>(form, 14, 86, 170, 22);
    edit.SetText("Captain Zibo");
    edit.SetFocus();
    TGuiEdit& keyBox = Place<TGuiEdit>(form, 196, 86, 80, 22);
    keyBox.Tag = int64_t{1};
    keyBox.KeyCode = 32;
    TGuiEdit& locked = Place<TGuiEdit>(form, 288, 86, 86, 22);
    locked.SetText("Disabled");
    locked.SetEnabled(false);

    Title(form, 116, "List box, gauge and paint surface");
    TGuiListBox& list = Place<TGuiListBox>(form, 14, 142, 200, 150);
    list.Items.clear();
    for (int i = 1; i <= 20; ++i) {
        list.Items.push_back("Player " + std::to_string(i));
    }
    list.ItemIndex = 7;
    list.HoverIndex = 6;
    list.Scroll().Position = 0.4;
    TGuiPaint& paint = Place<TGuiPaint>(form, 226, 142, 148, 150);
    paint.OnPaint = [](TGuiControl&, const TRect& r) {
        TGuiContext& context = TGuiContext::Current();
        const TPointF centre{(r.Left + r.Right) / 2.0f, (r.Top + r.Bottom) / 2.0f};
        const uint32_t rings[] = {Rgb(0x3A, 0x4F, 0xC0), Rgb(0xE0, 0x78, 0x1E), Rgb(0xFF, 0xD0, 0x80)};
        for (int i = 0; i < 3; ++i) {
            context.FillCircle(centre, 56.0f - 18.0f * i, rings[i], 1284);
        }
    };
    TGuiGauge& gauge = Place<TGuiGauge>(form, 14, 302, 360, 22);
    gauge.Theta = 65;
    gauge.Caption = "Music";

    Title(form, 332, "Check boxes and radio buttons");
    const char* checks[] = {"Full screen", "Antialias"};
    for (int i = 0; i < 2; ++i) {
        TGuiCheckBox& box = Place<TGuiCheckBox>(form, 14 + 180 * i, 360, 170, 18);
        box.Caption = checks[i];
        box.Font = TextFont(0, Cream, Gold);
        box.SetChecked(i == 0);
    }
    const char* radios[] = {"Easy", "Medium", "Hard"};
    for (int i = 0; i < 3; ++i) {
        TGuiRadioButton& radio = Place<TGuiRadioButton>(form, 14 + 120 * i, 388, 110, 18);
        radio.Caption = radios[i];
        radio.Font = TextFont(0, Cream, Gold);
        radio.SetChecked(i == 1);
    }

    Title(form, 416, "Labels");
    const char* aligned[] = {"Left", "Right", "Centred"};
    for (int i = 0; i < 3; ++i) {
        TGuiLabel& label = Place<TGuiLabel>(form, 14, 442 + 20 * i, 360, 20);
        label.Alignment = i;
        label.Border.Shown = true;
        label.Font = TextFont(0, Cream, Gold);
        label.SetText(aligned[i]);
    }
    TGuiLabel& wrapped = Place<TGuiLabel>(form, 14, 506, 360, 72);
    wrapped.WordWrap = true;
    wrapped.Alignment = 3;
    wrapped.Font = TextFont(0, Cream, Cream);
    wrapped.SetText("A justified, wrapped label: every line but the last spreads its words over the "
                    "whole width, and a line feed\nends its line early.");
}

void BuildImageForm(TGuiControl& Root, const TGalleryImages& Images) {
    TGuiForm& form = NewForm(Root, 404, Images, "Image mode");
    Title(form, 30, "Glyph buttons: normal, hover, pressed");
    const char* captions[] = {"Play", "Options", "Exit"};
    for (int i = 0; i < 3; ++i) {
        TGuiButton& button = Place<TGuiButton>(form, 14 + 122 * i, 58, 116, 36);
        button.ImageIndex = Images.Button;
        button.NormalGlyph = 0;
        button.DisabledGlyph = 1;
        button.ClickedGlyph = 2;
        button.Caption = captions[i];
        button.Font = TextFont(1, Ink, Ink);
        button.MouseOver = i >= 1;
        button.Pressed = i == 2;
    }

    Title(form, 104, "Slider gauge");
    TGuiGauge& slider = Place<TGuiGauge>(form, 14, 132, 360, 16);
    slider.Tag = int64_t{1};
    slider.Bkgrnd.Colors[0] = static_cast<uint32_t>(Images.SliderTrack);
    slider.Selected.Colors[0] = static_cast<uint32_t>(Images.SliderKnob);
    slider.Theta = 70;

    Title(form, 160, "Image list box");
    TGuiListBox& list = Place<TGuiListBox>(form, 94, 188, 200, 150);
    list.Tag = int64_t{1};
    list.Items.clear();
    for (int i = 1; i <= 12; ++i) {
        list.Items.push_back("Stage " + std::to_string(i));
    }
    list.ItemSize = 18;
    list.ItemIndex = 2;
    list.HoverIndex = 4;
    list.Font = TextFont(0, Cream, Cream);
    list.IndexedFont = TextFont(1, Ink, Ink);
    list.SetBorderColor(0);
    list.Bkgrnd.Colors[0] = static_cast<uint32_t>(Images.ListBody);
    list.Indexed.Colors[0] = static_cast<uint32_t>(Images.RowHover);
    list.Selected.Colors[0] = static_cast<uint32_t>(Images.RowSelected);
    TGuiScroll& scroll = list.Scroll();
    scroll.TrackFill.Colors[0] = static_cast<uint32_t>(Images.ScrollTrack);
    scroll.PressedFill.Colors[0] = static_cast<uint32_t>(Images.ScrollUp);
    scroll.ButtonFill.Colors[0] = static_cast<uint32_t>(Images.ScrollDown);
    scroll.ArrowColor = static_cast<uint32_t>(Images.ScrollThumb);
    scroll.Position = 0.3;

    Title(form, 350, "Text in the game's code page");
    TGuiLabel& russian = Place<TGuiLabel>(form, 14, 378, 360, 60);
    russian.WordWrap = true;
    russian.Alignment = 2;
    russian.Font = TextFont(1, Cream, Gold);
    // "Captain Zibo is held by monsters!" in code page 1251.
    russian.SetText("\xCA\xE0\xEF\xE8\xF2\xE0\xED \xC7\xE8\xE1\xEE \xE2 \xEF\xEB\xE5\xED\xF3 \xF3 "
                    "\xEC\xEE\xED\xF1\xF2\xF0\xEE\xE2!");
}

bool LoadFont(TGfxFonts& Fonts, const std::string& Face, int Size) {
    TMemoryStream stream(RenderFontRecord(std::string(FaceFolder) + Face, Size));
    return stream.Size() > 0 && Fonts.AddFont().LoadFromStream(stream, aqHigh, alFull);
}

} // namespace

int main(int argc, char** argv) {
    const std::string output = argc > 1 ? argv[1] : "gui_gallery.png";
    std::unique_ptr<TGameWindow> window = TGameWindow::Create("GUI gallery", true);
    if (!window) {
        std::fputs("gui_gallery: no video system for a hidden window\n", stderr);
        return SkippedTest;
    }
    TGfxDevice device([&](const TDisplaySettings& s) { return window->CreateBackend(s); });
    if (!device.Initialize()) {
        std::fputs("gui_gallery: OpenGL 3.3 core is not available\n", stderr);
        return SkippedTest;
    }
    TGfxCanvas canvas(device);
    TGfxImages images(device);
    TGfxFonts fonts(device);
    fonts.SetCanvas(&canvas);
    if (!LoadFont(fonts, "DejaVuSans.ttf", 13) || !LoadFont(fonts, "DejaVuSans-Bold.ttf", 14)) {
        std::fputs("gui_gallery: the DejaVu faces cannot be rendered\n", stderr);
        return 1;
    }
    const TGalleryImages pictures = AddGalleryImages(images);
    {
        TGuiBase gui;
        gui.SetCanvas(&canvas);
        gui.SetImages(&images);
        gui.SetFonts(&fonts);
        gui.SetDevice(&device);
        BuildNormalForm(gui.Root(), pictures);
        BuildImageForm(gui.Root(), pictures);
        device.OnRender = [&] { gui.Render(); };
        if (!device.Render(0xFF0B0E24, true) || !SaveScreenshot(*device.Backend(), output)) {
            std::fputs("gui_gallery: the frame could not be drawn or saved\n", stderr);
            return 1;
        }
    }
    std::printf("gui_gallery: wrote %s\n", output.c_str());
    return 0;
}
