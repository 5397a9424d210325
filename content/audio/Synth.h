// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The building blocks of every generated sound: a mono signal of float samples (full scale
// is 1.0) at the game's mixing rate, band-limited tones with envelopes and glides, seeded
// noise, simple filters, and the conversion to 16-bit samples.

using TSignal = std::vector<float>;

constexpr int AudioRate = 44100;

enum class TWaveShape : uint8_t { Sine, Triangle, Square, Saw };

// One tone added into a signal. Times are in seconds from the signal's start.
struct TTone {
    double Frequency = 440.0;
    // The frequency reached at the end of the tone (an exponential glide); 0 keeps Frequency.
    double EndFrequency = 0.0;
    TWaveShape Shape = TWaveShape::Sine;
    // Harmonics above this count are left out (and always those above the audible band).
    int Harmonics = 16;
    double Start = 0.0;
    double Duration = 0.1;
    double Attack = 0.005;
    // Time constant of the exponential decay after the attack; 0 holds the level.
    double Decay = 0.0;
    // A linear fade over the last Release seconds of the tone.
    double Release = 0.01;
    float Gain = 0.5f;
    // Vibrato in Hz and semitones, faded in over the first half of the tone.
    double VibratoRate = 0.0;
    double VibratoDepth = 0.0;
};

// A noise burst added into a signal, shaped by a one-pole band (0 cut-offs leave that side open).
struct TNoiseBurst {
    double Start = 0.0;
    double Duration = 0.05;
    double Attack = 0.001;
    double Decay = 0.02;
    float Gain = 0.3f;
    double LowCut = 0.0;
    double HighCut = 0.0;
    uint32_t Seed = 1;
};

// Frequency of a MIDI note number (69 is A 440 Hz).
[[nodiscard]] double NoteFrequency(double Note);
// Whole samples for a length in seconds at AudioRate.
[[nodiscard]] std::size_t SamplesFor(double Seconds);

// One cycle of a band-limited waveform, Length samples, peak near 1.
[[nodiscard]] std::vector<float> WaveCycle(TWaveShape Shape, int Harmonics, std::size_t Length);

// Adds a tone or a noise burst, growing the signal when it reaches past its end.
void AddTone(TSignal& Signal, const TTone& Tone);
void AddNoise(TSignal& Signal, const TNoiseBurst& Burst);

// One-pole filters over the whole signal.
void LowPass(TSignal& Signal, double Cutoff);
void HighPass(TSignal& Signal, double Cutoff);

// Scales the signal so its peak sits at PeakDb dBFS (silence stays silence).
void Normalise(TSignal& Signal, double PeakDb);
// Short fades at both ends so the sound starts and stops without a click.
void FadeEdges(TSignal& Signal, double Seconds);

// Rounds to 16-bit samples, clamping at full scale.
[[nodiscard]] std::vector<int16_t> ToPcm16(const TSignal& Signal);
