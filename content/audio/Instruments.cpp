// SPDX-License-Identifier: MIT
#include "content/audio/Instruments.h"

#include "content/audio/Synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double TwoPi = 2.0 * std::numbers::pi;
constexpr double BaseRate = 8363.0;
constexpr double MiddleC = 261.6255653;
// Pitched samples hold whole cycles of this many samples.
constexpr int CycleLength = 256;
// A peak under full scale leaves the player's interpolation room.
constexpr double SamplePeakDb = -1.0;

struct TPartialMix {
    TWaveShape Shape;
    int Harmonics;
    float Gain;
};

// One looped cycle mixed from a few band-limited waveforms.
TXmSample LoopedCycle(const char* Name, std::initializer_list<TPartialMix> Mix) {
    TSignal cycle(CycleLength, 0.0f);
    for (const TPartialMix& part : Mix) {
        const std::vector<float> wave = WaveCycle(part.Shape, part.Harmonics, CycleLength);
        for (int i = 0; i < CycleLength; ++i) {
            cycle[i] += wave[i] * part.Gain;
        }
    }
    Normalise(cycle, SamplePeakDb);
    TXmSample sample;
    sample.Name = Name;
    sample.Data = ToPcm16(cycle);
    sample.LoopStart = 0;
    sample.LoopLength = CycleLength;
    TuneSample(sample, MiddleC * CycleLength / BaseRate);
    return sample;
}

// A one-shot recorded at the mixing rate, played back at that rate on C-4.
TXmSample OneShot(const char* Name, TSignal Signal) {
    FadeEdges(Signal, 0.0005);
    Normalise(Signal, SamplePeakDb);
    TXmSample sample;
    sample.Name = Name;
    sample.Data = ToPcm16(Signal);
    TuneSample(sample, AudioRate / BaseRate);
    return sample;
}

TXmInstrument Instrument(const char* Name, TXmSample Sample, std::vector<TXmEnvelopePoint> Envelope,
                         int SustainPoint, uint16_t Fadeout) {
    TXmInstrument instrument;
    instrument.Name = Name;
    instrument.Sample = std::move(Sample);
    instrument.VolumeEnvelope = std::move(Envelope);
    instrument.SustainPoint = SustainPoint;
    instrument.Fadeout = Fadeout;
    return instrument;
}

} // namespace

void TuneSample(TXmSample& Sample, double Ratio) {
    const double semitones = 12.0 * std::log2(Ratio);
    const double relative = std::round(semitones);
    Sample.RelativeNote = static_cast<int8_t>(std::clamp(relative, -96.0, 95.0));
    Sample.Finetune =
        static_cast<int8_t>(std::clamp(std::round((semitones - relative) * 128.0), -128.0, 127.0));
}

TXmInstrument MakeSquareLead() {
    TXmInstrument lead = Instrument(
        "Lead", LoopedCycle("square", {{TWaveShape::Square, 15, 1.0f}, {TWaveShape::Saw, 9, 0.3f}}),
        {{0, 0}, {2, 64}, {14, 44}, {34, 0}}, 2, 900);
    lead.VibratoSweep = 40;
    lead.VibratoDepth = 3;
    lead.VibratoRate = 20;
    return lead;
}

TXmInstrument MakeBellLead() {
    return Instrument("Bell",
                      LoopedCycle("bell", {{TWaveShape::Sine, 1, 1.0f},
                                           {TWaveShape::Triangle, 7, 0.25f},
                                           {TWaveShape::Square, 5, 0.08f}}),
                      {{0, 64}, {6, 44}, {40, 22}, {90, 8}, {160, 0}}, -1, 1200);
}

TXmInstrument MakePluck() {
    return Instrument("Pluck", LoopedCycle("saw", {{TWaveShape::Saw, 10, 1.0f}}),
                      {{0, 64}, {4, 34}, {18, 12}, {48, 0}}, -1, 2000);
}

TXmInstrument MakePad() {
    // Two saws whose cycle counts over the loop differ by one beat slowly against each
    // other, and the loop still closes on whole cycles of both.
    constexpr int cycles = 128;
    constexpr int length = cycles * CycleLength;
    constexpr int harmonics = 10;
    TSignal loop(length, 0.0f);
    for (int k = 1; k <= harmonics; ++k) {
        const double gain = 1.0 / k;
        for (int i = 0; i < length; ++i) {
            const double x = static_cast<double>(i) / length;
            loop[i] += static_cast<float>(
                gain * (std::sin(TwoPi * k * cycles * x) + std::sin(TwoPi * k * (cycles + 1) * x + 1.3 * k)));
        }
    }
    Normalise(loop, SamplePeakDb);
    TXmSample sample;
    sample.Name = "pad";
    sample.Data = ToPcm16(loop);
    sample.LoopLength = length;
    TuneSample(sample, MiddleC * length / (cycles + 0.5) / BaseRate);
    return Instrument("Pad", std::move(sample), {{0, 0}, {16, 52}, {40, 44}, {90, 0}}, 2, 500);
}

TXmInstrument MakeBass() {
    return Instrument("Bass",
                      LoopedCycle("bass", {{TWaveShape::Triangle, 15, 1.0f},
                                           {TWaveShape::Sine, 1, 0.6f},
                                           {TWaveShape::Saw, 6, 0.12f}}),
                      {{0, 64}, {8, 52}, {40, 40}, {56, 0}}, 2, 1800);
}

TXmInstrument MakeKick() {
    constexpr double length = 0.32;
    TSignal kick(SamplesFor(length), 0.0f);
    double phase = 0.0;
    for (std::size_t i = 0; i < kick.size(); ++i) {
        const double t = static_cast<double>(i) / AudioRate;
        const double frequency = 48.0 + 120.0 * std::exp(-t / 0.03);
        const double level = std::min(1.0, t / 0.001) * std::exp(-t / 0.11);
        kick[i] = static_cast<float>(std::sin(TwoPi * phase) * level);
        phase += frequency / AudioRate;
    }
    AddNoise(
        kick,
        {.Duration = 0.005, .Attack = 0.0002, .Decay = 0.0015, .Gain = 0.3f, .HighCut = 4000, .Seed = 3});
    return Instrument("Kick", OneShot("kick", std::move(kick)), {}, -1, 0);
}

TXmInstrument MakeSnare() {
    TSignal snare;
    AddTone(snare, {.Frequency = 185,
                    .EndFrequency = 160,
                    .Duration = 0.12,
                    .Attack = 0.001,
                    .Decay = 0.045,
                    .Release = 0.02,
                    .Gain = 0.5f});
    AddTone(snare, {.Frequency = 330, .Duration = 0.08, .Attack = 0.001, .Decay = 0.025, .Gain = 0.2f});
    AddNoise(snare, {.Duration = 0.22,
                     .Attack = 0.0005,
                     .Decay = 0.065,
                     .Gain = 0.7f,
                     .LowCut = 1200,
                     .HighCut = 9000,
                     .Seed = 7});
    return Instrument("Snare", OneShot("snare", std::move(snare)), {}, -1, 0);
}

TXmInstrument MakeHiHat() {
    TSignal hat;
    AddNoise(hat,
             {.Duration = 0.09, .Attack = 0.0003, .Decay = 0.02, .Gain = 1.0f, .LowCut = 7000, .Seed = 13});
    return Instrument("HiHat", OneShot("hihat", std::move(hat)), {}, -1, 0);
}
