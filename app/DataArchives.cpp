// SPDX-License-Identifier: MIT
#include "app/DataArchives.h"

#include "app/GameFolders.h"
#include "archive/Archive.h"
#include "engine/DataLoader.h"
#include "screens/GameData.h"

#include <filesystem>
#include <system_error>

namespace {

std::unique_ptr<TArchive> OpenArchive(const TGameFolders& Folders, const char* Name) {
    auto archive = std::make_unique<TArchive>();
    archive->SetFileName(Folders.InData(Name).string());
    archive->SetOpenMode(opReadOnly);
    archive->SetDigestChecks(false);
    return archive;
}

} // namespace

TDataArchives::TDataArchives(const TGameFolders& Folders)
    : Archive(OpenArchive(Folders, "Data/data.fgg")), Archive2(OpenArchive(Folders, "Data/gdata.fgg")),
      Archive3(OpenArchive(Folders, "Data/data1.fgg")) {}

TDataArchives::~TDataArchives() = default;

bool TDataArchives::Queue(TGfxImages& Images, TGfxFonts& Fonts, TTextureAtlas* Atlas) {
    Loader = std::make_unique<TDataLoader>(Images, Fonts, Atlas);
    for (TArchive* archive : {Archive.get(), Archive2.get(), Archive3.get()}) {
        if (!Loader->Queue(*archive)) {
            NoteFailure(*archive);
            return false;
        }
    }
    return true;
}

std::string TDataArchives::UnlistedRecord() const {
    return ::UnlistedRecord([this](std::string_view File, std::string_view Key) {
        const TArchive* archive = File == "Data/data.fgg"    ? Archive.get()
                                  : File == "Data/gdata.fgg" ? Archive2.get()
                                                             : Archive3.get();
        return archive->RecordTypeOf(archive->IndexOf(Key));
    });
}

bool TDataArchives::LoadLogoPictures() {
    for (const char* name : {"logo", "cursor"}) {
        if (!Loader->LoadNow(name)) {
            NoteFailure(Loader->FailedArchive() != nullptr ? *Loader->FailedArchive() : *Archive2);
            return false;
        }
    }
    return true;
}

TDataArchives::TProgress TDataArchives::LoadMore(bool VirtualTime) {
    const int64_t bytes = Loader->BytesLoaded() + VirtualLoadBytes;
    const auto until = std::chrono::steady_clock::now() + LoadSlice;
    do {
        if (!Loader->Step()) {
            if (const TArchive* failed = Loader->FailedArchive()) {
                NoteFailure(*failed);
            } else if (Failure_.empty()) {
                Failure_ = "the pictures could not be put on the graphics device";
            }
            return TProgress::Failed;
        }
    } while (!Loader->Done() && (VirtualTime ? Loader->BytesLoaded() < bytes : std::chrono::steady_clock::now() < until));
    return Loader->Done() ? TProgress::Done : TProgress::Loading;
}

void TDataArchives::EndLoading() { Loader.reset(); }

void TDataArchives::NoteFailure(const TArchive& Failed) {
    if (!Failure_.empty()) {
        return;
    }
    std::error_code error;
    const std::string& file = Failed.FileName();
    if (!std::filesystem::exists(file, error)) {
        Failure_ = file + ": no such file";
    } else if (Failed.LastError() != TArchiveError::None) {
        Failure_ = file + ": " + ArchiveErrorText(Failed.LastError());
    } else {
        Failure_ = file + ": damaged or incomplete";
    }
}
