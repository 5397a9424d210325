// SPDX-License-Identifier: MIT
// Loading every record of an archive the size of the game's largest, the way the image, font and
// particle loaders do at start-up: each read re-reads the whole directory from the file.
#include "archive/Archive.h"
#include "archive/ArchiveWriter.h"
#include "archive/Stream.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

constexpr int RecordCount = 300;

std::string MakeArchive() {
    TArchiveWriter writer;
    for (int i = 0; i < RecordCount; ++i) {
        // Picture-like records: a few kilobytes that compress moderately.
        std::vector<uint8_t> bytes(4096 + i * 16);
        for (size_t b = 0; b < bytes.size(); ++b) {
            bytes[b] = static_cast<uint8_t>((b * (i + 3)) ^ (b >> 4));
        }
        writer.Add(RecordTypeImage, "Image" + std::to_string(i) + ".piece", std::move(bytes));
    }
    const std::string path =
        (std::filesystem::temp_directory_path() / ("zibo_bench_" + std::to_string(getpid()) + ".fgg"))
            .string();
    if (!writer.SaveToFile(path)) {
        return {};
    }
    return path;
}

void LoadEveryRecord(benchmark::State& State) {
    const std::string path = MakeArchive();
    if (path.empty()) {
        State.SkipWithError("cannot write the archive");
        return;
    }
    int64_t bytes = 0;
    for (auto _ : State) {
        TArchive archive;
        archive.SetFileName(path);
        archive.SetOpenMode(opReadOnly);
        if (!archive.EnsureOpen()) {
            State.SkipWithError("cannot open the archive");
            break;
        }
        for (int32_t i = 0; i < archive.RecordCount(); ++i) {
            TMemoryStream stream;
            if (!archive.ReadRecord(archive.RecordKeyAt(i), stream)) {
                State.SkipWithError("a record failed");
                break;
            }
            bytes += stream.Size();
        }
    }
    State.SetBytesProcessed(bytes);
    State.counters["records"] = RecordCount;
    std::filesystem::remove(path);
}

} // namespace

BENCHMARK(LoadEveryRecord)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
