// SPDX-License-Identifier: MIT
#include "archive/Archive.h"

#include "TestFiles.h"
#include "archive/ArchiveWriter.h"
#include "archive/Stream.h"

#include <zlib.h>

#include <functional>
#include <limits>

namespace {

// Field positions inside a record header.
constexpr size_t AtUnpacked = 2;
constexpr size_t AtStored = 6;
constexpr size_t AtDigest = 18;
constexpr size_t AtEnciphered = 34;
constexpr size_t AtInitVector = 36;
constexpr size_t AtData = 44;
// The writer puts the first record right after the 12-byte header.
constexpr size_t FirstRecord = 12;

class ArchiveTest : public ::testing::Test {
protected:
    std::string Save(const TArchiveWriter& Writer, const std::string& Name = "a.fgg") {
        std::vector<uint8_t> bytes;
        EXPECT_TRUE(Writer.Build(bytes));
        return SaveBytes(bytes, Name);
    }
    std::string SaveBytes(const std::vector<uint8_t>& Bytes, const std::string& Name = "a.fgg") {
        const std::string path = Scratch.Path(Name);
        WriteFileBytes(path, Bytes);
        return path;
    }
    static std::vector<uint8_t> Built(const TArchiveWriter& Writer) {
        std::vector<uint8_t> bytes;
        EXPECT_TRUE(Writer.Build(bytes));
        return bytes;
    }
    void OpenReadOnly(const std::string& Path) {
        Archive.SetFileName(Path);
        Archive.SetOpenMode(opReadOnly);
    }
    std::vector<uint8_t> Read(std::string_view Key) {
        TMemoryStream stream;
        if (!Archive.ReadRecord(Key, stream)) {
            return {};
        }
        return stream.Bytes();
    }

    TScratchDir Scratch;
    TArchive Archive;
};

TEST_F(ArchiveTest, ReadsEveryRecordInEitherLayout) {
    for (const bool tableFirst : {false, true}) {
        TArchiveWriter writer;
        writer.SetTableFirst(tableFirst);
        writer.Add(RecordTypeImage, "RedCircle.piece", BytesOf("red circle pixels"));
        writer.Add(RecordTypeFont, "Verdana11", BytesOf("glyphs"));
        writer.Add(0, "explode-red.pss", std::vector<uint8_t>(5000, 7));
        OpenReadOnly(Save(writer));
        ASSERT_TRUE(Archive.EnsureOpen());
        ASSERT_EQ(Archive.RecordCount(), 3);
        EXPECT_EQ(Archive.RecordTypeOf(0), RecordTypeImage);
        EXPECT_EQ(Archive.RecordTypeOf(1), RecordTypeFont);
        EXPECT_EQ(Archive.RecordKeyAt(2), "explode-red.pss");
        EXPECT_EQ(Archive.RecordAt(2)->UnpackedSize, 5000);
        EXPECT_EQ(Archive.RecordAt(2)->Stamp, TArchiveWriter::DefaultStamp);
        EXPECT_EQ(Read("RedCircle.piece"), BytesOf("red circle pixels"));
        EXPECT_EQ(Read("Verdana11"), BytesOf("glyphs"));
        EXPECT_EQ(Read("explode-red.pss"), std::vector<uint8_t>(5000, 7));
        EXPECT_EQ(Archive.LastError(), TArchiveError::None);
    }
}

TEST_F(ArchiveTest, OutOfRangeIndexesNeverFail) {
    TArchiveWriter writer;
    writer.Add(RecordTypeImage, "Only", BytesOf("x"));
    OpenReadOnly(Save(writer));
    ASSERT_TRUE(Archive.Open());
    for (const int32_t index :
         {-1, 1, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()}) {
        EXPECT_EQ(Archive.RecordTypeOf(index), 0) << index;
        EXPECT_EQ(Archive.RecordKeyAt(index), "[invalid-record-#]") << index;
        EXPECT_EQ(Archive.RecordAt(index), nullptr) << index;
    }
}

TEST_F(ArchiveTest, EmptyArchiveOpensButDeliversNothing) {
    OpenReadOnly(Save(TArchiveWriter{}));
    ASSERT_TRUE(Archive.EnsureOpen());
    EXPECT_EQ(Archive.RecordCount(), 0);
    EXPECT_TRUE(Read("anything").empty());
    EXPECT_EQ(Archive.LastError(), TArchiveError::KeyNotFound);
}

TEST_F(ArchiveTest, KeysIgnoreAsciiCaseAndFirstMatchWins) {
    TArchiveWriter writer;
    writer.Add(RecordTypeImage, "redcircle.piece", BytesOf("first"));
    writer.Add(RecordTypeImage, "REDCIRCLE.PIECE", BytesOf("second"));
    // Code page 1251 capital and small Zhe: only A to Z fold.
    writer.Add(RecordTypeImage, "\xC6", BytesOf("cyrillic"));
    OpenReadOnly(Save(writer));
    ASSERT_TRUE(Archive.Open());
    EXPECT_EQ(Archive.IndexOf("RedCircle.Piece"), 0);
    EXPECT_EQ(Read("REDCIRCLE.PIECE"), BytesOf("first"));
    EXPECT_EQ(Archive.IndexOf("\xC6"), 2);
    EXPECT_EQ(Archive.IndexOf("\xE6"), -1);
    EXPECT_EQ(Archive.IndexOf("redcircle"), -1);
}

// Each case damages the first record of a two-record archive; the record must not be
// delivered and the stream must stay exactly as it was.
struct TBadRecordCase {
    const char* Name;
    std::function<void(std::vector<uint8_t>&)> Damage;
    TArchiveError Expected;
};

TEST_F(ArchiveTest, DamagedRecordIsNotDeliveredAndStreamIsUntouched) {
    const std::vector<uint8_t> payload(3000, 'z');
    const TBadRecordCase cases[] = {
        {"zero unpacked size", [](auto& f) { Put<int32_t>(f, FirstRecord + AtUnpacked, 0); },
         TArchiveError::BadUnpackedSize},
        {"negative unpacked size", [](auto& f) { Put<int32_t>(f, FirstRecord + AtUnpacked, -1); },
         TArchiveError::BadUnpackedSize},
        {"unpacked size beyond what zlib can produce",
         [](auto& f) { Put<int32_t>(f, FirstRecord + AtUnpacked, std::numeric_limits<int32_t>::max()); },
         TArchiveError::BadUnpackedSize},
        {"inflates longer than claimed", [](auto& f) { Put<int32_t>(f, FirstRecord + AtUnpacked, 2999); },
         TArchiveError::WrongLength},
        {"inflates shorter than claimed", [](auto& f) { Put<int32_t>(f, FirstRecord + AtUnpacked, 3001); },
         TArchiveError::WrongLength},
        {"bad digest", [](auto& f) { f[FirstRecord + AtDigest + 15] ^= 1; }, TArchiveError::BadDigest},
        {"stored size beyond the file",
         [](auto& f) { Put<int32_t>(f, FirstRecord + AtStored, static_cast<int32_t>(f.size())); },
         TArchiveError::BadStoredData},
        {"negative stored size", [](auto& f) { Put<int32_t>(f, FirstRecord + AtStored, -8); },
         TArchiveError::BadStoredData},
        {"stored size cut short",
         [](auto& f) {
             Put<int32_t>(f, FirstRecord + AtStored, Get<int32_t>(f, FirstRecord + AtStored) - 3);
         },
         TArchiveError::Inflate},
        {"not a zlib stream", [](auto& f) { f[FirstRecord + AtData] ^= 0xFF; }, TArchiveError::Inflate},
    };
    for (const TBadRecordCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TArchiveWriter writer;
        writer.Add(RecordTypeImage, "Broken", payload);
        writer.Add(RecordTypeImage, "Fine", BytesOf("fine"));
        std::vector<uint8_t> file = Built(writer);
        c.Damage(file);
        OpenReadOnly(SaveBytes(file));
        ASSERT_TRUE(Archive.Open());
        TMemoryStream stream(BytesOf("kept"));
        ASSERT_TRUE(stream.Seek(2));
        EXPECT_FALSE(Archive.ReadRecord("Broken", stream));
        EXPECT_EQ(Archive.LastError(), c.Expected);
        EXPECT_EQ(stream.Bytes(), BytesOf("kept"));
        EXPECT_EQ(stream.Position(), 2);
        EXPECT_EQ(Read("Fine"), BytesOf("fine"));
    }
}

// The game reads its archives without the MD5 digests at start; a bit flipped anywhere in a
// record's stored bytes must still never come out as data: zlib's structure, its Adler-32 and
// the exact length refuse it, or the flip fell on bits the stream ignores and the bytes are
// the true ones.
TEST_F(ArchiveTest, WithoutDigestsNoFlippedBitComesOutAsData) {
    std::vector<uint8_t> payload(4096);
    for (size_t i = 0; i < payload.size(); ++i) {
        payload[i] = static_cast<uint8_t>((i % 64) * 3 + (i / 64) * 5 + (i % 7 == 0 ? 40 : 0));
    }
    TArchiveWriter writer;
    writer.Add(RecordTypeImage, "Picture", payload);
    const std::vector<uint8_t> file = Built(writer);
    const auto stored = static_cast<size_t>(Get<int32_t>(file, FirstRecord + AtStored));
    ASSERT_GT(stored, 16u);
    int refused = 0;
    for (size_t at = FirstRecord + AtData; at < FirstRecord + AtData + stored; ++at) {
        std::vector<uint8_t> damaged = file;
        damaged[at] ^= static_cast<uint8_t>(1u << (at % 8));
        OpenReadOnly(SaveBytes(damaged));
        Archive.SetDigestChecks(false);
        const std::vector<uint8_t> read = Read("Picture");
        EXPECT_TRUE(read.empty() || read == payload) << "bit " << at % 8 << " of byte " << at;
        refused += read.empty();
    }
    EXPECT_GT(refused, 0);
}

TEST_F(ArchiveTest, ZeroLengthRecordIsNeverDelivered) {
    TArchiveWriter writer;
    writer.Add(RecordTypeImage, "Empty", {});
    OpenReadOnly(Save(writer));
    ASSERT_TRUE(Archive.Open());
    TMemoryStream stream;
    EXPECT_FALSE(Archive.ReadRecord("Empty", stream));
    EXPECT_EQ(stream.Size(), 0);
}

struct TBadDirectoryCase {
    const char* Name;
    std::function<void(std::vector<uint8_t>&)> Damage;
    TArchiveError Expected;
    int32_t EntriesKept;
};

TEST_F(ArchiveTest, DamagedDirectoryFailsToOpen) {
    TArchiveWriter writer;
    writer.Add(RecordTypeImage, "One", BytesOf("1"));
    writer.Add(RecordTypeImage, "Two", BytesOf("2"));
    const std::vector<uint8_t> good = Built(writer);
    const size_t table = Get<int32_t>(good, 8);
    // Each entry is a length, a three-letter key and an offset.
    const size_t firstOffset = table + 4 + 3;
    const size_t secondOffset = firstOffset + 4 + 4 + 3;
    const TBadDirectoryCase cases[] = {
        {"header cut short", [](auto& f) { f.resize(10); }, TArchiveError::BadHeader, 0},
        {"huge count", [](auto& f) { Put<int32_t>(f, 4, std::numeric_limits<int32_t>::max()); },
         TArchiveError::BadKeyTable, 0},
        {"count of 2^31", [](auto& f) { Put<uint32_t>(f, 4, 0x80000000u); }, TArchiveError::BadKeyTable, 0},
        {"count one too many", [](auto& f) { Put<int32_t>(f, 4, 3); }, TArchiveError::BadKeyTable, 0},
        {"table offset beyond the file", [](auto& f) { Put<int32_t>(f, 8, 1 << 30); },
         TArchiveError::BadKeyTable, 0},
        {"negative table offset", [](auto& f) { Put<int32_t>(f, 8, -12); }, TArchiveError::BadKeyTable, 0},
        {"negative key length", [&](auto& f) { Put<int32_t>(f, table, -5); }, TArchiveError::BadKeyTable, 0},
        {"key length beyond the file",
         [&](auto& f) { Put<int32_t>(f, table, static_cast<int32_t>(f.size())); }, TArchiveError::BadKeyTable,
         0},
        {"record offset beyond the file",
         [&](auto& f) { Put<int32_t>(f, secondOffset, static_cast<int32_t>(f.size()) - 20); },
         TArchiveError::BadRecordHeader, 1},
        {"negative record offset", [&](auto& f) { Put<int32_t>(f, firstOffset, -1); },
         TArchiveError::BadRecordHeader, 0},
    };
    for (const TBadDirectoryCase& c : cases) {
        SCOPED_TRACE(c.Name);
        std::vector<uint8_t> file = good;
        c.Damage(file);
        OpenReadOnly(SaveBytes(file));
        EXPECT_FALSE(Archive.EnsureOpen());
        EXPECT_FALSE(Archive.IsOpen());
        EXPECT_EQ(Archive.LastError(), c.Expected);
        EXPECT_EQ(Archive.RecordCount(), c.EntriesKept);
    }
}

TEST_F(ArchiveTest, EveryTruncationIsRefused) {
    TArchiveWriter writer;
    writer.Add(RecordTypeImage, "One", std::vector<uint8_t>(100, 1));
    writer.Add(RecordTypeFont, "Two", std::vector<uint8_t>(100, 2));
    const std::vector<uint8_t> good = Built(writer);
    for (size_t size = 0; size < good.size(); ++size) {
        SCOPED_TRACE(size);
        OpenReadOnly(SaveBytes({good.begin(), good.begin() + static_cast<std::ptrdiff_t>(size)}));
        EXPECT_FALSE(Archive.Open());
        EXPECT_TRUE(Read("Two").empty());
    }
}

TEST_F(ArchiveTest, ForeignSignatureIsStillRead) {
    TArchiveWriter writer;
    writer.Add(RecordTypeImage, "Key", BytesOf("value"));
    std::vector<uint8_t> file = Built(writer);
    Put<uint32_t>(file, 0, 0x584D4C42);
    OpenReadOnly(SaveBytes(file));
    ASSERT_TRUE(Archive.Open());
    EXPECT_EQ(Read("key"), BytesOf("value"));
}

TEST_F(ArchiveTest, RecordsOnBothSidesOfTheKeyTable) {
    TArchiveWriterRecord before{RecordTypeImage, "Before", BytesOf("in front"), {}, {}, {}};
    TArchiveWriterRecord after{RecordTypeFont, "After", BytesOf("behind"), {}, {}, {}};
    std::vector<uint8_t> packedBefore;
    std::vector<uint8_t> packedAfter;
    ASSERT_TRUE(TArchiveWriter::PackRecord(before, 0.0, packedBefore));
    ASSERT_TRUE(TArchiveWriter::PackRecord(after, 0.0, packedAfter));
    // Header, the first record, the key table (listing the later record first), the second record.
    const int32_t tableOffset = 12 + static_cast<int32_t>(packedBefore.size());
    const int32_t tableSize = 4 + 5 + 4 + 4 + 6 + 4;
    TMemoryStream file;
    WriteUInt32(file, ArchiveSignature);
    WriteInt32(file, 2);
    WriteInt32(file, tableOffset);
    file.Write(packedBefore.data(), packedBefore.size());
    WriteString(file, "After");
    WriteInt32(file, tableOffset + tableSize);
    WriteString(file, "Before");
    WriteInt32(file, 12);
    file.Write(packedAfter.data(), packedAfter.size());
    OpenReadOnly(SaveBytes(file.Bytes()));
    ASSERT_TRUE(Archive.Open());
    EXPECT_EQ(Archive.RecordKeyAt(0), "After");
    EXPECT_EQ(Archive.RecordTypeOf(0), RecordTypeFont);
    EXPECT_EQ(Read("Before"), BytesOf("in front"));
    EXPECT_EQ(Read("After"), BytesOf("behind"));
}

TEST_F(ArchiveTest, ReadRecordAppendsAtTheStreamPosition) {
    TArchiveWriter writer;
    writer.Add(RecordTypeImage, "Key", BytesOf("record"));
    OpenReadOnly(Save(writer));
    ASSERT_TRUE(Archive.Open());
    TMemoryStream stream(BytesOf("head:"));
    ASSERT_TRUE(stream.Seek(5));
    ASSERT_TRUE(Archive.ReadRecord("Key", stream));
    EXPECT_EQ(stream.Bytes(), BytesOf("head:record"));
    EXPECT_EQ(stream.Position(), 11);
}

TEST_F(ArchiveTest, FileNameChangeReopensAndFailedOpenIsRetried) {
    TArchiveWriter one;
    one.Add(RecordTypeImage, "A", BytesOf("a"));
    TArchiveWriter two;
    two.Add(RecordTypeImage, "B", BytesOf("b"));
    two.Add(RecordTypeImage, "C", BytesOf("c"));
    const std::string first = Save(one, "one.fgg");
    const std::string second = Scratch.Path("two.fgg");

    OpenReadOnly(second);
    EXPECT_FALSE(Archive.EnsureOpen());
    EXPECT_EQ(Archive.LastError(), TArchiveError::CannotOpenFile);
    ASSERT_TRUE(two.SaveToFile(second));
    EXPECT_TRUE(Archive.EnsureOpen());
    EXPECT_EQ(Archive.RecordCount(), 2);

    Archive.SetFileName(first);
    EXPECT_FALSE(Archive.IsOpen());
    EXPECT_TRUE(Archive.EnsureOpen());
    EXPECT_EQ(Archive.RecordCount(), 1);
    EXPECT_EQ(Archive.RecordKeyAt(0), "A");
}

TEST_F(ArchiveTest, EveryRecordReadSeesTheFileAsItIsNow) {
    TArchiveWriter before;
    before.Add(RecordTypeImage, "Old", BytesOf("old"));
    const std::string path = Save(before);
    OpenReadOnly(path);
    ASSERT_TRUE(Archive.EnsureOpen());
    TArchiveWriter after;
    after.Add(RecordTypeImage, "Old", BytesOf("changed"));
    after.Add(RecordTypeImage, "New", BytesOf("new"));
    ASSERT_TRUE(after.SaveToFile(path));
    EXPECT_EQ(Read("New"), BytesOf("new"));
    EXPECT_EQ(Archive.RecordCount(), 2);
    EXPECT_EQ(Read("Old"), BytesOf("changed"));
}

TEST_F(ArchiveTest, OpenModes) {
    const std::vector<uint8_t> empty = {0x41, 0x53, 0x44, 0x62, 0, 0, 0, 0, 12, 0, 0, 0};
    TArchiveWriter writer;
    writer.Add(RecordTypeImage, "Kept", BytesOf("kept"));
    const std::string existing = Save(writer, "existing.fgg");

    Archive.SetFileName(Scratch.Path("created.fgg"));
    Archive.SetOpenMode(opUpdate);
    ASSERT_TRUE(Archive.Open());
    EXPECT_EQ(ReadFileBytes(Scratch.Path("created.fgg")), empty);
    EXPECT_EQ(Archive.FileSize(), 12);

    Archive.SetFileName(existing);
    ASSERT_TRUE(Archive.Open());
    EXPECT_EQ(Archive.RecordCount(), 1);

    Archive.SetOpenMode(opOverwrite);
    ASSERT_TRUE(Archive.Open());
    EXPECT_EQ(Archive.RecordCount(), 0);
    EXPECT_EQ(ReadFileBytes(existing), empty);

    Archive.SetFileName(Scratch.Path("never.fgg"));
    Archive.SetOpenMode(static_cast<TOpenModes>(7));
    EXPECT_TRUE(Archive.Open());
    EXPECT_FALSE(std::filesystem::exists(Scratch.Path("never.fgg")));

    Archive.SetFileName(Scratch.Path("missing-dir/x.fgg"));
    Archive.SetOpenMode(opOverwrite);
    EXPECT_FALSE(Archive.Open());
    EXPECT_EQ(Archive.LastError(), TArchiveError::CannotCreateFile);
}

// Enciphered records: the payload length is chosen so the stored size is not a whole number
// of cipher blocks, and the tail must stay as zlib wrote it.
TEST_F(ArchiveTest, EncipheredRecordNeedsTheKeyAndKeepsItsTail) {
    std::vector<uint8_t> payload;
    std::vector<uint8_t> compressed;
    for (size_t n = 40;; ++n) {
        payload.assign(n, 0);
        for (size_t i = 0; i < n; ++i) {
            payload[i] = static_cast<uint8_t>(i * 37 % 251);
        }
        uLongf size = compressBound(static_cast<uLong>(n));
        compressed.resize(size);
        ASSERT_EQ(compress2(compressed.data(), &size, payload.data(), n, TArchiveWriter::CompressionLevel),
                  Z_OK);
        compressed.resize(size);
        if (size % 8 != 0) {
            break;
        }
    }
    TArchiveWriterRecord record{RecordTypeImage, "Secret", payload, {}, "test-key", {1, 2, 3, 4, 5, 6, 7, 8}};
    TArchiveWriter writer;
    writer.Add(record);
    const std::vector<uint8_t> file = Built(writer);
    const std::vector<uint8_t> stored(file.begin() + FirstRecord + AtData,
                                      file.begin() + FirstRecord + AtData + compressed.size());
    const size_t tail = compressed.size() % 8;
    EXPECT_TRUE(std::equal(stored.end() - tail, stored.end(), compressed.end() - tail));
    EXPECT_FALSE(std::equal(stored.begin(), stored.begin() + 8, compressed.begin()));

    OpenReadOnly(SaveBytes(file));
    ASSERT_TRUE(Archive.Open());
    EXPECT_EQ(Archive.RecordAt(0)->Enciphered, 1);
    EXPECT_TRUE(Read("Secret").empty());
    EXPECT_EQ(Archive.LastError(), TArchiveError::EncipheredWithoutKey);
    ASSERT_TRUE(Archive.SetKeyForTesting("wrong-key"));
    EXPECT_TRUE(Read("Secret").empty());
    ASSERT_TRUE(Archive.SetKeyForTesting("test-key"));
    EXPECT_EQ(Read("Secret"), payload);
    EXPECT_FALSE(Archive.SetKeyForTesting(std::string(57, 'k')));
}

} // namespace

namespace {

// The published Blowfish vector (all-zero key and block enciphers to 4EF997456198DD78) checks
// the cipher independently of our writer: with the zlib stream's first block as the chain
// value, that cipher block deciphers to exactly the stream's first block.
TEST_F(ArchiveTest, DeciphersPublishedBlowfishVector) {
    TArchiveWriter writer;
    writer.Add(RecordTypeImage, "Vector", BytesOf("A"));
    std::vector<uint8_t> file = Built(writer);
    const size_t data = FirstRecord + AtData;
    ASSERT_EQ(Get<int32_t>(file, FirstRecord + AtStored), 9);
    std::copy(file.begin() + data, file.begin() + data + 8, file.begin() + FirstRecord + AtInitVector);
    const uint8_t cipher[8] = {0x4E, 0xF9, 0x97, 0x45, 0x61, 0x98, 0xDD, 0x78};
    std::copy(cipher, cipher + 8, file.begin() + data);
    file[FirstRecord + AtEnciphered] = 1;
    OpenReadOnly(SaveBytes(file));
    ASSERT_TRUE(Archive.Open());
    EXPECT_TRUE(Read("Vector").empty());
    ASSERT_TRUE(Archive.SetKeyForTesting(std::string(8, '\0')));
    EXPECT_EQ(Read("Vector"), BytesOf("A"));
}

} // namespace

namespace {

// A stream that takes nothing, like a full device.
class TRefusingStream final : public TStream {
public:
    size_t Read(void*, size_t) override { return 0; }
    size_t Write(const void*, size_t) override { return 0; }
    bool Seek(int64_t) override { return true; }
    [[nodiscard]] int64_t Position() const override { return 0; }
    [[nodiscard]] int64_t Size() const override { return 0; }
};

TEST_F(ArchiveTest, StreamThatRefusesBytesFailsTheRead) {
    TArchiveWriter writer;
    writer.Add(RecordTypeImage, "Key", BytesOf("record"));
    OpenReadOnly(Save(writer));
    TRefusingStream stream;
    EXPECT_FALSE(Archive.ReadRecord("Key", stream));
    EXPECT_EQ(Archive.LastError(), TArchiveError::StreamRejected);
}

} // namespace
