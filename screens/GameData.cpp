// SPDX-License-Identifier: MIT
#include "screens/GameData.h"

#include "archive/Archive.h"
#include "engine/Font.h"
#include "engine/Image.h"
#include "gui/GuiBase.h"
#include "gui/GuiButton.h"
#include "gui/GuiEdit.h"
#include "gui/GuiForm.h"
#include "gui/GuiGauge.h"
#include "gui/GuiLabel.h"
#include "gui/GuiListBox.h"

namespace {
// A picture with nothing to draw is as good as none.
bool Drawable(const TGfxImage* Image) {
    return Image != nullptr && Image->PatternCount() > 0 && Image->PatternSize().X > 0 &&
           Image->PatternSize().Y > 0;
}

bool IsKind(TGuiControl* Control, TControlKind Kind) {
    switch (Kind) {
    case TControlKind::Form:
        return dynamic_cast<TGuiForm*>(Control) != nullptr;
    case TControlKind::Button:
        return dynamic_cast<TGuiButton*>(Control) != nullptr;
    case TControlKind::Edit:
        return dynamic_cast<TGuiEdit*>(Control) != nullptr;
    case TControlKind::ListBox:
        return dynamic_cast<TGuiListBox*>(Control) != nullptr;
    case TControlKind::Gauge:
        return dynamic_cast<TGuiGauge*>(Control) != nullptr;
    case TControlKind::Label:
        return dynamic_cast<TGuiLabel*>(Control) != nullptr;
    }
    return false;
}

const char* KindName(TControlKind Kind) {
    switch (Kind) {
    case TControlKind::Form:
        return "form";
    case TControlKind::Button:
        return "button";
    case TControlKind::Edit:
        return "edit box";
    case TControlKind::ListBox:
        return "list box";
    case TControlKind::Gauge:
        return "gauge";
    case TControlKind::Label:
        return "label";
    }
    return "control";
}
} // namespace

std::string MissingRecord(const TGfxImages& Images, const TGfxFonts& Fonts) {
    for (const TRequiredRecords& archive : RequiredRecords) {
        for (const std::string_view name : archive.Images) {
            if (!Drawable(Images.Find(std::string(name)))) {
                return std::string(archive.Archive) + ": missing image " + std::string(name);
            }
        }
        for (const std::string_view name : archive.Fonts) {
            if (Fonts.Find(name) == nullptr) {
                return std::string(archive.Archive) + ": missing font " + std::string(name);
            }
        }
    }
    return {};
}

std::string UnlistedRecord(const TListedType& ListedType) {
    for (const TRequiredRecords& archive : RequiredRecords) {
        for (const std::string_view name : archive.Images) {
            if (ListedType(archive.Archive, name) != RecordTypeImage) {
                return std::string(archive.Archive) + ": missing image " + std::string(name);
            }
        }
        for (const std::string_view name : archive.Fonts) {
            if (ListedType(archive.Archive, name) != RecordTypeFont) {
                return std::string(archive.Archive) + ": missing font " + std::string(name);
            }
        }
    }
    return {};
}

std::string MissingControl(TGuiBase& Gui) {
    for (const TRequiredControls& group : RequiredControls) {
        for (const std::string_view name : group.Names) {
            if (!IsKind(Gui.FindControl(name), group.Kind)) {
                return std::string(ScreensFile) + ": missing " + KindName(group.Kind) + " " + std::string(name);
            }
        }
    }
    return {};
}
