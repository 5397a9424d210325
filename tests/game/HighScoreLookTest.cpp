// SPDX-License-Identifier: MIT
#include "GameRun.h"
#include "LookRun.h"
#include "Shot.h"
#include "screens/Settings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {
// The high-score form's rows: 23 pixels apart from y = 283; the name column spans x 408..638.
constexpr int kFirstRowTop = 283;
constexpr int kRowPitch = 23;
constexpr int kNameLeft = 408;
constexpr int kNameRight = 638;
// The hard table holds five scores above 0 and five of 0, so a game that ends with 0 points
// enters at the sixth row.
constexpr int kEnteredRow = 5;

void WriteHalfFullHardTable(const fs::path& Folder) {
    TSettings settings;
    ResetHighScores(settings);
    AddProfile(settings, "Tester");
    for (size_t row = 0; row < settings.HighScores[2].size(); ++row) {
        settings.HighScores[2][row].Name = "Nobody";
        settings.HighScores[2][row].Score = row < kEnteredRow ? std::to_string(5000 - 1000 * row) : "0";
    }
    SaveConfig((Folder / "Config.cfg").string(), settings);
    fs::remove(Folder / "wdata" / "config.ini");
}

// The mean red, green and blue of a row's name cell, away from its text's edges.
struct TMean {
    double R = 0, G = 0, B = 0;
};
TMean RowMean(const TShot& Shot, int Row, int Left = kNameLeft, int Right = kNameRight) {
    TMean m;
    int n = 0;
    const int top = kFirstRowTop + kRowPitch * Row;
    for (int y = top + 1; y < top + 21; ++y) {
        for (int x = Left + 2; x < Right - 2; ++x) {
            const uint32_t p = Shot.At(x, y);
            m.R += (p >> 16) & 255;
            m.G += (p >> 8) & 255;
            m.B += p & 255;
            ++n;
        }
    }
    m.R /= n;
    m.G /= n;
    m.B /= n;
    return m;
}

// A hard game whose clock runs out without a move, the score not sent: the table comes up with
// the new row; then the medium table, the hard one again and the easy one.
class HighScoreLook : public TLookRun<HighScoreLook> {
protected:
    static void SetUpTestSuite() {
        WriteHalfFullHardTable(Start().Folder());
        std::vector<std::string> c = {"frames 390",  "click 600 295", "frames 5",    "click 600 376", "frames 100",
                                      "key 27",      "frames 200",    "click 502 504", "frames 2000", "key 13",
                                      "frames 5",    "type Россия",   "frames 2",    "key 13",        "frames 5",
                                      "click 415 366", "frames 30",   "dump",        "screenshot entered.png",
                                      "click 555 229", "frames 3",    "screenshot medium.png",
                                      "click 687 229", "frames 3",    "screenshot hard.png",
                                      "click 423 229", "frames 3",    "screenshot easy.png"};
        Photograph(c);
        KeepInGallery(*Run, {"entered.png", "medium.png", "hard.png", "easy.png"}, "highscore-");
    }
};
} // namespace

// The row just entered glows warm behind its text, every other row keeps the dark well; the
// glow follows the hard table, so the medium and easy tables show none.
TEST_F(HighScoreLook, TheRowJustEnteredIsHighlighted) {
    ASSERT_EQ(Run->LastDump()["state"], "8");
    const auto Warm = [](const TMean& M) { return M.R > 90 && M.R > M.B + 40; };
    for (const char* name : {"entered.png", "hard.png"}) {
        const TShot shot = Shot(name);
        for (int row = 0; row < 10; ++row) {
            EXPECT_EQ(Warm(RowMean(shot, row)), row == kEnteredRow) << name << " row " << row + 1;
        }
    }
    for (const char* name : {"medium.png", "easy.png"}) {
        const TShot shot = Shot(name);
        for (int row = 0; row < 10; ++row) {
            EXPECT_FALSE(Warm(RowMean(shot, row))) << name << " row " << row + 1;
        }
    }
}

// The three tables' header rows differ clearly from each other, and none is the pale flat
// colour that stood out of the dark panel: each is a deep colour under light text.
TEST_F(HighScoreLook, HeaderRowsAreThreeDeepColours) {
    std::vector<TMean> heads;
    for (const char* name : {"easy.png", "medium.png", "hard.png"}) {
        const TShot shot = Shot(name);
        // The name heading's cell right of its word "Имя".
        TMean m;
        int n = 0;
        for (int y = 256; y < 276; ++y) {
            for (int x = 480; x < 630; ++x) {
                const uint32_t p = shot.At(x, y);
                m.R += (p >> 16) & 255;
                m.G += (p >> 8) & 255;
                m.B += p & 255;
                ++n;
            }
        }
        heads.push_back({m.R / n, m.G / n, m.B / n});
        EXPECT_LT(m.R / n + m.G / n + m.B / n, 480) << name << ": a deep colour, not a pale one";
    }
    for (size_t a = 0; a < heads.size(); ++a) {
        for (size_t b = a + 1; b < heads.size(); ++b) {
            const double distance = std::abs(heads[a].R - heads[b].R) + std::abs(heads[a].G - heads[b].G) +
                                    std::abs(heads[a].B - heads[b].B);
            EXPECT_GT(distance, 120) << "tables " << a << " and " << b;
        }
    }
}
