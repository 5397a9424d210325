// SPDX-License-Identifier: MIT
// Feeds arbitrary bytes to the archive reader as a file: opening and reading every record must
// never crash, hang or allocate beyond what the input can justify.
#include "archive/Archive.h"
#include "archive/Stream.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

const std::string& ScratchFile() {
    static const std::string path = "/tmp/zibo_archive_fuzz_" + std::to_string(getpid()) + ".fgg";
    return path;
}

bool WriteInput(const uint8_t* Data, size_t Size) {
    std::FILE* file = std::fopen(ScratchFile().c_str(), "wb");
    if (!file) {
        return false;
    }
    const bool written = Size == 0 || std::fwrite(Data, 1, Size, file) == Size;
    return std::fclose(file) == 0 && written;
}

void ReadEveryRecord(TArchive& Archive) {
    for (int32_t i = 0; i < Archive.RecordCount(); ++i) {
        TMemoryStream stream;
        (void)Archive.ReadRecord(Archive.RecordKeyAt(i), stream);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    if (!WriteInput(Data, Size)) {
        return 0;
    }
    TArchive archive;
    archive.SetFileName(ScratchFile());
    archive.SetOpenMode(opReadOnly);
    if (archive.EnsureOpen()) {
        ReadEveryRecord(archive);
        // Again with a key, so enciphered records go through the decipher path too.
        (void)archive.SetKeyForTesting("fuzz-key");
        ReadEveryRecord(archive);
    }
    std::remove(ScratchFile().c_str());
    return 0;
}
