// SPDX-License-Identifier: MIT
#include "platform/Memory.h"

#include <malloc.h>
#include <unistd.h>

#include <cstdio>

int64_t HeapBytesInUse() {
    const struct mallinfo2 Info = mallinfo2();
    return static_cast<int64_t>(Info.uordblks + Info.hblkhd);
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
