// SPDX-License-Identifier: MIT
#include "content/Generator.h"

#include "content/ArchiveOutput.h"
#include "content/ContactSheet.h"
#include "content/Modules.h"
#include "screens/GameData.h"

#include <cstdio>
#include <filesystem>

namespace {

struct TRegisterModule {
    const char* Kind;
    void (*Register)(TManifest&);
};

struct TWriteModule {
    const char* Kind;
    bool (*Write)(const TManifest&, const std::string& GameDir);
};

// Directory order of the archives: the board and scene art first, then the characters and
// story pictures, then the GUI's pictures; fonts and particle templates after them.
constexpr TRegisterModule RegisterModules[] = {
    {"art", &AddArtImages},
    {"characters", &AddCharacterImages},
    {"ui", &AddUiImages},
    {"fonts", &AddFonts},
    {"particles", &AddParticleTemplates},
};

// Files that need the final list positions (the GUI stream) or stand outside the archives.
constexpr TWriteModule WriteModules[] = {
    {"gui", &WriteGuiFile},
    {"share", &WriteShareData},
    {"sounds", &WriteSoundEffects},
    {"music", &WriteMusic},
    {"icons", &WriteAppIcons},
};

bool Selected(const char* Kind, const std::string& Only) { return Only.empty() || Only == Kind; }

bool HasRecord(const TManifest& Manifest, std::string_view Archive, int32_t Type, std::string_view Key) {
    for (const TManifestEntry& entry : Manifest.Entries()) {
        if (entry.Type == Type && Archive == TManifest::ArchivePath(entry.Archive) &&
            LowerAscii(entry.Key) == LowerAscii(std::string(Key))) {
            return true;
        }
    }
    return false;
}

// Every picture and font the game looks up must be written where the game expects it; the game
// refuses data that lack one.
bool HasEveryRequiredRecord(const TManifest& Manifest) {
    bool ok = true;
    for (const TRequiredRecords& archive : RequiredRecords) {
        for (const auto& [names, type] : {std::pair{archive.Images, RecordTypeImage}, std::pair{archive.Fonts, RecordTypeFont}}) {
            for (const std::string_view name : names) {
                if (!HasRecord(Manifest, archive.Archive, type, name)) {
                    std::fprintf(stderr, "%s lacks the game's record %s\n", std::string(archive.Archive).c_str(),
                                 std::string(name).c_str());
                    ok = false;
                }
            }
        }
    }
    return ok;
}

} // namespace

void RegisterContent(TManifest& Manifest, const std::string& Only) {
    for (const TRegisterModule& module : RegisterModules) {
        if (module.Register != nullptr && Selected(module.Kind, Only)) {
            Manifest.BeginModule(module.Kind);
            module.Register(Manifest);
        }
    }
    Manifest.BeginModule("");
}

bool WriteContent(const TManifest& Manifest, const TGeneratorOptions& Options) {
    bool ok = true;
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(Options.GameDir) / "Data", error);
    // A partial run would shift list positions, so archives come only from a full one.
    if (Options.Only.empty()) {
        ok = HasEveryRequiredRecord(Manifest) && WriteArchives(Manifest, Options.GameDir) && ok;
    }
    for (const TWriteModule& module : WriteModules) {
        if (module.Write != nullptr && Selected(module.Kind, Options.Only)) {
            ok = module.Write(Manifest, Options.GameDir) && ok;
        }
    }
    if (!Options.SheetsDir.empty()) {
        ok = WriteContactSheets(Manifest, Options.SheetsDir) && ok;
    }
    return ok;
}
