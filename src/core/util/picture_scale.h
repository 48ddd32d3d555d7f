// Pictures with straight alpha, resized by area averaging and laid over a solid colour: how the
// about dialog's logo is fitted to the screen's DPI.
#pragma once

#include <cstdint>
#include <vector>

namespace quillo {

// 0xAARRGGBB pixels, alpha not premultiplied, rows top-down.
struct ArgbPicture {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;
};

// Each target pixel is the mean of the source area it covers, weighted by how much of each source
// pixel lies under it, and by alpha (so transparent pixels lend no colour to their neighbours).
// An empty source or target size gives an empty picture.
ArgbPicture ResizeByArea(const ArgbPicture& source, int width, int height);

// The picture laid over an opaque colour 0x00RRGGBB: opaque 0x00RRGGBB pixels, as a 32-bit DIB
// holds them.
std::vector<uint32_t> FlattenOnto(const ArgbPicture& picture, uint32_t rgb);

}  // namespace quillo
