// SPDX-License-Identifier: MIT
#include "content/audio/XmWriter.h"

#include <algorithm>
#include <stdexcept>
#include <string_view>

namespace {

constexpr std::size_t MaxOrders = 256;
constexpr std::size_t MaxPatterns = 256;
constexpr std::size_t MaxInstruments = 128;
constexpr int MaxChannels = 32;
constexpr std::size_t MaxEnvelopePoints = 12;
constexpr uint32_t HeaderSize = 276;
constexpr uint32_t PatternHeaderSize = 9;
constexpr uint32_t InstrumentHeaderSize = 263;
constexpr uint32_t SampleHeaderSize = 40;

class TByteWriter {
public:
    void U8(uint32_t Value) { Bytes.push_back(static_cast<uint8_t>(Value & 0xFF)); }
    void U16(uint32_t Value) {
        U8(Value);
        U8(Value >> 8);
    }
    void U32(uint32_t Value) {
        U16(Value & 0xFFFF);
        U16(Value >> 16);
    }
    // Text padded with zeros (or cut) to exactly Size bytes.
    void Text(std::string_view Value, std::size_t Size) {
        for (std::size_t i = 0; i < Size; ++i) {
            U8(i < Value.size() ? static_cast<uint8_t>(Value[i]) : 0);
        }
    }
    void Zeros(std::size_t Count) { Bytes.insert(Bytes.end(), Count, 0); }
    void Append(const std::vector<uint8_t>& More) { Bytes.insert(Bytes.end(), More.begin(), More.end()); }

    std::vector<uint8_t> Bytes;
};

void Check(bool Condition, const char* What) {
    if (!Condition) {
        throw std::invalid_argument(What);
    }
}

void WriteHeader(TByteWriter& Out, const TXmModule& Module) {
    Out.Text("Extended Module: ", 17);
    Out.Text(Module.Name, 20);
    Out.U8(0x1A);
    Out.Text("content_gen", 20);
    Out.U16(0x0104);
    Out.U32(HeaderSize);
    Out.U16(static_cast<uint32_t>(Module.Orders.size()));
    Out.U16(static_cast<uint32_t>(Module.RestartPosition));
    Out.U16(static_cast<uint32_t>(Module.Channels));
    Out.U16(static_cast<uint32_t>(Module.Patterns.size()));
    Out.U16(static_cast<uint32_t>(Module.Instruments.size()));
    // Bit 0: linear frequency table.
    Out.U16(1);
    Out.U16(static_cast<uint32_t>(Module.Speed));
    Out.U16(static_cast<uint32_t>(Module.Bpm));
    for (std::size_t i = 0; i < 256; ++i) {
        Out.U8(i < Module.Orders.size() ? Module.Orders[i] : 0);
    }
}

// A full cell is stored as its five bytes; any other starts with a mask byte (bit 7 set)
// telling which of the five follow, so an empty cell takes one byte.
void PackCell(TByteWriter& Out, const TXmCell& Cell) {
    const uint8_t fields[] = {Cell.Note, Cell.Instrument, Cell.Volume, Cell.Effect, Cell.Parameter};
    uint8_t mask = 0;
    for (int i = 0; i < 5; ++i) {
        if (fields[i] != 0) {
            mask |= static_cast<uint8_t>(1 << i);
        }
    }
    if (mask == 0x1F) {
        for (const uint8_t field : fields) {
            Out.U8(field);
        }
        return;
    }
    Out.U8(0x80 | mask);
    for (int i = 0; i < 5; ++i) {
        if ((mask & (1 << i)) != 0) {
            Out.U8(fields[i]);
        }
    }
}

void WritePattern(TByteWriter& Out, const TXmPattern& Pattern, int Channels) {
    Check(Pattern.ChannelCount() == Channels, "pattern channel count differs from the song's");
    Check(Pattern.RowCount() >= 1 && Pattern.RowCount() <= 256, "pattern rows out of range");
    TByteWriter packed;
    for (int row = 0; row < Pattern.RowCount(); ++row) {
        for (int channel = 0; channel < Channels; ++channel) {
            PackCell(packed, Pattern.At(row, channel));
        }
    }
    Check(packed.Bytes.size() <= 0xFFFF, "pattern too large");
    Out.U32(PatternHeaderSize);
    Out.U8(0);
    Out.U16(static_cast<uint32_t>(Pattern.RowCount()));
    Out.U16(static_cast<uint32_t>(packed.Bytes.size()));
    Out.Append(packed.Bytes);
}

void WriteEnvelopePoints(TByteWriter& Out, const std::vector<TXmEnvelopePoint>& Points) {
    for (std::size_t i = 0; i < MaxEnvelopePoints; ++i) {
        Out.U16(i < Points.size() ? Points[i].Tick : 0);
        Out.U16(i < Points.size() ? std::min<uint16_t>(Points[i].Value, 64) : 0);
    }
}

void WriteInstrumentHeader(TByteWriter& Out, const TXmInstrument& Instrument) {
    const auto& envelope = Instrument.VolumeEnvelope;
    Check(envelope.size() <= MaxEnvelopePoints, "too many envelope points");
    Check(Instrument.SustainPoint < static_cast<int>(envelope.size()), "sustain point outside the envelope");
    Out.U32(InstrumentHeaderSize);
    Out.Text(Instrument.Name, 22);
    Out.U8(0);
    Out.U16(1);
    Out.U32(SampleHeaderSize);
    // Every note plays the instrument's one sample.
    Out.Zeros(96);
    WriteEnvelopePoints(Out, envelope);
    WriteEnvelopePoints(Out, {});
    Out.U8(static_cast<uint32_t>(envelope.size()));
    Out.U8(0);
    Out.U8(static_cast<uint32_t>(std::max(0, Instrument.SustainPoint)));
    Out.U8(0);
    Out.U8(0);
    Out.Zeros(3);
    // Volume envelope on (bit 0), with its sustain point (bit 1).
    uint32_t volumeType = envelope.empty() ? 0 : 1;
    if (!envelope.empty() && Instrument.SustainPoint >= 0) {
        volumeType |= 2;
    }
    Out.U8(volumeType);
    Out.U8(0);
    // Sine auto-vibrato.
    Out.U8(0);
    Out.U8(Instrument.VibratoSweep);
    Out.U8(Instrument.VibratoDepth);
    Out.U8(Instrument.VibratoRate);
    Out.U16(Instrument.Fadeout);
    Out.Zeros(22);
}

void WriteSampleHeader(TByteWriter& Out, const TXmSample& Sample) {
    Check(Sample.LoopStart + Sample.LoopLength <= Sample.Data.size(), "sample loop outside the sample");
    Check(Sample.Data.size() <= 0x3FFFFFFF, "sample too long");
    Out.U32(static_cast<uint32_t>(Sample.Data.size() * 2));
    Out.U32(Sample.LoopLength > 0 ? Sample.LoopStart * 2 : 0);
    Out.U32(Sample.LoopLength * 2);
    Out.U8(std::min<uint8_t>(Sample.Volume, 64));
    Out.U8(static_cast<uint8_t>(Sample.Finetune));
    // Bit 4: 16-bit; bits 0-1: 1 for a forward loop.
    Out.U8(0x10 | (Sample.LoopLength > 0 ? 1 : 0));
    Out.U8(Sample.Panning);
    Out.U8(static_cast<uint8_t>(Sample.RelativeNote));
    Out.U8(0);
    Out.Text(Sample.Name, 22);
}

// Samples are stored as the difference to the sample before (wrapping at 16 bits).
void WriteSampleData(TByteWriter& Out, const std::vector<int16_t>& Data) {
    uint16_t previous = 0;
    for (const int16_t value : Data) {
        const auto current = static_cast<uint16_t>(value);
        Out.U16(static_cast<uint16_t>(current - previous));
        previous = current;
    }
}

} // namespace

std::vector<uint8_t> EncodeXm(const TXmModule& Module) {
    Check(!Module.Orders.empty() && Module.Orders.size() <= MaxOrders, "order count out of range");
    Check(Module.Patterns.size() <= MaxPatterns, "too many patterns");
    Check(Module.Instruments.size() <= MaxInstruments, "too many instruments");
    Check(Module.Channels >= 1 && Module.Channels <= MaxChannels, "channel count out of range");
    Check(Module.RestartPosition >= 0 && Module.RestartPosition < static_cast<int>(Module.Orders.size()),
          "restart position outside the order list");
    for (const uint8_t order : Module.Orders) {
        Check(order < Module.Patterns.size(), "order names a missing pattern");
    }
    TByteWriter out;
    WriteHeader(out, Module);
    for (const TXmPattern& pattern : Module.Patterns) {
        WritePattern(out, pattern, Module.Channels);
    }
    for (const TXmInstrument& instrument : Module.Instruments) {
        WriteInstrumentHeader(out, instrument);
        WriteSampleHeader(out, instrument.Sample);
        WriteSampleData(out, instrument.Sample.Data);
    }
    return out.Bytes;
}
