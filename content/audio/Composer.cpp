// SPDX-License-Identifier: MIT
#include "content/audio/Composer.h"

#include "content/audio/NoiseSource.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace {

constexpr std::array<int, 7> MajorSteps = {0, 2, 4, 5, 7, 9, 11};
constexpr std::array<int, 7> MinorSteps = {0, 2, 3, 5, 7, 8, 10};
// XM note 49 (C-4) is MIDI note 60.
constexpr int XmNoteOffset = 11;
// The echo follows the melody a dotted eighth later.
constexpr int EchoDelay = 3;
// The melody stays between the third above the tonic and the sixth of the octave above.
constexpr int MelodyLow = 2;
constexpr int MelodyHigh = 12;
constexpr int Centre = 128;
// The effect column's "set panning" command.
constexpr uint8_t SetPanning = 0x08;

int FloorDiv(int A, int B) {
    return A >= 0 ? A / B : -((-A + B - 1) / B);
}
int Wrap7(int Degree) {
    return Degree - 7 * FloorDiv(Degree, 7);
}

bool IsChordTone(int Chord, int Degree) {
    const int interval = Wrap7(Degree - Chord);
    return interval == 0 || interval == 2 || interval == 4;
}

// A chord's step to another, the short way round (-3 to 3 scale degrees).
int ChordShift(int From, int To) {
    const int shift = Wrap7(To - From);
    return shift > 3 ? shift - 7 : shift;
}

int Scaled(int Volume, int Percent) {
    return std::clamp(Volume * Percent / 100, 0, 64);
}

int NearestChordTone(int Chord, int Degree) {
    for (const int offset : {0, -1, 1, -2, 2, -3, 3}) {
        if (IsChordTone(Chord, Degree + offset)) {
            return Degree + offset;
        }
    }
    return Degree;
}

// The notes of one bar's rhythm, without pitches yet.
std::vector<TMelodyNote> BarNotes(std::string_view Rhythm, int Bar) {
    std::vector<TMelodyNote> notes;
    for (int step = 0; step < static_cast<int>(Rhythm.size()) && step < TComposer::RowsPerBar; ++step) {
        if (Rhythm[static_cast<std::size_t>(step)] == 'x') {
            notes.push_back({.Row = Bar * TComposer::RowsPerBar + step, .Length = 1});
        } else if (Rhythm[static_cast<std::size_t>(step)] == '-' && !notes.empty()) {
            ++notes.back().Length;
        }
    }
    return notes;
}

// The phrase ends on the chord's root nearest the line, stepping down (or up) onto it.
void SettleOnRoot(std::vector<TMelodyNote>& Notes, int Chord, int& Current) {
    int root = Wrap7(Chord);
    while (root + 7 <= Current + 3) {
        root += 7;
    }
    root = std::clamp(root, MelodyLow, MelodyHigh + 2);
    const int direction = Current >= root ? 1 : -1;
    for (std::size_t i = 0; i < Notes.size(); ++i) {
        const auto remaining = static_cast<int>(Notes.size() - 1 - i);
        Current = root + direction * remaining;
        Notes[i].Degree = Current;
    }
}

// A sequence: an earlier bar two bars later, moved with the chord and kept in the register.
std::vector<TMelodyNote> Sequence(const std::vector<TMelodyNote>& Earlier, int Shift, int& Current) {
    std::vector<TMelodyNote> notes;
    for (TMelodyNote note : Earlier) {
        note.Row += 2 * TComposer::RowsPerBar;
        note.Degree += Shift;
        if (note.Degree > MelodyHigh) {
            note.Degree -= 7;
        } else if (note.Degree < MelodyLow) {
            note.Degree += 7;
        }
        Current = note.Degree;
        notes.push_back(note);
    }
    return notes;
}

// New pitches for a bar: leaps up to a fourth landing on chord tones on the strong beats,
// steps of a second or third between them.
void InventLine(std::vector<TMelodyNote>& Notes, int Chord, TNoiseSource& Random, int& Current) {
    for (TMelodyNote& note : Notes) {
        const bool strong = note.Row % (2 * TComposer::RowsPerBeat) == 0;
        int step = strong ? static_cast<int>(Random.Below(7)) - 3 : (Random.Below(2) == 0 ? -1 : 1);
        if (!strong && Random.Below(4) == 0) {
            step *= 2;
        }
        // Lean back toward the middle of the register.
        if (Current + step > MelodyHigh || Current + step < MelodyLow) {
            step = -step;
        }
        int next = Current + step;
        if (strong) {
            next = NearestChordTone(Chord, next);
            // A strong beat moves on rather than repeating the note before it.
            if (next == Current) {
                next = NearestChordTone(Chord, Current + (Current < 7 ? 2 : -2));
            }
        }
        Current = std::clamp(next, MelodyLow, MelodyHigh);
        note.Degree = Current;
    }
}
} // namespace

TComposer::TComposer(TXmModule& Song, const TBand& Band, int Tonic, TScaleKind Scale, uint32_t Seed)
    : Song(Song), Band(Band), Tonic(Tonic), Scale(Scale), Seed(Seed) {}

int TComposer::DegreeNote(int Degree) const {
    const auto& steps = Scale == TScaleKind::Major ? MajorSteps : MinorSteps;
    return Tonic + 12 * FloorDiv(Degree, 7) + steps[static_cast<std::size_t>(Wrap7(Degree))];
}

int TComposer::AddPattern(int Bars) {
    Song.Patterns.emplace_back(Bars * RowsPerBar, Song.Channels);
    return static_cast<int>(Song.Patterns.size()) - 1;
}

void TComposer::Play(int Pattern) {
    Song.Orders.push_back(static_cast<uint8_t>(Pattern));
}

void TComposer::Note(int Pattern, int Row, int Channel, int Midi, int Instrument, int Volume) {
    TXmPattern& pattern = Song.Patterns.at(static_cast<std::size_t>(Pattern));
    const int note = Midi - XmNoteOffset;
    if (Row < 0 || Row >= pattern.RowCount() || Channel < 0 || Channel >= pattern.ChannelCount() ||
        note < 1 || note > 96) {
        return;
    }
    TXmCell& cell = pattern.At(Row, Channel);
    cell.Note = static_cast<uint8_t>(note);
    cell.Instrument = static_cast<uint8_t>(Instrument);
    cell.Volume = static_cast<uint8_t>(XmSetVolume + std::clamp(Volume, 0, 64));
    // The sample's own (centre) place applies at every note, so a side place is set again with it.
    const int pan = PanOf(Channel);
    if (pan != Centre) {
        cell.Effect = SetPanning;
        cell.Parameter = static_cast<uint8_t>(pan);
    }
}

int TComposer::PanOf(int Channel) const {
    if (Channel == Band.Echo) {
        return Band.EchoPan;
    }
    if (Channel == Band.Arp) {
        return Band.ArpPan;
    }
    if (Channel == Band.HiHat) {
        return Band.HiHatPan;
    }
    if (Channel >= Band.Pad && Channel < Band.Pad + 3) {
        return Centre + (Channel - Band.Pad - 1) * Band.PadSpread;
    }
    return Centre;
}

void TComposer::Off(int Pattern, int Row, int Channel) {
    TXmPattern& pattern = Song.Patterns.at(static_cast<std::size_t>(Pattern));
    if (Row < 0 || Row >= pattern.RowCount() || Channel < 0 || Channel >= pattern.ChannelCount()) {
        return;
    }
    pattern.At(Row, Channel) = TXmCell{.Note = XmNoteOff};
}

void TComposer::Pad(int Pattern, std::span<const int> Chords) {
    for (std::size_t bar = 0; bar < Chords.size(); ++bar) {
        // Close voicing around the tonic, so the chords move by small steps.
        std::array<int, 3> tones{};
        for (int i = 0; i < 3; ++i) {
            tones[static_cast<std::size_t>(i)] = Wrap7(Chords[bar] + 2 * i + 3) - 3;
        }
        std::sort(tones.begin(), tones.end());
        for (int i = 0; i < 3; ++i) {
            Note(Pattern, static_cast<int>(bar) * RowsPerBar, Band.Pad + i,
                 DegreeNote(tones[static_cast<std::size_t>(i)]), Band.PadInstrument, Band.PadVolume);
        }
    }
}

void TComposer::Bass(int Pattern, std::span<const int> Chords, TBassStyle Style) {
    for (std::size_t bar = 0; bar < Chords.size(); ++bar) {
        const int first = static_cast<int>(bar) * RowsPerBar;
        const int root = DegreeNote(Wrap7(Chords[bar])) - 24;
        const int fifth = root + (DegreeNote(Wrap7(Chords[bar]) + 4) - DegreeNote(Wrap7(Chords[bar])));
        switch (Style) {
        case TBassStyle::Whole:
            Note(Pattern, first, Band.Bass, root, Band.BassInstrument, Band.BassVolume);
            break;
        case TBassStyle::RootFifth:
            Note(Pattern, first, Band.Bass, root, Band.BassInstrument, Band.BassVolume);
            Note(Pattern, first + 8, Band.Bass, fifth - 12, Band.BassInstrument, Scaled(Band.BassVolume, 85));
            break;
        case TBassStyle::Drive: {
            const int line[] = {root, root, root + 12, root, fifth, root, root + 12, fifth - 12};
            for (int i = 0; i < 8; ++i) {
                Note(Pattern, first + 2 * i, Band.Bass, line[i], Band.BassInstrument,
                     Scaled(Band.BassVolume, i % 2 == 0 ? 100 : 80));
            }
            break;
        }
        }
    }
}

void TComposer::Arpeggio(int Pattern, std::span<const int> Chords, int StepRows) {
    constexpr int order[] = {0, 1, 2, 3, 2, 1};
    const int steps = RowsPerBar / std::max(1, StepRows);
    for (std::size_t bar = 0; bar < Chords.size(); ++bar) {
        const int root = Wrap7(Chords[bar]);
        const int tones[] = {root, root + 2, root + 4, root + 7};
        for (int i = 0; i < steps; ++i) {
            const int row = static_cast<int>(bar) * RowsPerBar + i * StepRows;
            Note(Pattern, row, Band.Arp, DegreeNote(tones[order[i % 6]]), Band.ArpInstrument,
                 Scaled(Band.ArpVolume, i % 4 == 0 ? 100 : 75));
        }
    }
}

void TComposer::Drums(int Pattern, const TDrumGroove& Groove, bool Fill) {
    const int rows = Song.Patterns.at(static_cast<std::size_t>(Pattern)).RowCount();
    const struct {
        std::string_view Line;
        int Channel;
        int Instrument;
        int Volume;
    } parts[] = {
        {Groove.Kick, Band.Kick, Band.KickInstrument, Band.KickVolume},
        {Groove.Snare, Band.Snare, Band.SnareInstrument, Band.SnareVolume},
        {Groove.HiHat, Band.HiHat, Band.HiHatInstrument, Band.HiHatVolume},
    };
    for (int row = 0; row < rows; ++row) {
        for (const auto& part : parts) {
            const auto step = static_cast<std::size_t>(row % RowsPerBar);
            const char hit = step < part.Line.size() ? part.Line[step] : '.';
            if (hit == 'x' || hit == 'o') {
                Note(Pattern, row, part.Channel, 60, part.Instrument,
                     Scaled(part.Volume, hit == 'x' ? 100 : 60));
            }
        }
    }
    if (Fill) {
        // A roll over the last beat, growing louder into the next bar.
        for (int i = 0; i < RowsPerBeat; ++i) {
            Note(Pattern, rows - RowsPerBeat + i, Band.Snare, 60, Band.SnareInstrument,
                 Scaled(Band.SnareVolume, 55 + 15 * i));
        }
    }
}

void TComposer::Melody(int Pattern, std::span<const TMelodyNote> Notes) {
    const int rows = Song.Patterns.at(static_cast<std::size_t>(Pattern)).RowCount();
    for (std::size_t i = 0; i < Notes.size(); ++i) {
        const TMelodyNote& note = Notes[i];
        const int end = note.Row + note.Length;
        const bool restFollows = i + 1 == Notes.size() ? end < rows : Notes[i + 1].Row > end;
        const int midi = DegreeNote(note.Degree);
        Note(Pattern, note.Row, Band.Lead, midi, Band.LeadInstrument,
             Scaled(Band.LeadVolume, note.Row % RowsPerBeat == 0 ? 100 : 88));
        if (restFollows) {
            Off(Pattern, end, Band.Lead);
        }
        if (Band.Echo >= 0) {
            Note(Pattern, note.Row + EchoDelay, Band.Echo, midi, Band.LeadInstrument, Band.EchoVolume);
            if (restFollows) {
                Off(Pattern, end + EchoDelay, Band.Echo);
            }
        }
    }
}

std::vector<TMelodyNote> TComposer::ComposeMelody(std::span<const int> Chords,
                                                  std::span<const std::string_view> Rhythms,
                                                  std::string_view Cadence, uint32_t PhraseSeed) const {
    TNoiseSource random(Seed * 2654435761u + PhraseSeed);
    std::vector<TMelodyNote> melody;
    std::vector<std::vector<TMelodyNote>> bars;
    int current = NearestChordTone(Chords.empty() ? 0 : Chords[0], 7);
    const int count = static_cast<int>(Chords.size());
    for (int bar = 0; bar < count; ++bar) {
        const int chord = Chords[static_cast<std::size_t>(bar)];
        std::vector<TMelodyNote> notes;
        if (bar == count - 1 && count > 1) {
            notes = BarNotes(Cadence, bar);
            SettleOnRoot(notes, chord, current);
        } else if (bar >= 2 && bar % 2 == 0) {
            const int shift = ChordShift(Chords[static_cast<std::size_t>(bar - 2)], chord);
            notes = Sequence(bars[static_cast<std::size_t>(bar - 2)], shift, current);
        } else {
            const std::string_view rhythm = Rhythms.empty() ? std::string_view("x---x---x---x---")
                                                            : Rhythms[random.Below(Rhythms.size())];
            notes = BarNotes(rhythm, bar);
            InventLine(notes, chord, random, current);
        }
        bars.push_back(notes);
        melody.insert(melody.end(), notes.begin(), notes.end());
    }
    return melody;
}
