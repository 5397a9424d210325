// SPDX-License-Identifier: MIT
#include "engine/ImageRecord.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

int32_t FieldAt(const std::vector<uint8_t>& Record, size_t Offset) {
    uint32_t Value = 0;
    for (size_t i = 0; i < 4; ++i) {
        Value |= static_cast<uint32_t>(Record.at(Offset + i)) << (8 * i);
    }
    return static_cast<int32_t>(Value);
}

// Pattern i filled with the value 0xFF000000 + i.
TImageRecordSource NumberedPatterns(TPoint Size, int32_t Count) {
    TImageRecordSource S;
    S.PatternSize = Size;
    for (int32_t i = 0; i < Count; ++i) {
        S.Patterns.emplace_back(static_cast<size_t>(Size.X) * Size.Y, 0xFF000000u + i);
    }
    return S;
}

TEST(ImageRecord, LaysPatternsOutInTheGridAcrossTextures) {
    TImageRecordSource S = NumberedPatterns({2, 2}, 5);
    S.TextureSize = {4, 4};
    S.VisibleSize = {1, 0};
    const std::vector<uint8_t> R = WriteImageRecord(S);
    ASSERT_EQ(R.size(), 33u + 2 * 4 * 4 * 4);
    EXPECT_EQ(R[0], pfA8R8G8B8);
    const int32_t Expected[] = {2, 2, 1, 2, 5, 4, 4, 2};
    for (size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(FieldAt(R, 1 + 4 * i), Expected[i]) << "field " << i;
    }
    // Four cells per texture, row by row; the unused cells of the last texture stay 0.
    auto PixelAt = [&](int32_t Texture, int32_t X, int32_t Y) {
        return static_cast<uint32_t>(FieldAt(R, 33 + 4 * (Texture * 16 + Y * 4 + X)));
    };
    EXPECT_EQ(PixelAt(0, 0, 0), 0xFF000000u);
    EXPECT_EQ(PixelAt(0, 3, 1), 0xFF000001u);
    EXPECT_EQ(PixelAt(0, 1, 2), 0xFF000002u);
    EXPECT_EQ(PixelAt(0, 2, 3), 0xFF000003u);
    EXPECT_EQ(PixelAt(1, 1, 1), 0xFF000004u);
    EXPECT_EQ(PixelAt(1, 2, 0), 0u);
}

TEST(ImageRecord, EncodesRowsInTheRequestedFormat) {
    TImageRecordSource S = NumberedPatterns({1, 1}, 1);
    S.Patterns[0][0] = 0xF0E0D0C0;
    S.Format = pfA4R4G4B4;
    S.PatternCount = 3;
    const std::vector<uint8_t> R = WriteImageRecord(S);
    ASSERT_EQ(R.size(), 33u + 2);
    EXPECT_EQ(R[0], pfA4R4G4B4);
    EXPECT_EQ(FieldAt(R, 17), 3);
    EXPECT_EQ(R[33], 0xDC);
    EXPECT_EQ(R[34], 0xFE);
}

TEST(ImageRecord, RefusesSourcesItCannotWrite) {
    const TImageRecordSource Good = NumberedPatterns({4, 4}, 1);
    ASSERT_FALSE(WriteImageRecord(Good).empty());
    auto Broken = [&](auto Change) {
        TImageRecordSource S = Good;
        Change(S);
        return WriteImageRecord(S).empty();
    };
    EXPECT_TRUE(Broken([](TImageRecordSource& S) { S.Patterns.clear(); }));
    EXPECT_TRUE(Broken([](TImageRecordSource& S) { S.PatternSize = {0, 4}; }));
    EXPECT_TRUE(Broken([](TImageRecordSource& S) { S.TextureSize = {2, 8}; }));
    EXPECT_TRUE(Broken([](TImageRecordSource& S) { S.VisibleSize = {5, 4}; }));
    EXPECT_TRUE(Broken([](TImageRecordSource& S) { S.Format = pfUnknown; }));
}

struct TSizeCase {
    TPoint Pattern;
    int32_t Count;
    TPoint Texture;
};

TEST(ImageRecord, ChoosesPowerOfTwoTexturesWithFewSheets) {
    const TSizeCase Cases[] = {
        {{44, 44}, 1, {64, 64}},
        {{44, 44}, 2, {128, 64}},
        {{800, 600}, 1, {1024, 1024}},
        {{64, 64}, 100, {1024, 512}},
        {{1, 1}, 1, {1, 1}},
        // Too many to fit on one 2048 sheet: several full sheets.
        {{512, 512}, 40, {2048, 2048}},
        // A pattern above 2048 still gets a texture that holds it.
        {{3000, 10}, 1, {4096, 16}},
    };
    for (const TSizeCase& C : Cases) {
        const TPoint T = ChooseTextureSize(C.Pattern, C.Count);
        EXPECT_EQ(T, C.Texture) << C.Pattern.X << "x" << C.Pattern.Y << " * " << C.Count;
    }
}

} // namespace
