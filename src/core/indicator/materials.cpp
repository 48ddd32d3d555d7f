// Textures of the segment indicator.
#include "core/indicator/materials.h"

#include <algorithm>
#include <vector>

namespace quillo::indicator {

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
  // Source column and row of every canvas column and row. Stretching samples the source pixel
  // under each target pixel's centre, which is what a nearest-pixel StretchBlt picks.
  std::vector<int> sx(cw), sy(ch);
  for (int x = 0; x < cw; ++x)
    sx[x] = mode == IAMaterialMode::mmTile ? x % bw : int((2LL * x + 1) * bw / (2LL * cw));
  for (int y = 0; y < ch; ++y)
    sy[y] = mode == IAMaterialMode::mmTile ? y % bh : int((2LL * y + 1) * bh / (2LL * ch));
  for (int y = 0; y < ch; ++y) {
    Pixel* out = canvas.Row(y);
    const Pixel* in = material.Row(sy[y]);
    const std::uint8_t* covered = clip ? clip->Row(y) : nullptr;
    for (int x = 0; x < cw; ++x)
      if (!covered || covered[x]) out[x] = in[sx[x]] & 0xFFFFFF;
  }
}

}  // namespace quillo::indicator
