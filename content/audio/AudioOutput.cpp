// SPDX-License-Identifier: MIT
#include "content/audio/AudioOutput.h"

#include "content/Modules.h"
#include "content/audio/Songs.h"
#include "content/audio/SoundEffects.h"
#include "content/audio/WavWriter.h"
#include "content/audio/XmWriter.h"

#include <filesystem>
#include <fstream>

namespace {

std::filesystem::path SoundsDir(const std::string& GameDir) {
    return std::filesystem::path(GameDir) / "Sounds";
}

} // namespace

bool WriteAudioFile(const std::string& Path, const std::vector<uint8_t>& Bytes) {
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(Path).parent_path(), error);
    std::ofstream out(Path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(Bytes.data()), static_cast<std::streamsize>(Bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

bool WriteSoundEffects(const TManifest& /*Manifest*/, const std::string& GameDir) {
    bool ok = true;
    for (const TSoundEffect& effect : SoundEffects()) {
        const std::vector<uint8_t> wav = EncodeWav(ToPcm16(effect.Make()), AudioRate);
        ok = WriteAudioFile((SoundsDir(GameDir) / (std::string(effect.Name) + ".wav")).string(), wav) && ok;
    }
    return ok;
}

bool WriteMusic(const TManifest& /*Manifest*/, const std::string& GameDir) {
    bool ok = true;
    for (const TSong& song : Songs()) {
        ok = WriteAudioFile((SoundsDir(GameDir) / song.File).string(), EncodeXm(song.Make())) && ok;
    }
    return ok;
}
