// The one bitmap layout shared with the core's pictures: 32 bits a pixel, rows top-down.
#pragma once

#include <windows.h>

namespace quillo {

inline BITMAPINFO TopDownBitmapInfo(int width, int height) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;  // negative: the first row is the top one
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  return bi;
}

}  // namespace quillo
