// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <vector>

// A RIFF/WAVE file of 16-bit mono PCM samples, the form the game opens its effects in.
[[nodiscard]] std::vector<uint8_t> EncodeWav(const std::vector<int16_t>& Samples, int SampleRate);
