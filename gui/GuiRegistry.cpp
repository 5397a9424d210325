// SPDX-License-Identifier: MIT
#include "gui/GuiRegistry.h"

#include "gui/GuiButton.h"
#include "gui/GuiCheckBox.h"
#include "gui/GuiEdit.h"
#include "gui/GuiForm.h"
#include "gui/GuiGauge.h"
#include "gui/GuiLabel.h"
#include "gui/GuiListBox.h"
#include "gui/GuiPaint.h"
#include "gui/GuiRadioButton.h"
#include "platform/Text.h"

namespace {

constexpr std::string_view ClassNames[TGuiRegistry::ClassCount] = {
    "TGuiForm",     "TGuiEdit",   "TGuiLabel", "TGuiListBox", "TGuiRadioButton",
    "TGuiCheckBox", "TGuiButton", "TGuiGauge", "TGuiPaint",   "TGuiButtonEdit",
};

} // namespace

const TGuiRegistry& TGuiRegistry::Instance() {
    static const TGuiRegistry registry;
    return registry;
}

std::string_view TGuiRegistry::ClassName(int32_t Index) const {
    return Index >= 0 && Index < ClassCount ? ClassNames[Index] : std::string_view();
}

int32_t TGuiRegistry::IndexOfClass(std::string_view Name) const {
    for (int32_t i = 0; i < ClassCount; ++i) {
        if (SameName(ClassNames[i], Name)) {
            return i;
        }
    }
    return -1;
}

TGuiControl* TGuiRegistry::CreateControl(std::string_view Name, TGuiControl& Parent) const {
    switch (IndexOfClass(Name)) {
    case 0:
        return &Parent.Add<TGuiForm>();
    case 1:
        return &Parent.Add<TGuiEdit>();
    case 2:
        return &Parent.Add<TGuiLabel>();
    case 3:
        return &Parent.Add<TGuiListBox>();
    case 4:
        return &Parent.Add<TGuiRadioButton>();
    case 5:
        return &Parent.Add<TGuiCheckBox>();
    case 6:
    case 9:
        return &Parent.Add<TGuiButton>();
    case 7:
        return &Parent.Add<TGuiGauge>();
    case 8:
        return &Parent.Add<TGuiPaint>();
    default:
        return nullptr;
    }
}
