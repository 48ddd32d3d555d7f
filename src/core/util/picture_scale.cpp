// Area-averaging resize and flattening of straight-alpha pictures.
#include "core/util/picture_scale.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace quillo {
namespace {

struct Tap {
  int index;
  double weight;
};

// For each target coordinate, the source pixels under it and how much of each.
std::vector<std::vector<Tap>> Taps(int source, int target) {
  std::vector<std::vector<Tap>> taps(static_cast<size_t>(target));
  const double scale = static_cast<double>(source) / target;
  for (int t = 0; t < target; ++t) {
    const double from = t * scale, to = (t + 1) * scale;
    for (int s = static_cast<int>(std::floor(from)); s < to && s < source; ++s) {
      const double w = std::min<double>(to, s + 1) - std::max<double>(from, s);
      if (w > 1e-12) taps[t].push_back({s, w});
    }
  }
  return taps;
}

uint32_t Channel(uint32_t p, int shift) {
  return (p >> shift) & 0xFF;
}

}  // namespace

ArgbPicture ResizeByArea(const ArgbPicture& source, int width, int height) {
  ArgbPicture out;
  if (source.width <= 0 || source.height <= 0 || width <= 0 || height <= 0) return out;
  out.width = width;
  out.height = height;
  out.pixels.resize(static_cast<size_t>(width) * height);
  const auto xs = Taps(source.width, width);
  const auto ys = Taps(source.height, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      std::array<double, 4> sum{};  // premultiplied red, green, blue; alpha
      double area = 0;
      for (const Tap& ty : ys[y])
        for (const Tap& tx : xs[x]) {
          const uint32_t p = source.pixels[static_cast<size_t>(ty.index) * source.width + tx.index];
          const double w = ty.weight * tx.weight;
          const double a = Channel(p, 24) / 255.0;
          sum[0] += w * a * Channel(p, 16);
          sum[1] += w * a * Channel(p, 8);
          sum[2] += w * a * Channel(p, 0);
          sum[3] += w * a;
          area += w;
        }
      uint32_t pixel = 0;
      if (sum[3] > 0) {
        const auto c = [&](double v) {
          return static_cast<uint32_t>(std::clamp(std::lround(v / sum[3]), 0L, 255L));
        };
        const auto alpha =
            static_cast<uint32_t>(std::clamp(std::lround(sum[3] / area * 255), 0L, 255L));
        pixel = alpha << 24 | c(sum[0]) << 16 | c(sum[1]) << 8 | c(sum[2]);
      }
      out.pixels[static_cast<size_t>(y) * width + x] = pixel;
    }
  return out;
}

std::vector<uint32_t> FlattenOnto(const ArgbPicture& picture, uint32_t rgb) {
  std::vector<uint32_t> out(picture.pixels.size());
  for (size_t i = 0; i < out.size(); ++i) {
    const uint32_t p = picture.pixels[i];
    const uint32_t a = Channel(p, 24);
    uint32_t pixel = 0;
    for (int shift : {16, 8, 0}) {
      const uint32_t v = (Channel(p, shift) * a + Channel(rgb, shift) * (255 - a) + 127) / 255;
      pixel |= v << shift;
    }
    out[i] = pixel;
  }
  return out;
}

}  // namespace quillo
