// Pictures as PNG files, for "Save picture...": 8-bit RGB, compressed with deflate's fixed codes
// and matches of the pixel before and of the row above, which is what charts of flat colours need.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quillo {

// `pixels` holds width × height words 0x00RRGGBB, rows top-down (a 32-bit top-down DIB's layout).
std::vector<uint8_t> EncodePng(int width, int height, const uint32_t* pixels);

// The CRC-32 of PNG chunks and zip files.
uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc = 0);

}  // namespace quillo
