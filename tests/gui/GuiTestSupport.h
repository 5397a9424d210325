// SPDX-License-Identifier: MIT
#pragma once

#include "archive/Stream.h"
#include "engine/Canvas.h"
#include "engine/Device.h"
#include "engine/Font.h"
#include "engine/Image.h"
#include "gui/GuiBase.h"
#include "gui/GuiWriter.h"
#include "platform/RecordingBackend.h"
#include "TestFont.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

constexpr float TestAdvance = 7.0f;

// The GUI root on a device with the recording backend, a canvas, an image list and a font
// list holding the test font at position 0.
class TGuiDrawTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Device.Initialize());
        Fonts.SetCanvas(&Canvas);
        TMemoryStream stream(TestFontRecord());
        ASSERT_TRUE(Fonts.AddFont().LoadFromStream(stream, aqHigh, alFull));
        Gui.SetCanvas(&Canvas);
        Gui.SetImages(&Images);
        Gui.SetFonts(&Fonts);
        Gui.SetDevice(&Device);
    }

    // Renders one frame of the GUI and returns what was drawn.
    const std::vector<TRecordingBackend::TBatchRecord>& Render() {
        Backend->Batches.clear();
        Device.OnRender = [this] { Gui.Render(); };
        EXPECT_TRUE(Device.Render(0, true));
        return Backend->Batches;
    }

    // Top-left corners of the textured quads drawn (one per glyph), in drawing order, in
    // logical points (the canvas puts vertices half a pixel up and left, on pixel centres).
    std::vector<std::pair<float, float>> GlyphCorners() {
        std::vector<std::pair<float, float>> corners;
        for (const auto& batch : Render()) {
            for (size_t i = 0; batch.Texture != 0 && i + 4 <= batch.Vertices.size(); i += 4) {
                corners.emplace_back(batch.Vertices[i].X + 0.5f, batch.Vertices[i].Y + 0.5f);
            }
        }
        return corners;
    }
    // Left edges of the glyph quads.
    std::vector<float> GlyphLefts() {
        std::vector<float> lefts;
        for (const auto& batch : Render()) {
            if (batch.Kind != TPrimitive::Triangles || batch.Texture == 0) {
                continue;
            }
            for (size_t i = 0; i + 4 <= batch.Vertices.size(); i += 4) {
                lefts.push_back(batch.Vertices[i].X + 0.5f);
            }
        }
        return lefts;
    }

    TRecordingBackend* Backend = nullptr;
    TGfxDevice Device{[this](const TDisplaySettings& s) {
        auto made = std::make_unique<TRecordingBackend>(s.Width, s.Height);
        Backend = made.get();
        return made;
    }};
    TGfxCanvas Canvas{Device};
    TGfxImages Images{Device};
    TGfxFonts Fonts{Device};
    TGuiBase Gui;
};

// Loads a stream made by the writer into Root.
inline bool LoadInto(TGuiControl& Root, const TGuiWriter& Writer) {
    TMemoryStream stream(Writer.Bytes());
    return Root.LoadFromStream(stream);
}
