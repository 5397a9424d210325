// SPDX-License-Identifier: MIT
#include "archive/Archive.h"
#include "engine/Image.h"
#include "engine/TextureAtlas.h"
#include "platform/Text.h"

TGfxImages::TGfxImages(TGfxDevice& Device) : Device(Device) {
    Device.Subscribe(this);
}

TGfxImages::~TGfxImages() {
    ClearImages();
    Device.Unsubscribe(this);
}

bool TGfxImages::DeviceNotify(TDeviceEvent Event) {
    switch (Event) {
    case devFinalize:
        ClearImages();
        break;
    case devLost:
        // Only lost-capable images give their textures up; the rest keep them through a reset.
        for (const auto& Image : Images) {
            if (Image->State() == tsReady) {
                Image->ChangeState(tsLost);
            }
        }
        break;
    case devReset:
        for (const auto& Image : Images) {
            if (Image->State() == tsLost) {
                Image->ChangeState(tsReady);
            }
        }
        break;
    default:
        break;
    }
    return true;
}

TGfxImage* TGfxImages::Items(int32_t Position) const {
    if (Position < 0 || Position >= ImageCount()) {
        return nullptr;
    }
    return Images[static_cast<size_t>(Position)].get();
}

TGfxImage& TGfxImages::AddImage() {
    auto Image = std::make_unique<TGfxImage>(Device);
    Image->SetMipMapping(MipMapping);
    Images.push_back(std::move(Image));
    ++Generation_;
    return *Images.back();
}

int32_t TGfxImages::IndexOfImage(const TGfxImage* Image) const {
    for (int32_t i = 0; i < ImageCount(); ++i) {
        if (Images[static_cast<size_t>(i)].get() == Image) {
            return i;
        }
    }
    return -1;
}

void TGfxImages::DeleteImage(int32_t Position) {
    if (Position >= 0 && Position < ImageCount()) {
        Images.erase(Images.begin() + Position);
        ++Generation_;
    }
}

void TGfxImages::ClearImages() {
    Images.clear();
    ++Generation_;
}

bool TGfxImages::LoadImage(const std::string& Key, TArchive& Archive, TGfxQuality Quality,
                           TAlphaLevel AlphaLevel) {
    if (!Archive.EnsureOpen()) {
        return false;
    }
    const int32_t Index = Archive.IndexOf(Key);
    if (Index < 0 || Archive.RecordTypeOf(Index) != RecordTypeImage) {
        return false;
    }
    TGfxImage& Image = AddImage();
    // Nothing reads an archive picture back: its pixels live on the device only, after a stop
    // in memory for the atlas.
    Image.SetKeepPixels(Atlas_ != nullptr);
    Image.SetName(Key);
    Image.SetQuality(Quality);
    Image.SetAlphaLevel(AlphaLevel);
    if (!Image.LoadFromArchive(Key, Archive)) {
        DeleteImage(IndexOfImage(&Image));
        return false;
    }
    if (Atlas_ != nullptr && !Atlas_->Add(Image)) {
        Image.DropPixels();
    }
    return true;
}

bool TGfxImages::LoadArchive(TArchive& Archive) {
    if (!Archive.EnsureOpen()) {
        return false;
    }
    // One loading run: the file stays open and its directory is read once.
    const TArchiveLoading Loading(Archive);
    for (int32_t i = 0; i < Archive.RecordCount(); ++i) {
        if (Archive.RecordTypeOf(i) != RecordTypeImage) {
            continue;
        }
        const std::string Key = Archive.RecordKeyAt(i);
        bool Accept = true;
        std::string Name = Key;
        TGfxQuality Quality = aqHigh;
        TAlphaLevel AlphaLevel = alFull;
        if (OnArchiveLoad) {
            OnArchiveLoad(Key, ImageCount(), Accept, Name, Quality, AlphaLevel);
        }
        if (!Accept) {
            continue;
        }
        if (!LoadImage(Key, Archive, Quality, AlphaLevel)) {
            return false;
        }
        Images.back()->SetName(Name);
    }
    return true;
}

TGfxImage* TGfxImages::Find(const std::string& Name) const {
    for (const auto& Image : Images) {
        if (SameName(Image->Name(), Name)) {
            return Image.get();
        }
    }
    return nullptr;
}
