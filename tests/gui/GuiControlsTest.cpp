// SPDX-License-Identifier: MIT
#include "GuiTestSupport.h"

#include "gui/GuiButton.h"
#include "gui/GuiCheckBox.h"
#include "gui/GuiForm.h"
#include "gui/GuiGauge.h"
#include "gui/GuiRadioButton.h"

#include <gtest/gtest.h>

namespace {

TEST(GuiGauge, BarAndTextFromThetaAndRange) {
    TGuiTaskbar root;
    TGuiGauge& gauge = root.Add<TGuiGauge>();
    EXPECT_EQ(gauge.BarWidth(), 59);
    EXPECT_EQ(gauge.GaugeText(), "50: Gauge");
    gauge.Caption.clear();
    EXPECT_EQ(gauge.GaugeText(), "50");
    gauge.MaxValue = gauge.MinValue;
    EXPECT_EQ(gauge.BarWidth(), 0);
    gauge.MinValue = INT32_MIN;
    gauge.MaxValue = INT32_MAX;
    gauge.Theta = INT32_MAX;
    EXPECT_EQ(gauge.BarWidth(), 118);
}

TEST(GuiButton, GlyphFollowsPressAndHover) {
    TGuiTaskbar root;
    root.SetBounds(0, 0, 800, 600);
    TGuiButton& button = root.Add<TGuiButton>();
    button.NormalGlyph = 0;
    button.DisabledGlyph = 1;
    button.ClickedGlyph = 2;
    std::vector<int32_t> glyphs;
    root.WindowMouseMove(0, {5, 5});
    glyphs.push_back(button.CurrentGlyph());
    root.WindowMouseDown(mbLeft, 0, {5, 5});
    glyphs.push_back(button.CurrentGlyph());
    root.WindowMouseUp(mbLeft, 0, {5, 5});
    glyphs.push_back(button.CurrentGlyph());
    root.WindowMouseMove(0, {300, 300});
    glyphs.push_back(button.CurrentGlyph());
    EXPECT_EQ(glyphs, (std::vector<int32_t>{1, 2, 1, 0}));
}

class GuiButtonDrawTest : public TGuiDrawTest {};

TEST_F(GuiButtonDrawTest, AButtonWithoutAFontDrawsNothingNotEvenItsGlyph) {
    TGfxImage& glyphs = Images.AddImage();
    glyphs.SetTextureSize({16, 16});
    ASSERT_TRUE(glyphs.LoadFromBitmap(std::vector<uint32_t>(256, 0xFFFFFFFF), 16, 16));
    TGuiButton& button = Gui.Root().Add<TGuiButton>();
    button.ImageIndex = 0;
    button.Caption = "ab";
    const auto textured = [&] {
        size_t quads = 0;
        for (const auto& batch : Render()) {
            quads += batch.Texture != 0 ? batch.Vertices.size() / 4 : 0;
        }
        return quads;
    };
    EXPECT_EQ(textured(), 1u + 2);
    button.Font.FontIndex = 1;
    EXPECT_EQ(textured(), 0u);
}

TEST(GuiCheckBox, ReleaseInsideTogglesAndOutsideDoesNot) {
    TGuiTaskbar root;
    root.SetBounds(0, 0, 800, 600);
    TGuiCheckBox& box = root.Add<TGuiCheckBox>();
    std::vector<bool> changes;
    box.OnChange = [&](TGuiControl&, bool) { changes.push_back(box.Checked()); };
    root.WindowMouseDown(mbLeft, 0, {5, 5});
    EXPECT_TRUE(box.Pressed);
    root.WindowMouseUp(mbLeft, 0, {5, 5});
    root.WindowMouseDown(mbLeft, 0, {5, 5});
    root.WindowMouseUp(mbLeft, 0, {400, 5});
    EXPECT_FALSE(box.Pressed);
    EXPECT_EQ(changes, (std::vector<bool>{false}));
}

TEST(GuiRadioButton, CheckingClearsItsGroupAmongSiblingsOnly) {
    TGuiTaskbar root;
    TGuiControl& group = root.Add<TGuiForm>();
    TGuiRadioButton& a = group.Add<TGuiRadioButton>();
    TGuiRadioButton& b = group.Add<TGuiRadioButton>();
    TGuiRadioButton& otherGroup = group.Add<TGuiRadioButton>();
    TGuiRadioButton& elsewhere = root.Add<TGuiForm>().Add<TGuiRadioButton>();
    otherGroup.GroupIndex = 1;
    int changes = 0;
    a.OnChange = [&](TGuiControl&) { ++changes; };
    for (TGuiRadioButton* r : {&a, &otherGroup, &elsewhere}) {
        r->SetChecked(true);
    }
    b.SetChecked(true);
    EXPECT_FALSE(a.Checked());
    EXPECT_TRUE(otherGroup.Checked());
    EXPECT_TRUE(elsewhere.Checked());
    EXPECT_EQ(changes, 2);
}

TEST(GuiRadioButton, ClickingACheckedButtonKeepsItCheckedWithoutOnChange) {
    TGuiTaskbar root;
    root.SetBounds(0, 0, 800, 600);
    TGuiRadioButton& radio = root.Add<TGuiRadioButton>();
    radio.SetChecked(true);
    int changes = 0;
    radio.OnChange = [&](TGuiControl&) { ++changes; };
    root.WindowMouseDown(mbLeft, 0, {5, 5});
    root.WindowMouseUp(mbLeft, 0, {500, 5});
    root.WindowMouseDown(mbLeft, 0, {5, 5});
    root.WindowMouseUp(mbLeft, 0, {5, 5});
    EXPECT_TRUE(radio.Checked());
    EXPECT_EQ(changes, 0);
}

TEST(GuiForm, DragsByItsCaptionOnly) {
    struct TCase {
        TPoint Press;
        TPoint Release;
        TPoint Expected;
    };
    const TCase cases[] = {
        {{110, 105}, {150, 125}, {140, 120}}, // caption: moved by the mouse's movement
        {{110, 130}, {150, 155}, {100, 100}}, // below the caption: stays
    };
    for (const TCase& c : cases) {
        TGuiTaskbar root;
        root.SetBounds(0, 0, 800, 600);
        TGuiForm& form = root.Add<TGuiForm>();
        form.SetBounds(100, 100, 200, 150);
        root.WindowMouseDown(mbLeft, 0, c.Press);
        root.WindowMouseMove(ssLeft, c.Release);
        root.WindowMouseUp(mbLeft, 0, c.Release);
        EXPECT_EQ((TPoint{form.Left(), form.Top()}), c.Expected);
        EXPECT_EQ(form.Width(), 200);
        EXPECT_FALSE(form.Dragging());
    }
}

TEST(GuiControls, PropertyTablesStartWithTheBaseProperties) {
    TGuiTaskbar root;
    TGuiButton& button = root.Add<TGuiButton>();
    const auto& table = button.Properties();
    ASSERT_GE(table.size(), 9u + 4 + 10);
    EXPECT_EQ(table[0].Name, "Left");
    EXPECT_EQ(table[8].Name, "DrawFx");
    EXPECT_EQ(table[9].Name, "Bkgrnd");
    EXPECT_EQ(table[13].Id, 0xA000u);
    EXPECT_EQ(button.IndexOfProperty("glyphposition"), 22);
    EXPECT_EQ(button.TypeDescription(), "This component is a clickable button.");
    EXPECT_EQ(root.TypeName(), "TGuiControl");
    EXPECT_EQ(std::get<int64_t>(button.GetValue(0x12345)), 0);
}

} // namespace
