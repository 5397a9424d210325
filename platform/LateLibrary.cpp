// SPDX-License-Identifier: MIT
#include "platform/LateLibrary.h"

#include <dlfcn.h>

TLateLibrary::TLateLibrary(const char* FileName) : FileName(FileName) {
    // Every function is bound now, so a missing one shows here and not at its first call.
    Handle = dlopen(FileName, RTLD_NOW | RTLD_LOCAL);
    if (Handle == nullptr) {
        const char* why = dlerror();
        Problem_ = "cannot load " + this->FileName + (why != nullptr ? std::string(": ") + why : std::string());
    }
}

void* TLateLibrary::Symbol(const char* Name) {
    if (Handle == nullptr) {
        return nullptr;
    }
    void* address = dlsym(Handle, Name);
    if (address == nullptr && Problem_.empty()) {
        Problem_ = FileName + " lacks " + Name;
    }
    return address;
}
