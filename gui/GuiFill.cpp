// SPDX-License-Identifier: MIT
#include "gui/GuiFill.h"

uint32_t TGuiFill::GetColor(int32_t Index) const {
    if (Index < 0 || Index > 3) {
        return 0;
    }
    return Colors[Index];
}

void TGuiFill::SetColor(uint32_t Color) {
    for (uint32_t& c : Colors) {
        c = Color;
    }
}
