// SPDX-License-Identifier: MIT
#pragma once

#include "archive/MessageCatalog.h"

#include <string>
#include <vector>

// The words a picture is drawn with, in one language. Pictures are written in Russian; a
// painter passes each of its words through this object, which gives the translation from
// the language's compiled catalogue, or the Russian words where the catalogue has none.
class TPictureWords {
public:
    // The Russian words, unchanged.
    TPictureWords() = default;
    TPictureWords(std::string Language, const TMessageCatalog& Catalogue)
        : Language_(std::move(Language)), Catalogue(&Catalogue) {}

    [[nodiscard]] std::string operator()(const char* Russian) const;
    // "ru" for the Russian words.
    [[nodiscard]] const std::string& Language() const { return Language_; }
    // The image name of this language's variant of Name: Name itself in Russian, "Name@en"...
    [[nodiscard]] std::string VariantName(const std::string& Name) const;

private:
    std::string Language_ = "ru";
    const TMessageCatalog* Catalogue = nullptr;
};

// A language the pictures are drawn in besides Russian, with its catalogue.
struct TPictureLanguage {
    std::string Code;
    TMessageCatalog Catalogue;
};

// Every compiled catalogue under Dir ("Dir/CODE/LC_MESSAGES/zibo.mo") but the Russian one,
// ordered by code. Throws std::runtime_error on a catalogue that cannot be read: the data
// would lack a language the game offers.
[[nodiscard]] std::vector<TPictureLanguage> LoadPictureLanguages(const std::string& Dir);
