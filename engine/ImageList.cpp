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
        // The image to go is the one at Position now; the exchanges are made again without it.
        TGfxImage* Doomed = Images[static_cast<size_t>(Position)].get();
        RestorePlainPictures();
        Images.erase(Images.begin() + IndexOfImage(Doomed));
        PutVariantsInPlace();
        ++Generation_;
    }
}

void TGfxImages::ClearImages() {
    Images.clear();
    Exchanged_.clear();
    ++Generation_;
}

void TGfxImages::ShowVariant(const std::string& Variant) {
    RestorePlainPictures();
    Variant_ = Variant;
    PutVariantsInPlace();
    ++Generation_;
}

void TGfxImages::Exchange(size_t A, size_t B) {
    std::swap(Images[A], Images[B]);
    std::string NameA = Images[A]->Name();
    Images[A]->SetName(Images[B]->Name());
    Images[B]->SetName(std::move(NameA));
}

void TGfxImages::RestorePlainPictures() {
    for (auto At = Exchanged_.rbegin(); At != Exchanged_.rend(); ++At) {
        Exchange(At->first, At->second);
    }
    Exchanged_.clear();
}

void TGfxImages::PutVariantsInPlace() {
    if (Variant_.empty()) {
        return;
    }
    const std::string Suffix = "@" + Variant_;
    for (size_t i = 0; i < Images.size(); ++i) {
        const std::string& Name = Images[i]->Name();
        if (Name.size() <= Suffix.size() ||
            !SameName(std::string_view(Name).substr(Name.size() - Suffix.size()), Suffix)) {
            continue;
        }
        const std::string Plain = Name.substr(0, Name.size() - Suffix.size());
        for (size_t j = 0; j < Images.size(); ++j) {
            if (j != i && SameName(Images[j]->Name(), Plain)) {
                Exchange(i, j);
                Exchanged_.emplace_back(i, j);
                break;
            }
        }
    }
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
    Image.SetUploadLater(Atlas_ != nullptr);
    Image.SetName(Key);
    Image.SetQuality(Quality);
    Image.SetAlphaLevel(AlphaLevel);
    if (!Image.LoadFromArchive(Key, Archive)) {
        DeleteImage(IndexOfImage(&Image));
        return false;
    }
    return PlaceOnAtlas(Image);
}

TGfxImages::TLoadChoice TGfxImages::ChooseLoad(const std::string& Key) const {
    TLoadChoice Choice;
    Choice.Name = Key;
    if (OnArchiveLoad) {
        OnArchiveLoad(Key, ImageCount(), Choice.Accept, Choice.Name, Choice.Quality, Choice.AlphaLevel);
    }
    return Choice;
}

TGfxImage* TGfxImages::Reserve(const std::string& Key) {
    TLoadChoice Choice = ChooseLoad(Key);
    if (!Choice.Accept) {
        return nullptr;
    }
    TGfxImage& Image = AddImage();
    Image.SetKeepPixels(Atlas_ != nullptr);
    Image.SetName(std::move(Choice.Name));
    Image.SetQuality(Choice.Quality);
    Image.SetAlphaLevel(Choice.AlphaLevel);
    return &Image;
}

bool TGfxImages::LoadInto(TGfxImage& Image, const std::string& Key, TArchive& Archive, bool OwnTexture) {
    // A picture bound for the atlas is only decoded into memory; the device gets it with the
    // page, or as a texture of its own when the atlas has no room for it.
    Image.SetUploadLater(Atlas_ != nullptr && !OwnTexture);
    if (!Image.LoadFromArchive(Key, Archive)) {
        return false;
    }
    return OwnTexture || PlaceOnAtlas(Image);
}

bool TGfxImages::PlaceOnAtlas(TGfxImage& Image) {
    if (Atlas_ == nullptr || Atlas_->Add(Image)) {
        return true;
    }
    const bool Uploaded = Image.UploadNow();
    Image.DropPixels();
    return Uploaded;
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
        const TLoadChoice Choice = ChooseLoad(Key);
        if (!Choice.Accept) {
            continue;
        }
        if (!LoadImage(Key, Archive, Choice.Quality, Choice.AlphaLevel)) {
            return false;
        }
        Images.back()->SetName(Choice.Name);
    }
    // A variant may have come with this archive, or the picture it stands in for.
    ShowVariant(Variant_);
    return true;
}

TGfxImage* TGfxImages::Find(std::string_view Name) const {
    for (const auto& Image : Images) {
        if (SameName(Image->Name(), Name)) {
            return Image.get();
        }
    }
    return nullptr;
}
