// SPDX-License-Identifier: MIT
#pragma once

#include <string>

class TTrace;
struct TGameFolders;

// What the game hands to the desktop: documents and link files that come with the data, web
// addresses, and the companion program that starts once the game has closed. Every hand-off is
// traced; a headless run traces it and opens nothing.
class TDesktopOpener {
public:
    TDesktopOpener(const TGameFolders& Folders, bool Headless, TTrace& Trace)
        : Folders(Folders), Headless(Headless), Trace(Trace) {}

    // A file of the data folder (Path relative to it); one that is not there is ignored. A link
    // file is not handed over as a file (a desktop may show it as text): the browser gets its
    // web address, and a link without one is refused.
    void OpenFile(const std::string& Path) const;
    void OpenLink(const std::string& Address) const;
    // The companion program beside the data, with its one argument, not waited for. Only a
    // program this system can run is started: a file built for another system is left alone
    // rather than handed to the desktop, which would only offer to open it as a document.
    void StartCompanion() const;

private:
    const TGameFolders& Folders;
    const bool Headless;
    TTrace& Trace;
};
