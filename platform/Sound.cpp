// SPDX-License-Identifier: MIT
#include "platform/Sound.h"

#include "platform/LateLibrary.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <libopenmpt/libopenmpt.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string_view>
#include <vector>

namespace {
constexpr int kRate = 44100;
constexpr int kChannels = 64;
// The game's effects and songs are a few hundred kilobytes; a file past this is not one of
// them and is not read into memory.
constexpr std::uintmax_t kMaxSoundFileBytes = 16 * 1024 * 1024;

uint32_t Le32(const std::vector<char>& Bytes, size_t At) {
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i) {
        value |= static_cast<uint32_t>(static_cast<uint8_t>(Bytes[At + i])) << (8 * i);
    }
    return value;
}

uint16_t Le16(const std::vector<char>& Bytes, size_t At) {
    return static_cast<uint16_t>(static_cast<uint8_t>(Bytes[At]) | static_cast<uint8_t>(Bytes[At + 1]) << 8);
}

// A RIFF WAVE file of plain PCM (8 or 16 bits, one or two channels, 8 to 96 kHz) whose every
// chunk, the sound data included, lies inside the file. Anything else is not one of the game's
// effects; the decoder is not asked to make sense of it (a damaged header can make it allocate
// gigabytes).
bool IsPlainWave(const std::vector<char>& Bytes) {
    if (Bytes.size() < 12 || std::string_view(Bytes.data(), 4) != "RIFF" ||
        std::string_view(Bytes.data() + 8, 4) != "WAVE") {
        return false;
    }
    bool format = false;
    size_t at = 12;
    while (at + 8 <= Bytes.size()) {
        const std::string_view id(Bytes.data() + at, 4);
        const uint64_t size = Le32(Bytes, at + 4);
        if (size > Bytes.size() - at - 8) {
            return false;
        }
        if (id == "fmt ") {
            if (size < 16) {
                return false;
            }
            const uint16_t tag = Le16(Bytes, at + 8);
            const uint16_t channels = Le16(Bytes, at + 10);
            const uint32_t rate = Le32(Bytes, at + 12);
            const uint16_t align = Le16(Bytes, at + 20);
            const uint16_t bits = Le16(Bytes, at + 22);
            format = tag == 1 && (channels == 1 || channels == 2) && rate >= 8000 && rate <= 96000 &&
                     (bits == 8 || bits == 16) && align == channels * bits / 8;
        } else if (id == "data") {
            return format;
        }
        // Chunks are padded to an even length.
        at += 8 + static_cast<size_t>(size) + (size & 1);
    }
    return false;
}

// A regular file no larger than the cap.
bool SoundFileFits(const std::string& FileName) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(FileName, error)) {
        return false;
    }
    const std::uintmax_t size = std::filesystem::file_size(FileName, error);
    return !error && size <= kMaxSoundFileBytes;
}

float VolumeScale(int32_t Volume) { return static_cast<float>(std::clamp(Volume, 0, 255)) / 255.0f; }

// The mixer's and the song player's functions, from their libraries opened when the sound
// starts (after the first picture: the game's start does not wait for them and their decoders).
struct TSoundLibraries {
    decltype(&Mix_OpenAudio) OpenAudio = nullptr;
    decltype(&Mix_CloseAudio) CloseAudio = nullptr;
    decltype(&Mix_AllocateChannels) AllocateChannels = nullptr;
    decltype(&Mix_HookMusic) HookMusic = nullptr;
    decltype(&Mix_HaltChannel) HaltChannel = nullptr;
    decltype(&Mix_LoadWAV_RW) LoadWavRw = nullptr;
    decltype(&Mix_FreeChunk) FreeChunk = nullptr;
    decltype(&Mix_PlayChannel) PlayChannel = nullptr;
    decltype(&Mix_GetChunk) GetChunk = nullptr;
    decltype(&Mix_Volume) Volume = nullptr;
    decltype(&openmpt_module_create_from_memory2) ModuleCreate = nullptr;
    decltype(&openmpt_module_destroy) ModuleDestroy = nullptr;
    decltype(&openmpt_module_set_position_seconds) ModuleSetPosition = nullptr;
    decltype(&openmpt_module_set_repeat_count) ModuleSetRepeatCount = nullptr;
    decltype(&openmpt_module_read_interleaved_float_stereo) ModuleReadStereo = nullptr;
    decltype(&openmpt_log_func_silent) LogSilent = nullptr;
};

// Opened once for the process; null, said once on stderr, when a library cannot be loaded.
const TSoundLibraries* SoundLibraries() {
    static const TSoundLibraries* const libraries = []() -> const TSoundLibraries* {
        static TLateLibrary mixer("libSDL2_mixer-2.0.so.0");
        static TLateLibrary songs("libopenmpt.so.0");
        static TSoundLibraries api;
        mixer.Find("Mix_OpenAudio", api.OpenAudio);
        mixer.Find("Mix_CloseAudio", api.CloseAudio);
        mixer.Find("Mix_AllocateChannels", api.AllocateChannels);
        mixer.Find("Mix_HookMusic", api.HookMusic);
        mixer.Find("Mix_HaltChannel", api.HaltChannel);
        mixer.Find("Mix_LoadWAV_RW", api.LoadWavRw);
        mixer.Find("Mix_FreeChunk", api.FreeChunk);
        mixer.Find("Mix_PlayChannel", api.PlayChannel);
        mixer.Find("Mix_GetChunk", api.GetChunk);
        mixer.Find("Mix_Volume", api.Volume);
        songs.Find("openmpt_module_create_from_memory2", api.ModuleCreate);
        songs.Find("openmpt_module_destroy", api.ModuleDestroy);
        songs.Find("openmpt_module_set_position_seconds", api.ModuleSetPosition);
        songs.Find("openmpt_module_set_repeat_count", api.ModuleSetRepeatCount);
        songs.Find("openmpt_module_read_interleaved_float_stereo", api.ModuleReadStereo);
        songs.Find("openmpt_log_func_silent", api.LogSilent);
        for (const TLateLibrary* library : {&mixer, &songs}) {
            if (!library->Usable()) {
                std::fprintf(stderr, "sound: %s; the game goes on without sound\n", library->Problem().c_str());
                return nullptr;
            }
        }
        return &api;
    }();
    return libraries;
}

// The functions of an open sound system (its libraries loaded before it opened).
const TSoundLibraries& Api() { return *SoundLibraries(); }
} // namespace

struct TSoundSystem::TSong {
    openmpt_module* Module = nullptr;
    float Volume = 1.0f;
    bool Playing = false;
    ~TSong() {
        if (Module) {
            Api().ModuleDestroy(Module);
        }
    }
};

struct TSoundSystem::TStream {
    Mix_Chunk* Chunk = nullptr;
    int Channel = -1;
    ~TStream() {
        if (Chunk) {
            Api().FreeChunk(Chunk);
        }
    }
};

TSoundSystem::TSoundSystem() : Pace(kRate) {}

TSoundSystem::~TSoundSystem() { Close(); }

bool TSoundSystem::Init() {
    if (Open) {
        return true;
    }
    if (SoundLibraries() == nullptr || SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        return false;
    }
    // The mixing thread starts with the device and is the only one to touch the pace after.
    Pace = TOutputPace(kRate);
    RunsAhead.store(false);
    const TSoundLibraries& api = Api();
    if (api.OpenAudio(kRate, AUDIO_S16SYS, 2, 1024) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    api.AllocateChannels(kChannels);
    api.HookMusic(&TSoundSystem::MixSongs, this);
    Open = true;
    return true;
}

bool TSoundSystem::CheckOutput() {
    if (Open && RunsAhead.load()) {
        std::fprintf(stderr, "sound: the audio output takes sound faster than it can play it (a null device?); "
                             "the game goes on without sound\n");
        Close();
    }
    return Open;
}

void TSoundSystem::Close() {
    if (!Open) {
        return;
    }
    const TSoundLibraries& api = Api();
    api.HookMusic(nullptr, nullptr);
    api.HaltChannel(-1);
    {
        std::lock_guard<std::mutex> guard(SongLock);
        Songs.clear();
    }
    Streams.clear();
    api.CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    Open = false;
}

TSoundSystem::TSong* TSoundSystem::SongOf(int32_t Song) const {
    if (Song <= 0 || Song > static_cast<int32_t>(Songs.size())) {
        return nullptr;
    }
    return Songs[static_cast<size_t>(Song - 1)].get();
}

int32_t TSoundSystem::LoadSong(const std::string& FileName) {
    if (!CheckOutput() || !SoundFileFits(FileName)) {
        return 0;
    }
    std::ifstream in(FileName, std::ios::binary);
    if (!in) {
        return 0;
    }
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // A file that is not a song is refused quietly; the caller goes on without it.
    const TSoundLibraries& api = Api();
    openmpt_module* module = api.ModuleCreate(bytes.data(), bytes.size(), api.LogSilent, nullptr, nullptr, nullptr,
                                              nullptr, nullptr, nullptr);
    if (!module) {
        return 0;
    }
    auto song = std::make_unique<TSong>();
    song->Module = module;
    std::lock_guard<std::mutex> guard(SongLock);
    Songs.push_back(std::move(song));
    return static_cast<int32_t>(Songs.size());
}

void TSoundSystem::FreeSong(int32_t Song) {
    std::lock_guard<std::mutex> guard(SongLock);
    if (SongOf(Song)) {
        // The slot stays so that the other handles keep their meaning.
        Songs[static_cast<size_t>(Song - 1)] = std::make_unique<TSong>();
    }
}

void TSoundSystem::PlaySong(int32_t Song) {
    std::lock_guard<std::mutex> guard(SongLock);
    if (TSong* s = SongOf(Song); s && s->Module) {
        Api().ModuleSetPosition(s->Module, 0.0);
        s->Playing = true;
    }
}

void TSoundSystem::StopSong(int32_t Song) {
    std::lock_guard<std::mutex> guard(SongLock);
    if (TSong* s = SongOf(Song)) {
        s->Playing = false;
    }
}

bool TSoundSystem::IsSongPlaying(int32_t Song) const {
    std::lock_guard<std::mutex> guard(SongLock);
    const TSong* s = SongOf(Song);
    return s && s->Playing;
}

void TSoundSystem::SetMasterVolume(int32_t Song, int32_t Volume) {
    std::lock_guard<std::mutex> guard(SongLock);
    if (TSong* s = SongOf(Song)) {
        s->Volume = VolumeScale(Volume);
    }
}

void TSoundSystem::SetLooping(int32_t Song, bool Looping) {
    std::lock_guard<std::mutex> guard(SongLock);
    if (TSong* s = SongOf(Song); s && s->Module) {
        Api().ModuleSetRepeatCount(s->Module, Looping ? -1 : 0);
    }
}

// Runs on the audio thread: notes how fast the output takes sound, then mixes every playing
// song into the output buffer.
void TSoundSystem::MixSongs(void* User, uint8_t* Buffer, int Bytes) {
    auto* self = static_cast<TSoundSystem*>(User);
    auto* out = reinterpret_cast<int16_t*>(Buffer);
    const size_t frames = static_cast<size_t>(Bytes) / (2 * sizeof(int16_t));
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(now).count();
    self->Pace.Mixed(static_cast<int64_t>(frames), static_cast<uint64_t>(micros));
    if (!self->Pace.KeepsTime()) {
        self->RunsAhead.store(true);
    }
    std::fill(out, out + frames * 2, int16_t{0});
    std::lock_guard<std::mutex> guard(self->SongLock);
    self->MixBuffer.resize(frames * 2);
    for (const auto& song : self->Songs) {
        if (!song->Playing || !song->Module) {
            continue;
        }
        const size_t got =
            Api().ModuleReadStereo(song->Module, kRate, frames, self->MixBuffer.data());
        if (got == 0) {
            song->Playing = false;
            continue;
        }
        for (size_t i = 0; i < got * 2; ++i) {
            const float v = static_cast<float>(out[i]) + self->MixBuffer[i] * song->Volume * 32767.0f;
            out[i] = static_cast<int16_t>(std::clamp(v, -32768.0f, 32767.0f));
        }
    }
}

int32_t TSoundSystem::StreamOpen(const std::string& FileName) {
    if (!CheckOutput() || !SoundFileFits(FileName)) {
        return 0;
    }
    std::ifstream in(FileName, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!IsPlainWave(bytes)) {
        return 0;
    }
    SDL_RWops* source = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    Mix_Chunk* chunk = source ? Api().LoadWavRw(source, 1) : nullptr;
    if (!chunk) {
        return 0;
    }
    auto stream = std::make_unique<TStream>();
    stream->Chunk = chunk;
    Streams.push_back(std::move(stream));
    return static_cast<int32_t>(Streams.size());
}

int32_t TSoundSystem::StreamPlay(int32_t Stream) {
    if (!CheckOutput() || Stream <= 0 || Stream > static_cast<int32_t>(Streams.size())) {
        return -1;
    }
    TStream& s = *Streams[static_cast<size_t>(Stream - 1)];
    s.Channel = Api().PlayChannel(-1, s.Chunk, 0);
    return s.Channel;
}

void TSoundSystem::StreamStop(int32_t Stream) {
    if (!CheckOutput() || Stream <= 0 || Stream > static_cast<int32_t>(Streams.size())) {
        return;
    }
    TStream& s = *Streams[static_cast<size_t>(Stream - 1)];
    // Only halt the channel while it still plays this stream's sound.
    if (s.Channel >= 0 && Api().GetChunk(s.Channel) == s.Chunk) {
        Api().HaltChannel(s.Channel);
    }
    s.Channel = -1;
}

void TSoundSystem::SetVolume(int32_t Channel, int32_t Volume) {
    if (!CheckOutput() || Channel < 0) {
        return;
    }
    Api().Volume(Channel, std::clamp(Volume, 0, 255) * MIX_MAX_VOLUME / 255);
}
