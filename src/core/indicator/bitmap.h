// Pixel pictures and coverage masks: the segment indicator's stand-ins for bitmaps and regions.
#pragma once

#include <cstdint>
#include <vector>

#include "core/indicator/indicator_types.h"

namespace quillo::indicator {

// One pixel is a 0x00RRGGBB word and rows run top-down, the layout of a 32-bit top-down DIB,
// so the Windows side can copy a picture to the screen without converting it.
using Pixel = std::uint32_t;

constexpr Pixel PixelOf(Color rgb) {
  return Pixel(BlueOf(rgb)) | (Pixel(GreenOf(rgb)) << 8) | (Pixel(RedOf(rgb)) << 16);
}
constexpr Color ColorOf(Pixel p) {
  return MakeColor((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

class Bitmap {
 public:
  Bitmap() = default;
  Bitmap(int width, int height, Pixel fill = 0) { Reset(width, height, fill); }

  // A bitmap with no pixels has both sizes 0, so "width > 0" always means there is something to
  // draw (a zero-height texture would otherwise pass as a texture and break tiling).
  void Reset(int width, int height, Pixel fill = 0);

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ == 0; }

  Pixel At(int x, int y) const { return pixels_[std::size_t(y) * width_ + x]; }
  void Set(int x, int y, Pixel p) { pixels_[std::size_t(y) * width_ + x] = p; }
  Pixel* Row(int y) { return pixels_.data() + std::size_t(y) * width_; }
  const Pixel* Row(int y) const { return pixels_.data() + std::size_t(y) * width_; }
  const Pixel* Data() const { return pixels_.data(); }
  void Fill(Pixel p);
  // The memory the pixels hold on to (their buffer's capacity).
  std::size_t BufferBytes() const { return pixels_.capacity() * sizeof(Pixel); }

  friend bool operator==(const Bitmap&, const Bitmap&) = default;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<Pixel> pixels_;
};

// A region of a canvas as one byte per pixel, 1 = inside. It also keeps a box outside which
// nothing is covered, so that small regions on a large canvas cost little to clear and paint.
class CoverageMask {
 public:
  CoverageMask() = default;
  CoverageMask(int width, int height) { Reset(width, height); }

  void Reset(int width, int height);  // everything outside
  std::size_t BufferBytes() const { return bits_.capacity(); }
  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Covered(int x, int y) const {
    return x >= 0 && y >= 0 && x < width_ && y < height_ && bits_[std::size_t(y) * width_ + x];
  }
  const std::uint8_t* Row(int y) const { return bits_.data() + std::size_t(y) * width_; }
  // Nothing outside this box is covered (it may be larger than the covered part).
  const Rect& Bounds() const { return bounds_; }

  void Add(const CoverageMask& other);  // union; both the same size
  int Count() const;
  // The covered pixels as maximal horizontal runs, row by row, top to bottom: what a platform
  // region is built from.
  std::vector<Rect> Runs() const;

  friend bool operator==(const CoverageMask& a, const CoverageMask& b) {
    return a.width_ == b.width_ && a.height_ == b.height_ && a.bits_ == b.bits_;
  }

 private:
  friend void RasterizeEvenOdd(const Point*, const std::int32_t*, int, int, int, CoverageMask&);
  std::uint8_t* MutableRow(int y) { return bits_.data() + std::size_t(y) * width_; }
  void Include(const Rect& box);

  int width_ = 0;
  int height_ = 0;
  Rect bounds_;
  std::vector<std::uint8_t> bits_;
};

// Paints p into every covered pixel; the mask has the bitmap's size.
void FillCovered(Bitmap& bitmap, const CoverageMask& mask, Pixel p);

}  // namespace quillo::indicator
