// SPDX-License-Identifier: MIT
#include "archive/ArchiveWriter.h"

#include "archive/Stream.h"

#include <nettle/blowfish.h>
#include <nettle/cbc.h>
#include <zlib.h>

#include <cstring>
#include <limits>

namespace {

constexpr size_t CipherBlock = BLOWFISH_BLOCK_SIZE;

void EncipherBlocks(const void* Context, size_t Length, uint8_t* Dst, const uint8_t* Src) {
    blowfish_encrypt(static_cast<const blowfish_ctx*>(Context), Length, Dst, Src);
}

bool Compress(const std::vector<uint8_t>& Bytes, std::vector<uint8_t>& Stored) {
    uLongf size = compressBound(static_cast<uLong>(Bytes.size()));
    Stored.resize(size);
    if (compress2(Stored.data(), &size, Bytes.data(), static_cast<uLong>(Bytes.size()),
                  TArchiveWriter::CompressionLevel) != Z_OK) {
        return false;
    }
    Stored.resize(size);
    return true;
}

// Blowfish-CBC over the whole blocks; a short tail stays plain, as the reader expects.
bool Encipher(const std::string& Key, const TInitVector& InitVector, std::vector<uint8_t>& Stored) {
    if (Key.empty() || Key.size() > BLOWFISH_MAX_KEY_SIZE) {
        return false;
    }
    blowfish_ctx ctx;
    blowfish_set_key(&ctx, Key.size(), reinterpret_cast<const uint8_t*>(Key.data()));
    TInitVector chain = InitVector;
    const size_t whole = Stored.size() / CipherBlock * CipherBlock;
    if (whole > 0) {
        cbc_encrypt(&ctx, EncipherBlocks, CipherBlock, chain.data(), whole, Stored.data(), Stored.data());
    }
    explicit_bzero(&ctx, sizeof ctx);
    return true;
}

bool Fits32(size_t Size) {
    return Size <= static_cast<size_t>(std::numeric_limits<int32_t>::max());
}

} // namespace

void TArchiveWriter::Add(uint16_t RecordType, std::string Key, std::vector<uint8_t> Bytes) {
    TArchiveWriterRecord record;
    record.RecordType = RecordType;
    record.Key = std::move(Key);
    record.Bytes = std::move(Bytes);
    Records.push_back(std::move(record));
}

void TArchiveWriter::Add(TArchiveWriterRecord Record) {
    Records.push_back(std::move(Record));
}

bool TArchiveWriter::PackRecord(const TArchiveWriterRecord& Record, double DefaultStampValue,
                                std::vector<uint8_t>& Packed) {
    std::vector<uint8_t> stored;
    if (!Fits32(Record.Bytes.size()) || !Compress(Record.Bytes, stored)) {
        return false;
    }
    const bool enciphered = !Record.CipherKey.empty();
    if (enciphered && !Encipher(Record.CipherKey, Record.InitVector, stored)) {
        return false;
    }
    const TDigest digest = RecordDigest(Record.Bytes);
    TMemoryStream out;
    bool ok = WriteWord(out, Record.RecordType) &&
              WriteInt32(out, static_cast<int32_t>(Record.Bytes.size())) &&
              WriteInt32(out, static_cast<int32_t>(stored.size())) &&
              WriteDouble(out, Record.Stamp.value_or(DefaultStampValue)) &&
              out.WriteExact(digest.data(), digest.size()) && WriteWord(out, enciphered ? 1 : 0) &&
              out.WriteExact(Record.InitVector.data(), Record.InitVector.size()) &&
              out.WriteExact(stored.data(), stored.size());
    Packed = std::move(out.Bytes());
    return ok;
}

bool TArchiveWriter::Build(std::vector<uint8_t>& File) const {
    std::vector<std::vector<uint8_t>> packed(Records.size());
    size_t tableSize = 0;
    for (size_t i = 0; i < Records.size(); ++i) {
        if (!PackRecord(Records[i], Stamp, packed[i])) {
            return false;
        }
        tableSize += 8 + Records[i].Key.size();
    }
    // Offsets are 32-bit: the records start after the header, and after the table when it leads.
    size_t position = ArchiveHeaderSize + (TableFirst ? tableSize : 0);
    std::vector<size_t> offsets(Records.size());
    for (size_t i = 0; i < Records.size(); ++i) {
        offsets[i] = position;
        position += packed[i].size();
    }
    const size_t tableOffset = TableFirst ? ArchiveHeaderSize : position;
    if (!Fits32(position + (TableFirst ? 0 : tableSize))) {
        return false;
    }

    TMemoryStream table;
    for (size_t i = 0; i < Records.size(); ++i) {
        WriteString(table, Records[i].Key);
        WriteInt32(table, static_cast<int32_t>(offsets[i]));
    }
    // A memory stream takes every byte, so the writes below cannot fail.
    TMemoryStream out;
    WriteUInt32(out, ArchiveSignature);
    WriteInt32(out, static_cast<int32_t>(Records.size()));
    WriteInt32(out, static_cast<int32_t>(tableOffset));
    if (TableFirst) {
        out.Write(table.Bytes().data(), table.Bytes().size());
    }
    for (const std::vector<uint8_t>& record : packed) {
        out.Write(record.data(), record.size());
    }
    if (!TableFirst) {
        out.Write(table.Bytes().data(), table.Bytes().size());
    }
    File = std::move(out.Bytes());
    return true;
}

bool TArchiveWriter::SaveToFile(const std::string& FileName) const {
    std::vector<uint8_t> bytes;
    if (!Build(bytes)) {
        return false;
    }
    TFileStream file(FileName, TFileStream::TMode::Create);
    if (!file.IsOpen()) {
        return false;
    }
    const bool written = file.WriteExact(bytes.data(), bytes.size());
    return file.Close() && written;
}
