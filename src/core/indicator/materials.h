// Textures ("materials") of the segment indicator: their shaded copies and how they are laid.
#pragma once

#include "core/indicator/bitmap.h"
#include "core/indicator/indicator_types.h"

namespace quillo::indicator {

// Every colour channel moved by delta and held within 0...255.
Bitmap ShadedCopy(const Bitmap& source, int delta);

struct BackMaterials {
  Bitmap darker;   // -64, for the frame bands that face away from the light
  Bitmap lighter;  // +64, for the bands that face it
  Bitmap shadow;   // -32, +32 or unchanged, for unlit segments
};
BackMaterials PrepareMaterials(const Bitmap& backMaterial, IAMaterialShadowMode mode);

// Lays a texture over the whole canvas, stretched onto it (nearest pixel, as StretchBlt picks
// them) or tiled from its top-left corner; with a clip, only covered pixels change. An empty
// texture draws nothing.
void DrawMaterial(Bitmap& canvas, const Bitmap& material, IAMaterialMode mode,
                  const CoverageMask* clip = nullptr);

}  // namespace quillo::indicator
