// SPDX-License-Identifier: MIT
#pragma once

#include "tools/fgg/FggCommands.h"

// fgg list ARCHIVE: one tab-separated line per directory entry:
// index, type, unpacked size, stored size, enciphered flag, key.
[[nodiscard]] int RunList(TFggArgs Args, const TFggIo& Io);
// fgg extract ARCHIVE KEY: the record's unpacked bytes, exactly, or nothing and a reason.
[[nodiscard]] int RunExtract(TFggArgs Args, const TFggIo& Io);
// fgg pack OUT.fgg TYPE:KEY=FILE ...: a new archive of compressed records with digests.
[[nodiscard]] int RunPack(TFggArgs Args, const TFggIo& Io);
