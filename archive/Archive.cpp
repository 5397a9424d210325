// SPDX-License-Identifier: MIT
#include "archive/Archive.h"

#include "archive/Stream.h"
#include "platform/Text.h"

#include <nettle/blowfish.h>
#include <nettle/cbc.h>
#include <nettle/md5.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <limits>

namespace {

// Each key table entry is at least a key length and an offset.
constexpr int64_t MinKeyEntrySize = 8;
// Deflate cannot expand a byte of input into more than 1032 bytes of output, so a larger
// claim is corrupt and must not size a buffer.
constexpr int64_t MaxInflateRatio = 1032;
// Claimed unpacked sizes up to this are allocated at once (the largest picture of the game's
// data is 16 MiB); a corrupt claim costs at most this much for a moment.
constexpr size_t TrustedUnpackedSize = size_t{32} << 20;
constexpr int32_t MaxKeyLength = BLOWFISH_MAX_KEY_SIZE;
constexpr size_t CipherBlock = BLOWFISH_BLOCK_SIZE;

void Wipe(void* Data, size_t Size) {
    explicit_bzero(Data, Size);
}

void DecipherBlocks(const void* Context, size_t Length, uint8_t* Dst, const uint8_t* Src) {
    blowfish_decrypt(static_cast<const blowfish_ctx*>(Context), Length, Dst, Src);
}

// The key is read by hand rather than with ReadString: the file's size is known once, and
// asking the stream for it on every key would seek to the end and back each time.
bool ReadKey(TStream& File, int64_t FileSize, std::string& Key) {
    int32_t length = 0;
    if (!ReadInt32(File, length) || length < 0 || length > FileSize - File.Position()) {
        return false;
    }
    std::string key(static_cast<size_t>(length), '\0');
    if (length > 0 && !File.ReadExact(key.data(), key.size())) {
        return false;
    }
    Key = std::move(key);
    return true;
}

template <typename T> T Field(const uint8_t* Raw, size_t At) {
    T value;
    std::memcpy(&value, Raw + At, sizeof value);
    return value;
}

// The 44-byte header is fetched in one read: the directory is re-read on every record read, so
// this runs once per record for every record loaded.
bool ReadRecordFields(TStream& File, TRecordInfo& Info) {
    uint8_t raw[RecordHeaderSize];
    if (!File.ReadExact(raw, sizeof raw)) {
        return false;
    }
    Info.RecordType = Field<uint16_t>(raw, 0);
    Info.UnpackedSize = Field<int32_t>(raw, 2);
    Info.StoredSize = Field<int32_t>(raw, 6);
    Info.Stamp = Field<double>(raw, 10);
    std::memcpy(Info.Digest.data(), raw + 18, Info.Digest.size());
    // Only the low byte of the stored 16-bit flag has ever carried meaning.
    Info.Enciphered = raw[34];
    std::memcpy(Info.InitVector.data(), raw + 36, Info.InitVector.size());
    return true;
}

} // namespace

TDigest RecordDigest(const std::vector<uint8_t>& Bytes) {
    md5_ctx ctx;
    md5_init(&ctx);
    md5_update(&ctx, Bytes.size(), Bytes.data());
    TDigest digest{};
    md5_digest(&ctx, digest.size(), digest.data());
    return digest;
}

const char* ArchiveErrorText(TArchiveError Error) {
    switch (Error) {
    case TArchiveError::None:
        return "no error";
    case TArchiveError::CannotOpenFile:
        return "cannot open the archive file";
    case TArchiveError::CannotCreateFile:
        return "cannot create the archive file";
    case TArchiveError::BadHeader:
        return "the archive header is truncated";
    case TArchiveError::BadKeyTable:
        return "the key table is corrupt or truncated";
    case TArchiveError::BadRecordHeader:
        return "a record header is corrupt or truncated";
    case TArchiveError::KeyNotFound:
        return "no record has that key";
    case TArchiveError::BadStoredData:
        return "the record's stored data lies outside the file";
    case TArchiveError::BadUnpackedSize:
        return "the record's unpacked size is impossible";
    case TArchiveError::Inflate:
        return "the record's data is not a valid zlib stream";
    case TArchiveError::WrongLength:
        return "the record inflates to a length other than its unpacked size";
    case TArchiveError::EncipheredWithoutKey:
        return "the record is enciphered and no key is set";
    case TArchiveError::BadDigest:
        return "the record's digest does not match its data";
    case TArchiveError::StreamRejected:
        return "the output stream did not take all bytes";
    }
    return "unknown error";
}

TArchive::~TArchive() {
    Wipe(FKey.data(), FKey.size());
}

void TArchive::SetFileName(const std::string& Value) {
    FFileName = Value;
    FOpened = 0;
    Held.reset();
    LoadingDepth = 0;
    std::vector<uint8_t>().swap(Spare);
}

bool TArchive::Fail(TArchiveError Error) {
    FLastError = Error;
    return false;
}

bool TArchive::Open() {
    bool ok = true;
    FLastError = TArchiveError::None;
    switch (FOpenMode) {
    case opUpdate: {
        std::error_code ec;
        ok = std::filesystem::exists(FFileName, ec) ? ReadDirectory(nullptr) : CreateEmpty();
        break;
    }
    case opOverwrite:
        ok = CreateEmpty();
        break;
    case opReadOnly:
        ok = ReadDirectory(nullptr);
        break;
    default:
        // An unknown mode touches no file and counts as open.
        break;
    }
    FOpened = ok ? 1 : 0;
    return ok;
}

bool TArchive::EnsureOpen() {
    return FOpened != 0 || Open();
}

int32_t TArchive::RecordTypeOf(int32_t Index) const {
    const TRecordInfo* info = RecordAt(Index);
    return info ? info->RecordType : 0;
}

std::string TArchive::RecordKeyAt(int32_t Index) const {
    const TRecordInfo* info = RecordAt(Index);
    return info ? info->Key : std::string("[invalid-record-#]");
}

const TRecordInfo* TArchive::RecordAt(int32_t Index) const {
    if (Index < 0 || Index >= RecordCount()) {
        return nullptr;
    }
    return &Directory[static_cast<size_t>(Index)];
}

int32_t TArchive::IndexOf(std::string_view Key) const {
    for (size_t i = 0; i < Directory.size(); ++i) {
        if (SameName(Directory[i].Key, Key)) {
            return static_cast<int32_t>(i);
        }
    }
    return -1;
}

bool TArchive::SetKeyForTesting(std::string_view Key) {
    if (Key.size() > static_cast<size_t>(MaxKeyLength)) {
        return false;
    }
    Wipe(FKey.data(), FKey.size());
    std::copy(Key.begin(), Key.end(), FKey.begin());
    FKeyLength = static_cast<int32_t>(Key.size());
    return true;
}

bool TArchive::ReadHeader(TStream& File) {
    TArchiveHeader header;
    if (!File.Seek(0) || !ReadUInt32(File, header.Signature) || !ReadInt32(File, header.Count) ||
        !ReadInt32(File, header.TableOffset)) {
        return false;
    }
    // The signature is deliberately not checked: the header, key table and offsets are
    // what tie an archive together.
    FHeader = header;
    return true;
}

bool TArchive::ReadDirectory(TStream* File) {
    Directory.clear();
    std::unique_ptr<TFileStream> owned;
    if (!File) {
        owned = std::make_unique<TFileStream>(FFileName, TFileStream::TMode::Read);
        if (!owned->IsOpen()) {
            return Fail(TArchiveError::CannotOpenFile);
        }
        File = owned.get();
    }
    if (!ReadHeader(*File)) {
        return Fail(TArchiveError::BadHeader);
    }
    const int64_t size = File->Size();
    FFileSize = static_cast<int32_t>(std::min<int64_t>(size, std::numeric_limits<int32_t>::max()));
    if (!ReadKeyTable(*File, size)) {
        Directory.clear();
        return Fail(TArchiveError::BadKeyTable);
    }
    if (!ReadRecordHeaders(*File, size)) {
        return Fail(TArchiveError::BadRecordHeader);
    }
    FLastError = TArchiveError::None;
    return true;
}

bool TArchive::ReadKeyTable(TStream& File, int64_t Size) {
    const int32_t count = FHeader.Count;
    if (count == 0) {
        return true;
    }
    // A count the file cannot hold is refused before anything is sized by it.
    const int64_t offset = FHeader.TableOffset;
    if (count < 0 || offset < 0 || offset > Size || count > (Size - offset) / MinKeyEntrySize ||
        !File.Seek(offset)) {
        return false;
    }
    Directory.resize(static_cast<size_t>(count));
    for (TRecordInfo& info : Directory) {
        if (!ReadKey(File, Size, info.Key) || !ReadInt32(File, info.Offset)) {
            return false;
        }
    }
    return true;
}

bool TArchive::ReadRecordHeaders(TStream& File, int64_t Size) {
    for (size_t i = 0; i < Directory.size(); ++i) {
        TRecordInfo& info = Directory[i];
        const bool inside = info.Offset >= 0 && int64_t{info.Offset} + RecordHeaderSize <= Size;
        if (!inside || !File.Seek(info.Offset) || !ReadRecordFields(File, info)) {
            // The entries whose headers were read stay; the rest are dropped.
            Directory.resize(i);
            return false;
        }
    }
    return true;
}

bool TArchive::CreateEmpty() {
    FHeader = TArchiveHeader{ArchiveSignature, 0, ArchiveHeaderSize};
    TFileStream file(FFileName, TFileStream::TMode::Create);
    if (!file.IsOpen()) {
        return Fail(TArchiveError::CannotCreateFile);
    }
    bool ok = WriteUInt32(file, FHeader.Signature) && WriteInt32(file, FHeader.Count) &&
              WriteInt32(file, FHeader.TableOffset);
    ok = file.Close() && ok;
    FFileSize = ArchiveHeaderSize;
    Directory.clear();
    return ok || Fail(TArchiveError::CannotCreateFile);
}

bool TArchive::ReadStoredData(TStream& File, const TRecordInfo& Info, std::vector<uint8_t>& Stored) {
    const int64_t start = int64_t{Info.Offset} + RecordHeaderSize;
    if (Info.StoredSize < 0 || start + Info.StoredSize > FFileSize) {
        return Fail(TArchiveError::BadStoredData);
    }
    if (Info.UnpackedSize <= 0 || Info.UnpackedSize > int64_t{Info.StoredSize} * MaxInflateRatio) {
        return Fail(TArchiveError::BadUnpackedSize);
    }
    Stored.resize(static_cast<size_t>(Info.StoredSize));
    if (!File.Seek(start) || !File.ReadExact(Stored.data(), Stored.size())) {
        Stored.clear();
        return Fail(TArchiveError::BadStoredData);
    }
    return true;
}

void TArchive::Decipher(std::vector<uint8_t>& Stored, const TInitVector& InitVector) const {
    blowfish_ctx ctx;
    // The return value only flags a weak key; the schedule is complete either way.
    blowfish_set_key(&ctx, static_cast<size_t>(FKeyLength), FKey.data());
    TInitVector chain = InitVector;
    // Only whole blocks are enciphered; a short tail stays as stored.
    const size_t whole = Stored.size() / CipherBlock * CipherBlock;
    if (whole > 0) {
        cbc_decrypt(&ctx, DecipherBlocks, CipherBlock, chain.data(), whole, Stored.data(), Stored.data());
    }
    Wipe(&ctx, sizeof ctx);
    Wipe(chain.data(), chain.size());
}

bool TArchive::ReadRecordBuffer(std::string_view Key, std::vector<uint8_t>& Buffer) {
    TRecordInfo info;
    std::vector<uint8_t> stored;
    if (Held) {
        const int32_t index = IndexOf(Key);
        if (index < 0) {
            return Fail(TArchiveError::KeyNotFound);
        }
        info = Directory[static_cast<size_t>(index)];
        if (!ReadStoredData(*Held, info, stored)) {
            return false;
        }
    } else {
        TFileStream file(FFileName, TFileStream::TMode::Read);
        if (!file.IsOpen()) {
            return Fail(TArchiveError::CannotOpenFile);
        }
        // No cache: the directory mirrors the file as it is on disk right now.
        if (!ReadDirectory(&file)) {
            return false;
        }
        const int32_t index = IndexOf(Key);
        if (index < 0) {
            return Fail(TArchiveError::KeyNotFound);
        }
        info = Directory[static_cast<size_t>(index)];
        if (!ReadStoredData(file, info, stored)) {
            return false;
        }
    }
    const bool withoutKey = info.Enciphered != 0 && FKeyLength == 0;
    if (info.Enciphered != 0 && FKeyLength > 0) {
        Decipher(stored, info.InitVector);
    }
    std::vector<uint8_t> unpacked;
    if (!InflateRecord(stored.data(), info.StoredSize, info.UnpackedSize, unpacked)) {
        return withoutKey ? Fail(TArchiveError::EncipheredWithoutKey) : false;
    }
    if (DigestChecks && RecordDigest(unpacked) != info.Digest) {
        return Fail(withoutKey ? TArchiveError::EncipheredWithoutKey : TArchiveError::BadDigest);
    }
    Buffer = std::move(unpacked);
    FLastError = TArchiveError::None;
    return true;
}

bool TArchive::BeginLoading() {
    if (LoadingDepth > 0) {
        ++LoadingDepth;
        return true;
    }
    auto file = std::make_unique<TFileStream>(FFileName, TFileStream::TMode::Read);
    if (!file->IsOpen()) {
        return Fail(TArchiveError::CannotOpenFile);
    }
    if (!ReadDirectory(file.get())) {
        return false;
    }
    FOpened = 1;
    Held = std::move(file);
    LoadingDepth = 1;
    return true;
}

void TArchive::EndLoading() {
    if (LoadingDepth > 0 && --LoadingDepth == 0) {
        Held.reset();
        std::vector<uint8_t>().swap(Spare);
    }
}

void TArchive::GiveBack(std::vector<uint8_t>&& Buffer) {
    if (LoadingDepth > 0 && Buffer.capacity() > Spare.capacity()) {
        Spare = std::move(Buffer);
    }
}

bool TArchive::ReadRecord(std::string_view Key, TStream& Stream) {
    std::vector<uint8_t> buffer;
    if (!ReadRecordBuffer(Key, buffer)) {
        return false;
    }
    return Stream.WriteExact(buffer.data(), buffer.size()) || Fail(TArchiveError::StreamRejected);
}

bool TArchive::InflateRecord(const uint8_t* Stored, int32_t StoredSize, int32_t UnpackedSize,
                             std::vector<uint8_t>& Unpacked) {
    if (UnpackedSize <= 0 || StoredSize <= 0) {
        return Fail(UnpackedSize <= 0 ? TArchiveError::BadUnpackedSize : TArchiveError::Inflate);
    }
    z_stream zs{};
    if (inflateInit(&zs) != Z_OK) {
        return Fail(TArchiveError::Inflate);
    }
    // One byte of room past the expected size tells "too long" apart from "exact".
    const size_t limit = static_cast<size_t>(UnpackedSize) + 1;
    // A claimed size of a few megabytes is taken at its word, so the bytes inflate straight into
    // their final buffer; a larger claim only grows the buffer as zlib really produces bytes.
    const size_t step = (static_cast<size_t>(StoredSize) + 255) / 256 * 256;
    // A buffer handed back during a loading run is reused when it is large enough.
    std::vector<uint8_t> out = std::move(Spare);
    Spare.clear();
    out.clear();
    out.resize(std::min(limit, std::max(step, TrustedUnpackedSize)));
    zs.next_in = const_cast<Bytef*>(Stored);
    zs.avail_in = static_cast<uInt>(StoredSize);
    zs.next_out = out.data();
    zs.avail_out = static_cast<uInt>(out.size());
    TArchiveError error = TArchiveError::None;
    for (;;) {
        const int ret = inflate(&zs, Z_NO_FLUSH);
        if (ret == Z_STREAM_END) {
            break;
        }
        if ((ret != Z_OK && ret != Z_BUF_ERROR) || zs.avail_out > 0) {
            // A zlib error, or room left but no input: corrupt or truncated.
            error = TArchiveError::Inflate;
            break;
        }
        if (out.size() >= limit) {
            // More output than the record claims: stop before the buffer grows any further.
            error = TArchiveError::WrongLength;
            break;
        }
        // The buffer only grows as zlib really produces bytes, so a false size claim costs little.
        const size_t produced = zs.total_out;
        out.resize(std::min(limit, out.size() * 2));
        zs.next_out = out.data() + produced;
        zs.avail_out = static_cast<uInt>(out.size() - produced);
    }
    const size_t produced = zs.total_out;
    inflateEnd(&zs);
    if (error == TArchiveError::None && produced != static_cast<size_t>(UnpackedSize)) {
        error = TArchiveError::WrongLength;
    }
    if (error != TArchiveError::None) {
        return Fail(error);
    }
    out.resize(produced);
    Unpacked = std::move(out);
    return true;
}
