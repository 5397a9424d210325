// SPDX-License-Identifier: MIT
// Build step of zibo-scores: draws the game's logo and icon with the content generator and
// writes them as PNG bytes into a C++ source, so the service carries its pictures inside.
#include "content/art/ArtModules.h"
#include "content/icons/AppIcon.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {
constexpr int IconSize = 64;

std::string PngBytes(const TPicture& Picture, const std::string& Scratch) {
    if (!Picture.SavePng(Scratch)) {
        return {};
    }
    std::ifstream in(Scratch, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::filesystem::remove(Scratch);
    return bytes;
}

void WriteArray(std::ofstream& Out, const char* Name, const std::string& Bytes) {
    Out << "std::string_view " << Name << "() {\n    static const unsigned char kBytes[] = {";
    for (size_t i = 0; i < Bytes.size(); ++i) {
        Out << (i % 16 == 0 ? "\n        " : " ") << static_cast<unsigned>(static_cast<unsigned char>(Bytes[i])) << ",";
    }
    Out << "\n    };\n    return {reinterpret_cast<const char*>(kBytes), sizeof(kBytes)};\n}\n";
}
} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUT.cpp\n", argv[0]);
        return 2;
    }
    const std::string out = argv[1];
    TManifest manifest;
    AddSceneImages(manifest);
    const TManifestImage* logo = manifest.FindImage("logo");
    if (!logo || logo->Patterns.empty()) {
        std::fprintf(stderr, "the content generator drew no logo\n");
        return 1;
    }
    const std::string logoPng = PngBytes(logo->Patterns.front(), out + ".logo.png");
    const std::string iconPng = PngBytes(AppIcon::Picture(IconSize), out + ".icon.png");
    if (logoPng.empty() || iconPng.empty()) {
        std::fprintf(stderr, "cannot write the pictures next to %s\n", out.c_str());
        return 1;
    }
    std::ofstream file(out, std::ios::trunc);
    file << "// Written by zibo_scores_assets from the content generator; do not edit.\n"
            "#include \"server/Assets.h\"\n\nnamespace Assets {\n";
    WriteArray(file, "LogoPng", logoPng);
    WriteArray(file, "IconPng", iconPng);
    file << "} // namespace Assets\n";
    return file.good() ? 0 : 1;
}
