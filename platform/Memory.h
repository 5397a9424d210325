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

// Heap allocations the calling thread has made since the counting began, so the game can show
// that a steady frame allocates nothing. Builds with AddressSanitizer count every malloc, new,
// calloc and realloc through the sanitizer's hook; other builds count the C++ allocations (new)
// of the executables that link the counting allocator (the game's). Call CountAllocations
// before the first frame; calling it again changes nothing.
void CountAllocations();
[[nodiscard]] int64_t AllocationsOnThisThread();
// Notes one allocation of the calling thread (the counting allocator's part).
void NoteAllocation() noexcept;
