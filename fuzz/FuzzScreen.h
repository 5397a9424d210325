// SPDX-License-Identifier: MIT
// The drawing side the fuzz targets share: a device on the recording backend with a canvas,
// an image list and a font list, made once per process. Every frame forgets what the last
// one recorded, so a long run does not grow.
#pragma once

#include "archive/Archive.h"
#include "engine/Canvas.h"
#include "engine/Device.h"
#include "engine/Font.h"
#include "engine/Image.h"
#include "platform/RecordingBackend.h"
#include "tests/gui/TestFont.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TFuzzScreen {
public:
    TFuzzScreen() {
        Device.OnRender = [this] {
            if (Drawing) {
                Drawing();
            }
        };
        Ready = Device.Initialize();
        Fonts.SetCanvas(&Canvas);
    }

    // Loads the images and fonts of a game archive under the working folder, when there is
    // one, so controls that name them draw them.
    void LoadGameArchive(const std::string& FileName) {
        TArchive Archive;
        Archive.SetFileName(FileName);
        Archive.SetOpenMode(opReadOnly);
        if (Archive.EnsureOpen()) {
            (void)Images.LoadArchive(Archive);
            (void)Fonts.LoadArchive(Archive);
        }
    }

    // One frame: Draw runs between the begin and the end of the scene.
    void Frame(std::function<void()> Draw) {
        Drawing = std::move(Draw);
        (void)Device.Render(0, true);
        Drawing = nullptr;
        Backend->Batches.clear();
        Backend->Calls.clear();
        Backend->Clears.clear();
    }

    bool Ready = false;
    TRecordingBackend* Backend = nullptr;
    TGfxDevice Device{[this](const TDisplaySettings& Settings) {
        auto Made = std::make_unique<TRecordingBackend>(Settings.Width, Settings.Height);
        Made->RecordBatches = false;
        Backend = Made.get();
        return Made;
    }};
    TGfxCanvas Canvas{Device};
    TGfxImages Images{Device};
    TGfxFonts Fonts{Device};

private:
    std::function<void()> Drawing;
};
