// SPDX-License-Identifier: MIT
// A per-process file in /tmp that a fuzz target writes each input to, for readers that take a
// file name.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

class TScratchFile {
public:
    // Name: what the file is for ("archive", "config", ...); Suffix: its extension, dot included.
    TScratchFile(const std::string& Name, const std::string& Suffix)
        : Path("/tmp/zibo_" + Name + "_fuzz_" + std::to_string(getpid()) + Suffix) {}
    ~TScratchFile() { std::remove(Path.c_str()); }
    TScratchFile(const TScratchFile&) = delete;
    TScratchFile& operator=(const TScratchFile&) = delete;

    [[nodiscard]] const std::string& Name() const { return Path; }

    // Replaces the file's content; false when it could not be written whole.
    bool Write(const uint8_t* Data, size_t Size) const {
        std::FILE* file = std::fopen(Path.c_str(), "wb");
        if (!file) {
            return false;
        }
        const bool written = Size == 0 || std::fwrite(Data, 1, Size, file) == Size;
        return std::fclose(file) == 0 && written;
    }

private:
    std::string Path;
};
