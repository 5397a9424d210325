// SPDX-License-Identifier: MIT
// Every text the GUI file carries is measured with the very bitmap fonts the game draws it
// with: a caption or label that does not fit its control is cut at the panel's edge on screen.
#include "archive/Archive.h"
#include "engine/Canvas.h"
#include "engine/Device.h"
#include "engine/Font.h"
#include "gui/GuiBase.h"
#include "gui/GuiButton.h"
#include "gui/GuiEdit.h"
#include "gui/GuiFont.h"
#include "gui/GuiForm.h"
#include "gui/GuiLabel.h"
#include "platform/RecordingBackend.h"
#include "platform/Text.h"
#include "screens/GameTexts.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

const std::string GameDir = ZIBO_GAME_DIR;

// A label draws its text 4 pixels in from either side. A button's caption must clear the
// rounded ends of its picture: the rim and the curve take about 8 pixels a side.
constexpr double LabelPadding = 4;
constexpr double ButtonPadding = 8;

// The game's fonts and GUI file, loaded as the game loads them but drawn nowhere.
class GuiTexts : public testing::Test {
protected:
    void SetUp() override {
        Device = std::make_unique<TGfxDevice>(
            [](const TDisplaySettings& S) { return std::make_unique<TRecordingBackend>(S.Width, S.Height); });
        ASSERT_TRUE(Device->Initialize());
        Canvas = std::make_unique<TGfxCanvas>(*Device);
        Fonts = std::make_unique<TGfxFonts>(*Device);
        Fonts->SetCanvas(Canvas.get());
        for (const char* File : {"Data/data.fgg", "Data/gdata.fgg", "Data/data1.fgg"}) {
            TArchive Archive;
            Archive.SetFileName(GameDir + "/" + File);
            ASSERT_TRUE(Fonts->LoadArchive(Archive)) << File;
        }
        ASSERT_TRUE(Gui.LoadFromFile(GameDir + "/Data/gfx.fgg"));
    }
    void TearDown() override {
        Fonts.reset();
        Canvas.reset();
        Device.reset();
    }

    // The font a control draws with, with the control's scale and spacing applied.
    [[nodiscard]] const TGfxFont& FontOf(const TGuiFont& Font) const {
        TGfxFont* Resolved = Fonts->Items(Font.FontIndex);
        if (Resolved == nullptr) {
            throw std::runtime_error("no font " + std::to_string(Font.FontIndex));
        }
        Resolved->Scale = Font.Scale;
        Resolved->Style = Font.Style;
        Resolved->Interleave = Font.Interleave;
        return *Resolved;
    }

    std::unique_ptr<TGfxDevice> Device;
    std::unique_ptr<TGfxCanvas> Canvas;
    std::unique_ptr<TGfxFonts> Fonts;
    TGuiBase Gui;
};

// The lines a word-wrapped label breaks Text into at Width, as the label breaks them: whole
// words, a space between them, a line as long as it stays short of the width.
std::vector<std::string> WrapLines(const TGfxFont& Font, const std::string& Text, double Width) {
    const std::vector<std::string> Words = TGuiLabel::SplitWords(Text);
    const double Space = TGuiFont::TextWidth(Font, " ");
    std::vector<std::string> Lines;
    std::string Line;
    double Placed = 0;
    for (size_t i = 0; i < Words.size(); ++i) {
        const double W = TGuiFont::TextWidth(Font, Words[i]) + (i + 1 == Words.size() ? 0.0 : Space);
        if (!Line.empty() && !(Placed + W < Width)) {
            Lines.push_back(Line);
            Line.clear();
            Placed = 0;
        }
        Line += (Line.empty() ? "" : " ") + Words[i];
        Placed += W;
    }
    if (!Line.empty()) {
        Lines.push_back(Line);
    }
    return Lines;
}

struct TTextBox {
    const TGuiControl* Control;
    std::string Text;
    const TGuiFont* Font;
    double Padding;
    bool Wrapped;
};

// Every text of the tree under Control that the file itself fills in.
void CollectTexts(const TGuiControl& Control, std::vector<TTextBox>& Boxes) {
    if (const auto* Label = dynamic_cast<const TGuiLabel*>(&Control); Label && !Label->Text().empty()) {
        Boxes.push_back({Label, Label->Text(), &Label->Font, LabelPadding, Label->WordWrap});
    }
    if (const auto* Button = dynamic_cast<const TGuiButton*>(&Control); Button && !Button->Caption.empty()) {
        Boxes.push_back({Button, Button->Caption, &Button->Font, ButtonPadding, false});
        Boxes.push_back({Button, Button->Caption, &Button->DisabledFont, ButtonPadding, false});
    }
    for (int32_t i = 0; i < Control.ChildCount(); ++i) {
        CollectTexts(*Control.Child(i), Boxes);
    }
}

std::vector<const TGuiForm*> FormsOf(TGuiBase& Gui) {
    std::vector<const TGuiForm*> Forms;
    const TGuiControl& Root = Gui.Root();
    for (int32_t i = 0; i < Root.ChildCount(); ++i) {
        if (const auto* Form = dynamic_cast<const TGuiForm*>(Root.Child(i))) {
            Forms.push_back(Form);
        }
    }
    return Forms;
}

// Russian first (as the file holds it), then every text in English, from the build's catalogue.
TEST_F(GuiTexts, EveryTextFitsItsControlAtItsFontInEveryLanguage) {
    const std::vector<const TGuiForm*> Forms = FormsOf(Gui);
    ASSERT_GE(Forms.size(), 22u);
    TGuiTranslation Translation;
    Translation.Capture(Gui.Root());
    for (const std::string_view Language : {kRussian, kEnglish}) {
    SCOPED_TRACE(std::string(Language));
    TGameTexts Texts;
    std::string Error;
    ASSERT_TRUE(Texts.Load(GameDir, Language, Error)) << Error;
    Translation.Apply(Texts);
    for (const TGuiForm* Form : Forms) {
        std::vector<TTextBox> Boxes;
        CollectTexts(*Form, Boxes);
        for (const TTextBox& Box : Boxes) {
            const TGfxFont& Font = FontOf(*Box.Font);
            const std::string Where = Form->Name + "/" + Box.Control->Name + " \"" + Cp1251ToUtf8(Box.Text) + "\"";
            const double Room = Box.Control->Width() - 2 * Box.Padding;
            if (!Box.Wrapped) {
                EXPECT_LE(TGuiFont::TextWidth(Font, Box.Text), Room) << Where;
                EXPECT_LE(TGuiFont::TextHeight(Font, Box.Text), Box.Control->Height()) << Where;
                continue;
            }
            const std::vector<std::string> Lines = WrapLines(Font, Box.Text, Box.Control->Width());
            for (const std::string& Line : Lines) {
                EXPECT_LE(TGuiFont::TextWidth(Font, Line), Room) << Where << " line \"" << Cp1251ToUtf8(Line) << "\"";
            }
            EXPECT_LE(static_cast<int>(Lines.size()) * TGuiFont::LineHeight(Font), Box.Control->Height())
                << Where << " in " << Lines.size() << " lines";
            // No line but the last ends on a one-letter word ("в", "a"): it belongs with the
            // word after it, on the next line.
            for (size_t i = 0; i + 1 < Lines.size(); ++i) {
                const size_t Space = Lines[i].rfind(' ');
                EXPECT_GT(Lines[i].size() - (Space == std::string::npos ? 0 : Space + 1), 1u)
                    << Where << " line \"" << Cp1251ToUtf8(Lines[i]) << "\"";
            }
        }
    }
    }
}

// The main menu greets the player by name: "Привет, " + name + "!" in the "hello" label. The
// longest name the name boxes take, made of the widest letter a player can type, must fit, in
// every language.
TEST_F(GuiTexts, TheGreetingFitsTheLongestNameOfTheWidestLetters) {
    const auto* Hello = dynamic_cast<const TGuiLabel*>(Gui.FindControl("hello"));
    ASSERT_NE(Hello, nullptr);
    const TGfxFont& Font = FontOf(Hello->Font);
    std::string Widest = "W";
    for (int C = 0xC0; C <= 0xFF; ++C) {
        const std::string Letter(1, static_cast<char>(C));
        if (TGuiFont::TextWidth(Font, Letter) > TGuiFont::TextWidth(Font, Widest)) {
            Widest = Letter;
        }
    }
    for (const char* Edit : {"edit_name", "edit_name1"}) {
        const auto* Box = dynamic_cast<const TGuiEdit*>(Gui.FindControl(Edit));
        ASSERT_NE(Box, nullptr) << Edit;
        std::string Name;
        for (int32_t i = 0; i < Box->MaxLength(); ++i) {
            Name += Widest;
        }
        for (const std::string_view Language : {kRussian, kEnglish}) {
            TGameTexts Texts;
            std::string Error;
            ASSERT_TRUE(Texts.Load(GameDir, Language, Error)) << Error;
            const std::string Greeting = FillIn(Texts.Tr("Привет, {name}!"), "{name}", Name);
            EXPECT_LE(TGuiFont::TextWidth(Font, Greeting), Hello->Width() - 2 * LabelPadding)
                << Edit << ": " << Cp1251ToUtf8(Greeting);
        }
    }
}

// A control reaching past its form's edge is drawn over the panel's rim or cut off.
void ExpectInside(const TGuiControl& Parent, const std::string& Path) {
    for (int32_t i = 0; i < Parent.ChildCount(); ++i) {
        const TGuiControl& Child = *Parent.Child(i);
        const std::string Where = Path + "/" + Child.Name;
        EXPECT_GE(Child.Left(), 0) << Where;
        EXPECT_GE(Child.Top(), 0) << Where;
        EXPECT_LE(Child.Left() + Child.Width(), Parent.Width()) << Where;
        EXPECT_LE(Child.Top() + Child.Height(), Parent.Height()) << Where;
        ExpectInside(Child, Where);
    }
}

TEST_F(GuiTexts, EveryControlLiesInsideItsForm) {
    for (const TGuiForm* Form : FormsOf(Gui)) {
        ExpectInside(*Form, Form->Name);
    }
}

} // namespace
