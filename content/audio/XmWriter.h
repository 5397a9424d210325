// SPDX-License-Identifier: MIT
#pragma once

#include "content/audio/XmModule.h"

#include <cstdint>
#include <vector>

// The bytes of an XM file (version 1.04, linear frequencies): packed patterns and 16-bit
// delta-coded samples. Throws std::invalid_argument on a song the format cannot hold (too
// many orders, patterns, instruments, channels or envelope points; a generator bug).
[[nodiscard]] std::vector<uint8_t> EncodeXm(const TXmModule& Module);
