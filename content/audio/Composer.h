// SPDX-License-Identifier: MIT
#pragma once

#include "content/audio/XmModule.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

// A small composer that writes a song into XM patterns: diatonic chords by scale degree,
// pads, bass lines, drum grooves, arpeggios and melodies drawn from the scale with a fixed
// seed. A bar is four beats of four rows.

enum class TScaleKind : uint8_t { Major, Minor };

enum class TBassStyle : uint8_t {
    // The root held for the whole bar.
    Whole,
    // The root on the first beat, the fifth on the third.
    RootFifth,
    // Driving eighths: root, octave and fifth, leading into the next chord.
    Drive,
};

// One bar of drums, a character per row: 'x' a hit, 'o' a softer hit, '.' nothing.
struct TDrumGroove {
    std::string_view Kick;
    std::string_view Snare;
    std::string_view HiHat;
};

// Which instrument and channel each part of the band uses, and how loud it plays. The pad
// takes three channels from Pad on; a negative Echo leaves the melody without an echo.
struct TBand {
    int Lead = 0, Echo = -1, Arp = 0, Pad = 0, Bass = 0, Kick = 0, Snare = 0, HiHat = 0;
    int LeadInstrument = 0, ArpInstrument = 0, PadInstrument = 0, BassInstrument = 0;
    int KickInstrument = 0, SnareInstrument = 0, HiHatInstrument = 0;
    int LeadVolume = 48, EchoVolume = 16, ArpVolume = 20, PadVolume = 20, BassVolume = 48;
    int KickVolume = 56, SnareVolume = 40, HiHatVolume = 24;
    // Stereo places (0 left, 128 centre, 255 right): the echo and the arpeggio answer each
    // other from the sides, the pad's three voices spread out, the hi-hat sits off centre.
    int EchoPan = 200, ArpPan = 64, HiHatPan = 160;
    int PadSpread = 40;
};

// One melody note: where it starts and how many rows it lasts within its pattern, and its
// scale degree (0 the tonic, 7 the tonic an octave up).
struct TMelodyNote {
    int Row = 0;
    int Length = 1;
    int Degree = 0;
};

class TComposer {
public:
    static constexpr int RowsPerBeat = 4;
    static constexpr int RowsPerBar = 16;

    // Tonic is the MIDI note of scale degree 0 (the melody's register); the bass plays two
    // octaves below it.
    TComposer(TXmModule& Song, const TBand& Band, int Tonic, TScaleKind Scale, uint32_t Seed);

    // The MIDI note of a scale degree (any integer; 7 is an octave up).
    [[nodiscard]] int DegreeNote(int Degree) const;
    // Adds an empty pattern of whole bars and returns its number.
    int AddPattern(int Bars);
    // Appends a pattern to the song's order list.
    void Play(int Pattern);

    // Parts written into a pattern, one chord (a scale degree) per bar.
    void Pad(int Pattern, std::span<const int> Chords);
    void Bass(int Pattern, std::span<const int> Chords, TBassStyle Style);
    void Arpeggio(int Pattern, std::span<const int> Chords, int StepRows);
    // The groove in every bar; with Fill the last bar ends in a snare roll.
    void Drums(int Pattern, const TDrumGroove& Groove, bool Fill);
    // The melody on the lead channel and, when the band has one, a quiet echo three rows later.
    void Melody(int Pattern, std::span<const TMelodyNote> Notes);

    // A melody over the chords: bar rhythms from Rhythms ('x' a new note, '-' held, '.' rest,
    // 16 per bar) chosen by the seed; the third bar repeats the first a chord's step away and
    // the last bar settles on a chord tone.
    [[nodiscard]] std::vector<TMelodyNote> ComposeMelody(std::span<const int> Chords,
                                                         std::span<const std::string_view> Rhythms,
                                                         std::string_view Cadence, uint32_t PhraseSeed) const;

private:
    void Note(int Pattern, int Row, int Channel, int Midi, int Instrument, int Volume);
    void Off(int Pattern, int Row, int Channel);
    [[nodiscard]] int PanOf(int Channel) const;

    TXmModule& Song;
    TBand Band;
    int Tonic;
    TScaleKind Scale;
    uint32_t Seed;
};
