// SPDX-License-Identifier: MIT
#include "app/GameSound.h"

#include "app/GameFolders.h"
#include "platform/Sound.h"

namespace {
const char* const kEffectNames[9] = {"check",        "lineready",    "startlevel", "gameover",  "stagecomplete",
                                     "layerexplode", "exchangefail", "timeending", "bonustaken"};
} // namespace

TGameSound::TGameSound() {
    for (size_t i = 0; i < Slots.size(); ++i) {
        Slots[i].Name = kEffectNames[i];
    }
}

TGameSound::~TGameSound() = default;

void TGameSound::Start() {
    System = std::make_unique<TSoundSystem>();
    System->Init();
}

void TGameSound::Load(const TGameFolders& Folders, int32_t MusicVolume) {
    if (!System) {
        return;
    }
    for (size_t i = 0; i < Songs.size(); ++i) {
        Songs[i] = System->LoadSong(Folders.InData("Sounds/" + std::to_string(i + 1) + ".xm").string());
        System->SetMasterVolume(Songs[i], MusicVolume);
        System->SetLooping(Songs[i], true);
    }
    for (TSlot& slot : Slots) {
        slot.Stream = System->StreamOpen(Folders.InData(std::string("Sounds/") + slot.Name + ".wav").string());
        slot.Playing = false;
    }
}

void TGameSound::PlayEffect(const std::string& Name, int32_t Volume) {
    if (!System) {
        return;
    }
    for (TSlot& slot : Slots) {
        if (slot.Name != Name) {
            continue;
        }
        if (slot.Playing) {
            System->StreamStop(slot.Stream);
            slot.Channel = -1;
            slot.Playing = false;
        }
        slot.Channel = System->StreamPlay(slot.Stream);
        slot.Playing = slot.Channel >= 0;
        System->SetVolume(slot.Channel, Volume);
        return;
    }
}

void TGameSound::PlaySong(int32_t Track) {
    if (System && IsTrack(Track)) {
        System->PlaySong(Songs[static_cast<size_t>(Track - 1)]);
    }
}

void TGameSound::StopSong(int32_t Track) {
    if (System && IsTrack(Track)) {
        System->StopSong(Songs[static_cast<size_t>(Track - 1)]);
    }
}

void TGameSound::SetMusicVolume(int32_t Volume) {
    if (!System) {
        return;
    }
    for (const int32_t song : Songs) {
        System->SetMasterVolume(song, Volume);
    }
}

void TGameSound::CheckOutput() {
    if (System) {
        System->CheckOutput();
    }
}

void TGameSound::Close() {
    if (!System) {
        return;
    }
    for (const int32_t song : Songs) {
        System->FreeSong(song);
    }
    System->Close();
}
