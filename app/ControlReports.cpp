// SPDX-License-Identifier: MIT
#include "app/ControlReports.h"

#include "app/Trace.h"
#include "board/GameEngine.h"
#include "engine/Canvas.h"
#include "gui/GuiControl.h"
#include "gui/GuiValue.h"
#include "platform/Memory.h"
#include "platform/RenderBackend.h"
#include "platform/Text.h"

#include <string>
#include <utility>
#include <vector>

namespace {
// Visible controls of a tree with a caption or text, with the name they are traced under.
void VisibleTexts(const TGuiControl& Control, const std::string& Name,
                  std::vector<std::pair<std::string, std::string>>& Out) {
    if (!Control.Visible()) {
        return;
    }
    for (const char* property : {"Caption", "Text"}) {
        if (Control.IndexOfProperty(property) >= 0) {
            Out.emplace_back(Name, ValueToString(Control.GetValueByName(property)));
            break;
        }
    }
    for (int32_t i = 0; i < Control.ChildCount(); ++i) {
        const TGuiControl& child = *Control.Child(i);
        VisibleTexts(child, child.Name.empty() ? Name + "/" + std::to_string(i) : child.Name, Out);
    }
}
} // namespace

void TraceTexts(TTrace& Trace, const TGuiControl& Root) {
    std::vector<std::pair<std::string, std::string>> texts;
    for (int32_t i = 0; i < Root.ChildCount(); ++i) {
        const TGuiControl& form = *Root.Child(i);
        VisibleTexts(form, form.Name.empty() ? "-" : form.Name, texts);
    }
    for (const auto& [name, value] : texts) {
        Trace.Event("text", {{"control", name}, {"value", Cp1251ToUtf8(value)}});
    }
}

void TraceDump(TTrace& Trace, TGameEngine& Engine, uint8_t ScreenState, int32_t Score) {
    const TLevelRecord& level = Engine.Level();
    Trace.Event("dump", {{"state", std::to_string(ScreenState)},
                         {"stage", std::to_string(Engine.CurrentStage)},
                         {"difficulty", std::to_string(Engine.Difficulty)},
                         {"score", std::to_string(Score)},
                         {"timeleft", std::to_string(level.TimeLeft)}});
    for (int32_t r = 0; r < BoardSize; ++r) {
        std::string line = "board row=" + std::to_string(r) + " cells=";
        for (int32_t c = 0; c < BoardSize; ++c) {
            if (c > 0) {
                line += ' ';
            }
            line += CellDumpText(Engine.Board[c][r]);
        }
        Trace.RawEvent(line);
    }
}

void TraceStats(TTrace& Trace, const TFrameStats& Frame, const TTextureTotals& Textures, int64_t SlowestStepMicros,
                int64_t FrameAllocations, int64_t DamagedPixels) {
    Trace.Event("stats", {{"drawcalls", std::to_string(Frame.DrawCalls)},
                          {"binds", std::to_string(Frame.Binds)},
                          {"quads", std::to_string(Frame.Quads)},
                          {"textures", std::to_string(Textures.Count)},
                          {"texbytes", std::to_string(Textures.Bytes)},
                          {"heap", std::to_string(HeapBytesInUse())},
                          {"rss", std::to_string(ResidentBytes())},
                          {"slowest", std::to_string(SlowestStepMicros)},
                          {"allocs", std::to_string(FrameAllocations)},
                          {"damaged", std::to_string(DamagedPixels)}});
}
