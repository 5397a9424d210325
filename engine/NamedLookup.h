// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// A picture or font that a frame draws by name, found once and kept while its list holds the
// same entries (the list's Generation). A name not found is looked for again next time, so
// something loaded later is still seen.
template <typename TList, typename TItem> class TNamedLookup {
public:
    explicit TNamedLookup(std::string_view Name) : Name(Name) {}

    [[nodiscard]] TItem* In(const TList& Items) {
        if (Found == nullptr || List != &Items || Generation != Items.Generation()) {
            Found = Items.Find(Name);
            List = &Items;
            Generation = Items.Generation();
        }
        return Found;
    }

private:
    std::string Name;
    const TList* List = nullptr;
    uint64_t Generation = 0;
    TItem* Found = nullptr;
};
