// Pixel pictures and coverage masks of the segment indicator.
#include "core/indicator/bitmap.h"

#include <algorithm>

namespace quillo::indicator {

void Bitmap::Reset(int width, int height, Pixel fill) {
  if (width <= 0 || height <= 0) width = height = 0;
  const std::size_t count = std::size_t(width) * height;
  if (count == pixels_.size() || count > pixels_.capacity()) {
    pixels_.assign(count, fill);  // the same size again (every rebuild): no allocation
  } else {
    // Smaller than before: give the rest back, so that a control created at its default size
    // and then fitted to its window does not keep the larger buffer for good.
    std::vector<Pixel>(count, fill).swap(pixels_);
  }
  width_ = width;
  height_ = height;
}

void Bitmap::Fill(Pixel p) {
  std::fill(pixels_.begin(), pixels_.end(), p);
}

void CoverageMask::Reset(int width, int height) {
  if (width <= 0 || height <= 0) width = height = 0;
  if (width == width_ && height == height_) {
    for (int y = bounds_.top; y < bounds_.bottom; ++y)
      std::fill(MutableRow(y) + bounds_.left, MutableRow(y) + bounds_.right, 0);
  } else {
    width_ = width;
    height_ = height;
    const std::size_t count = std::size_t(width) * height;
    if (count > bits_.capacity())
      bits_.assign(count, 0);
    else
      std::vector<std::uint8_t>(count, 0).swap(bits_);  // give a larger buffer back
  }
  bounds_ = {};
}

void CoverageMask::Include(const Rect& box) {
  if (box.left >= box.right || box.top >= box.bottom) return;
  if (bounds_.left >= bounds_.right) {
    bounds_ = box;
    return;
  }
  bounds_ = {std::min(bounds_.left, box.left), std::min(bounds_.top, box.top),
             std::max(bounds_.right, box.right), std::max(bounds_.bottom, box.bottom)};
}

void CoverageMask::Add(const CoverageMask& other) {
  if (other.width_ != width_ || other.height_ != height_) return;
  const Rect& b = other.bounds_;
  for (int y = b.top; y < b.bottom; ++y) {
    std::uint8_t* to = MutableRow(y);
    const std::uint8_t* from = other.Row(y);
    for (int x = b.left; x < b.right; ++x) to[x] |= from[x];
  }
  Include(b);
}

int CoverageMask::Count() const {
  return int(std::count(bits_.begin(), bits_.end(), 1));
}

std::vector<Rect> CoverageMask::Runs() const {
  std::vector<Rect> runs;
  for (int y = 0; y < height_; ++y) {
    const std::uint8_t* row = Row(y);
    for (int x = 0; x < width_;) {
      if (!row[x]) {
        ++x;
        continue;
      }
      int end = x + 1;
      while (end < width_ && row[end]) ++end;
      runs.push_back({x, y, end, y + 1});
      x = end;
    }
  }
  return runs;
}

void FillCovered(Bitmap& bitmap, const CoverageMask& mask, Pixel p) {
  if (bitmap.Width() != mask.Width() || bitmap.Height() != mask.Height()) return;
  const Rect& b = mask.Bounds();
  for (int y = b.top; y < b.bottom; ++y) {
    Pixel* out = bitmap.Row(y);
    const std::uint8_t* in = mask.Row(y);
    for (int x = b.left; x < b.right; ++x)
      if (in[x]) out[x] = p;
  }
}

}  // namespace quillo::indicator
