// SPDX-License-Identifier: MIT
#include "platform/Memory.h"

#include <malloc.h>
#include <unistd.h>

#include <cstdio>

int64_t HeapBytesInUse() {
    const struct mallinfo2 Info = mallinfo2();
    return static_cast<int64_t>(Info.uordblks + Info.hblkhd);
}

void KeepLargeBlocksOutOfTheHeap() {
    // A fixed threshold also stops the allocator from raising it each time a large mapped
    // block is freed, which would move the next large blocks into the heap for good.
    constexpr int LargeBlock = 1 << 20;
    mallopt(M_MMAP_THRESHOLD, LargeBlock);
}

void ReturnFreeHeap() {
    malloc_trim(0);
}

int64_t ResidentBytes() {
    std::FILE* File = std::fopen("/proc/self/statm", "r");
    if (File == nullptr) {
        return 0;
    }
    long long Size = 0;
    long long Resident = 0;
    const int Read = std::fscanf(File, "%lld %lld", &Size, &Resident);
    std::fclose(File);
    const long Page = sysconf(_SC_PAGESIZE);
    return Read == 2 && Page > 0 ? static_cast<int64_t>(Resident) * Page : 0;
}
