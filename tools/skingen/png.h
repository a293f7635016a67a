// PNG output for the contact sheets: 8-bit RGB, unfiltered rows, one deflate block with the fixed codes.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "tools/skingen/canvas.h"

namespace skingen {

std::vector<std::uint8_t> EncodePng(const Canvas& canvas);

std::uint32_t Crc32(std::span<const std::uint8_t> bytes, std::uint32_t crc = 0);
std::uint32_t Adler32(std::span<const std::uint8_t> bytes);

}  // namespace skingen
