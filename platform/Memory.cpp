// SPDX-License-Identifier: MIT
#include "platform/Memory.h"

#include <malloc.h>
#include <unistd.h>

#include <cstddef>
#include <cstdio>

#if defined(__SANITIZE_ADDRESS__)
#define ZIBO_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZIBO_ADDRESS_SANITIZER 1
#endif
#endif

#ifdef ZIBO_ADDRESS_SANITIZER
// The sanitizer's runtime offers hooks that see every allocation; its header does not come
// with every compiler, the function does.
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*Malloc)(const volatile void*, size_t),
                                                         void (*Free)(const volatile void*));
#endif

namespace {
// The heap allocations of each thread so far. The allocator's hook has nowhere else to count,
// so this is the one global of the counting; it lives in the executable's own thread storage,
// so touching it never allocates.
[[gnu::tls_model("initial-exec")]] thread_local int64_t Allocations = 0;

#ifdef ZIBO_ADDRESS_SANITIZER
void CountMalloc(const volatile void* /*Block*/, size_t /*Size*/) { ++Allocations; }
void IgnoreFree(const volatile void* /*Block*/) {}
#endif
} // namespace

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

void CountAllocations() {
#ifdef ZIBO_ADDRESS_SANITIZER
    // Once per process, whoever asks first: a second pair of hooks would count twice.
    static const bool Installed = __sanitizer_install_malloc_and_free_hooks(CountMalloc, IgnoreFree) > 0;
    (void)Installed;
#endif
}

int64_t AllocationsOnThisThread() { return Allocations; }

void NoteAllocation() noexcept { ++Allocations; }
