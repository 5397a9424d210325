// SPDX-License-Identifier: MIT
#include "engine/DataLoader.h"

#include "archive/Archive.h"
#include "engine/Font.h"
#include "engine/Image.h"
#include "engine/TextureAtlas.h"
#include "platform/Text.h"

TDataLoader::TDataLoader(TGfxImages& Images, TGfxFonts& Fonts, TTextureAtlas* Atlas)
    : Images(Images), Fonts(Fonts), Atlas(Atlas) {}

TDataLoader::~TDataLoader() {
    EndArchives();
}

void TDataLoader::EndArchives() {
    for (TArchive* Archive : Archives) {
        Archive->EndLoading();
    }
    Archives.clear();
}

bool TDataLoader::Queue(TArchive& Archive) {
    if (Done_ || !Archive.BeginLoading()) {
        return false;
    }
    Archives.push_back(&Archive);
    for (const int32_t Type : {RecordTypeImage, RecordTypeFont}) {
        for (int32_t i = 0; i < Archive.RecordCount(); ++i) {
            const TRecordInfo* Info = Archive.RecordAt(i);
            if (Info->RecordType != Type) {
                continue;
            }
            TRecord Record{&Archive, Info->Key, Info->UnpackedSize, nullptr, false};
            if (Type == RecordTypeImage) {
                Record.Image = Images.Reserve(Info->Key);
                if (Record.Image == nullptr) {
                    continue;
                }
            }
            Records.push_back(std::move(Record));
        }
    }
    // A variant may have come with this archive, or the picture it stands in for.
    Images.ShowVariant(Images.Variant());
    return true;
}

bool TDataLoader::LoadNow(std::string_view Name) {
    for (TRecord& Record : Records) {
        if (Record.Image != nullptr && !Record.Loaded && SameName(Record.Image->Name(), Name)) {
            if (!LoadRecord(Record, Atlas != nullptr)) {
                return false;
            }
            if (Atlas != nullptr) {
                OwnTextures.push_back(Record.Image);
            }
            return true;
        }
    }
    return false;
}

bool TDataLoader::Step() {
    if (Done_ || Failed_) {
        return false;
    }
    while (Next < Records.size() && Records[Next].Loaded) {
        ++Next;
    }
    if (Next == Records.size()) {
        return FinishPages();
    }
    return LoadRecord(Records[Next++], false);
}

bool TDataLoader::LoadRecord(TRecord& Record, bool OwnTexture) {
    const bool Loaded = Record.Image != nullptr
                            ? Images.LoadInto(*Record.Image, Record.Key, *Record.Archive, OwnTexture)
                            : Fonts.LoadRecord(Record.Key, *Record.Archive);
    if (!Loaded) {
        return Fail(Record.Archive);
    }
    Record.Loaded = true;
    BytesLoaded_ += Record.Bytes;
    return true;
}

bool TDataLoader::FinishPages() {
    // The pictures drawn while the rest loaded join the atlas last, in the same step that puts
    // the pages on the device, so no frame draws from a page that is not there yet.
    bool Placed = true;
    for (TGfxImage* Image : OwnTextures) {
        Placed = Images.PlaceOnAtlas(*Image) && Placed;
    }
    OwnTextures.clear();
    if (!Placed || (Atlas != nullptr && !Atlas->Finish())) {
        return Fail(nullptr);
    }
    Done_ = true;
    Records.clear();
    Records.shrink_to_fit();
    EndArchives();
    return true;
}

bool TDataLoader::Fail(const TArchive* Archive) {
    Failed_ = true;
    FailedArchive_ = Archive;
    EndArchives();
    return false;
}
