// Textures of the segment indicator.
#include "core/indicator/materials.h"

#include <algorithm>
#include <vector>

namespace quillo::indicator {
namespace {

std::int64_t FloorDiv(std::int64_t num, std::int64_t den) {
  std::int64_t q = num / den;
  if (num % den != 0 && (num < 0) != (den < 0)) --q;
  return q;
}

// The source index a nearest-pixel stretch (StretchBlt with COLORONCOLOR) shows at target index
// d. Enlarging, it is the source pixel under the target pixel's centre, a centre on a border
// going to the lower pixel. Shrinking, several source pixels have their centres in one target
// pixel (again counting a border to the lower one) and only one of them survives: GDI keeps
// the last column but the first row.
int StretchSource(int d, int sourceLength, int targetLength, bool keepFirst) {
  const std::int64_t s = sourceLength, t = targetLength;
  if (s <= t) return int(FloorDiv((2 * d + 1) * s + 2 * t - 1, 2 * t) - 1);  // ceil() - 1
  if (keepFirst) return int(FloorDiv(2 * d * s - t, 2 * t) + 1);
  return int(FloorDiv(2 * (d + 1) * s - t, 2 * t));
}

}  // namespace

Bitmap ShadedCopy(const Bitmap& source, int delta) {
  Bitmap out(source.Width(), source.Height());
  const auto channel = [delta](Pixel p, int shift) {
    return Pixel(std::clamp(int((p >> shift) & 0xFF) + delta, 0, 255)) << shift;
  };
  for (int y = 0; y < source.Height(); ++y) {
    const Pixel* in = source.Row(y);
    Pixel* to = out.Row(y);
    for (int x = 0; x < source.Width(); ++x)
      to[x] = channel(in[x], 0) | channel(in[x], 8) | channel(in[x], 16);
  }
  return out;
}

BackMaterials PrepareMaterials(const Bitmap& back, IAMaterialShadowMode mode) {
  const int shadow = mode == IAMaterialShadowMode::msmDark    ? -32
                     : mode == IAMaterialShadowMode::msmLight ? 32
                                                              : 0;
  return {ShadedCopy(back, -64), ShadedCopy(back, 64), ShadedCopy(back, shadow)};
}

void DrawMaterial(Bitmap& canvas, const Bitmap& material, IAMaterialMode mode,
                  const CoverageMask* clip) {
  const int cw = canvas.Width(), ch = canvas.Height();
  const int bw = material.Width(), bh = material.Height();
  if (material.Empty() || canvas.Empty()) return;
  std::vector<int> sx(cw), sy(ch);
  for (int x = 0; x < cw; ++x)
    sx[x] = mode == mmTile ? x % bw : StretchSource(x, bw, cw, /*keepFirst=*/false);
  for (int y = 0; y < ch; ++y)
    sy[y] = mode == mmTile ? y % bh : StretchSource(y, bh, ch, /*keepFirst=*/true);
  for (int y = 0; y < ch; ++y) {
    Pixel* out = canvas.Row(y);
    const Pixel* in = material.Row(sy[y]);
    const std::uint8_t* covered = clip ? clip->Row(y) : nullptr;
    for (int x = 0; x < cw; ++x)
      if (!covered || covered[x]) out[x] = in[sx[x]] & 0xFFFFFF;
  }
}

}  // namespace quillo::indicator
