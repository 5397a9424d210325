// SPDX-License-Identifier: MIT
#include "content/Manifest.h"

#include <stdexcept>

std::string LowerAscii(std::string Text) {
    for (char& c : Text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return Text;
}

const char* TManifest::ArchivePath(TArchiveId Archive) {
    switch (Archive) {
    case TArchiveId::Data:
        return "Data/data.fgg";
    case TArchiveId::GData:
        return "Data/gdata.fgg";
    case TArchiveId::Data1:
        return "Data/data1.fgg";
    }
    return "Data/data.fgg";
}

void TManifest::CheckUniqueKey(TArchiveId Archive, const std::string& Key) const {
    const std::string lower = LowerAscii(Key);
    for (const TManifestEntry& e : EntryList) {
        if (e.Archive == Archive && LowerAscii(e.Key) == lower) {
            throw std::invalid_argument("duplicate archive key: " + Key);
        }
    }
}

void TManifest::AddImage(TArchiveId Archive, std::string Name, TSizeI PatternSize, TSizeI VisibleSize,
                         std::vector<TPicture> Patterns) {
    if (Patterns.empty() || PatternSize.Width <= 0 || PatternSize.Height <= 0 || VisibleSize.Width <= 0 ||
        VisibleSize.Height <= 0 || VisibleSize.Width > PatternSize.Width ||
        VisibleSize.Height > PatternSize.Height) {
        throw std::invalid_argument("malformed image: " + Name);
    }
    for (const TPicture& p : Patterns) {
        if (p.Width() != PatternSize.Width || p.Height() != PatternSize.Height) {
            throw std::invalid_argument("pattern of the wrong size in image: " + Name);
        }
    }
    CheckUniqueKey(Archive, Name);
    TManifestEntry entry;
    entry.Archive = Archive;
    entry.Type = RecordTypeImage;
    entry.Key = Name;
    entry.Module = CurrentModule;
    entry.Image = {std::move(Name), PatternSize, VisibleSize, std::move(Patterns)};
    EntryList.push_back(std::move(entry));
}

std::vector<TPictureWords> TManifest::EveryLanguage() const {
    std::vector<TPictureWords> words(1);
    for (const TPictureLanguage& language : PictureLanguageList) {
        words.emplace_back(language.Code, language.Catalogue);
    }
    return words;
}

void TManifest::AddImageWithWords(TArchiveId Archive, const std::string& Name,
                                  const std::function<std::vector<TPicture>(const TPictureWords&)>& Paint) {
    for (const TPictureWords& words : EveryLanguage()) {
        AddImage(Archive, words.VariantName(Name), Paint(words));
    }
}

void TManifest::AddImage(TArchiveId Archive, std::string Name, std::vector<TPicture> Patterns) {
    const TSizeI size = Patterns.empty() ? TSizeI{} : TSizeI{Patterns[0].Width(), Patterns[0].Height()};
    AddImage(Archive, std::move(Name), size, size, std::move(Patterns));
}

void TManifest::AddFont(TArchiveId Archive, std::string Name, std::vector<uint8_t> Bytes) {
    AddRecord(Archive, RecordTypeFont, std::move(Name), std::move(Bytes));
}

void TManifest::AddRecord(TArchiveId Archive, int32_t Type, std::string Key, std::vector<uint8_t> Bytes) {
    if (Type == RecordTypeImage) {
        throw std::invalid_argument("images are registered with AddImage: " + Key);
    }
    CheckUniqueKey(Archive, Key);
    TManifestEntry entry;
    entry.Archive = Archive;
    entry.Type = Type;
    entry.Key = std::move(Key);
    entry.Module = CurrentModule;
    entry.Bytes = std::move(Bytes);
    EntryList.push_back(std::move(entry));
}

void TManifest::AddPreview(std::string Name, TPicture Picture) {
    PreviewList.push_back({std::move(Name), std::move(Picture)});
}

int TManifest::PositionAmong(int32_t Type, const std::vector<TArchiveId>& Order,
                             const std::string& Name) const {
    const std::string lower = LowerAscii(Name);
    int position = 0;
    for (const TArchiveId archive : Order) {
        for (const TManifestEntry& e : EntryList) {
            if (e.Archive != archive || e.Type != Type) {
                continue;
            }
            if (LowerAscii(e.Key) == lower) {
                return position;
            }
            ++position;
        }
    }
    return -1;
}

int TManifest::ImageIndex(const std::string& Name) const {
    return PositionAmong(RecordTypeImage, {TArchiveId::Data, TArchiveId::GData}, Name);
}

int TManifest::FontIndex(const std::string& Name) const {
    return PositionAmong(RecordTypeFont, {TArchiveId::Data, TArchiveId::GData, TArchiveId::Data1}, Name);
}

const TManifestImage* TManifest::FindImage(const std::string& Name) const {
    const std::string lower = LowerAscii(Name);
    for (const TManifestEntry& e : EntryList) {
        if (e.Type == RecordTypeImage && LowerAscii(e.Key) == lower) {
            return &e.Image;
        }
    }
    return nullptr;
}
