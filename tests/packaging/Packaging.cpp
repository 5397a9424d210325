// SPDX-License-Identifier: MIT
#include "Packaging.h"

#include <unistd.h>

namespace fs = std::filesystem;

TScratch::TScratch(const std::string& Name)
    : Dir(fs::temp_directory_path() / ("zibo-" + Name + "-" + std::to_string(::getpid()))) {
    fs::remove_all(Dir);
    fs::create_directories(Dir);
}

TScratch::~TScratch() {
    std::error_code ec;
    // Give write permission back, so read-only test folders can go too.
    for (auto it = fs::recursive_directory_iterator(Dir, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        fs::permissions(it->path(), fs::perms::owner_write, fs::perm_options::add, ec);
    }
    fs::remove_all(Dir, ec);
}

TProgramRun InstallInto(const fs::path& Root, const std::string& Prefix, const fs::path& WorkFolder) {
    return RunProgram("env DESTDIR=" + ShellQuote(Root.string()) + " " + ShellQuote(ZIBO_CMAKE) + " --install " +
                          ShellQuote(ZIBO_BINARY_DIR) + " --prefix " + ShellQuote(Prefix),
                      WorkFolder);
}
