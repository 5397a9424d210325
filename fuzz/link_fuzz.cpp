// SPDX-License-Identifier: MIT
// Link files (".url" internet shortcuts) as the game reads them: at most the size it reads, and
// whatever address comes out must be a web address the desktop may be asked to open.
#include "app/LinkFile.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    if (Size > kMaxLinkFileBytes) {
        return 0;
    }
    const std::string_view text(reinterpret_cast<const char*>(Data), Size);
    const std::string address = LinkFileAddress(text);
    if (!address.empty() && !IsWebAddress(address)) {
        std::abort();
    }
    // The address check on its own, on any text.
    (void)IsWebAddress(text);
    return 0;
}
