// SPDX-License-Identifier: MIT
#pragma once

#include "content/Manifest.h"

#include <string>

// Writes the three archives of the manifest into GameDir ("Data/data.fgg", "Data/gdata.fgg",
// "Data/data1.fgg"), each record in registration order; images become 32-bit ARGB image
// records. False when a record cannot be made or a file cannot be written.
[[nodiscard]] bool WriteArchives(const TManifest& Manifest, const std::string& GameDir);
