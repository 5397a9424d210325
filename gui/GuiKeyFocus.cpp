// SPDX-License-Identifier: MIT
#include "gui/GuiKeyFocus.h"

#include "gui/GuiButton.h"
#include "gui/GuiCheckBox.h"
#include "gui/GuiContext.h"
#include "gui/GuiEdit.h"
#include "gui/GuiForm.h"
#include "gui/GuiRadioButton.h"
#include "engine/Canvas.h"

#include <algorithm>

namespace {

// Controls whose centres lie closer than this vertically share a row.
constexpr int32_t RowTolerance = 8;

bool IsFocusKind(const TGuiControl& Control) {
    return dynamic_cast<const TGuiButton*>(&Control) != nullptr ||
           dynamic_cast<const TGuiCheckBox*>(&Control) != nullptr ||
           dynamic_cast<const TGuiRadioButton*>(&Control) != nullptr ||
           dynamic_cast<const TGuiEdit*>(&Control) != nullptr;
}

// Depth-first through visible, enabled containers.
void Collect(TGuiControl& Parent, std::vector<TGuiControl*>& Out) {
    for (int32_t i = 0; i < Parent.ChildCount(); ++i) {
        TGuiControl* child = Parent.Child(i);
        if (!child->Visible() || !child->Enabled()) {
            continue;
        }
        if (IsFocusKind(*child)) {
            Out.push_back(child);
        } else {
            Collect(*child, Out);
        }
    }
}

int32_t CentreY(const TGuiControl* Control) {
    const TRect r = Control->ScreenRect();
    return (r.Top + r.Bottom) / 2;
}

void SortReadingOrder(std::vector<TGuiControl*>& Controls) {
    std::stable_sort(Controls.begin(), Controls.end(),
                     [](const TGuiControl* A, const TGuiControl* B) { return CentreY(A) < CentreY(B); });
    // Rows: a run of controls within the tolerance of the run's first one, then left to right.
    for (auto row = Controls.begin(); row != Controls.end();) {
        const int32_t top = CentreY(*row);
        auto end = std::find_if(row, Controls.end(),
                                [top](const TGuiControl* C) { return CentreY(C) - top > RowTolerance; });
        std::stable_sort(row, end, [](const TGuiControl* A, const TGuiControl* B) {
            return A->ScreenRect().Left < B->ScreenRect().Left;
        });
        row = end;
    }
}

} // namespace

std::vector<TGuiControl*> KeyFocusCandidates(TGuiControl& Root) {
    std::vector<TGuiControl*> result;
    // Index 0 is the front-most form.
    for (int32_t i = 0; i < Root.ChildCount() && result.empty(); ++i) {
        TGuiControl* form = Root.Child(i);
        if (dynamic_cast<TGuiForm*>(form) != nullptr && form->Visible() && form->Enabled()) {
            Collect(*form, result);
        }
    }
    SortReadingOrder(result);
    return result;
}

bool KeepsOwnKeys(const TGuiControl& Control) { return dynamic_cast<const TGuiEdit*>(&Control) != nullptr; }

void DrawFocusRing(const TRect& Rect) {
    const TGuiContext& context = TGuiContext::Current();
    const auto grown = [&Rect](int32_t By) {
        return TRect{Rect.Left - By, Rect.Top - By, Rect.Right + By, Rect.Bottom + By};
    };
    // Colours are 0xAABBGGRR, as the canvas takes them.
    const uint32_t blend = fxBlend;
    context.Outline(grown(5), 0xD8300C1A, blend);
    context.Outline(grown(4), 0xFFA0F2FF, blend);
    context.Outline(grown(3), 0xFF40C0FF, blend);
    context.Outline(grown(2), 0xFF40C0FF, blend);
    context.Outline(grown(1), 0xFF1878E8, blend);
    context.Outline(grown(0), 0xD8300C1A, blend);
}
