// SPDX-License-Identifier: MIT
// The game's own global operator new: the C heap as usual, each allocation noted for the
// statistics (platform/Memory.h). Linked into the game's executable and the tests that run the
// game in their process, never into a library. Builds with AddressSanitizer keep the
// sanitizer's operator new, which checks every new against its delete, and count through its
// hook instead.
#include "platform/Memory.h"

#if defined(__SANITIZE_ADDRESS__)
#define ZIBO_KEEP_SANITIZER_NEW 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZIBO_KEEP_SANITIZER_NEW 1
#endif
#endif

#ifndef ZIBO_KEEP_SANITIZER_NEW

#include <cstdint>
#include <cstdlib>
#include <new>

namespace {
void* Allocate(std::size_t Size) {
    NoteAllocation();
    const std::size_t Bytes = Size == 0 ? 1 : Size;
    for (;;) {
        if (void* Block = std::malloc(Bytes)) {
            return Block;
        }
        const std::new_handler Handler = std::get_new_handler();
        if (Handler == nullptr) {
            throw std::bad_alloc();
        }
        Handler();
    }
}

void* AllocateAligned(std::size_t Size, std::align_val_t Alignment) {
    NoteAllocation();
    const auto Align = static_cast<std::size_t>(Alignment);
    const std::size_t Wanted = Size == 0 ? 1 : Size;
    if (Wanted > SIZE_MAX - Align) {
        throw std::bad_alloc();
    }
    // aligned_alloc wants a whole number of alignments.
    const std::size_t Bytes = (Wanted + Align - 1) / Align * Align;
    for (;;) {
        if (void* Block = std::aligned_alloc(Align, Bytes)) {
            return Block;
        }
        const std::new_handler Handler = std::get_new_handler();
        if (Handler == nullptr) {
            throw std::bad_alloc();
        }
        Handler();
    }
}
} // namespace

// The other forms (arrays, nothrow, sized deletes) reach these by the language's own rules.
void* operator new(std::size_t Size) { return Allocate(Size); }
void* operator new(std::size_t Size, std::align_val_t Alignment) { return AllocateAligned(Size, Alignment); }
void operator delete(void* Block) noexcept { std::free(Block); }
void operator delete(void* Block, std::align_val_t /*Alignment*/) noexcept { std::free(Block); }

#endif
