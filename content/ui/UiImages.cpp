// SPDX-License-Identifier: MIT
#include "content/ui/UiImages.h"

#include "archive/Stream.h"

#include <filesystem>

std::vector<TPicture> DrawUiImage(const TUiImageRequest& Request, const TPictureWords& Words) {
    switch (Request.Kind) {
    case TUiImageRequest::TKind::Panel:
        return {DrawPanel(Request.Width, Request.Height, Request.Insets)};
    case TUiImageRequest::TKind::Button:
        return DrawButton(Request.Width, Request.Height, Request.Theme, Request.Icon);
    case TUiImageRequest::TKind::Tab:
        return DrawTab(Request.Width, Request.Height);
    case TUiImageRequest::TKind::Switch:
        return DrawSwitch(Request.Width, Request.Height, Words);
    }
    return {};
}

void AddUiImages(TManifest& Manifest) {
    // A dry run of the layout names every picture it will refer to.
    TGuiLayout Layout({[](const std::string&) { return -1; }, [](const std::string&) { return 0; }});
    (void)Layout.Build();
    for (const TUiImageRequest& Request : Layout.ImageRequests()) {
        // Only the switches carry words.
        if (Request.Kind == TUiImageRequest::TKind::Switch) {
            Manifest.AddImageWithWords(UiArchive, Request.Name, [&Request](const TPictureWords& Words) {
                return DrawUiImage(Request, Words);
            });
        } else {
            Manifest.AddImage(UiArchive, Request.Name, DrawUiImage(Request));
        }
    }
}

bool WriteGuiFile(const TManifest& Manifest, const std::string& GameDir) {
    // A name the manifest lacks (a run of only some modules) would leave a control without
    // its picture or text; such a file is not written at all.
    bool Complete = true;
    const auto Lookup = [&Complete](int Index) {
        Complete = Complete && Index >= 0;
        return Index;
    };
    TGuiLayout Layout({[&](const std::string& Name) { return Lookup(Manifest.ImageIndex(Name)); },
                       [&](const std::string& Name) { return Lookup(Manifest.FontIndex(Name)); }});
    const std::vector<uint8_t> Bytes = WriteGuiTree(Layout.Build());
    if (!Complete) {
        return false;
    }
    std::error_code Error;
    std::filesystem::create_directories(std::filesystem::path(GameDir) / "Data", Error);
    TFileStream File((std::filesystem::path(GameDir) / "Data" / "gfx.fgg").string(),
                     TFileStream::TMode::Create);
    if (!File.IsOpen() || !File.WriteExact(Bytes.data(), Bytes.size())) {
        return false;
    }
    return File.Close();
}
