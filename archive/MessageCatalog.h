// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

// A compiled message catalogue (the ".mo" file msgfmt writes): pairs of an original text and
// its translation, both UTF-8. The reader checks every count, offset and length against the
// file before use, so a damaged or hostile file gives an error, never a crash or a huge
// allocation. Entries without a translation are left out (the caller falls back to the
// original); the header entry (empty original) too; a plural entry keeps its first forms.
class TMessageCatalog {
public:
    using TEntries = std::map<std::string, std::string, std::less<>>;
    explicit TMessageCatalog(TEntries Entries = {}) : Entries(std::move(Entries)) {}

    // Files past this size are refused: the game's catalogues are a few dozen KiB.
    static constexpr size_t MaxFileSize = 4u << 20;

    // Parses the bytes of a catalogue; on failure returns nothing and fills Error with a reason.
    [[nodiscard]] static std::optional<TMessageCatalog> Parse(std::string_view Bytes, std::string& Error);
    // Reads and parses a file (at most MaxFileSize bytes).
    [[nodiscard]] static std::optional<TMessageCatalog> Load(const std::string& Path, std::string& Error);

    // The translation of Original, or nothing when the catalogue has none.
    [[nodiscard]] const std::string* Find(std::string_view Original) const;
    [[nodiscard]] size_t Size() const { return Entries.size(); }

private:
    TEntries Entries;
};
