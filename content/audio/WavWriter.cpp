// SPDX-License-Identifier: MIT
#include "content/audio/WavWriter.h"

#include <string_view>

namespace {

void PutTag(std::vector<uint8_t>& Out, std::string_view Tag) {
    Out.insert(Out.end(), Tag.begin(), Tag.end());
}

void PutU16(std::vector<uint8_t>& Out, uint32_t Value) {
    Out.push_back(static_cast<uint8_t>(Value & 0xFF));
    Out.push_back(static_cast<uint8_t>((Value >> 8) & 0xFF));
}

void PutU32(std::vector<uint8_t>& Out, uint32_t Value) {
    PutU16(Out, Value & 0xFFFF);
    PutU16(Out, Value >> 16);
}

} // namespace

std::vector<uint8_t> EncodeWav(const std::vector<int16_t>& Samples, int SampleRate) {
    constexpr uint32_t channels = 1;
    constexpr uint32_t bytesPerSample = 2;
    const auto dataSize = static_cast<uint32_t>(Samples.size() * bytesPerSample);
    std::vector<uint8_t> out;
    out.reserve(44 + dataSize);
    PutTag(out, "RIFF");
    PutU32(out, 36 + dataSize);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    PutU32(out, 16);
    // Format 1: integer PCM.
    PutU16(out, 1);
    PutU16(out, channels);
    PutU32(out, static_cast<uint32_t>(SampleRate));
    PutU32(out, static_cast<uint32_t>(SampleRate) * channels * bytesPerSample);
    PutU16(out, channels * bytesPerSample);
    PutU16(out, bytesPerSample * 8);
    PutTag(out, "data");
    PutU32(out, dataSize);
    for (const int16_t sample : Samples) {
        PutU16(out, static_cast<uint16_t>(sample));
    }
    return out;
}
