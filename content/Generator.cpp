// SPDX-License-Identifier: MIT
#include "content/Generator.h"

#include "content/ArchiveOutput.h"
#include "content/ContactSheet.h"
#include "content/Modules.h"

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
};

bool Selected(const char* Kind, const std::string& Only) { return Only.empty() || Only == Kind; }

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
        ok = WriteArchives(Manifest, Options.GameDir) && ok;
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
