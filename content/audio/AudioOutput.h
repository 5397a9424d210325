// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes Bytes to Path, creating its folder; false when the file could not be written whole.
[[nodiscard]] bool WriteAudioFile(const std::string& Path, const std::vector<uint8_t>& Bytes);
