// SPDX-License-Identifier: MIT
#include "archive/MessageCatalog.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace {

using TPairs = std::vector<std::pair<std::string, std::string>>;

void PutWord(std::string& Out, size_t At, uint32_t Value, bool Big) {
    for (int i = 0; i < 4; ++i) {
        const int shift = Big ? 24 - 8 * i : 8 * i;
        Out[At + static_cast<size_t>(i)] = static_cast<char>((Value >> shift) & 0xFF);
    }
}

// A compiled catalogue as msgfmt lays it out: header, the two descriptor tables, then the
// NUL-terminated strings.
std::string Catalogue(const TPairs& Pairs, bool Big = false) {
    const auto count = static_cast<uint32_t>(Pairs.size());
    const uint32_t originals = 28;
    const uint32_t translations = originals + 8 * count;
    std::string out(translations + 8 * count, '\0');
    PutWord(out, 0, 0x950412DEu, Big);
    PutWord(out, 8, count, Big);
    PutWord(out, 12, originals, Big);
    PutWord(out, 16, translations, Big);
    for (uint32_t i = 0; i < count; ++i) {
        for (const bool original : {true, false}) {
            const std::string& text = original ? Pairs[i].first : Pairs[i].second;
            const uint32_t table = original ? originals : translations;
            PutWord(out, table + 8 * i, static_cast<uint32_t>(text.size()), Big);
            PutWord(out, table + 8 * i + 4, static_cast<uint32_t>(out.size()), Big);
            out += text;
            out += '\0';
        }
    }
    return out;
}

const TPairs kPairs = {
    {"", "Content-Type: text/plain; charset=UTF-8\n"},
    {"Новая игра", "New game"},
    {"Да", "Yes"},
    {"Нет", ""},                                 // not translated yet
    {std::string("камень\0камня", 23), std::string("gem\0gems", 8)}, // a plural entry
};

TEST(MessageCatalog, FindsTheTranslationsInEitherByteOrder) {
    for (const bool big : {false, true}) {
        std::string error;
        const auto catalog = TMessageCatalog::Parse(Catalogue(kPairs, big), error);
        ASSERT_TRUE(catalog.has_value()) << error;
        ASSERT_NE(catalog->Find("Новая игра"), nullptr);
        EXPECT_EQ(*catalog->Find("Новая игра"), "New game");
        EXPECT_EQ(*catalog->Find("Да"), "Yes");
        EXPECT_EQ(catalog->Find("Нет"), nullptr) << "an empty translation falls back to the original";
        EXPECT_EQ(catalog->Find(""), nullptr) << "the header is no text";
        ASSERT_NE(catalog->Find("камень"), nullptr);
        EXPECT_EQ(*catalog->Find("камень"), "gem");
        EXPECT_EQ(catalog->Size(), 3u);
    }
}

// Every damaged file is refused with a reason; none is read outside its bytes (the sanitizers
// watch).
TEST(MessageCatalog, RefusesDamagedFiles) {
    const std::string good = Catalogue(kPairs);
    const auto with = [&good](size_t At, uint32_t Value) {
        std::string bytes = good;
        PutWord(bytes, At, Value, false);
        return bytes;
    };
    const struct {
        const char* What;
        std::string Bytes;
        const char* Error;
    } cases[] = {
        {"empty", "", "shorter than a catalogue header"},
        {"cut in the header", good.substr(0, 27), "shorter than a catalogue header"},
        {"wrong magic", with(0, 0x12345678u), "not a compiled message catalogue"},
        {"newer major revision", with(4, 0x00010000u), "unknown catalogue revision"},
        {"count past the file", with(8, 0xFFFFFFFFu), "string table outside the file"},
        {"table past the file", with(12, 0xFFFFFFF0u), "string table outside the file"},
        {"translations table cut", with(16, static_cast<uint32_t>(good.size() - 8)), "string table outside the file"},
        {"length past the end", with(28 + 8, 0xFFFFFFFFu), "entry 1 points outside the file"},
        {"offset past the end", with(28 + 8 + 4, static_cast<uint32_t>(good.size() + 1)),
         "entry 1 points outside the file"},
        {"offset and length wrap", with(28 + 8 + 4, 0xFFFFFFFFu), "entry 1 points outside the file"},
        {"strings cut off", good.substr(0, good.size() - 12), "entry 4 points outside the file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        std::string error;
        EXPECT_FALSE(TMessageCatalog::Parse(c.Bytes, error).has_value());
        EXPECT_EQ(error, c.Error);
    }
}

// Every prefix of a valid file and every single flipped byte of its header and tables gives
// a catalogue or an error, never a crash.
TEST(MessageCatalog, SurvivesEveryCutAndFlippedByte) {
    const std::string good = Catalogue(kPairs);
    for (size_t n = 0; n <= good.size(); ++n) {
        std::string error;
        (void)TMessageCatalog::Parse(good.substr(0, n), error);
    }
    for (size_t i = 0; i < 28 + 16 * kPairs.size(); ++i) {
        for (const char flip : {'\x01', '\x80', '\xFF'}) {
            std::string bytes = good;
            bytes[i] = static_cast<char>(bytes[i] ^ flip);
            std::string error;
            (void)TMessageCatalog::Parse(bytes, error);
        }
    }
}

// The build's own catalogue, written by msgfmt, reads back.
TEST(MessageCatalog, ReadsTheBuildsEnglishCatalogue) {
    std::string error;
    const auto catalog =
        TMessageCatalog::Load(std::string(ZIBO_GAME_DIR) + "/locale/en/LC_MESSAGES/zibo.mo", error);
    ASSERT_TRUE(catalog.has_value()) << error;
    ASSERT_NE(catalog->Find("Новая игра"), nullptr);
    EXPECT_EQ(*catalog->Find("Новая игра"), "New game");
    EXPECT_FALSE(TMessageCatalog::Load(std::string(ZIBO_GAME_DIR) + "/locale/none/zibo.mo", error).has_value());
    EXPECT_EQ(error, "cannot be opened");
}

} // namespace
