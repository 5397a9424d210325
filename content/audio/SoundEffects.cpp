// SPDX-License-Identifier: MIT
#include "content/audio/SoundEffects.h"

#include "content/audio/NoiseSource.h"

#include <array>
#include <initializer_list>

namespace {

// Every effect peaks here, a little under full scale so mixing several stays clean.
constexpr double PeakDb = -3.0;
constexpr double EdgeFade = 0.003;

TSignal Finish(TSignal Signal) {
    FadeEdges(Signal, EdgeFade);
    Normalise(Signal, PeakDb);
    return Signal;
}

// A bell-like note: a few slightly stretched partials, the higher ones dying sooner.
void AddBell(TSignal& Signal, double Note, double Start, double Duration, float Gain, double Decay) {
    struct TPartial {
        double Ratio;
        float Gain;
        double DecayScale;
    };
    constexpr TPartial partials[] = {
        {1.0, 1.0f, 1.0}, {2.0, 0.35f, 0.5}, {3.01, 0.15f, 0.3}, {4.2, 0.06f, 0.2}};
    for (const TPartial& p : partials) {
        TTone tone;
        tone.Frequency = NoteFrequency(Note) * p.Ratio;
        tone.Start = Start;
        tone.Duration = Duration;
        tone.Attack = 0.002;
        tone.Decay = Decay * p.DecayScale;
        tone.Release = 0.02;
        tone.Gain = Gain * p.Gain;
        AddTone(Signal, tone);
    }
}

// A brassy note: a saw with its octave-lower square, made mellow by the caller's low-pass.
void AddBrass(TSignal& Signal, double Note, double Start, double Duration, float Gain, double Decay,
              double Vibrato = 0.0) {
    TTone saw;
    saw.Frequency = NoteFrequency(Note);
    saw.Shape = TWaveShape::Saw;
    saw.Harmonics = 14;
    saw.Start = Start;
    saw.Duration = Duration;
    saw.Attack = 0.015;
    saw.Decay = Decay;
    saw.Release = 0.04;
    saw.Gain = Gain;
    saw.VibratoRate = 5.5;
    saw.VibratoDepth = Vibrato;
    AddTone(Signal, saw);
    TTone body = saw;
    body.Frequency = NoteFrequency(Note - 12);
    body.Shape = TWaveShape::Square;
    body.Harmonics = 8;
    body.Gain = Gain * 0.35f;
    AddTone(Signal, body);
}

// Short high blips at seeded times and pitches of the pentatonic scale: sparkle.
void AddSparkles(TSignal& Signal, int Count, double From, double To, float Gain, uint32_t Seed) {
    constexpr std::array<int, 5> pentatonic = {0, 2, 4, 7, 9};
    TNoiseSource random(Seed);
    for (int i = 0; i < Count; ++i) {
        const double start = From + (To - From) * i / Count + 0.02 * (random.Next() + 1.0);
        const int note =
            96 + pentatonic[random.Below(pentatonic.size())] + 12 * static_cast<int>(random.Below(2));
        AddBell(Signal, note, start, 0.12, Gain * (0.6f + 0.4f * random.Next()), 0.03);
    }
}

// A soft, short click for buttons.
TSignal MakeCheck() {
    TSignal s;
    AddTone(s, {.Frequency = 1500,
                .EndFrequency = 1000,
                .Duration = 0.06,
                .Attack = 0.001,
                .Decay = 0.012,
                .Release = 0.01,
                .Gain = 0.8f});
    AddTone(s, {.Frequency = 3000, .Duration = 0.03, .Attack = 0.001, .Decay = 0.005, .Gain = 0.2f});
    AddNoise(s, {.Duration = 0.006,
                 .Attack = 0.0005,
                 .Decay = 0.002,
                 .Gain = 0.25f,
                 .LowCut = 2000,
                 .HighCut = 8000,
                 .Seed = 11});
    LowPass(s, 6000);
    return Finish(s);
}

// A bright chime climbing a major chord: a line was found.
TSignal MakeLineReady() {
    TSignal s;
    const double notes[] = {84, 88, 91, 96};
    for (int i = 0; i < 4; ++i) {
        AddBell(s, notes[i], 0.055 * i, 0.45, 0.5f, 0.22);
    }
    return Finish(s);
}

// A short fanfare: the board is built and the stage begins.
TSignal MakeStartLevel() {
    TSignal s;
    const double run[] = {67, 72, 76};
    for (int i = 0; i < 3; ++i) {
        AddBrass(s, run[i], 0.13 * i, 0.12, 0.45f, 0.0);
    }
    for (const double note : {72.0, 76.0, 79.0}) {
        AddBrass(s, note, 0.39, 0.65, note == 79.0 ? 0.45f : 0.25f, 0.5, 0.15);
    }
    LowPass(s, 3500);
    return Finish(s);
}

// A falling, sad phrase with a long wavering last note: the game is over.
TSignal MakeGameOver() {
    TSignal s;
    const double notes[] = {67, 66, 65};
    for (int i = 0; i < 3; ++i) {
        AddTone(s, {.Frequency = NoteFrequency(notes[i]),
                    .EndFrequency = NoteFrequency(notes[i] - 0.3),
                    .Shape = TWaveShape::Square,
                    .Harmonics = 10,
                    .Start = 0.32 * i,
                    .Duration = 0.3,
                    .Attack = 0.03,
                    .Decay = 0.4,
                    .Release = 0.06,
                    .Gain = 0.4f});
    }
    AddTone(s, {.Frequency = NoteFrequency(64),
                .EndFrequency = NoteFrequency(63.5),
                .Shape = TWaveShape::Square,
                .Harmonics = 10,
                .Start = 0.96,
                .Duration = 0.95,
                .Attack = 0.03,
                .Decay = 0.7,
                .Release = 0.3,
                .Gain = 0.4f,
                .VibratoRate = 5.0,
                .VibratoDepth = 0.3});
    for (int i = 0; i < 4; ++i) {
        const double note = i < 3 ? notes[i] : 64.0;
        AddTone(s, {.Frequency = NoteFrequency(note - 12),
                    .Shape = TWaveShape::Triangle,
                    .Start = 0.32 * i,
                    .Duration = i < 3 ? 0.3 : 0.95,
                    .Attack = 0.02,
                    .Decay = 0.6,
                    .Release = 0.2,
                    .Gain = 0.25f});
    }
    LowPass(s, 2000);
    return Finish(s);
}

// A triumphant jingle ending on a held major chord with sparkles: the stage is complete.
TSignal MakeStageComplete() {
    TSignal s;
    const double run[] = {72, 76, 79};
    for (int i = 0; i < 3; ++i) {
        AddBrass(s, run[i], 0.11 * i, 0.1, 0.45f, 0.0);
    }
    AddBrass(s, 84, 0.33, 0.24, 0.45f, 0.0);
    AddBrass(s, 79, 0.58, 0.1, 0.4f, 0.0);
    for (const double note : {72.0, 76.0, 79.0, 84.0}) {
        AddBrass(s, note, 0.7, 1.1, note == 84.0 ? 0.45f : 0.22f, 0.7, 0.12);
    }
    AddTone(s, {.Frequency = NoteFrequency(48),
                .Shape = TWaveShape::Triangle,
                .Start = 0.7,
                .Duration = 1.1,
                .Attack = 0.01,
                .Decay = 0.6,
                .Release = 0.2,
                .Gain = 0.4f});
    LowPass(s, 4000);
    AddSparkles(s, 10, 0.75, 1.5, 0.12f, 77);
    return Finish(s);
}

// A pop with a spray of sparkles: a tile lands on the progress bar.
TSignal MakeLayerExplode() {
    TSignal s;
    AddTone(s, {.Frequency = 700,
                .EndFrequency = 160,
                .Duration = 0.08,
                .Attack = 0.001,
                .Decay = 0.03,
                .Release = 0.01,
                .Gain = 0.8f});
    AddNoise(s, {.Duration = 0.04,
                 .Attack = 0.0005,
                 .Decay = 0.01,
                 .Gain = 0.35f,
                 .LowCut = 500,
                 .HighCut = 6000,
                 .Seed = 23});
    AddSparkles(s, 8, 0.03, 0.3, 0.2f, 5);
    return Finish(s);
}

// A dull, buzzing bonk: the swap made no line and is undone.
TSignal MakeExchangeFail() {
    TSignal s;
    AddTone(s, {.Frequency = 230,
                .EndFrequency = 140,
                .Duration = 0.28,
                .Attack = 0.002,
                .Decay = 0.08,
                .Release = 0.03,
                .Gain = 0.7f});
    for (const double frequency : {110.0, 116.0}) {
        AddTone(s, {.Frequency = frequency,
                    .EndFrequency = frequency * 0.85,
                    .Shape = TWaveShape::Square,
                    .Harmonics = 8,
                    .Duration = 0.28,
                    .Attack = 0.004,
                    .Decay = 0.1,
                    .Release = 0.04,
                    .Gain = 0.25f});
    }
    LowPass(s, 1500);
    return Finish(s);
}

// A dry clock tick for each of the last seconds.
TSignal MakeTimeEnding() {
    TSignal s;
    AddNoise(s, {.Duration = 0.03,
                 .Attack = 0.0003,
                 .Decay = 0.004,
                 .Gain = 0.6f,
                 .LowCut = 2500,
                 .HighCut = 9000,
                 .Seed = 31});
    AddTone(s, {.Frequency = 2200, .Duration = 0.05, .Attack = 0.0005, .Decay = 0.01, .Gain = 0.45f});
    AddTone(s, {.Frequency = 900, .Duration = 0.07, .Attack = 0.001, .Decay = 0.015, .Gain = 0.3f});
    return Finish(s);
}

// A rising, wavering shimmer of bells: a bonus is taken.
TSignal MakeBonusTaken() {
    TSignal s;
    const double notes[] = {84, 86, 88, 91, 93, 96, 98, 100, 103};
    for (int i = 0; i < 9; ++i) {
        AddBell(s, notes[i], 0.045 * i, 0.4, 0.35f, 0.18);
    }
    AddTone(s, {.Frequency = 700,
                .EndFrequency = 2100,
                .Duration = 0.8,
                .Attack = 0.05,
                .Decay = 0.4,
                .Release = 0.2,
                .Gain = 0.2f,
                .VibratoRate = 9.0,
                .VibratoDepth = 0.4});
    AddNoise(s, {.Duration = 0.7, .Attack = 0.1, .Decay = 0.25, .Gain = 0.06f, .LowCut = 6000, .Seed = 41});
    AddSparkles(s, 6, 0.4, 0.8, 0.1f, 9);
    return Finish(s);
}

constexpr TSoundEffect Effects[] = {
    {"check", &MakeCheck},
    {"lineready", &MakeLineReady},
    {"startlevel", &MakeStartLevel},
    {"gameover", &MakeGameOver},
    {"stagecomplete", &MakeStageComplete},
    {"layerexplode", &MakeLayerExplode},
    {"exchangefail", &MakeExchangeFail},
    {"timeending", &MakeTimeEnding},
    {"bonustaken", &MakeBonusTaken},
};

} // namespace

std::span<const TSoundEffect> SoundEffects() {
    return Effects;
}

TSignal MakeSoundEffect(std::string_view Name) {
    for (const TSoundEffect& effect : Effects) {
        if (Name == effect.Name) {
            return effect.Make();
        }
    }
    return {};
}
