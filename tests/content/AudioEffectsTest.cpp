// SPDX-License-Identifier: MIT
#include "content/audio/SoundEffects.h"
#include "content/audio/WavWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The game opens its effects by these names, in this slot order.
const char* const GameEffectNames[] = {"check",        "lineready",     "startlevel",
                                       "gameover",     "stagecomplete", "layerexplode",
                                       "exchangefail", "timeending",    "bonustaken"};

uint32_t U32At(const std::vector<uint8_t>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (uint32_t(b[at + 3]) << 24);
}
uint16_t U16At(const std::vector<uint8_t>& b, std::size_t at) {
    return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}

struct TWav {
    uint16_t Format = 0;
    uint16_t Channels = 0;
    uint32_t Rate = 0;
    uint16_t Bits = 0;
    std::vector<int16_t> Samples;
};

// A checked reader of RIFF/WAVE: walks the chunks, never reading past the file's end.
bool ParseWav(const std::vector<uint8_t>& b, TWav& Wav) {
    if (b.size() < 12 || std::string(b.begin(), b.begin() + 4) != "RIFF" ||
        std::string(b.begin() + 8, b.begin() + 12) != "WAVE" || U32At(b, 4) != b.size() - 8) {
        return false;
    }
    bool haveFormat = false;
    bool haveData = false;
    std::size_t at = 12;
    while (at + 8 <= b.size()) {
        const std::string id(b.begin() + static_cast<long>(at), b.begin() + static_cast<long>(at) + 4);
        const uint32_t size = U32At(b, at + 4);
        if (size > b.size() - at - 8) {
            return false;
        }
        const std::size_t body = at + 8;
        if (id == "fmt " && size >= 16) {
            Wav.Format = U16At(b, body);
            Wav.Channels = U16At(b, body + 2);
            Wav.Rate = U32At(b, body + 4);
            Wav.Bits = U16At(b, body + 14);
            haveFormat = true;
        } else if (id == "data") {
            for (std::size_t i = 0; i + 1 < size; i += 2) {
                Wav.Samples.push_back(static_cast<int16_t>(U16At(b, body + i)));
            }
            haveData = true;
        }
        at = body + size + (size & 1);
    }
    return haveFormat && haveData;
}

std::vector<uint8_t> ReadFile(const fs::path& Path) {
    std::ifstream in(Path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(AudioEffects, TheGameNamesEveryEffectInSlotOrder) {
    const auto effects = SoundEffects();
    ASSERT_EQ(effects.size(), std::size(GameEffectNames));
    for (std::size_t i = 0; i < effects.size(); ++i) {
        EXPECT_STREQ(effects[i].Name, GameEffectNames[i]);
    }
    EXPECT_TRUE(MakeSoundEffect("missing").empty());
}

// Every effect file is 16-bit mono PCM, of a length that fits its moment, peaks near -3 dBFS
// without clipping, and starts and ends near silence so it never clicks.
TEST(AudioEffects, EveryFileIsCleanShortMonoPcm) {
    for (const char* name : GameEffectNames) {
        SCOPED_TRACE(name);
        TWav wav;
        ASSERT_TRUE(
            ParseWav(ReadFile(fs::path(ZIBO_GAME_DIR) / "Sounds" / (std::string(name) + ".wav")), wav));
        EXPECT_EQ(wav.Format, 1);
        EXPECT_EQ(wav.Channels, 1);
        EXPECT_EQ(wav.Bits, 16);
        EXPECT_TRUE(wav.Rate == 44100 || wav.Rate == 22050) << wav.Rate;
        ASSERT_FALSE(wav.Samples.empty());
        const double seconds = static_cast<double>(wav.Samples.size()) / wav.Rate;
        EXPECT_GE(seconds, 0.05);
        EXPECT_LE(seconds, 2.5);

        int peak = 0;
        int clippedRun = 0;
        int longestClippedRun = 0;
        for (const int16_t sample : wav.Samples) {
            const int magnitude = std::abs(static_cast<int>(sample));
            peak = std::max(peak, magnitude);
            clippedRun = magnitude >= 32767 ? clippedRun + 1 : 0;
            longestClippedRun = std::max(longestClippedRun, clippedRun);
        }
        EXPECT_EQ(longestClippedRun, 0);
        const double peakDb = 20.0 * std::log10(peak / 32768.0);
        EXPECT_NEAR(peakDb, -3.0, 1.0);
        EXPECT_LT(std::abs(wav.Samples.front()), 330);
        EXPECT_LT(std::abs(wav.Samples.back()), 330);
    }
}

TEST(AudioEffects, SynthesisIsRepeatable) {
    for (const TSoundEffect& effect : SoundEffects()) {
        EXPECT_EQ(effect.Make(), effect.Make()) << effect.Name;
    }
}

// Zero crossings a second over a stretch of the signal: a rough pitch.
double CrossingRate(const TSignal& Signal, std::size_t From, std::size_t To) {
    int crossings = 0;
    for (std::size_t i = From + 1; i < To; ++i) {
        crossings += (Signal[i - 1] < 0.0f) != (Signal[i] < 0.0f) ? 1 : 0;
    }
    return crossings / 2.0 / (static_cast<double>(To - From) / AudioRate);
}

// Each effect fits its moment: clicks and ticks are short, the end-of-stage phrases are long,
// chimes and fanfares climb, the sad phrase and the failed swap fall.
TEST(AudioEffects, ShapesFitTheirMoments) {
    enum TContour { Rises, Falls, Any };
    const struct {
        const char* Name;
        double MinSeconds;
        double MaxSeconds;
        TContour Contour;
    } cases[] = {
        {"check", 0.03, 0.1, Any},       {"timeending", 0.03, 0.1, Any},
        {"lineready", 0.3, 1.0, Rises},  {"bonustaken", 0.5, 1.5, Rises},
        {"startlevel", 0.6, 1.5, Rises}, {"stagecomplete", 1.0, 2.5, Rises},
        {"gameover", 1.0, 2.5, Falls},   {"exchangefail", 0.1, 0.5, Falls},
        {"layerexplode", 0.2, 0.8, Any},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const TSignal signal = MakeSoundEffect(c.Name);
        const double seconds = static_cast<double>(signal.size()) / AudioRate;
        EXPECT_GE(seconds, c.MinSeconds);
        EXPECT_LE(seconds, c.MaxSeconds);
        const std::size_t quarter = signal.size() / 4;
        const double first = CrossingRate(signal, 0, quarter);
        const double last = CrossingRate(signal, 3 * quarter, signal.size());
        if (c.Contour == Rises) {
            EXPECT_GT(last, first * 1.1);
        } else if (c.Contour == Falls) {
            EXPECT_LT(last, first * 0.95);
        }
    }
}

TEST(AudioEffects, WavHeaderDescribesTheSamples) {
    const std::vector<int16_t> samples = {0, 1000, -1000, 32767, -32768};
    const std::vector<uint8_t> bytes = EncodeWav(samples, 22050);
    ASSERT_EQ(bytes.size(), 44u + 2 * samples.size());
    TWav wav;
    ASSERT_TRUE(ParseWav(bytes, wav));
    EXPECT_EQ(wav.Rate, 22050u);
    EXPECT_EQ(U32At(bytes, 28), 44100u);
    EXPECT_EQ(wav.Samples, samples);
}

} // namespace
