// SPDX-License-Identifier: MIT
#pragma once

#include "game/GameRun.h"

#include <filesystem>
#include <string>

// A temporary folder of the test's own, removed with everything in it (also read-only parts).
class TScratch {
public:
    explicit TScratch(const std::string& Name);
    ~TScratch();
    TScratch(const TScratch&) = delete;
    TScratch& operator=(const TScratch&) = delete;
    [[nodiscard]] const std::filesystem::path& Path() const { return Dir; }

private:
    std::filesystem::path Dir;
};

// Installs the build into Root (DESTDIR) under Prefix with "cmake --install".
[[nodiscard]] TProgramRun InstallInto(const std::filesystem::path& Root, const std::string& Prefix,
                                      const std::filesystem::path& WorkFolder);
