// SPDX-License-Identifier: MIT
#include "screens/GameTexts.h"

#include "gui/GuiControl.h"
#include "gui/GuiEdit.h"
#include "gui/GuiListBox.h"
#include "gui/GuiValue.h"
#include "platform/Text.h"

std::string_view LanguageCode(TLanguage Language) {
    return Language == TLanguage::English ? "en" : "ru";
}

std::optional<TLanguage> LanguageFromCode(std::string_view Code) {
    if (Code == "ru") {
        return TLanguage::Russian;
    }
    if (Code == "en") {
        return TLanguage::English;
    }
    return std::nullopt;
}

TLanguage LanguageFromLocale(const std::vector<std::string>& Values) {
    for (const std::string& value : Values) {
        const std::string first = value.substr(0, value.find(':'));
        if (!first.empty()) {
            return first.starts_with("ru") ? TLanguage::Russian : TLanguage::English;
        }
    }
    return TLanguage::Russian;
}

std::string FillIn(std::string Text, std::string_view Field, std::string_view Value) {
    if (Field.empty()) {
        return Text;
    }
    for (size_t at = Text.find(Field); at != std::string::npos; at = Text.find(Field, at + Value.size())) {
        Text.replace(at, Field.size(), Value);
    }
    return Text;
}

std::string TGameTexts::CataloguePath(const std::string& DataFolder, TLanguage Language) {
    return DataFolder + "/locale/" + std::string(LanguageCode(Language)) + "/LC_MESSAGES/zibo.mo";
}

bool TGameTexts::Load(const std::string& DataFolder, TLanguage Language, std::string& Error) {
    std::optional<TMessageCatalog> catalog = TMessageCatalog::Load(CataloguePath(DataFolder, Language), Error);
    if (!catalog) {
        Error = CataloguePath(DataFolder, Language) + ": " + Error;
    }
    const bool loaded = catalog.has_value();
    Use(Language, std::move(catalog));
    return loaded;
}

void TGameTexts::Use(TLanguage Language, std::optional<TMessageCatalog> NewCatalog) {
    Language_ = Language;
    Catalog = std::move(NewCatalog);
}

std::string TGameTexts::TrUtf8(std::string_view Original) const {
    if (Catalog) {
        if (const std::string* found = Catalog->Find(Original)) {
            return *found;
        }
    }
    return std::string(Original);
}

std::string TGameTexts::Tr(std::string_view Original) const {
    return Utf8ToCp1251(TrUtf8(Original));
}

std::string TGameTexts::TrCp1251(std::string_view Original) const {
    return Tr(Cp1251ToUtf8(Original));
}

namespace {

void CaptureTree(TGuiControl& Control, std::vector<TGuiControl*>& Out) {
    Out.push_back(&Control);
    for (int32_t i = 0; i < Control.ChildCount(); ++i) {
        CaptureTree(*Control.Child(i), Out);
    }
}

} // namespace

void TGuiTranslation::Capture(TGuiControl& Root) {
    std::vector<TGuiControl*> controls;
    CaptureTree(Root, controls);
    for (TGuiControl* control : controls) {
        if (dynamic_cast<TGuiEdit*>(control) != nullptr || dynamic_cast<TGuiListBox*>(control) != nullptr) {
            continue;
        }
        for (const char* property : {"Caption", "Text"}) {
            if (control->IndexOfProperty(property) < 0) {
                continue;
            }
            const std::string text = ValueToString(control->GetValueByName(property));
            if (!text.empty()) {
                Entries.push_back({control, property, text, text});
            }
            break;
        }
    }
}

void TGuiTranslation::Apply(const TGameTexts& Texts) {
    for (TEntry& entry : Entries) {
        if (ValueToString(entry.Control->GetValueByName(entry.Property)) != entry.Shown) {
            continue;
        }
        entry.Shown = Texts.TrCp1251(entry.Original);
        (void)entry.Control->SetValueByName(entry.Property, entry.Shown);
    }
}
