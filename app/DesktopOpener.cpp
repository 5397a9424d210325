// SPDX-License-Identifier: MIT
#include "app/DesktopOpener.h"

#include "app/GameFolders.h"
#include "app/LinkFile.h"
#include "app/Trace.h"
#include "platform/Desktop.h"
#include "platform/Shell.h"

#include <fstream>

namespace {
// The whole file when it is at most Limit bytes long; empty otherwise.
std::string ReadSmallFile(const std::string& File, size_t Limit) {
    std::ifstream in(File, std::ios::binary);
    std::string text(Limit + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    const auto got = static_cast<size_t>(in.gcount());
    return got <= Limit ? text.substr(0, got) : std::string();
}
} // namespace

void TDesktopOpener::OpenFile(const std::string& Path) const {
    const std::string file = Folders.InData(Path).string();
    if (!FileExists(file)) {
        return;
    }
    if (!IsLinkFile(Path)) {
        Trace.Event("open", {{"path", Path}});
        if (!Headless) {
            ShellOpen(file);
        }
        return;
    }
    const std::string address = LinkFileAddress(ReadSmallFile(file, kMaxLinkFileBytes));
    if (address.empty()) {
        Trace.Event("open", {{"path", Path}, {"refused", "1"}});
        return;
    }
    Trace.Event("open", {{"path", Path}, {"url", address}});
    if (!Headless) {
        ShellOpen(address);
    }
}

void TDesktopOpener::OpenLink(const std::string& Address) const {
    Trace.Event("open", {{"path", Address}});
    if (!Headless) {
        ShellOpen(Address);
    }
}

void TDesktopOpener::StartCompanion() const {
    static const std::string Program = "fscommand/wgame";
    static const std::string Argument = "target=\"_blank\"";
    const std::string file = Folders.InData(Program).string();
    if (!IsProgramFile(file)) {
        return;
    }
    Trace.Event("open", {{"path", Program}, {"args", Argument}});
    if (!Headless) {
        StartDetached({file, Argument});
    }
}
