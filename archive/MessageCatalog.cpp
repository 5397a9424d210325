// SPDX-License-Identifier: MIT
#include "archive/MessageCatalog.h"

#include <fstream>

namespace {

constexpr uint32_t MagicLittle = 0x950412DEu;
constexpr uint32_t MagicBig = 0xDE120495u;
constexpr size_t HeaderSize = 28;
constexpr size_t DescriptorSize = 8;

class TReader {
public:
    TReader(std::string_view Bytes, bool BigEndian) : Bytes_(Bytes), Big(BigEndian) {}

    // The 32-bit word at Offset, or nothing past the end.
    [[nodiscard]] std::optional<uint32_t> Word(uint64_t Offset) const {
        if (Offset > Bytes_.size() || Bytes_.size() - Offset < 4) {
            return std::nullopt;
        }
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            const auto b = static_cast<uint8_t>(Bytes_[Offset + static_cast<uint64_t>(Big ? i : 3 - i)]);
            value = (value << 8) | b;
        }
        return value;
    }

    // The string a descriptor (length, offset) at Offset names, or nothing when it lies
    // outside the file.
    [[nodiscard]] std::optional<std::string_view> Text(uint64_t Offset) const {
        const auto length = Word(Offset);
        const auto start = Word(Offset + 4);
        if (!length || !start || *start > Bytes_.size() || Bytes_.size() - *start < *length) {
            return std::nullopt;
        }
        return Bytes_.substr(*start, *length);
    }

private:
    std::string_view Bytes_;
    bool Big;
};

// The first form of a plural entry (forms are separated by NUL bytes).
std::string_view FirstForm(std::string_view Text) {
    return Text.substr(0, Text.find('\0'));
}

} // namespace

std::optional<TMessageCatalog> TMessageCatalog::Parse(std::string_view Bytes, std::string& Error) {
    if (Bytes.size() < HeaderSize) {
        Error = "shorter than a catalogue header";
        return std::nullopt;
    }
    const auto magic = TReader(Bytes, false).Word(0);
    if (magic != MagicLittle && magic != MagicBig) {
        Error = "not a compiled message catalogue";
        return std::nullopt;
    }
    const TReader reader(Bytes, magic == MagicBig);
    if ((*reader.Word(4) >> 16) != 0) {
        Error = "unknown catalogue revision";
        return std::nullopt;
    }
    const uint64_t count = *reader.Word(8);
    const uint64_t originals = *reader.Word(12);
    const uint64_t translations = *reader.Word(16);
    // Both tables must lie inside the file before the count is trusted for anything.
    for (const uint64_t table : {originals, translations}) {
        if (table > Bytes.size() || (Bytes.size() - table) / DescriptorSize < count) {
            Error = "string table outside the file";
            return std::nullopt;
        }
    }
    TMessageCatalog catalog;
    for (uint64_t i = 0; i < count; ++i) {
        const auto original = reader.Text(originals + i * DescriptorSize);
        const auto translation = reader.Text(translations + i * DescriptorSize);
        if (!original || !translation) {
            Error = "entry " + std::to_string(i) + " points outside the file";
            return std::nullopt;
        }
        const std::string_view key = FirstForm(*original);
        const std::string_view value = FirstForm(*translation);
        if (!key.empty() && !value.empty()) {
            catalog.Entries.emplace(std::string(key), std::string(value));
        }
    }
    return catalog;
}

std::optional<TMessageCatalog> TMessageCatalog::Load(const std::string& Path, std::string& Error) {
    std::ifstream file(Path, std::ios::binary);
    if (!file) {
        Error = "cannot be opened";
        return std::nullopt;
    }
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg();
    if (size < 0 || static_cast<uint64_t>(size) > MaxFileSize) {
        Error = size < 0 ? "cannot be read" : "larger than " + std::to_string(MaxFileSize) + " bytes";
        return std::nullopt;
    }
    std::string bytes(static_cast<size_t>(size), '\0');
    file.seekg(0);
    if (!file.read(bytes.data(), size)) {
        Error = "cannot be read";
        return std::nullopt;
    }
    return Parse(bytes, Error);
}

const std::string* TMessageCatalog::Find(std::string_view Original) const {
    const auto found = Entries.find(Original);
    return found != Entries.end() ? &found->second : nullptr;
}
