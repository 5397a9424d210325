// SPDX-License-Identifier: MIT
#pragma once

#include "platform/RenderBackend.h"

#include <cstdint>
#include <string>
#include <vector>

// Writes 0xAARRGGBB pixels, top row first, as an RGBA PNG file. False on any failure (the
// file is then removed).
[[nodiscard]] bool WritePng(const std::string& FileName, const std::vector<uint32_t>& Pixels, int Width,
                            int Height);
// The backend's current back buffer as a PNG file.
[[nodiscard]] bool SaveScreenshot(TRenderBackend& Backend, const std::string& FileName);
