// SPDX-License-Identifier: MIT
#pragma once

#include <string>

// A shared library the game needs only after its first picture (the sound's mixer and song
// player, the score service's HTTP client), opened where it is first used instead of with the
// program: the dynamic linker then has fewer libraries to load and link before the first
// picture. A library that cannot be opened, or lacks a function, is a problem in words
// ("cannot load libcurl.so.4: ..."); the caller goes on without what it offers.
class TLateLibrary {
public:
    // Opens the library by its file name, as the dynamic linker finds it.
    explicit TLateLibrary(const char* FileName);
    // The library stays loaded until the process ends (what it started, such as an audio
    // thread, may still run its code).
    ~TLateLibrary() = default;
    TLateLibrary(const TLateLibrary&) = delete;
    TLateLibrary& operator=(const TLateLibrary&) = delete;

    // Looks up a function by name; a missing one leaves it null and becomes the problem.
    template <typename TFunction>
    void Find(const char* Name, TFunction& Function) {
        Function = reinterpret_cast<TFunction>(Symbol(Name));
    }
    // True when the library opened and every function looked up so far was found.
    [[nodiscard]] bool Usable() const { return Problem_.empty(); }
    // Why not, the first thing that went wrong; empty when usable.
    [[nodiscard]] const std::string& Problem() const { return Problem_; }

private:
    void* Symbol(const char* Name);

    std::string FileName;
    void* Handle = nullptr;
    std::string Problem_;
};
