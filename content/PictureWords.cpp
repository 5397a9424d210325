// SPDX-License-Identifier: MIT
#include "content/PictureWords.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>

std::string TPictureWords::operator()(const char* Russian) const {
    if (Catalogue != nullptr) {
        if (const std::string* translated = Catalogue->Find(Russian)) {
            return *translated;
        }
    }
    return Russian;
}

std::string TPictureWords::VariantName(const std::string& Name) const {
    return Catalogue == nullptr ? Name : Name + "@" + Language_;
}

std::vector<TPictureLanguage> LoadPictureLanguages(const std::string& Dir) {
    namespace fs = std::filesystem;
    std::vector<TPictureLanguage> languages;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(Dir, error)) {
        const fs::path file = entry.path() / "LC_MESSAGES" / "zibo.mo";
        const std::string code = entry.path().filename().string();
        if (code == "ru" || !fs::is_regular_file(file)) {
            continue;
        }
        std::string why;
        std::optional<TMessageCatalog> catalogue = TMessageCatalog::Load(file.string(), why);
        if (!catalogue) {
            throw std::runtime_error(file.string() + ": " + why);
        }
        languages.push_back({code, std::move(*catalogue)});
    }
    if (error) {
        throw std::runtime_error(Dir + ": " + error.message());
    }
    std::sort(languages.begin(), languages.end(),
              [](const TPictureLanguage& A, const TPictureLanguage& B) { return A.Code < B.Code; });
    return languages;
}
