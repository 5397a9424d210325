// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// Byte streams for the game's binary formats (archives, image, font and particle records,
// GUI streams). A short read is reported by the result, never by an exception; the loaders
// turn it into their own false result.
class TStream {
public:
    virtual ~TStream() = default;
    // Reads up to Count bytes; returns how many were read.
    virtual size_t Read(void* Buffer, size_t Count) = 0;
    // Writes up to Count bytes; returns how many were written.
    virtual size_t Write(const void* Buffer, size_t Count) = 0;
    virtual bool Seek(int64_t Position) = 0;
    [[nodiscard]] virtual int64_t Position() const = 0;
    [[nodiscard]] virtual int64_t Size() const = 0;

    [[nodiscard]] int64_t Remaining() const { return Size() - Position(); }
    // True when exactly Count bytes were read.
    [[nodiscard]] bool ReadExact(void* Buffer, size_t Count) { return Read(Buffer, Count) == Count; }
    [[nodiscard]] bool WriteExact(const void* Buffer, size_t Count) { return Write(Buffer, Count) == Count; }
};

// A growable in-memory stream; writing past the end extends it.
class TMemoryStream final : public TStream {
public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<uint8_t> Bytes) : Data(std::move(Bytes)) {}

    size_t Read(void* Buffer, size_t Count) override;
    size_t Write(const void* Buffer, size_t Count) override;
    bool Seek(int64_t NewPosition) override;
    [[nodiscard]] int64_t Position() const override { return Pos; }
    [[nodiscard]] int64_t Size() const override { return static_cast<int64_t>(Data.size()); }

    [[nodiscard]] const std::vector<uint8_t>& Bytes() const { return Data; }
    [[nodiscard]] std::vector<uint8_t>& Bytes() { return Data; }

private:
    std::vector<uint8_t> Data;
    int64_t Pos = 0;
};

// A file opened for reading or for writing (created or truncated).
class TFileStream final : public TStream {
public:
    enum class TMode { Read, Create };
    TFileStream(const std::string& FileName, TMode Mode);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    [[nodiscard]] bool IsOpen() const { return File != nullptr; }
    size_t Read(void* Buffer, size_t Count) override;
    size_t Write(const void* Buffer, size_t Count) override;
    bool Seek(int64_t NewPosition) override;
    [[nodiscard]] int64_t Position() const override;
    [[nodiscard]] int64_t Size() const override;
    // Flushes and closes; false when anything written did not reach the file.
    bool Close();

private:
    [[nodiscard]] int64_t MeasureSize() const;

    std::FILE* File = nullptr;
    bool WriteFailed = false;
    // A file opened for reading keeps its size from the open: asking the system again would
    // seek and throw away the read buffer.
    int64_t ReadSize = -1;
};

// The shared little-endian field readers. Each returns false on a short read and leaves the
// output unchanged then.
[[nodiscard]] bool ReadByte(TStream& S, uint8_t& Value);
[[nodiscard]] bool ReadWord(TStream& S, uint16_t& Value);
[[nodiscard]] bool ReadInt32(TStream& S, int32_t& Value);
[[nodiscard]] bool ReadUInt32(TStream& S, uint32_t& Value);
[[nodiscard]] bool ReadDouble(TStream& S, double& Value);
[[nodiscard]] bool ReadFloat(TStream& S, float& Value);
// A signed 32-bit length n, then n 8-bit characters. A negative length, or one longer than
// what is left of the stream, is a failed read (so a corrupt length never allocates).
[[nodiscard]] bool ReadString(TStream& S, std::string& Value);

bool WriteByte(TStream& S, uint8_t Value);
bool WriteWord(TStream& S, uint16_t Value);
bool WriteInt32(TStream& S, int32_t Value);
bool WriteUInt32(TStream& S, uint32_t Value);
bool WriteDouble(TStream& S, double Value);
bool WriteFloat(TStream& S, float Value);
bool WriteString(TStream& S, const std::string& Value);
