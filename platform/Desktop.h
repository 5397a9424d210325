// SPDX-License-Identifier: MIT
#pragma once

#include "platform/Types.h"

#include <string>
#include <string_view>

// The desktop around the game's window: screen size, message boxes, clipboard, files.

// The desktop's resolution, or 800x600 when the video system cannot tell.
[[nodiscard]] TPoint DesktopSize();
// A modal box with one OK button; title and text in code page 1251.
void ShowMessageBox(std::string_view Title, std::string_view Text);
// The clipboard's plain text in code page 1251 (empty when there is none).
[[nodiscard]] std::string ClipboardText();
// True when Path names an existing regular file.
[[nodiscard]] bool FileExists(const std::string& Path);
// The folder that holds the running executable, with no trailing slash; empty when the system
// cannot tell.
[[nodiscard]] std::string ExecutableFolder();
// The player's home folder: $HOME, else the account's home from the user database; empty when
// neither is known.
[[nodiscard]] std::string HomeFolder();
// An environment variable's value, empty when unset.
[[nodiscard]] std::string EnvironmentValue(const char* Name);
// Creates Folder and every missing folder above it, each new one readable by its owner only
// (mode 0700); folders that exist keep their mode. False, with a one-line reason, when it cannot
// (errno then tells why: ENOTDIR when a part of the path is not a folder).
[[nodiscard]] bool MakePrivateFolder(const std::string& Folder, std::string& Error);
// True when Path names a regular file this system may run (its execute permission is set).
[[nodiscard]] bool IsProgramFile(const std::string& Path);
