// SPDX-License-Identifier: MIT
#include "archive/Archive.h"
#include "archive/Stream.h"
#include "content/Manifest.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The header fields of an image record that the game's code depends on.
struct TImageHeader {
    int32_t PatternWidth = 0;
    int32_t PatternHeight = 0;
    int32_t VisibleWidth = 0;
    int32_t VisibleHeight = 0;
    int32_t PatternCount = 0;
};

int32_t Int32At(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<int32_t>(b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (uint32_t(b[at + 3]) << 24));
}

// Reads the image record Key from the game folder's archive; false when absent or not an image.
bool ReadImageHeader(const char* ArchivePath, const std::string& Key, TImageHeader& Header) {
    TArchive archive;
    archive.SetFileName((fs::path(ZIBO_GAME_DIR) / ArchivePath).string());
    archive.SetOpenMode(opReadOnly);
    if (!archive.Open()) {
        return false;
    }
    const int32_t index = archive.IndexOf(Key);
    if (index < 0 || archive.RecordTypeOf(index) != RecordTypeImage) {
        return false;
    }
    TMemoryStream stream;
    if (!archive.ReadRecord(Key, stream) || stream.Bytes().size() < 33) {
        return false;
    }
    const std::vector<uint8_t>& b = stream.Bytes();
    Header = {Int32At(b, 1), Int32At(b, 5), Int32At(b, 9), Int32At(b, 13), Int32At(b, 17)};
    return true;
}

struct TExpectedImage {
    std::string Name;
    int Patterns;
    // 0: any size.
    int Width;
    int Height;
};

std::vector<TExpectedImage> ExpectedArt() {
    std::vector<TExpectedImage> list;
    for (const char* piece :
         {"AquaPentagon", "FuchsiaCircle", "YellowHexagon", "RedCircle", "GreenCircle", "SkyBlueRhomb",
          "LiteMaroonHexagon", "ClaretSquare", "LimeHexagon", "OliveRhomb", "BlueHexagon", "OrangeTriangle",
          "PurplePentagon", "SandCircle", "TealTriangle", "YellowSquare"}) {
        // Pieces fill their 44 x 44 cell exactly.
        list.push_back({std::string(piece) + ".piece", 8, 44, 44});
    }
    for (const char* bonus :
         {"clock", "money", "dinamit", "star", "flash", "energy_ball", "x2", "rainbow", "mix"}) {
        list.push_back({std::string(bonus) + ".bonus", 8, 0, 0});
    }
    for (int machine = 1; machine <= 4; ++machine) {
        for (int part = 1; part <= 4; ++part) {
            list.push_back({std::to_string(machine) + "_" + std::to_string(part) + ".LevelTarget", 8, 0, 0});
        }
    }
    for (int index = 0; index <= 16; ++index) {
        list.push_back({std::to_string(index) + "_el", 1, 0, 0});
    }
    const TExpectedImage scene[] = {
        {"podlogki", 4, 0, 0},
        // Drawn over the selected piece's cell.
        {"selection", 1, 44, 44},
        // Drawn over the keyboard's cell.
        {"boardcursor", 1, 44, 44},
        // The frame reaches from (202, 120) past the last cell at 574 on both sides.
        {"board", 1, 392, 0},
        {"backgame", 1, 800, 319},
        {"UpPanel", 1, 0, 0},
        {"DownPanel", 1, 0, 0},
        {"progressbar", 1, 0, 0},
        {"Cosmos", 1, 0, 0},
        {"cursor", 2, 0, 0},
        {"logo", 1, 0, 0},
        {"back", 1, 800, 600},
        {"title", 1, 0, 0},
        {"endgame", 1, 800, 600},
        {"particles", 0, 0, 0},
    };
    list.insert(list.end(), std::begin(scene), std::end(scene));
    return list;
}

// Every picture the game's code looks up by name is in the generated archives, with the
// pattern count it animates and the size its placement assumes.
TEST(ArtImages, GeneratedArchivesHoldEveryNameWithItsPatterns) {
    for (const TExpectedImage& e : ExpectedArt()) {
        TImageHeader header;
        const bool found = ReadImageHeader("Data/data.fgg", e.Name, header) ||
                           ReadImageHeader("Data/gdata.fgg", e.Name, header);
        ASSERT_TRUE(found) << e.Name;
        if (e.Patterns > 0) {
            EXPECT_EQ(header.PatternCount, e.Patterns) << e.Name;
        } else {
            EXPECT_GE(header.PatternCount, 3) << e.Name;
        }
        if (e.Width > 0) {
            EXPECT_EQ(header.VisibleWidth, e.Width) << e.Name;
        }
        if (e.Height > 0) {
            EXPECT_EQ(header.VisibleHeight, e.Height) << e.Name;
        }
    }
}

// The turning space background is drawn about (410, 180), stretched 1.1 vertically: at
// every angle it must still reach the window's farthest corner, (0, 600).
TEST(ArtImages, SpaceCoversTheWindowAtEveryAngle) {
    TImageHeader header;
    ASSERT_TRUE(ReadImageHeader("Data/data.fgg", "Cosmos", header));
    const double farthest = std::hypot(410.0, 600.0 - 180.0);
    EXPECT_GE(std::min(header.VisibleWidth, header.VisibleHeight) / 2.0, farthest);
}

std::vector<char> FileBytes(const fs::path& Path) {
    std::ifstream in(Path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The generator makes the same bytes on every run: a fresh run matches the build's output.
TEST(ContentGenerator, OutputIsByteIdenticalAcrossRuns) {
    const fs::path fresh = fs::temp_directory_path() / ("zibo-content-" + std::to_string(::getpid()));
    fs::remove_all(fresh);
    const std::string command = std::string("\"") + ZIBO_CONTENT_GEN + "\" \"" + fresh.string() +
                                "\" --catalogues \"" + ZIBO_GAME_DIR + "/locale\"";
    ASSERT_EQ(std::system(command.c_str()), 0);
    int compared = 0;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(fresh)) {
        if (!entry.is_regular_file()) {
            continue;
        }
        const fs::path relative = fs::relative(entry.path(), fresh);
        const fs::path built = fs::path(ZIBO_GAME_DIR) / relative;
        ASSERT_TRUE(fs::exists(built)) << relative;
        EXPECT_TRUE(FileBytes(entry.path()) == FileBytes(built)) << relative << " differs";
        ++compared;
    }
    fs::remove_all(fresh);
    EXPECT_GE(compared, 3);
}

} // namespace
