// SPDX-License-Identifier: MIT
#include "platform/DriverPin.h"

#include <dlfcn.h>
#include <link.h>

#include <string>
#include <vector>

namespace {
bool IsDriverLibrary(const std::string& Path) {
    return Path.find("/dri/") != std::string::npos || Path.find("libgallium") != std::string::npos ||
           Path.find("libLLVM") != std::string::npos || Path.find("libEGL_mesa") != std::string::npos ||
           Path.find("libglapi") != std::string::npos;
}
} // namespace

void KeepGraphicsDriversLoaded() {
    std::vector<std::string> paths;
    dl_iterate_phdr(
        [](dl_phdr_info* Info, size_t, void* Data) {
            if (Info->dlpi_name && IsDriverLibrary(Info->dlpi_name)) {
                static_cast<std::vector<std::string>*>(Data)->push_back(Info->dlpi_name);
            }
            return 0;
        },
        &paths);
    for (const std::string& path : paths) {
        // Already loaded: this only marks the library as never to be unloaded. The handle is
        // kept on purpose.
        dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
    }
}
