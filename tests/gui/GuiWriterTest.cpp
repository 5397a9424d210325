// SPDX-License-Identifier: MIT
#include "gui/GuiWriter.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

std::vector<uint8_t> Le32(uint32_t v) {
    return {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
}

std::vector<uint8_t> Str(const std::string& s) {
    std::vector<uint8_t> out = Le32(static_cast<uint32_t>(s.size()));
    out.insert(out.end(), s.begin(), s.end());
    return out;
}

void Append(std::vector<uint8_t>& out, const std::vector<uint8_t>& part) {
    out.insert(out.end(), part.begin(), part.end());
}

TEST(GuiWriter, WritesTheStreamLayoutByteForByte) {
    TGuiWriter writer;
    TGuiWriterControl& form = writer.Add("TGuiForm");
    form.SetInt("Left", -2).SetFill("Bkgrnd", TGuiFill(1, 2, 3, 4, false));
    form.Add("TGuiLabel");
    std::vector<uint8_t> expected = Le32(1);
    Append(expected, Str("TGuiForm"));
    Append(expected, Le32(2));
    Append(expected, Str("Left"));
    expected.push_back(0);
    Append(expected, Str("-2"));
    Append(expected, Str("Bkgrnd"));
    expected.push_back(4);
    for (uint32_t c : {1u, 2u, 3u, 4u}) {
        Append(expected, Le32(c));
    }
    expected.push_back(0);
    Append(expected, Le32(1));
    Append(expected, Str("TGuiLabel"));
    Append(expected, Le32(0));
    Append(expected, Le32(0));
    EXPECT_EQ(writer.Bytes(), expected);
}

TEST(GuiWriter, FontRecordsAre29BytesAndFilesAreSaved) {
    TGuiWriter writer;
    writer.Add("TGuiButton").SetFont("Font", TGuiFont());
    // count, class name, property count, name, kind, 29-byte record, child count
    EXPECT_EQ(writer.Bytes().size(), 4u + (4 + 10) + 4 + (4 + 4) + 1 + 29 + 4);
    const std::string file = testing::TempDir() + "gui_writer_test.fgg";
    ASSERT_TRUE(writer.SaveToFile(file));
    std::FILE* f = std::fopen(file.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    std::fseek(f, 0, SEEK_END);
    EXPECT_EQ(std::ftell(f), static_cast<long>(writer.Bytes().size()));
    std::fclose(f);
    std::remove(file.c_str());
    EXPECT_FALSE(writer.SaveToFile("/no/such/folder/gfx.fgg"));
}

} // namespace
