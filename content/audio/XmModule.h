// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A tracker song in the terms of the XM format: patterns of note cells per channel, an order
// list, and instruments that each play one sample.

// Note values of a cell: 1 is C-0, 49 is C-4 (middle C), 96 is B-7; 97 releases the note.
constexpr uint8_t XmNoteOff = 97;
// The volume column: XmSetVolume + v sets the channel volume to v (0 to 64).
constexpr uint8_t XmSetVolume = 0x10;

struct TXmCell {
    uint8_t Note = 0;
    uint8_t Instrument = 0;
    uint8_t Volume = 0;
    uint8_t Effect = 0;
    uint8_t Parameter = 0;

    [[nodiscard]] bool Empty() const {
        return Note == 0 && Instrument == 0 && Volume == 0 && Effect == 0 && Parameter == 0;
    }
};

class TXmPattern {
public:
    TXmPattern(int Rows, int Channels)
        : Rows(Rows), Channels(Channels), Cells(static_cast<std::size_t>(Rows * Channels)) {}

    [[nodiscard]] int RowCount() const { return Rows; }
    [[nodiscard]] int ChannelCount() const { return Channels; }
    // The cell at (Row, Channel); both must be inside the pattern.
    [[nodiscard]] TXmCell& At(int Row, int Channel) { return Cells[Index(Row, Channel)]; }
    [[nodiscard]] const TXmCell& At(int Row, int Channel) const { return Cells[Index(Row, Channel)]; }

private:
    [[nodiscard]] std::size_t Index(int Row, int Channel) const {
        return static_cast<std::size_t>(Row * Channels + Channel);
    }

    int Rows;
    int Channels;
    std::vector<TXmCell> Cells;
};

struct TXmEnvelopePoint {
    // Ticks from the note's start.
    uint16_t Tick = 0;
    // 0 to 64.
    uint16_t Value = 0;
};

struct TXmSample {
    std::string Name;
    std::vector<int16_t> Data;
    // A forward loop over [LoopStart, LoopStart + LoopLength) in samples; no loop when 0.
    uint32_t LoopStart = 0;
    uint32_t LoopLength = 0;
    uint8_t Volume = 64;
    int8_t Finetune = 0;
    int8_t RelativeNote = 0;
    uint8_t Panning = 128;
};

struct TXmInstrument {
    std::string Name;
    TXmSample Sample;
    // Up to 12 points; empty for none. The sustain point holds until the note is released.
    std::vector<TXmEnvelopePoint> VolumeEnvelope;
    int SustainPoint = -1;
    // Volume lost per tick after the release, out of 32768.
    uint16_t Fadeout = 0;
    uint8_t VibratoDepth = 0;
    uint8_t VibratoRate = 0;
    uint8_t VibratoSweep = 0;
};

struct TXmModule {
    std::string Name;
    int Channels = 8;
    // Ticks per row and the tempo (a tick lasts 2.5 / Bpm seconds).
    int Speed = 6;
    int Bpm = 125;
    // The order position the song loops back to.
    int RestartPosition = 0;
    std::vector<uint8_t> Orders;
    std::vector<TXmPattern> Patterns;
    std::vector<TXmInstrument> Instruments;
};
