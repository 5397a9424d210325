// SPDX-License-Identifier: MIT
#pragma once

#include "archive/MessageCatalog.h"
#include "platform/Text.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TGuiControl;

// A language is named by its code ("ru", "en", ...): the name of its catalogue's folder, and
// the word of the command line and of Config.cfg. Russian is the language the texts are
// written in; every other language comes from its message catalogue and falls back to the
// Russian text where the catalogue has no entry. A translator adds a language by adding its
// catalogue (po/CODE.po); nothing here lists the languages.
inline constexpr std::string_view kRussian = "ru";
inline constexpr std::string_view kEnglish = "en";

// Two or three lower-case ASCII letters.
[[nodiscard]] bool IsLanguageCode(std::string_view Code);
// The language code of the first set value of LANGUAGE, LC_ALL, LC_MESSAGES and LANG (in that
// order): "ru_RU.UTF-8" gives "ru", "C.UTF-8" "c". (LANGUAGE may list several languages
// separated by ':'; its first one counts.) Nothing set: Russian.
[[nodiscard]] std::string LocaleLanguage(const std::vector<std::string>& Values);
// The language to speak for a wanted one: Russian and the installed languages as they are,
// anything else English.
[[nodiscard]] std::string ChooseLanguage(std::string_view Wanted, const std::vector<std::string>& Installed);
// Russian, then every language whose catalogue lies in the data folder, in code order.
[[nodiscard]] std::vector<std::string> InstalledLanguages(const std::string& DataFolder);

// Text with every Field (such as "{name}") replaced by Value.
[[nodiscard]] std::string FillIn(std::string Text, std::string_view Field, std::string_view Value);

// The texts of the current language. Originals are UTF-8 (as written in the code and the
// catalogues); results are in the game's code page 1251.
class TGameTexts {
public:
    // Where the catalogue of a language lies below the data folder.
    [[nodiscard]] static std::string CataloguePath(const std::string& DataFolder, std::string_view Language);

    // Switches to Language and reads its catalogue from the data folder. A missing or damaged
    // catalogue leaves the Russian texts and returns false with the reason in Error.
    bool Load(const std::string& DataFolder, std::string_view Language, std::string& Error);
    // Uses a catalogue already read (tests).
    void Use(std::string_view Language, std::optional<TMessageCatalog> Catalog);

    [[nodiscard]] const std::string& Language() const { return Language_; }
    // The translation of a UTF-8 original, in code page 1251.
    [[nodiscard]] std::string Tr(std::string_view Original) const;
    // The translation of a UTF-8 original, in UTF-8.
    [[nodiscard]] std::string TrUtf8(std::string_view Original) const;
    // The same for an original already in code page 1251 (texts read from the screens file).
    [[nodiscard]] std::string TrCp1251(std::string_view Original) const;

    // Changes whenever another language or catalogue comes into use.
    [[nodiscard]] uint64_t Version() const { return Version_; }

private:
    std::string Language_{kRussian};
    std::optional<TMessageCatalog> Catalog;
    uint64_t Version_ = 1;
};

// One text that a screen draws every frame, in the current language: translated once, and
// again only after the language (or the text asked for) changed.
class TTranslatedText {
public:
    // The translation of Original (UTF-8, a literal that outlives this) in code page 1251.
    [[nodiscard]] const std::string& In(const TGameTexts& Texts, std::string_view Original);

private:
    const TGameTexts* Source = nullptr;
    uint64_t Version = 0;
    std::string_view Original_;
    std::string Text;
};

// The captions and texts the screens file gives its controls, remembered so that they can be
// shown in any language. Only texts nobody has changed since the last switch are replaced, so
// a text the screens set (a name, a score) stays until its screen sets it again.
class TGuiTranslation {
public:
    // Remembers the texts of Root's subtree (edit boxes and lists hold the player's words and
    // are left out).
    void Capture(TGuiControl& Root);
    // Shows every remembered text in the language of Texts.
    void Apply(const TGameTexts& Texts);

private:
    struct TEntry {
        TGuiControl* Control;
        const char* Property;
        std::string Original; // code page 1251, as in the file
        std::string Shown;    // what Apply last set
    };
    std::vector<TEntry> Entries;
};
