// SPDX-License-Identifier: MIT
#include "GuiTestSupport.h"

#include "gui/GuiButton.h"
#include "gui/GuiEdit.h"
#include "gui/GuiForm.h"
#include "gui/GuiLabel.h"
#include "gui/GuiRegistry.h"
#include "gui/GuiTaskbar.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

std::vector<uint8_t> Int32Bytes(int32_t Value) {
    TMemoryStream s;
    WriteInt32(s, Value);
    return s.Bytes();
}

TEST(GuiLoad, EmptyFileListLoadsWithoutScreens) {
    TGuiTaskbar root;
    TMemoryStream stream(Int32Bytes(0));
    EXPECT_TRUE(root.LoadFromStream(stream));
    EXPECT_EQ(root.ChildCount(), 0);
}

TEST(GuiLoad, ClassNamesIgnoreCaseAndButtonEditMakesAButton) {
    const std::pair<const char*, const char*> cases[] = {
        {"tguiform", "TGuiForm"},       {"TGUILABEL", "TGuiLabel"}, {"TGuiButtonEdit", "TGuiButton"},
        {"tguilistbox", "TGuiListBox"}, {"TGuiPaint", "TGuiPaint"}, {"tguigauge", "TGuiGauge"},
    };
    TGuiWriter writer;
    for (const auto& c : cases) {
        writer.Add(c.first);
    }
    TGuiTaskbar root;
    ASSERT_TRUE(LoadInto(root, writer));
    ASSERT_EQ(root.ChildCount(), 6);
    for (int32_t i = 0; i < 6; ++i) {
        EXPECT_EQ(root.Child(i)->TypeName(), cases[i].second);
    }
    EXPECT_EQ(TGuiRegistry::Instance().IndexOfClass("TGuiScroll"), -1);
}

TEST(GuiLoad, EverythingInsideSpec1BecomesAButtonWithItsPropertiesAndChildren) {
    TGuiWriter writer;
    TGuiWriterControl& parent = writer.Add("TGuiForm").Set("Name", "spec1");
    parent.Add("TGuiLabel").Set("Name", "inner").Set("Caption", "Go").Add("TGuiLabel").Set("Name", "deep");
    // The rule is case-sensitive: "Spec1" keeps the class from the file.
    writer.Add("TGuiForm").Set("Name", "Spec1").Add("TGuiLabel").Set("Name", "plain");
    TGuiTaskbar root;
    ASSERT_TRUE(LoadInto(root, writer));
    auto* inner = dynamic_cast<TGuiButton*>(root.FindControl("inner"));
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(inner->Caption, "Go");
    // Only the direct children of "spec1" change class.
    EXPECT_NE(dynamic_cast<TGuiLabel*>(root.FindControl("deep")), nullptr);
    EXPECT_NE(dynamic_cast<TGuiLabel*>(root.FindControl("plain")), nullptr);
}

TEST(GuiLoad, PropertiesApplyInFileOrderWhateverTheirCase) {
    TGuiWriter a, b;
    a.Add("TGuiButton").SetInt("Width", 50).SetInt("Left", 10).Set("caption", "X");
    b.Add("TGuiButton").SetInt("Left", 10).SetInt("WIDTH", 50).Set("Caption", "X");
    TGuiTaskbar rootA, rootB;
    ASSERT_TRUE(LoadInto(rootA, a));
    ASSERT_TRUE(LoadInto(rootB, b));
    EXPECT_EQ(rootA.Child(0)->Bounds(), rootB.Child(0)->Bounds());
    EXPECT_EQ(rootA.Child(0)->Bounds(), RectOfSize(10, 0, 50, 24));
    EXPECT_EQ(dynamic_cast<TGuiButton*>(rootA.Child(0))->Caption, "X");
}

TEST(GuiLoad, HiddenControlKeepsLoadingItsChildrenAndColourTakesUnsignedDecimal) {
    TGuiWriter writer;
    TGuiWriterControl& form =
        writer.Add("TGuiForm").SetBool("Visible", false).SetColor("ShadowColor", 0xFF000000u);
    form.Add("TGuiLabel").Set("Name", "child");
    TGuiTaskbar root;
    ASSERT_TRUE(LoadInto(root, writer));
    auto* loaded = dynamic_cast<TGuiForm*>(root.Child(0));
    ASSERT_NE(loaded, nullptr);
    EXPECT_FALSE(loaded->Visible());
    EXPECT_EQ(loaded->ShadowColor, 0xFF000000u);
    EXPECT_NE(root.FindControl("child"), nullptr);
}

TEST(GuiLoad, FillsAndFontsAreReadFieldByField) {
    TGuiFont font(0x11223344, 0x55667788);
    font.FontIndex = 3;
    font.Scale = 1.5;
    font.Style = 2;
    font.Interleave = 0.25;
    TGuiWriter writer;
    writer.Add("TGuiButton").SetFill("Bkgrnd", TGuiFill(1, 2, 3, 4, false)).SetFont("Font", font);
    TGuiTaskbar root;
    ASSERT_TRUE(LoadInto(root, writer));
    const TGuiControl& button = *root.Child(0);
    EXPECT_FALSE(button.Bkgrnd.Shown);
    EXPECT_EQ(button.Bkgrnd.Colors[2], 3u);
    EXPECT_EQ(button.Font.FontIndex, 3);
    EXPECT_EQ(button.Font.Color2, 0x55667788u);
    EXPECT_EQ(button.Font.Scale, 1.5);
    EXPECT_EQ(button.Font.Style, 2);
    EXPECT_EQ(button.Font.Interleave, 0.25);
}

TEST(GuiLoad, UnregisteredClassEndsItsListAndTheRestIsReadAsTheEnclosingList) {
    TGuiWriter writer;
    TGuiWriterControl& form = writer.Add("TGuiForm").Set("Name", "outer");
    form.Add("TGuiLabel").Set("Name", "first");
    // The loader stops at "TMystery" without reading its properties; the next bytes, read as
    // the outer list's next entry, are the mystery entry's property count and so on.
    form.Add("TMystery");
    TGuiTaskbar root;
    TMemoryStream stream(writer.Bytes());
    EXPECT_TRUE(root.LoadFromStream(stream));
    EXPECT_NE(root.FindControl("first"), nullptr);
    EXPECT_LT(stream.Position(), stream.Size());
}

struct TFailureCase {
    const char* Title;
    std::function<void(TGuiWriter&)> Build;
};

TEST(GuiLoad, FailuresKeepWhatWasBuiltBefore) {
    const TFailureCase cases[] = {
        {"form has no Font", [](TGuiWriter& w) { w.Add("TGuiForm").SetFont("Font", TGuiFont()); }},
        {"unknown fill", [](TGuiWriter& w) { w.Add("TGuiLabel").SetFill("Glow", TGuiFill()); }},
        {"integer from text", [](TGuiWriter& w) { w.Add("TGuiLabel").Set("Left", "ten", pkInteger); }},
        {"boolean from text", [](TGuiWriter& w) { w.Add("TGuiLabel").Set("Visible", "maybe", pkBoolean); }},
        {"fill under an integer name", [](TGuiWriter& w) { w.Add("TGuiLabel").SetFill("Left", TGuiFill()); }},
    };
    for (const TFailureCase& c : cases) {
        TGuiWriter writer;
        writer.Add("TGuiButton").Set("Name", "before");
        c.Build(writer);
        TGuiTaskbar root;
        EXPECT_FALSE(LoadInto(root, writer)) << c.Title;
        EXPECT_NE(root.FindControl("before"), nullptr) << c.Title;
    }
}

TEST(GuiLoad, UnknownTextPropertyIsSkipped) {
    TGuiWriter writer;
    writer.Add("TGuiLabel").Set("Sparkle", "lots").Set("Name", "after");
    TGuiTaskbar root;
    EXPECT_TRUE(LoadInto(root, writer));
    EXPECT_NE(root.FindControl("after"), nullptr);
}

TEST(GuiLoad, TruncatedCorruptAndTooDeepStreamsFail) {
    TGuiWriter writer;
    writer.Add("TGuiForm").Set("Name", "a").SetFill("Bkgrnd", TGuiFill()).Add("TGuiLabel");
    const std::vector<uint8_t> whole = writer.Bytes();
    for (size_t cut = 0; cut < whole.size(); ++cut) {
        TGuiTaskbar root;
        TMemoryStream stream(std::vector<uint8_t>(whole.begin(), whole.begin() + static_cast<long>(cut)));
        EXPECT_FALSE(root.LoadFromStream(stream)) << cut;
    }
    // Counts the rest of the file cannot hold.
    for (const int32_t count : {INT32_MAX, 1000}) {
        TGuiTaskbar root;
        TMemoryStream stream(Int32Bytes(count));
        EXPECT_FALSE(root.LoadFromStream(stream)) << count;
    }
    TGuiWriter wide;
    for (int i = 0; i <= TGuiControl::MaxLoadChildren; ++i) {
        wide.Add("TGuiEdit").SetInt("TabOrder", 0);
    }
    TGuiTaskbar wideRoot;
    EXPECT_FALSE(LoadInto(wideRoot, wide));
    EXPECT_EQ(wideRoot.ChildCount(), 0);
    // More controls in all than one load may make, in lists of allowed length.
    TGuiWriter many;
    for (int i = 0; i < TGuiControl::MaxLoadControls / TGuiControl::MaxLoadChildren + 1; ++i) {
        TGuiWriterControl& form = many.Add("TGuiPaint");
        for (int k = 0; k < TGuiControl::MaxLoadChildren - 1; ++k) {
            form.Add("TGuiPaint");
        }
    }
    TGuiTaskbar manyRoot;
    EXPECT_FALSE(LoadInto(manyRoot, many));
    TGuiWriter deep;
    TGuiWriterControl* node = &deep.Add("TGuiForm");
    for (int i = 0; i < TGuiControl::MaxLoadDepth + 2; ++i) {
        node = &node->Add("TGuiForm");
    }
    TGuiTaskbar root;
    EXPECT_FALSE(LoadInto(root, deep));
}

TEST(GuiLoad, EveryCorruptedByteLoadsOrFailsCleanly) {
    TGuiWriter writer;
    TGuiWriterControl& form = writer.Add("TGuiForm").Set("Name", "f").SetFill("Bkgrnd", TGuiFill());
    form.Add("TGuiListBox").SetLines("Items", {"a", "b"}).SetInt("ItemSize", 9);
    form.Add("TGuiEdit").SetInt("MaxLength", 4).SetFont("Font", TGuiFont()).Set("Text", "abcdef");
    const std::vector<uint8_t> whole = writer.Bytes();
    for (size_t at = 0; at < whole.size(); ++at) {
        for (const uint8_t value : {uint8_t{0x00}, uint8_t{0xFF}}) {
            std::vector<uint8_t> bytes = whole;
            bytes[at] = value;
            TGuiBase gui;
            TMemoryStream stream(bytes);
            (void)gui.Root().LoadFromStream(stream);
            gui.Update();
            gui.Render();
        }
    }
}

TEST(GuiLoad, FileThatCannotBeOpenedFails) {
    TGuiTaskbar root;
    EXPECT_FALSE(root.LoadFromFile("no/such/gfx.fgg"));
}

TEST(GuiLoad, EditBoxesWithEqualTabOrderPushEachOtherUp) {
    TGuiWriter writer;
    TGuiWriterControl& form = writer.Add("TGuiForm");
    form.Add("TGuiEdit").Set("Name", "a").SetInt("TabOrder", 1);
    form.Add("TGuiEdit").Set("Name", "b").SetInt("TabOrder", 2);
    form.Add("TGuiEdit").Set("Name", "c").SetInt("TabOrder", 1);
    TGuiTaskbar root;
    ASSERT_TRUE(LoadInto(root, writer));
    const auto order = [&](const char* name) {
        return dynamic_cast<TGuiEdit*>(root.FindControl(name))->TabOrder();
    };
    EXPECT_EQ(order("c"), 1);
    EXPECT_EQ(order("a"), 2);
    EXPECT_EQ(order("b"), 3);
}

} // namespace

namespace {

class GuiLoadDrawTest : public TGuiDrawTest {};

// Positions, sizes, text adjustments and font scales at the ends of what a file can hold: each
// control loads, its bounds stay inside the coordinate range and it draws without overflow.
TEST_F(GuiLoadDrawTest, GeometryAtTheEndsOfThirtyTwoBitsIsKeptInRange) {
    TGuiFont huge;
    huge.Scale = 1e300;
    struct TCase {
        const char* Title;
        std::function<void(TGuiWriter&)> Build;
    };
    const TCase cases[] = {
        {"left at the end, default width",
         [](TGuiWriter& w) { w.Add("TGuiLabel").Set("Caption", "a").SetInt("Left", INT32_MAX); }},
        {"width past the end",
         [](TGuiWriter& w) { w.Add("TGuiButton").SetInt("Left", 10).SetInt("Width", INT32_MAX); }},
        {"most negative sizes",
         [](TGuiWriter& w) { w.Add("TGuiLabel").SetInt("Width", INT32_MIN).SetInt("Height", INT32_MIN); }},
        {"label text adjustment",
         [](TGuiWriter& w) { w.Add("TGuiLabel").Set("Caption", "a").SetInt("TextAdjust", INT32_MAX); }},
        {"edit text adjustment",
         [](TGuiWriter& w) { w.Add("TGuiEdit").Set("Text", "a").SetInt("TextAdjust", INT32_MAX); }},
        {"check box and radio button text adjustments",
         [](TGuiWriter& w) {
             w.Add("TGuiCheckBox").Set("Caption", "a").SetInt("TextAdjust", INT32_MAX);
             w.Add("TGuiRadioButton").Set("Caption", "b").SetInt("TextAdjust", INT32_MIN);
         }},
        {"list text adjustment",
         [](TGuiWriter& w) {
             w.Add("TGuiListBox").SetLines("Items", {"a"}).SetInt("TextAdjust", INT32_MIN);
         }},
        {"right-aligned text in a huge font",
         [&](TGuiWriter& w) {
             w.Add("TGuiLabel")
                 .Set("Caption", "abc")
                 .SetInt("Alignment", 1, pkAlignment)
                 .SetFont("Font", huge);
         }},
        {"button caption in an endless font",
         [](TGuiWriter& w) {
             TGuiFont endless;
             endless.Scale = std::numeric_limits<double>::infinity();
             w.Add("TGuiButton").Set("Caption", "Go").SetFont("Font", endless);
         }},
        {"nested far-off origins",
         [](TGuiWriter& w) {
             w.Add("TGuiPaint")
                 .SetInt("Left", INT32_MAX)
                 .Add("TGuiPaint")
                 .SetInt("Left", INT32_MAX)
                 .Add("TGuiLabel")
                 .Set("Caption", "a")
                 .SetInt("Left", INT32_MAX);
         }},
    };
    for (const TCase& c : cases) {
        TGuiWriter writer;
        c.Build(writer);
        Gui.Root().ClearChildren();
        ASSERT_TRUE(LoadInto(Gui.Root(), writer)) << c.Title;
        for (const TGuiControl* control = Gui.Root().Child(0); control != nullptr;
             control = control->ChildCount() > 0 ? control->Child(0) : nullptr) {
            const TRect r = control->Bounds();
            for (const int32_t edge : {r.Left, r.Top, r.Right, r.Bottom}) {
                EXPECT_LE(std::abs(edge), MaxGuiCoordinate) << c.Title;
            }
        }
        Gui.Update();
        (void)Render();
    }
}

// A text adjustment from the file is stored inside the coordinate range and read back so.
TEST_F(GuiLoadDrawTest, TextAdjustmentsAreStoredInsideTheCoordinateRange) {
    TGuiWriter writer;
    writer.Add("TGuiLabel").SetInt("TextAdjust", INT32_MAX);
    writer.Add("TGuiEdit").SetInt("TextAdjust", INT32_MIN);
    ASSERT_TRUE(LoadInto(Gui.Root(), writer));
    ASSERT_EQ(Gui.Root().ChildCount(), 2);
    EXPECT_EQ(static_cast<TGuiLabel*>(Gui.Root().Child(0))->TextAdjust, MaxGuiCoordinate);
    EXPECT_EQ(static_cast<TGuiEdit*>(Gui.Root().Child(1))->TextAdjust, -MaxGuiCoordinate);
    const auto stored = Gui.Root().Child(0)->GetValue(TGuiControl::IdOwn + 2);
    EXPECT_EQ(std::get<int64_t>(stored), MaxGuiCoordinate);
}

} // namespace
