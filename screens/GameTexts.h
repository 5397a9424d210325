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

// The languages the game speaks. Russian is the language the texts are written in; every
// other language comes from a message catalogue and falls back to the Russian text where
// the catalogue has no entry.
enum class TLanguage : uint8_t { Russian, English };

// "ru" or "en": the catalogue's folder name, the command line's and Config.cfg's word.
[[nodiscard]] std::string_view LanguageCode(TLanguage Language);
[[nodiscard]] std::optional<TLanguage> LanguageFromCode(std::string_view Code);
// The language of the first set value of LANGUAGE, LC_ALL, LC_MESSAGES and LANG (in that
// order): "ru…" is Russian, anything else English. (LANGUAGE may list several languages
// separated by ':'; its first one counts.) Nothing set: Russian.
[[nodiscard]] TLanguage LanguageFromLocale(const std::vector<std::string>& Values);

// Text with every Field (such as "{name}") replaced by Value.
[[nodiscard]] std::string FillIn(std::string Text, std::string_view Field, std::string_view Value);

// The texts of the current language. Originals are UTF-8 (as written in the code and the
// catalogues); results are in the game's code page 1251.
class TGameTexts {
public:
    // Where the catalogue of a language lies below the data folder.
    [[nodiscard]] static std::string CataloguePath(const std::string& DataFolder, TLanguage Language);

    // Switches to Language and reads its catalogue from the data folder. A missing or damaged
    // catalogue leaves the Russian texts and returns false with the reason in Error.
    bool Load(const std::string& DataFolder, TLanguage Language, std::string& Error);
    // Uses a catalogue already read (tests).
    void Use(TLanguage Language, std::optional<TMessageCatalog> Catalog);

    [[nodiscard]] TLanguage Language() const { return Language_; }
    // The translation of a UTF-8 original, in code page 1251.
    [[nodiscard]] std::string Tr(std::string_view Original) const;
    // The translation of a UTF-8 original, in UTF-8.
    [[nodiscard]] std::string TrUtf8(std::string_view Original) const;
    // The same for an original already in code page 1251 (texts read from the screens file).
    [[nodiscard]] std::string TrCp1251(std::string_view Original) const;

private:
    TLanguage Language_ = TLanguage::Russian;
    std::optional<TMessageCatalog> Catalog;
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
