// SPDX-License-Identifier: MIT
#include "archive/Stream.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>

static_assert(std::endian::native == std::endian::little, "the game's formats are read on little-endian hosts");

size_t TMemoryStream::Read(void* Buffer, size_t Count) {
    if (Pos >= Size()) {
        return 0;
    }
    const size_t n = std::min(Count, static_cast<size_t>(Size() - Pos));
    std::memcpy(Buffer, Data.data() + Pos, n);
    Pos += static_cast<int64_t>(n);
    return n;
}

size_t TMemoryStream::Write(const void* Buffer, size_t Count) {
    const size_t end = static_cast<size_t>(Pos) + Count;
    if (end > Data.size()) {
        Data.resize(end);
    }
    if (Count > 0) {
        std::memcpy(Data.data() + Pos, Buffer, Count);
    }
    Pos = static_cast<int64_t>(end);
    return Count;
}

bool TMemoryStream::Seek(int64_t NewPosition) {
    if (NewPosition < 0) {
        return false;
    }
    Pos = NewPosition;
    return true;
}

TFileStream::TFileStream(const std::string& FileName, TMode Mode) {
    File = std::fopen(FileName.c_str(), Mode == TMode::Read ? "rb" : "wb");
    if (File && Mode == TMode::Read) {
        ReadSize = MeasureSize();
    }
}

TFileStream::~TFileStream() { Close(); }

size_t TFileStream::Read(void* Buffer, size_t Count) {
    return File ? std::fread(Buffer, 1, Count, File) : 0;
}

size_t TFileStream::Write(const void* Buffer, size_t Count) {
    if (!File) {
        return 0;
    }
    const size_t n = std::fwrite(Buffer, 1, Count, File);
    if (n != Count) {
        WriteFailed = true;
    }
    return n;
}

bool TFileStream::Seek(int64_t NewPosition) {
    if (!File || NewPosition < 0 || NewPosition > std::numeric_limits<long>::max()) {
        return false;
    }
    return std::fseek(File, static_cast<long>(NewPosition), SEEK_SET) == 0;
}

int64_t TFileStream::Position() const { return File ? std::ftell(File) : 0; }

int64_t TFileStream::Size() const {
    if (!File) {
        return 0;
    }
    return ReadSize >= 0 ? ReadSize : MeasureSize();
}

int64_t TFileStream::MeasureSize() const {
    const long here = std::ftell(File);
    std::fseek(File, 0, SEEK_END);
    const long size = std::ftell(File);
    std::fseek(File, here, SEEK_SET);
    return size;
}

bool TFileStream::Close() {
    if (!File) {
        return !WriteFailed;
    }
    const bool ok = std::fclose(File) == 0 && !WriteFailed;
    File = nullptr;
    return ok;
}

namespace {
template <typename T> bool ReadRaw(TStream& S, T& Value) {
    T v;
    if (!S.ReadExact(&v, sizeof v)) {
        return false;
    }
    Value = v;
    return true;
}
template <typename T> bool WriteRaw(TStream& S, T Value) { return S.WriteExact(&Value, sizeof Value); }
} // namespace

bool ReadByte(TStream& S, uint8_t& Value) { return ReadRaw(S, Value); }
bool ReadWord(TStream& S, uint16_t& Value) { return ReadRaw(S, Value); }
bool ReadInt32(TStream& S, int32_t& Value) { return ReadRaw(S, Value); }
bool ReadUInt32(TStream& S, uint32_t& Value) { return ReadRaw(S, Value); }
bool ReadDouble(TStream& S, double& Value) { return ReadRaw(S, Value); }
bool ReadFloat(TStream& S, float& Value) { return ReadRaw(S, Value); }

bool ReadString(TStream& S, std::string& Value) {
    int32_t n = 0;
    if (!ReadInt32(S, n) || n < 0 || n > S.Remaining()) {
        return false;
    }
    std::string text(static_cast<size_t>(n), '\0');
    if (n > 0 && !S.ReadExact(text.data(), text.size())) {
        return false;
    }
    Value = std::move(text);
    return true;
}

bool WriteByte(TStream& S, uint8_t Value) { return WriteRaw(S, Value); }
bool WriteWord(TStream& S, uint16_t Value) { return WriteRaw(S, Value); }
bool WriteInt32(TStream& S, int32_t Value) { return WriteRaw(S, Value); }
bool WriteUInt32(TStream& S, uint32_t Value) { return WriteRaw(S, Value); }
bool WriteDouble(TStream& S, double Value) { return WriteRaw(S, Value); }
bool WriteFloat(TStream& S, float Value) { return WriteRaw(S, Value); }

bool WriteString(TStream& S, const std::string& Value) {
    return WriteInt32(S, static_cast<int32_t>(Value.size())) && S.WriteExact(Value.data(), Value.size());
}
