// SPDX-License-Identifier: MIT
// Feeds arbitrary bytes to the particle record reader; a record that reads becomes two live
// effects, one moving, that are stepped a few hundred times and drawn through the recording
// device.
#include "FuzzScreen.h"

#include "engine/Random.h"
#include "particles/ParticleParams.h"
#include "particles/ParticleSystem.h"

#include <cstdint>
#include <vector>

namespace {

constexpr int32_t PatternSide = 16;
constexpr int32_t Patterns = 4;
constexpr int32_t Steps = 300;
constexpr int32_t Capacity = 200;
constexpr int32_t DrawEvery = 50;

TFuzzScreen& Screen() {
    static TFuzzScreen Made;
    return Made;
}

// Four 16 by 16 patterns side by side, so particle animations have frames to step through.
TGfxImage* ParticleImage() {
    static TGfxImage Image(Screen().Device);
    static const bool Loaded = [] {
        std::vector<uint32_t> Pixels(static_cast<size_t>(PatternSide * Patterns * PatternSide), 0xFFFFFFFF);
        Image.SetTextureSize({64, 64});
        Image.SetSize(1, {PatternSide, PatternSide});
        Image.SetSize(0, {PatternSide, PatternSide});
        Image.SetPatternCount(Patterns);
        return Image.LoadFromBitmap(Pixels, PatternSide * Patterns, PatternSide);
    }();
    return Loaded ? &Image : nullptr;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    const auto Params = ParseParticleRecord(Data, Size);
    TFuzzScreen& Fuzz = Screen();
    if (!Params || !Fuzz.Ready) {
        return 0;
    }
    // Systems built as the manager builds them, with room for fewer particles so that a run
    // of steps stays quick; how many live changes no arithmetic.
    TParticleRandom Random;
    TRandom SpawnRandom;
    TXParticleSystem Moving(*Params, ParticleImage(), Capacity, Random, &SpawnRandom);
    Moving.MoveTo(400.0f, 300.0f, false);
    Moving.AddSpawnPoint(5, -5);
    Moving.AngleOffset = 0.5f;
    Moving.Start();
    TXParticleSystem Still(*Params, ParticleImage(), Capacity, Random, nullptr);
    Still.Start();
    for (int32_t Step = 0; Step < Steps; ++Step) {
        // The moving emitter turns its particles along its path when the template asks.
        Moving.MoveBy(3.0f, -2.0f, Step % 2 == 0);
        Moving.Update(0.01f);
        Still.Update(0.01f);
        if (Step % DrawEvery == 0) {
            Fuzz.Frame([&] {
                Moving.Draw(Fuzz.Canvas, 0.0f, 0.0f);
                Still.Draw(Fuzz.Canvas, 10.0f, -10.0f);
            });
        }
    }
    return 0;
}
