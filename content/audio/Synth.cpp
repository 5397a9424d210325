// SPDX-License-Identifier: MIT
#include "content/audio/Synth.h"

#include "content/audio/NoiseSource.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double TwoPi = 2.0 * std::numbers::pi;
// Harmonics stop below this, leaving room under the Nyquist frequency.
constexpr double AudibleTop = 18000.0;

void EnsureLength(TSignal& Signal, std::size_t Length) {
    if (Signal.size() < Length) {
        Signal.resize(Length, 0.0f);
    }
}

// Attack (a smooth rise), exponential decay and a linear release at the end.
double Envelope(double T, double Duration, double Attack, double Decay, double Release) {
    double level = 1.0;
    if (Attack > 0.0 && T < Attack) {
        const double x = T / Attack;
        level = x * x * (3.0 - 2.0 * x);
    }
    if (Decay > 0.0) {
        level *= std::exp(-std::max(0.0, T - Attack) / Decay);
    }
    const double left = Duration - T;
    if (Release > 0.0 && left < Release) {
        level *= std::max(0.0, left / Release);
    }
    return level;
}

// Amplitude of harmonic K (1-based) of a shape; 0 where the shape has none.
double HarmonicAmplitude(TWaveShape Shape, int K) {
    switch (Shape) {
    case TWaveShape::Sine:
        return K == 1 ? 1.0 : 0.0;
    case TWaveShape::Triangle:
        return K % 2 == 0 ? 0.0 : ((K / 2) % 2 == 0 ? 1.0 : -1.0) / (K * K);
    case TWaveShape::Square:
        return K % 2 == 0 ? 0.0 : 1.0 / K;
    case TWaveShape::Saw:
        return 1.0 / K;
    }
    return 0.0;
}

} // namespace

double NoteFrequency(double Note) {
    return 440.0 * std::pow(2.0, (Note - 69.0) / 12.0);
}

std::size_t SamplesFor(double Seconds) {
    return static_cast<std::size_t>(std::lround(std::max(0.0, Seconds) * AudioRate));
}

std::vector<float> WaveCycle(TWaveShape Shape, int Harmonics, std::size_t Length) {
    std::vector<float> cycle(Length, 0.0f);
    double peak = 0.0;
    std::vector<double> values(Length, 0.0);
    for (int k = 1; k <= std::max(1, Harmonics); ++k) {
        const double amplitude = HarmonicAmplitude(Shape, k);
        if (amplitude == 0.0) {
            continue;
        }
        for (std::size_t i = 0; i < Length; ++i) {
            values[i] += amplitude * std::sin(TwoPi * k * static_cast<double>(i) / Length);
        }
    }
    for (const double v : values) {
        peak = std::max(peak, std::abs(v));
    }
    for (std::size_t i = 0; i < Length; ++i) {
        cycle[i] = peak > 0.0 ? static_cast<float>(values[i] / peak) : 0.0f;
    }
    return cycle;
}

void AddTone(TSignal& Signal, const TTone& Tone) {
    const std::size_t first = SamplesFor(Tone.Start);
    const std::size_t count = SamplesFor(Tone.Duration);
    EnsureLength(Signal, first + count);
    const double top = std::max(Tone.Frequency, Tone.EndFrequency);
    const int harmonics = std::clamp(static_cast<int>(AudibleTop / top), 1, std::max(1, Tone.Harmonics));
    constexpr std::size_t tableSize = 2048;
    const std::vector<float> table = WaveCycle(Tone.Shape, harmonics, tableSize);
    const double endFrequency = Tone.EndFrequency > 0.0 ? Tone.EndFrequency : Tone.Frequency;
    // The glide multiplies the frequency by the same factor every sample.
    const double glide =
        std::pow(endFrequency / Tone.Frequency, 1.0 / static_cast<double>(std::max<std::size_t>(count, 1)));
    double glidedFrequency = Tone.Frequency;
    double phase = 0.0;
    for (std::size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / AudioRate;
        const double progress = static_cast<double>(i) / static_cast<double>(count);
        double frequency = glidedFrequency;
        glidedFrequency *= glide;
        if (Tone.VibratoDepth > 0.0) {
            const double depth = Tone.VibratoDepth * std::min(1.0, 2.0 * progress);
            frequency *= std::pow(2.0, depth * std::sin(TwoPi * Tone.VibratoRate * t) / 12.0);
        }
        const double position = phase * tableSize;
        const auto index = static_cast<std::size_t>(position) % tableSize;
        const double fraction = position - std::floor(position);
        const double value = table[index] + (table[(index + 1) % tableSize] - table[index]) * fraction;
        const double level = Envelope(t, Tone.Duration, Tone.Attack, Tone.Decay, Tone.Release);
        Signal[first + i] += static_cast<float>(value * level * Tone.Gain);
        phase += frequency / AudioRate;
        phase -= std::floor(phase);
    }
}

void AddNoise(TSignal& Signal, const TNoiseBurst& Burst) {
    const std::size_t first = SamplesFor(Burst.Start);
    const std::size_t count = SamplesFor(Burst.Duration);
    TSignal noise(count, 0.0f);
    TNoiseSource source(Burst.Seed);
    for (float& sample : noise) {
        sample = source.Next();
    }
    if (Burst.HighCut > 0.0) {
        LowPass(noise, Burst.HighCut);
        LowPass(noise, Burst.HighCut);
    }
    if (Burst.LowCut > 0.0) {
        HighPass(noise, Burst.LowCut);
        HighPass(noise, Burst.LowCut);
    }
    EnsureLength(Signal, first + count);
    for (std::size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / AudioRate;
        const double level = Envelope(t, Burst.Duration, Burst.Attack, Burst.Decay, 0.005);
        Signal[first + i] += static_cast<float>(noise[i] * level * Burst.Gain);
    }
}

void LowPass(TSignal& Signal, double Cutoff) {
    const double a = 1.0 - std::exp(-TwoPi * Cutoff / AudioRate);
    double state = 0.0;
    for (float& sample : Signal) {
        state += a * (sample - state);
        sample = static_cast<float>(state);
    }
}

void HighPass(TSignal& Signal, double Cutoff) {
    const double a = 1.0 - std::exp(-TwoPi * Cutoff / AudioRate);
    double low = 0.0;
    for (float& sample : Signal) {
        low += a * (sample - low);
        sample = static_cast<float>(sample - low);
    }
}

void Normalise(TSignal& Signal, double PeakDb) {
    float peak = 0.0f;
    for (const float sample : Signal) {
        peak = std::max(peak, std::abs(sample));
    }
    if (peak <= 0.0f) {
        return;
    }
    const auto scale = static_cast<float>(std::pow(10.0, PeakDb / 20.0) / peak);
    for (float& sample : Signal) {
        sample *= scale;
    }
}

void FadeEdges(TSignal& Signal, double Seconds) {
    const std::size_t count = std::min(SamplesFor(Seconds), Signal.size() / 2);
    for (std::size_t i = 0; i < count; ++i) {
        const auto level = static_cast<float>(i) / static_cast<float>(count);
        Signal[i] *= level;
        Signal[Signal.size() - 1 - i] *= level;
    }
}

std::vector<int16_t> ToPcm16(const TSignal& Signal) {
    std::vector<int16_t> pcm(Signal.size());
    for (std::size_t i = 0; i < Signal.size(); ++i) {
        const float value = std::clamp(Signal[i], -1.0f, 1.0f) * 32767.0f;
        pcm[i] = static_cast<int16_t>(std::lround(value));
    }
    return pcm;
}
