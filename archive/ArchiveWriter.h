// SPDX-License-Identifier: MIT
#pragma once

#include "archive/Archive.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// One record as the writer takes it: the unpacked bytes and how to store them.
struct TArchiveWriterRecord {
    uint16_t RecordType = 0;
    std::string Key;
    std::vector<uint8_t> Bytes;
    // The writer's stamp is used when none is given, so output never depends on the clock.
    std::optional<double> Stamp;
    // Empty: stored plain. Otherwise 1 to 56 bytes enciphering the compressed data.
    std::string CipherKey;
    TInitVector InitVector{};
};

// Builds archive files for the content generator, the tools and the tests; the game only reads.
// Layout: the 12-byte header, then every record (header and stored data) in the order added,
// then the key table. The same records always give the same bytes.
class TArchiveWriter {
public:
    // A fixed day number, so generated archives are byte-identical from run to run.
    static constexpr double DefaultStamp = 45658.0;
    static constexpr int CompressionLevel = 9;

    void SetStamp(double Value) { Stamp = Value; }
    // Puts the key table right after the header, in front of the records.
    void SetTableFirst(bool Value) { TableFirst = Value; }
    void Add(uint16_t RecordType, std::string Key, std::vector<uint8_t> Bytes);
    void Add(TArchiveWriterRecord Record);
    [[nodiscard]] int32_t Count() const { return static_cast<int32_t>(Records.size()); }

    // The whole file; false when a record cannot be compressed or enciphered, or the file
    // would outgrow the format's 32-bit offsets.
    [[nodiscard]] bool Build(std::vector<uint8_t>& File) const;
    [[nodiscard]] bool SaveToFile(const std::string& FileName) const;

    // One record's 44-byte header followed by its stored data, as it lies at its offset.
    // Tests use it to lay records out in ways the writer itself never does.
    [[nodiscard]] static bool PackRecord(const TArchiveWriterRecord& Record, double DefaultStampValue,
                                         std::vector<uint8_t>& Packed);

private:
    double Stamp = DefaultStamp;
    bool TableFirst = false;
    std::vector<TArchiveWriterRecord> Records;
};
