// SPDX-License-Identifier: MIT
#include "screens/GameTexts.h"

#include "gui/GuiControl.h"
#include "gui/GuiEdit.h"
#include "gui/GuiListBox.h"
#include "gui/GuiValue.h"
#include "platform/Text.h"

#include <algorithm>
#include <filesystem>

bool IsLanguageCode(std::string_view Code) {
    return Code.size() >= 2 && Code.size() <= 3 &&
           std::all_of(Code.begin(), Code.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

std::string LocaleLanguage(const std::vector<std::string>& Values) {
    for (const std::string& value : Values) {
        const std::string first = value.substr(0, value.find(':'));
        if (!first.empty()) {
            return LowerAscii(first.substr(0, first.find_first_of("_.@")));
        }
    }
    return std::string(kRussian);
}

std::string ChooseLanguage(std::string_view Wanted, const std::vector<std::string>& Installed) {
    if (Wanted == kRussian || std::find(Installed.begin(), Installed.end(), Wanted) != Installed.end()) {
        return std::string(Wanted);
    }
    return std::string(kEnglish);
}

std::vector<std::string> InstalledLanguages(const std::string& DataFolder) {
    std::vector<std::string> found;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(DataFolder + "/locale", error)) {
        const std::string code = entry.path().filename().string();
        if (IsLanguageCode(code) && code != kRussian &&
            std::filesystem::is_regular_file(TGameTexts::CataloguePath(DataFolder, code), error)) {
            found.push_back(code);
        }
    }
    std::sort(found.begin(), found.end());
    found.insert(found.begin(), std::string(kRussian));
    return found;
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

std::string TGameTexts::CataloguePath(const std::string& DataFolder, std::string_view Language) {
    return DataFolder + "/locale/" + std::string(Language) + "/LC_MESSAGES/zibo.mo";
}

bool TGameTexts::Load(const std::string& DataFolder, std::string_view Language, std::string& Error) {
    std::optional<TMessageCatalog> catalog = TMessageCatalog::Load(CataloguePath(DataFolder, Language), Error);
    if (!catalog) {
        Error = CataloguePath(DataFolder, Language) + ": " + Error;
    }
    const bool loaded = catalog.has_value();
    Use(Language, std::move(catalog));
    return loaded;
}

void TGameTexts::Use(std::string_view Language, std::optional<TMessageCatalog> NewCatalog) {
    Language_ = Language;
    Catalog = std::move(NewCatalog);
    ++Version_;
}

const std::string& TTranslatedText::In(const TGameTexts& Texts, std::string_view Original) {
    if (Source != &Texts || Version != Texts.Version() || Original_ != Original) {
        Text = Texts.Tr(Original);
        Source = &Texts;
        Version = Texts.Version();
        Original_ = Original;
    }
    return Text;
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
