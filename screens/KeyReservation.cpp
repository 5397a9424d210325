// SPDX-License-Identifier: MIT
#include "screens/KeyReservation.h"

void ReserveKeyCodes(const std::vector<int32_t>& Codes, TGuiCharSet& TypeableChars, TGuiCharSet& EditKeys) {
    const TGuiCharSet& defaultTypeable = TGuiContext::DefaultTypeableChars();
    for (const int32_t code : Codes) {
        const bool editKey =
            code == 9 || code == 16 || code == 17 || (code >= 32 && code <= 40) || code == 45 || code == 46;
        if (editKey) {
            EditKeys.reset(static_cast<size_t>(code));
            continue;
        }
        int32_t upper = code;
        if (upper >= 'a' && upper <= 'z') {
            upper -= 'a' - 'A';
        }
        if (upper >= 0 && upper < 256 && defaultTypeable.test(static_cast<size_t>(upper))) {
            TypeableChars.reset(static_cast<size_t>(upper));
        }
    }
}
