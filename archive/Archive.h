// SPDX-License-Identifier: MIT
#pragma once

#include "archive/Stream.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// How Open treats the file: opUpdate reads an existing archive or creates an empty one,
// opOverwrite always creates an empty one, opReadOnly only reads.
enum TOpenModes : uint8_t { opUpdate = 0, opOverwrite = 1, opReadOnly = 2 };

// The four bytes every archive written by our tools starts with, read as a little-endian value.
inline constexpr uint32_t ArchiveSignature = 0x62445341;
inline constexpr int32_t ArchiveHeaderSize = 12;
inline constexpr int32_t RecordHeaderSize = 44;

// Record types the game reads.
inline constexpr int32_t RecordTypeImage = 1;
inline constexpr int32_t RecordTypeFont = 3;

using TDigest = std::array<uint8_t, 16>;
using TInitVector = std::array<uint8_t, 8>;

struct TArchiveHeader {
    uint32_t Signature = 0;
    int32_t Count = 0;
    int32_t TableOffset = 0;
};

// One directory entry: the key table's name and offset plus the record header found there.
struct TRecordInfo {
    std::string Key;
    int32_t Offset = 0;
    int32_t RecordType = 0;
    int32_t UnpackedSize = 0;
    int32_t StoredSize = 0;
    double Stamp = 0.0;
    TDigest Digest{};
    uint8_t Enciphered = 0;
    TInitVector InitVector{};
};

// Why the last operation failed. It only explains a false result (for tools and tests);
// the boolean results stay the contract the game relies on.
enum class TArchiveError : uint8_t {
    None,
    CannotOpenFile,
    CannotCreateFile,
    BadHeader,
    BadKeyTable,
    BadRecordHeader,
    KeyNotFound,
    BadStoredData,
    BadUnpackedSize,
    Inflate,
    WrongLength,
    EncipheredWithoutKey,
    BadDigest,
    StreamRejected,
};

// The MD5 digest a record header carries for its unpacked bytes.
[[nodiscard]] TDigest RecordDigest(const std::vector<uint8_t>& Bytes);

// A one-line English explanation of an error, for command-line tools.
[[nodiscard]] const char* ArchiveErrorText(TArchiveError Error);

// A read-only store of named, compressed records (images, fonts, particle templates).
// Outside a loading run no file handle is kept between calls: every operation opens the file,
// works and closes it, and every record read re-reads the directory so it always mirrors the
// file on disk. During a loading run (BeginLoading .. EndLoading, see TArchiveLoading) the file
// stays open and the directory read at its start serves every record read.
class TArchive {
public:
    TArchive() = default;
    ~TArchive();
    TArchive(const TArchive&) = delete;
    TArchive& operator=(const TArchive&) = delete;

    [[nodiscard]] const std::string& FileName() const { return FFileName; }
    // A new name clears the open flag, so the next EnsureOpen reads the new file.
    void SetFileName(const std::string& Value);
    [[nodiscard]] TOpenModes OpenMode() const { return FOpenMode; }
    void SetOpenMode(TOpenModes Value) { FOpenMode = Value; }

    [[nodiscard]] bool Open();
    [[nodiscard]] bool EnsureOpen();
    [[nodiscard]] bool IsOpen() const { return FOpened != 0; }

    [[nodiscard]] int32_t RecordCount() const { return static_cast<int32_t>(Directory.size()); }
    [[nodiscard]] int32_t RecordTypeOf(int32_t Index) const;
    [[nodiscard]] std::string RecordKeyAt(int32_t Index) const;
    [[nodiscard]] int32_t IndexOf(std::string_view Key) const;
    // The whole directory entry, or null when Index is out of range (for tools).
    [[nodiscard]] const TRecordInfo* RecordAt(int32_t Index) const;

    // Appends the record's unpacked bytes at the stream's position. On failure nothing is written.
    [[nodiscard]] bool ReadRecord(std::string_view Key, TStream& Stream);

    // Starts (or, when one runs, joins) a loading run: opens the file and reads its directory
    // once. False when the file cannot be opened or its directory read; no run starts then.
    [[nodiscard]] bool BeginLoading();
    // Ends one BeginLoading; the last one closes the file.
    void EndLoading();
    // Hands back the buffer of a record read during a loading run once its bytes are used: the
    // next read inflates into the same memory, so a run of records maps no fresh pages for
    // each one (large blocks get pages of their own, and every fresh page costs a fault).
    void GiveBack(std::vector<uint8_t>&& Buffer);
    [[nodiscard]] bool Loading() const { return LoadingDepth > 0; }

    [[nodiscard]] TArchiveError LastError() const { return FLastError; }
    [[nodiscard]] const TArchiveHeader& Header() const { return FHeader; }
    [[nodiscard]] int32_t FileSize() const { return FFileSize; }

    // Every record read checks the MD5 digest of the unpacked bytes unless this is turned off;
    // zlib's own check (Adler-32) and the exact unpacked length still catch damaged data. The
    // game turns it off: at start-up the digests cost more processor time than the unpacking.
    void SetDigestChecks(bool Value) { DigestChecks = Value; }

    // The game never enciphers its archives; only tests give the reader a key.
    // Keys of 1 to 56 bytes are accepted; an empty key clears it. False when too long.
    bool SetKeyForTesting(std::string_view Key);

    // The steps the operations above are made of.
    [[nodiscard]] bool ReadHeader(TStream& File);
    // Reads the directory from the given open file, or opens FileName when File is null.
    [[nodiscard]] bool ReadDirectory(TStream* File);
    [[nodiscard]] bool CreateEmpty();
    [[nodiscard]] bool ReadRecordBuffer(std::string_view Key, std::vector<uint8_t>& Buffer);
    [[nodiscard]] bool InflateRecord(const uint8_t* Stored, int32_t StoredSize, int32_t UnpackedSize,
                                     std::vector<uint8_t>& Unpacked);

private:
    [[nodiscard]] bool ReadKeyTable(TStream& File, int64_t Size);
    [[nodiscard]] bool ReadRecordHeaders(TStream& File, int64_t Size);
    [[nodiscard]] bool ReadStoredData(TStream& File, const TRecordInfo& Info, std::vector<uint8_t>& Stored);
    void Decipher(std::vector<uint8_t>& Stored, const TInitVector& InitVector) const;
    bool Fail(TArchiveError Error);

    uint8_t FOpened = 0;
    int32_t FFileSize = 0;
    std::string FFileName;
    TOpenModes FOpenMode = opUpdate;
    std::vector<TRecordInfo> Directory;
    TArchiveHeader FHeader;
    std::array<uint8_t, 57> FKey{};
    int32_t FKeyLength = 0;
    TArchiveError FLastError = TArchiveError::None;
    bool DigestChecks = true;
    // The file held open during a loading run, and how many runs are nested.
    std::unique_ptr<TStream> Held;
    int32_t LoadingDepth = 0;
    // A used record buffer kept during a loading run for the next record to inflate into.
    std::vector<uint8_t> Spare;
};

// A loading run for the life of a scope (a run that cannot start leaves the archive as it was).
class TArchiveLoading {
public:
    explicit TArchiveLoading(TArchive& Archive) : Archive(Archive), Began(Archive.BeginLoading()) {}
    ~TArchiveLoading() {
        if (Began) {
            Archive.EndLoading();
        }
    }
    TArchiveLoading(const TArchiveLoading&) = delete;
    TArchiveLoading& operator=(const TArchiveLoading&) = delete;

private:
    TArchive& Archive;
    bool Began;
};
