// SPDX-License-Identifier: MIT
#include "particles/ParticleManager.h"

#include "archive/Archive.h"
#include "archive/Stream.h"
#include "platform/Text.h"

TXParticleManager::TXParticleManager(TGfxCanvas* Canvas, TGfxImage* Image, TRandom* SpawnRandom)
    : Canvas(Canvas), Image(Image), SpawnRandom(SpawnRandom) {}

TXParticleManager::~TXParticleManager() = default;

int32_t TXParticleManager::LoadAll(TArchive& Archive) {
    if (!Archive.EnsureOpen()) {
        return 0;
    }
    const TArchiveLoading loading(Archive);
    int32_t added = 0;
    for (int32_t i = 0; i < Archive.RecordCount(); ++i) {
        const std::string key = Archive.RecordKeyAt(i);
        if (key.size() < 4 || key.compare(key.size() - 4, 4, ".pss") != 0) {
            continue;
        }
        std::vector<uint8_t> bytes;
        if (!Archive.ReadRecordBuffer(key, bytes)) {
            continue;
        }
        const auto params = ParseParticleRecord(bytes.data(), bytes.size());
        if (params) {
            AddTemplate(*params, key);
            ++added;
        }
    }
    return added;
}

int32_t TXParticleManager::AddTemplate(const TParticleParams& Params, const std::string& Name) {
    Templates.push_back({Params, LowerAscii(Name.substr(0, 255))});
    return static_cast<int32_t>(Templates.size()) - 1;
}

int32_t TXParticleManager::FindTemplate(const std::string& Name) const {
    const std::string lower = LowerAscii(Name);
    for (size_t i = 0; i < Templates.size(); ++i) {
        if (Templates[i].Name == lower) {
            return static_cast<int32_t>(i);
        }
    }
    return -1;
}

TXParticleSystem* TXParticleManager::SpawnByName(const std::string& Name, TPointF At) {
    return SpawnIndex(FindTemplate(Name), At);
}

TXParticleSystem* TXParticleManager::SpawnIndex(int32_t Index, TPointF At) {
    if (Index < 0 || Index >= TemplateCount()) {
        return nullptr;
    }
    return Spawn(Templates[static_cast<size_t>(Index)].Params, Image, At);
}

TXParticleSystem* TXParticleManager::Spawn(const TParticleParams& Params, TGfxImage* SystemImage, TPointF At) {
    if (SystemCount() >= MaxSystems) {
        return nullptr;
    }
    auto system = std::make_unique<TXParticleSystem>(Params, SystemImage, SystemCapacity, Random, SpawnRandom);
    system->MoveTo(At.X, At.Y, false);
    system->Start();
    Systems.push_back(std::move(system));
    return Systems.back().get();
}

void TXParticleManager::Update(float Dt) {
    size_t i = 0;
    while (i < Systems.size()) {
        Systems[i]->Update(Dt);
        if (!Systems[i]->Emitting() && Systems[i]->Count() == 0) {
            // The last system takes the freed place and is updated in this same pass.
            Systems[i] = std::move(Systems.back());
            Systems.pop_back();
            continue;
        }
        ++i;
    }
}

void TXParticleManager::Draw(float OffsetX, float OffsetY) const {
    if (!Canvas) {
        return;
    }
    for (const auto& system : Systems) {
        if (system->Name != "dontpaint") {
            system->Draw(*Canvas, OffsetX, OffsetY);
        }
    }
}

void TXParticleManager::Clear() { Systems.clear(); }

TXParticleSystem* TXParticleManager::SystemAt(int32_t Index) const {
    if (Index < 0 || Index >= SystemCount()) {
        return nullptr;
    }
    return Systems[static_cast<size_t>(Index)].get();
}

bool TXParticleManager::Contains(const TXParticleSystem* System) const {
    for (const auto& s : Systems) {
        if (s.get() == System) {
            return true;
        }
    }
    return false;
}
