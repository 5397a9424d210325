// SPDX-License-Identifier: MIT
// Start-up cost of images: loading records in the working format (rows copied straight
// into the texture) and in a narrow format (rows widened and re-encoded), and the row
// converters on their own.
#include "archive/Stream.h"
#include "engine/Device.h"
#include "engine/Image.h"
#include "engine/ImageRecord.h"
#include "platform/RecordingBackend.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

std::vector<uint8_t> SheetRecord(TPixelFormat Format) {
    TImageRecordSource Source;
    Source.Format = Format;
    Source.PatternSize = {64, 64};
    Source.TextureSize = {1024, 1024};
    for (uint32_t i = 0; i < 256; ++i) {
        Source.Patterns.emplace_back(64 * 64, 0x80000000u | i * 0x010203u);
    }
    return WriteImageRecord(Source);
}

void LoadRecord(benchmark::State& State, TPixelFormat Format) {
    TGfxDevice Device{[](const TDisplaySettings&) { return std::make_unique<TRecordingBackend>(800, 600); }};
    if (!Device.Initialize()) {
        State.SkipWithError("no device");
        return;
    }
    const std::vector<uint8_t> Bytes = SheetRecord(Format);
    for (auto _ : State) {
        TMemoryStream Stream(Bytes);
        TGfxImage Image(Device);
        benchmark::DoNotOptimize(Image.LoadFromStream(Stream));
    }
    State.SetBytesProcessed(static_cast<int64_t>(State.iterations()) * static_cast<int64_t>(Bytes.size()));
}

void BM_LoadArgbRecord(benchmark::State& State) {
    LoadRecord(State, pfA8R8G8B8);
}
void BM_LoadA4R4G4B4Record(benchmark::State& State) {
    LoadRecord(State, pfA4R4G4B4);
}

void BM_DecodeEncodeRow(benchmark::State& State) {
    const auto Format = static_cast<TPixelFormat>(State.range(0));
    std::vector<uint32_t> Argb(1024, 0x80402010u);
    std::vector<uint8_t> Stored(1024 * 4);
    for (auto _ : State) {
        EncodeRow(Format, Argb.data(), Stored.data(), 1024);
        DecodeRow(Format, Stored.data(), Argb.data(), 1024);
        benchmark::DoNotOptimize(Argb.data());
    }
    State.SetItemsProcessed(static_cast<int64_t>(State.iterations()) * 1024);
}

} // namespace

BENCHMARK(BM_LoadArgbRecord);
BENCHMARK(BM_LoadA4R4G4B4Record);
BENCHMARK(BM_DecodeEncodeRow)->DenseRange(0, 10);

BENCHMARK_MAIN();
