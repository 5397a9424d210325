// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

// The process's memory as the system sees it, for statistics and benchmarks.

// Bytes the C heap hands out right now (small blocks and large mapped ones).
[[nodiscard]] int64_t HeapBytesInUse();
// The resident set in bytes; 0 when the system does not tell.
[[nodiscard]] int64_t ResidentBytes();
