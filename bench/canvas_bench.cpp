// SPDX-License-Identifier: MIT
// Textured quads per second through the canvas: with the recording backend (the canvas's own
// cost: batching, scaling, colour swapping) and with the OpenGL backend on a hidden window.
#include "engine/Canvas.h"
#include "engine/Image.h"
#include "platform/GameWindow.h"
#include "platform/RecordingBackend.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

namespace {

constexpr int QuadsPerFrame = 2000;

std::unique_ptr<TGfxImage> MakeImage(TGfxDevice& Device) {
    auto Image = std::make_unique<TGfxImage>(Device);
    Image->SetTextureSize({64, 64});
    Image->SetSize(1, {16, 16});
    Image->SetSize(0, {16, 16});
    std::vector<uint32_t> Pixels(64 * 64, 0x80FF8040u);
    if (!Image->LoadFromBitmap(Pixels, 64, 64)) {
        return nullptr;
    }
    return Image;
}

void DrawFrame(TGfxCanvas& Canvas, TGfxImage& Image) {
    for (int i = 0; i < QuadsPerFrame; ++i) {
        const auto X = static_cast<float>((i * 37) % 780);
        const auto Y = static_cast<float>((i * 53) % 580);
        Canvas.DrawEx(Image, i % 16, X, Y, 1.0f, 1.0f, false, false, 0, TColor4::All(0xFFFFFFFFu), fxBlend);
    }
}

void RunFrames(benchmark::State& State, TGfxDevice& Device, TGfxCanvas& Canvas, TGfxImage& Image) {
    Device.OnRender = [&] { DrawFrame(Canvas, Image); };
    for (auto _ : State) {
        Device.Render(0xFF000000u, true);
        Device.Flip();
    }
    State.SetItemsProcessed(State.iterations() * QuadsPerFrame);
}

void CanvasQuadsRecording(benchmark::State& State) {
    TRecordingBackend* Recorder = nullptr;
    TGfxDevice Device([&](const TDisplaySettings& S) {
        auto Backend = std::make_unique<TRecordingBackend>(S.Width, S.Height);
        Backend->RecordBatches = false;
        Recorder = Backend.get();
        return Backend;
    });
    if (!Device.Initialize()) {
        State.SkipWithError("device");
        return;
    }
    TGfxCanvas Canvas(Device);
    const std::unique_ptr<TGfxImage> Image = MakeImage(Device);
    if (!Image) {
        State.SkipWithError("image");
        return;
    }
    RunFrames(State, Device, Canvas, *Image);
    // Keep the call log from growing without bound across iterations.
    Recorder->Calls.clear();
}
BENCHMARK(CanvasQuadsRecording)->Unit(benchmark::kMillisecond)->UseRealTime();

void CanvasQuadsOpenGl(benchmark::State& State) {
    const std::unique_ptr<TGameWindow> Window = TGameWindow::Create("bench", true);
    if (!Window) {
        State.SkipWithError("no window (try SDL_VIDEODRIVER=offscreen)");
        return;
    }
    TGfxDevice Device([&](const TDisplaySettings& S) { return Window->CreateBackend(S); });
    if (!Device.Initialize()) {
        State.SkipWithError("no OpenGL 3.3");
        return;
    }
    TGfxCanvas Canvas(Device);
    const std::unique_ptr<TGfxImage> Image = MakeImage(Device);
    if (!Image) {
        State.SkipWithError("image");
        return;
    }
    RunFrames(State, Device, Canvas, *Image);
}
// The OpenGL driver renders on its own threads: only wall time tells the cost.
BENCHMARK(CanvasQuadsOpenGl)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    // Benchmarks run without a display unless one is asked for.
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
