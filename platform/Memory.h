// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

// The process's memory as the system sees it, for statistics and benchmarks.

// Bytes the C heap hands out right now (small blocks and large mapped ones).
[[nodiscard]] int64_t HeapBytesInUse();
// The resident set in bytes; 0 when the system does not tell.
[[nodiscard]] int64_t ResidentBytes();
// Large blocks (picture pages, decoded records) come from their own mappings and go back to
// the system when freed, instead of staying in the heap after loading. Call once at start.
void KeepLargeBlocksOutOfTheHeap();
// Hands the heap's free memory back to the system (after loading, which frees a lot at once).
void ReturnFreeHeap();
