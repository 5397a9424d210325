// SPDX-License-Identifier: MIT
// Feeds arbitrary bytes to the archive reader as a file: opening and reading every record must
// never crash, hang or allocate beyond what the input can justify.
#include "ScratchFile.h"
#include "archive/Archive.h"
#include "archive/Stream.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

const TScratchFile& Scratch() {
    static const TScratchFile File("archive", ".fgg");
    return File;
}

void ReadEveryRecord(TArchive& Archive) {
    for (int32_t i = 0; i < Archive.RecordCount(); ++i) {
        TMemoryStream stream;
        (void)Archive.ReadRecord(Archive.RecordKeyAt(i), stream);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    if (!Scratch().Write(Data, Size)) {
        return 0;
    }
    TArchive archive;
    archive.SetFileName(Scratch().Name());
    archive.SetOpenMode(opReadOnly);
    if (archive.EnsureOpen()) {
        ReadEveryRecord(archive);
        // Again with a key, so enciphered records go through the decipher path too.
        (void)archive.SetKeyForTesting("fuzz-key");
        ReadEveryRecord(archive);
    }
    std::remove(Scratch().Name().c_str());
    return 0;
}
