// SPDX-License-Identifier: MIT
#include "content/ArchiveOutput.h"

#include "archive/ArchiveWriter.h"
#include "engine/ImageRecord.h"

#include <filesystem>

namespace {

std::vector<uint8_t> ImageBytes(const TManifestImage& Image) {
    TImageRecordSource source;
    source.Format = pfA8R8G8B8;
    source.PatternSize = {Image.PatternSize.Width, Image.PatternSize.Height};
    source.VisibleSize = {Image.VisibleSize.Width, Image.VisibleSize.Height};
    source.PatternCount = static_cast<int32_t>(Image.Patterns.size());
    for (const TPicture& p : Image.Patterns) {
        source.Patterns.push_back(p.Pixels());
    }
    return WriteImageRecord(source);
}

} // namespace

bool WriteArchives(const TManifest& Manifest, const std::string& GameDir) {
    bool ok = true;
    for (const TArchiveId archive : {TArchiveId::Data, TArchiveId::GData, TArchiveId::Data1}) {
        TArchiveWriter writer;
        for (const TManifestEntry& e : Manifest.Entries()) {
            if (e.Archive != archive) {
                continue;
            }
            if (e.Type == RecordTypeImage) {
                std::vector<uint8_t> bytes = ImageBytes(e.Image);
                if (bytes.empty()) {
                    ok = false;
                    continue;
                }
                writer.Add(RecordTypeImage, e.Key, std::move(bytes));
            } else {
                writer.Add(static_cast<uint16_t>(e.Type), e.Key, e.Bytes);
            }
        }
        const std::filesystem::path path = std::filesystem::path(GameDir) / TManifest::ArchivePath(archive);
        std::error_code error;
        std::filesystem::create_directories(path.parent_path(), error);
        ok = writer.SaveToFile(path.string()) && ok;
    }
    return ok;
}
