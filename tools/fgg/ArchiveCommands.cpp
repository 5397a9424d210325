// SPDX-License-Identifier: MIT
#include "tools/fgg/ArchiveCommands.h"

#include "archive/Archive.h"
#include "archive/ArchiveWriter.h"
#include "archive/Stream.h"

#include <charconv>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

int Failure(const TFggIo& Io, const std::string& Subject, const char* Reason) {
    std::fprintf(Io.Err, "fgg: %s: %s\n", Subject.c_str(), Reason);
    return FggFailed;
}

bool WriteAll(std::FILE* To, const void* Data, size_t Size) {
    return (Size == 0 || std::fwrite(Data, 1, Size, To) == Size) && std::fflush(To) == 0;
}

bool ReadWholeFile(const std::string& Path, std::vector<uint8_t>& Bytes) {
    std::ifstream in(Path, std::ios::binary);
    if (!in) {
        return false;
    }
    Bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

struct TRecordSpec {
    uint16_t Type = 0;
    std::string Key;
    std::string File;
};

// TYPE:KEY=FILE. The key ends at the first '=', so file names may contain one but keys may not.
bool ParseRecordSpec(const std::string& Text, TRecordSpec& Entry) {
    const size_t colon = Text.find(':');
    const size_t equals = colon == std::string::npos ? std::string::npos : Text.find('=', colon + 1);
    if (colon == 0 || equals == std::string::npos || equals == colon + 1 || equals + 1 == Text.size()) {
        return false;
    }
    const char* first = Text.data();
    const char* last = Text.data() + colon;
    const auto [end, error] = std::from_chars(first, last, Entry.Type);
    if (error != std::errc() || end != last) {
        return false;
    }
    Entry.Key = Text.substr(colon + 1, equals - colon - 1);
    Entry.File = Text.substr(equals + 1);
    return true;
}

} // namespace

int RunList(TFggArgs Args, const TFggIo& Io) {
    TArchive archive;
    archive.SetFileName(Args[0]);
    archive.SetOpenMode(opReadOnly);
    if (!archive.EnsureOpen()) {
        return Failure(Io, Args[0], ArchiveErrorText(archive.LastError()));
    }
    for (int32_t i = 0; i < archive.RecordCount(); ++i) {
        const TRecordInfo& info = *archive.RecordAt(i);
        std::fprintf(Io.Out, "%d\t%d\t%d\t%d\t%d\t", i, info.RecordType, info.UnpackedSize, info.StoredSize,
                     info.Enciphered != 0 ? 1 : 0);
        std::fwrite(info.Key.data(), 1, info.Key.size(), Io.Out);
        std::fputc('\n', Io.Out);
    }
    if (!WriteAll(Io.Out, nullptr, 0)) {
        return Failure(Io, Args[0], "cannot write the listing");
    }
    return FggOk;
}

int RunExtract(TFggArgs Args, const TFggIo& Io) {
    TArchive archive;
    archive.SetFileName(Args[0]);
    archive.SetOpenMode(opReadOnly);
    TMemoryStream record;
    if (!archive.ReadRecord(Args[1], record)) {
        return Failure(Io, Args[0] + ": " + Args[1], ArchiveErrorText(archive.LastError()));
    }
    if (!WriteAll(Io.Out, record.Bytes().data(), record.Bytes().size())) {
        return Failure(Io, Args[0] + ": " + Args[1], "cannot write the record");
    }
    return FggOk;
}

int RunPack(TFggArgs Args, const TFggIo& Io) {
    std::vector<TRecordSpec> specs(Args.size() - 1);
    for (size_t i = 1; i < Args.size(); ++i) {
        if (!ParseRecordSpec(Args[i], specs[i - 1])) {
            std::fprintf(Io.Err, "fgg: pack: '%s' is not TYPE:KEY=FILE (TYPE 0 to 65535)\n", Args[i].c_str());
            PrintFggUsage(Io.Err);
            return FggUsage;
        }
    }
    TArchiveWriter writer;
    for (TRecordSpec& entry : specs) {
        std::vector<uint8_t> bytes;
        if (!ReadWholeFile(entry.File, bytes)) {
            return Failure(Io, entry.File, "cannot read the file");
        }
        writer.Add(entry.Type, std::move(entry.Key), std::move(bytes));
    }
    if (!writer.SaveToFile(Args[0])) {
        return Failure(Io, Args[0], "cannot write the archive");
    }
    return FggOk;
}
