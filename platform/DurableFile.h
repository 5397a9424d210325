// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

// Replaces the file at Path with Bytes so that a crash, a kill or a power cut at any moment
// leaves either the old file or the new one, whole. The bytes go to Path + ".tmp" (a stale
// one left by an interrupted save is removed first, never written through), reach the disk
// before the temporary file is renamed over Path, and the folder's entry is flushed after the
// rename. Returns 0 on success, otherwise the errno value of the step that failed; the
// temporary file is then removed and Path is left as it was.
[[nodiscard]] int ReplaceFileDurably(const std::string& Path, std::string_view Bytes);
