// SPDX-License-Identifier: MIT
#include "content/audio/Instruments.h"
#include "content/audio/Songs.h"
#include "content/audio/XmWriter.h"

#include <libopenmpt/libopenmpt.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int32_t RenderRate = 48000;

struct TModuleDeleter {
    void operator()(openmpt_module* Module) const { openmpt_module_destroy(Module); }
};
using TModulePtr = std::unique_ptr<openmpt_module, TModuleDeleter>;

TModulePtr Load(const std::vector<uint8_t>& Bytes) {
    return TModulePtr(openmpt_module_create_from_memory2(Bytes.data(), Bytes.size(), nullptr, nullptr,
                                                         nullptr, nullptr, nullptr, nullptr, nullptr));
}

std::vector<uint8_t> ReadFile(const fs::path& Path) {
    std::ifstream in(Path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

fs::path SongPath(const TSong& Song) {
    return fs::path(ZIBO_GAME_DIR) / "Sounds" / Song.File;
}

// Renders the whole song once through, mono.
std::vector<int16_t> RenderAll(openmpt_module* Module) {
    std::vector<int16_t> out;
    std::vector<int16_t> block(4096);
    for (;;) {
        const std::size_t count = openmpt_module_read_mono(Module, RenderRate, block.size(), block.data());
        if (count == 0) {
            break;
        }
        out.insert(out.end(), block.begin(), block.begin() + static_cast<long>(count));
    }
    return out;
}

double RmsDb(const std::vector<int16_t>& Samples, std::size_t From, std::size_t To) {
    double sum = 0.0;
    for (std::size_t i = From; i < To; ++i) {
        sum += (Samples[i] / 32768.0) * (Samples[i] / 32768.0);
    }
    return 10.0 * std::log10(std::max(1e-12, sum / static_cast<double>(To - From)));
}

// Each song plays at least 30 seconds before it loops, never clips, and sits at a steady
// listening level from its first seconds on.
TEST(AudioMusic, SongsLastAndRenderAtSensibleLevels) {
    for (const TSong& song : Songs()) {
        SCOPED_TRACE(song.File);
        const TModulePtr module = Load(ReadFile(SongPath(song)));
        ASSERT_NE(module, nullptr);
        EXPECT_GE(openmpt_module_get_duration_seconds(module.get()), 30.0);
        EXPECT_GE(openmpt_module_get_num_instruments(module.get()), 5);
        const std::vector<int16_t> samples = RenderAll(module.get());
        ASSERT_GT(samples.size(), static_cast<std::size_t>(30 * RenderRate));
        int peak = 0;
        for (const int16_t sample : samples) {
            peak = std::max(peak, std::abs(static_cast<int>(sample)));
        }
        EXPECT_LT(peak, 29000);
        const double rms = RmsDb(samples, 0, samples.size());
        EXPECT_GT(rms, -26.0);
        EXPECT_LT(rms, -12.0);
        EXPECT_GT(RmsDb(samples, 0, 5 * RenderRate), -35.0);
    }
}

// The files in the game folder are what the composer makes, so every run writes the same bytes.
TEST(AudioMusic, FilesMatchAFreshComposition) {
    for (const TSong& song : Songs()) {
        EXPECT_EQ(ReadFile(SongPath(song)), EncodeXm(song.Make())) << song.File;
    }
}

// Every pitched note stays in its song's key, and every order plays a pattern whose rows make
// whole bars, so the tune keeps its key and its beat through the loop.
TEST(AudioMusic, SongsKeepTheirKeyAndBars) {
    constexpr int major[] = {0, 2, 4, 5, 7, 9, 11};
    constexpr int minor[] = {0, 2, 3, 5, 7, 8, 10};
    const struct {
        TXmModule (*Make)();
        int Tonic;
        bool Minor;
    } cases[] = {{&MakeMenuSong, 5, false}, {&MakeGameSong, 0, false}, {&MakeScoreSong, 9, true}};
    // The band's pitched parts play on the first seven channels; drums follow.
    constexpr int pitchedChannels = 7;
    for (const auto& c : cases) {
        const TXmModule song = c.Make();
        SCOPED_TRACE(song.Name);
        int notes = 0;
        for (const TXmPattern& pattern : song.Patterns) {
            EXPECT_EQ(pattern.RowCount() % 16, 0);
            for (int row = 0; row < pattern.RowCount(); ++row) {
                for (int channel = 0; channel < pitchedChannels; ++channel) {
                    const int note = pattern.At(row, channel).Note;
                    if (note == 0 || note == XmNoteOff) {
                        continue;
                    }
                    ++notes;
                    const int pitchClass = ((note + 11 - c.Tonic) % 12 + 12) % 12;
                    const auto& scale = c.Minor ? minor : major;
                    EXPECT_NE(std::find(std::begin(scale), std::end(scale), pitchClass), std::end(scale))
                        << "row " << row << " channel " << channel << " note " << note;
                }
            }
        }
        EXPECT_GT(notes, 200);
        EXPECT_GT(song.RestartPosition, 0);
        EXPECT_LT(song.RestartPosition, static_cast<int>(song.Orders.size()));
    }
}

TXmModule OneNoteSong(TXmInstrument Instrument, uint8_t Note) {
    TXmModule song;
    song.Channels = 2;
    song.Patterns.emplace_back(64, song.Channels);
    song.Patterns[0].At(0, 0) = {.Note = Note, .Instrument = 1};
    song.Orders = {0};
    song.Instruments.push_back(std::move(Instrument));
    return song;
}

// The period in samples near Expected where the signal best matches itself.
double Period(const std::vector<int16_t>& Samples, double Expected) {
    const std::size_t from = RenderRate / 10;
    const std::size_t window = 8192;
    const auto lowest = static_cast<std::size_t>(Expected * 0.8);
    const auto highest = static_cast<std::size_t>(Expected * 1.25);
    std::vector<double> score(highest + 2, 0.0);
    std::size_t best = lowest;
    for (std::size_t lag = lowest - 1; lag <= highest + 1; ++lag) {
        for (std::size_t i = from; i < from + window; ++i) {
            score[lag] += static_cast<double>(Samples[i]) * Samples[i + lag];
        }
    }
    for (std::size_t lag = lowest; lag <= highest; ++lag) {
        if (score[lag] > score[best]) {
            best = lag;
        }
    }
    const double a = score[best - 1];
    const double b = score[best];
    const double c = score[best + 1];
    const double denominator = a - 2.0 * b + c;
    return static_cast<double>(best) + (denominator != 0.0 ? 0.5 * (a - c) / denominator : 0.0);
}

// Pitched instruments sound the note written: C-4 is middle C, and octaves double.
TEST(AudioMusic, InstrumentsPlayInTune) {
    const struct {
        const char* Name;
        TXmInstrument (*Make)();
        uint8_t Note;
        double Hz;
    } cases[] = {
        {"lead C-4", &MakeSquareLead, 49, 261.626}, {"lead C-5", &MakeSquareLead, 61, 523.251},
        {"bell A-4", &MakeBellLead, 58, 440.0},     {"pluck C-4", &MakePluck, 49, 261.626},
        {"pad C-4", &MakePad, 49, 261.626},         {"bass C-2", &MakeBass, 25, 65.406},
        {"bass G-2", &MakeBass, 32, 97.999},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const TModulePtr module = Load(EncodeXm(OneNoteSong(c.Make(), c.Note)));
        ASSERT_NE(module, nullptr);
        std::vector<int16_t> samples(RenderRate / 2);
        ASSERT_EQ(openmpt_module_read_mono(module.get(), RenderRate, samples.size(), samples.data()),
                  samples.size());
        const double hz = RenderRate / Period(samples, RenderRate / c.Hz);
        EXPECT_NEAR(hz / c.Hz, 1.0, 0.006) << hz;
    }
}

// Pattern cells come back as written: full cells, cells with only some fields, empty cells
// and note releases.
TEST(AudioMusic, PackedPatternCellsReadBack) {
    TXmModule song;
    song.Channels = 3;
    song.Patterns.emplace_back(4, song.Channels);
    TXmPattern& p = song.Patterns[0];
    p.At(0, 0) = {.Note = 49, .Instrument = 1, .Volume = XmSetVolume + 32, .Effect = 0x0C, .Parameter = 0x20};
    p.At(0, 1) = {.Note = 61};
    p.At(1, 0) = {.Instrument = 1, .Volume = XmSetVolume + 64};
    p.At(1, 1) = {.Note = XmNoteOff};
    p.At(3, 2) = {.Note = 37, .Instrument = 1, .Volume = XmSetVolume + 10};
    song.Orders = {0};
    song.Instruments.push_back(MakeBass());
    const TModulePtr module = Load(EncodeXm(song));
    ASSERT_NE(module, nullptr);
    const auto get = [&](int Row, int Channel, int Command) {
        return openmpt_module_get_pattern_row_channel_command(module.get(), 0, Row, Channel, Command);
    };
    EXPECT_EQ(openmpt_module_get_pattern_num_rows(module.get(), 0), 4);
    EXPECT_EQ(get(0, 1, OPENMPT_MODULE_COMMAND_NOTE) - get(0, 0, OPENMPT_MODULE_COMMAND_NOTE), 12);
    EXPECT_EQ(get(0, 0, OPENMPT_MODULE_COMMAND_NOTE) - get(3, 2, OPENMPT_MODULE_COMMAND_NOTE), 12);
    EXPECT_EQ(get(0, 0, OPENMPT_MODULE_COMMAND_INSTRUMENT), 1);
    EXPECT_EQ(get(0, 0, OPENMPT_MODULE_COMMAND_VOLUME), 32);
    EXPECT_EQ(get(0, 0, OPENMPT_MODULE_COMMAND_PARAMETER), 0x20);
    EXPECT_EQ(get(0, 1, OPENMPT_MODULE_COMMAND_INSTRUMENT), 0);
    EXPECT_EQ(get(1, 0, OPENMPT_MODULE_COMMAND_NOTE), 0);
    EXPECT_EQ(get(1, 0, OPENMPT_MODULE_COMMAND_VOLUME), 64);
    EXPECT_GT(get(1, 1, OPENMPT_MODULE_COMMAND_NOTE), 120);
    EXPECT_EQ(get(3, 2, OPENMPT_MODULE_COMMAND_VOLUME), 10);
    for (const int channel : {0, 1, 2}) {
        EXPECT_EQ(get(2, channel, OPENMPT_MODULE_COMMAND_NOTE), 0);
        EXPECT_EQ(get(2, channel, OPENMPT_MODULE_COMMAND_INSTRUMENT), 0);
    }
}

TEST(AudioMusic, WriterRefusesSongsTheFormatCannotHold) {
    const auto valid = [] {
        TXmModule song;
        song.Channels = 2;
        song.Patterns.emplace_back(16, 2);
        song.Orders = {0};
        song.Instruments.push_back(MakeHiHat());
        return song;
    };
    ASSERT_NO_THROW((void)EncodeXm(valid()));
    const struct {
        const char* Name;
        void (*Break)(TXmModule&);
    } cases[] = {
        {"no orders", [](TXmModule& s) { s.Orders.clear(); }},
        {"missing pattern", [](TXmModule& s) { s.Orders.push_back(1); }},
        {"restart past the end", [](TXmModule& s) { s.RestartPosition = 1; }},
        {"pattern of another width", [](TXmModule& s) { s.Patterns.emplace_back(16, 3); }},
        {"too many envelope points", [](TXmModule& s) { s.Instruments[0].VolumeEnvelope.resize(13); }},
        {"sustain outside the envelope", [](TXmModule& s) { s.Instruments[0].SustainPoint = 0; }},
        {"loop past the sample",
         [](TXmModule& s) {
             s.Instruments[0].Sample.LoopStart = 1;
             s.Instruments[0].Sample.LoopLength = static_cast<uint32_t>(s.Instruments[0].Sample.Data.size());
         }},
    };
    for (const auto& c : cases) {
        TXmModule song = valid();
        c.Break(song);
        EXPECT_THROW((void)EncodeXm(song), std::invalid_argument) << c.Name;
    }
}

// The stand-alone player accepts the files too (when it is installed).
TEST(AudioMusic, ExternalPlayerAcceptsTheSongs) {
    const char* path = std::getenv("PATH");
    fs::path player;
    std::stringstream dirs(path != nullptr ? path : "");
    for (std::string dir; std::getline(dirs, dir, ':');) {
        if (!dir.empty() && fs::exists(fs::path(dir) / "openmpt123")) {
            player = fs::path(dir) / "openmpt123";
            break;
        }
    }
    if (player.empty()) {
        GTEST_SKIP() << "openmpt123 is not installed";
    }
    for (const TSong& song : Songs()) {
        const std::string command = "'" + player.string() + "' --info '" + SongPath(song).string() + "' 2>&1";
        FILE* pipe = popen(command.c_str(), "r");
        ASSERT_NE(pipe, nullptr);
        std::string output;
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
            output += buffer;
        }
        EXPECT_EQ(pclose(pipe), 0) << song.File;
        EXPECT_NE(output.find("Duration"), std::string::npos) << output;
        EXPECT_NE(output.find("xm"), std::string::npos) << output;
    }
}

} // namespace
