// The segment indicator control: property writers, size and shape rules, and picture building.
#include "core/indicator/liquid_indicator.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <numbers>

#include "core/indicator/materials.h"
#include "core/indicator/polygon_fill.h"

namespace quillo::indicator {
namespace {

Quad RectQuad(int width, int height) {
  return {{{0, 0}, {width, 0}, {width, height}, {0, height}}};
}

// What the polygons of one cell cover, relative to that cell's corner `origin`: a filled span
// ends before its vertices' right and bottom, so one pixel more is only a margin.
Rect CellBox(const Points& lit, const Points& unlit, Point origin) {
  Rect box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
  for (const Points* list : {&lit, &unlit})
    for (const Point& p : *list) {
      box.left = std::min(box.left, p.x - origin.x);
      box.top = std::min(box.top, p.y - origin.y);
      box.right = std::max(box.right, p.x - origin.x + 1);
      box.bottom = std::max(box.bottom, p.y - origin.y + 1);
    }
  return box.left <= box.right ? box : Rect{};
}

}  // namespace

IAeverLiquidIndicator::IAeverLiquidIndicator(IndicatorHost* host) : host_(host) {
  width_ = indicatorWidth_;
  height_ = indicatorHeight_;
  // No window exists yet, so there is no parent to give a shape to.
  windowShape_ =
      WindowShapeQuad(indicatorWidth_, indicatorHeight_, indicatorAngle_, width_, height_);
  RebuildImage();
}

void IAeverLiquidIndicator::Loaded() {
  imloaded_ = true;
  PrepareMaterials();
  UpdateWindowShape();
  RebuildAndRepaint();
}

// ---- writers ---------------------------------------------------------------------------------

void IAeverLiquidIndicator::SetColorScheme(IAColorScheme value) {
  colorScheme_ = value;
  if (!Active()) return;
  // A stored form sets the single colours after the scheme, so only a live control takes the
  // scheme's colours; the picture follows through the queue, not at once.
  const SchemeColors& s = SchemeColorsOf(value);
  backColor_ = s.backColor;
  bevelColor_ = s.bevelColor;
  numberBackColor_ = s.numberBackColor;
  numberForeColor_ = s.numberForeColor;
  numberForeColor1_ = s.numberForeColor1;
  PostRebuild();
}

void IAeverLiquidIndicator::SetSignNumber(int value) {
  if (value <= 0 || value == signNumber_) return;
  signNumber_ = value;
  UpdateWindowShape();
  RebuildAndRepaint();
}

void IAeverLiquidIndicator::SetIndicatorWidth(int value) {
  if (value <= 0 || value == indicatorWidth_) return;
  indicatorWidth_ = value;
  if (Active()) ResizeToPicture();
}

void IAeverLiquidIndicator::SetIndicatorHeight(int value) {
  if (value <= 0 || value == indicatorHeight_) return;
  indicatorHeight_ = value;
  if (Active()) ResizeToPicture();
}

void IAeverLiquidIndicator::SetIndicatorAngle(int value) {
  if (value == indicatorAngle_) return;
  indicatorAngle_ = value;
  if (!Active()) return;
  const Size box = BoundingSize(indicatorWidth_, indicatorHeight_, indicatorAngle_);
  Resize(box.width, box.height, true);
  if (host_) host_->UpdateControl();
  UpdateWindowShape();
  RebuildAndRepaint();
}

void IAeverLiquidIndicator::SetIndicatorGap(int value) {
  WriteAndRebuild(indicatorGap_, value);
}

void IAeverLiquidIndicator::SetIndicatorstring(std::string_view utf8) {
  // The sampler writes every figure about 13 times a second: an unchanged text must cost
  // nothing but this comparison.
  if (utf8 == indicatorString_) return;
  indicatorString_.assign(utf8);
  if (rebuildWanted_ || cells_.size() != std::size_t(signNumber_)) {
    RebuildAndRepaint();
    return;
  }
  // A figure that counts on changes its last digits: only the cells that show something else
  // are repainted, and a text laid out as the last one ("1,5" after "1.5") repaints nothing.
  LayoutCells(indicatorString_, signNumber_, indicatorKind_, nextCells_);
  const CellSpan changed = ChangedCells(cells_, nextCells_);
  if (changed.count == 0) return;
  cells_.swap(nextCells_);
  BuildPicture();
  if (host_) host_->InvalidateArea(CellsArea(changed));
}

void IAeverLiquidIndicator::SetIndicatorKind(IAIndicatorKind value) {
  WriteAndRebuild(indicatorKind_, value);
}
void IAeverLiquidIndicator::SetInnerBevel(IABevelKind value) {
  WriteAndRebuild(innerBevel_, value);
}
void IAeverLiquidIndicator::SetOuterBevel(IABevelKind value) {
  WriteAndRebuild(outerBevel_, value);
}

void IAeverLiquidIndicator::SetInnerBevelWidth(int value) {
  if (value > 0) WriteAndRebuild(innerBevelWidth_, value);
}
void IAeverLiquidIndicator::SetOuterBevelWidth(int value) {
  if (value > 0) WriteAndRebuild(outerBevelWidth_, value);
}

void IAeverLiquidIndicator::SetBevelColor(Color value) {
  WriteAndRebuild(bevelColor_, value);
}
void IAeverLiquidIndicator::SetBackColor(Color value) {
  WriteAndRebuild(backColor_, value);
}
void IAeverLiquidIndicator::SetNumberForeColor(Color value) {
  WriteAndRebuild(numberForeColor_, value);
}
void IAeverLiquidIndicator::SetNumberForeColor1(Color value) {
  WriteAndRebuild(numberForeColor1_, value);
}
void IAeverLiquidIndicator::SetNumberBackColor(Color value) {
  WriteAndRebuild(numberBackColor_, value);
}
void IAeverLiquidIndicator::SetIndicatorStyle(IAIndicatorStyle value) {
  WriteAndRebuild(indicatorStyle_, value);
}
void IAeverLiquidIndicator::SetMouseAction(IAMouseAction value) {
  WriteAndRebuild(mouseAction_, value);
}

void IAeverLiquidIndicator::SetTransparentMode(IATransparentMode value) {
  if (value == transparentMode_) return;
  transparentMode_ = value;
  if (host_) host_->SetOpaque(value == tmNone);
  RebuildAndRepaint();
}

void IAeverLiquidIndicator::SetBackMaterial(const Bitmap& picture) {
  backMaterial_ = picture;
  PrepareMaterials();
  RebuildAndRepaint();
}

void IAeverLiquidIndicator::SetForeMaterial(const Bitmap& picture) {
  foreMaterial_ = picture;
  RebuildAndRepaint();
}

void IAeverLiquidIndicator::SetMaterialShadowMode(IAMaterialShadowMode value) {
  if (value == materialShadowMode_) return;
  materialShadowMode_ = value;
  PrepareMaterials();
  RebuildAndRepaint();
}

void IAeverLiquidIndicator::SetMaterialMode(IAMaterialMode value) {
  WriteAndRebuild(materialMode_, value);
}
void IAeverLiquidIndicator::SetForeMaterialMode(IAMaterialMode value) {
  WriteAndRebuild(foreMaterialMode_, value);
}

template <typename T>
void IAeverLiquidIndicator::WriteAndRebuild(T& field, T value) {
  if (field == value) return;
  field = value;
  RebuildAndRepaint();
}

// ---- size, shape and messages ----------------------------------------------------------------

void IAeverLiquidIndicator::SetSize(int width, int height) {
  Resize(width, height, true);
}

void IAeverLiquidIndicator::Resize(int width, int height, bool repaint) {
  if (host_) {
    host_->ResizeWindow(width, height, repaint);
  } else if (width != width_ || height != height_) {
    SizeChanged(width, height);
  }
}

void IAeverLiquidIndicator::SizeChanged(int width, int height) {
  width_ = width;
  height_ = height;
  const double theta = double(indicatorAngle_) * std::numbers::pi / 1800.0;
  if (std::abs(std::sin(theta)) < 0.0001) {
    // Upright or upside down: sizing the control sizes the picture.
    indicatorWidth_ = width;
    indicatorHeight_ = height;
    UpdateWindowShape();
    PostRebuild();
  } else if (std::abs(std::cos(theta)) < 0.0001) {
    // On its side: the same with width and height swapped.
    indicatorWidth_ = height;
    indicatorHeight_ = width;
    UpdateWindowShape();
    RebuildAndRepaint();
  } else {
    // At any other angle the picture decides the window's size; undo the change.
    const Quad area = CoveredArea();
    const Size box = BoundingSize(indicatorWidth_, indicatorHeight_, indicatorAngle_);
    Resize(box.width, box.height, false);
    if (host_) {
      host_->InvalidateParentArea(area);
      host_->RepaintParent();
    }
    PostRebuild();
  }
}

void IAeverLiquidIndicator::ResizeToPicture() {
  const Quad area = CoveredArea();
  const Size box = BoundingSize(indicatorWidth_, indicatorHeight_, indicatorAngle_);
  Resize(box.width, box.height, false);
  UpdateWindowShape();
  if (host_) host_->InvalidateParentArea(area);
  RebuildImage();
  if (host_) host_->RepaintParent();
}

Quad IAeverLiquidIndicator::CoveredArea() const {
  return shapeApplied_ ? appliedShape_ : RectQuad(width_, height_);
}

void IAeverLiquidIndicator::UpdateWindowShape() {
  windowShape_ =
      WindowShapeQuad(indicatorWidth_, indicatorHeight_, indicatorAngle_, width_, height_);
  if (host_ && host_->HasParent()) {
    host_->ApplyWindowShape(windowShape_);
    appliedShape_ = windowShape_;
    shapeApplied_ = true;
  }
}

CoverageMask IAeverLiquidIndicator::WindowShapeMask() const {
  CoverageMask mask;
  RasterizePolygon(windowShape_.data(), 4, width_, height_, mask);
  return mask;
}

bool IAeverLiquidIndicator::HoverAltersPicture() const {
  switch (mouseAction_) {
    case maWidth:
    case maBoth:
      return true;
    case maColor:
      // The hover colour replaces a lit texture even when it equals the lit colour.
      return !foreMaterial_.Empty() || Resolve(numberForeColor1_) != Resolve(numberForeColor_);
    default:
      return false;
  }
}

void IAeverLiquidIndicator::MouseEnter() {
  moused_ = true;
  // The request is queued as always; a picture that the pointer does not change is not built
  // again when it comes round (the panel's indicators hover in the lit colour itself, and the
  // pointer crosses them often).
  PostRebuild(HoverAltersPicture());
  if (onMouseEnter_) onMouseEnter_(*this);
}

void IAeverLiquidIndicator::MouseLeave() {
  moused_ = false;
  PostRebuild(HoverAltersPicture());
  if (onMouseLeave_) onMouseLeave_(*this);
}

void IAeverLiquidIndicator::HandleRebuildRequest() {
  if (!rebuildWanted_) return;  // nothing queued can change the picture
  rebuildWanted_ = false;
  RebuildAndRepaint();
}

void IAeverLiquidIndicator::RebuildAndRepaint() {
  RebuildImage();
  if (host_) host_->InvalidateControl();
}

void IAeverLiquidIndicator::PostRebuild(bool needed) {
  rebuildWanted_ = rebuildWanted_ || needed;
  if (host_)
    host_->PostRebuildRequest();
  else
    HandleRebuildRequest();
}

void IAeverLiquidIndicator::PrepareMaterials() {
  BackMaterials m = quillo::indicator::PrepareMaterials(backMaterial_, materialShadowMode_);
  backMaterialD_ = std::move(m.darker);
  backMaterialL_ = std::move(m.lighter);
  backMaterialLD_ = std::move(m.shadow);
}

Color IAeverLiquidIndicator::Resolve(Color c) const {
  if (!IsSystemColor(c)) return c & 0xFFFFFF;
  const int index = SystemColorIndex(c);
  return (host_ ? host_->ResolveSystemColor(index) : DefaultSystemColor(index)) & 0xFFFFFF;
}

// ---- the picture -----------------------------------------------------------------------------

void IAeverLiquidIndicator::RebuildImage() {
  LayoutCells(indicatorString_, signNumber_, indicatorKind_, cells_);
  BuildPicture();
}

Rect IAeverLiquidIndicator::CellsArea(CellSpan span) const {
  const Rect whole{0, 0, width_, height_};
  if (indicatorAngle_ != 0 || transparentMode_ != tmNone || span.count <= 0 ||
      glyphBox_.right <= glyphBox_.left)
    return whole;
  const int left = (width_ - indicatorWidth_) / 2 + cellInset_ + span.first * cellWidth_;
  const int top = (height_ - indicatorHeight_) / 2 + cellInset_;
  Rect r{left + glyphBox_.left, top + glyphBox_.top,
         left + (span.count - 1) * cellWidth_ + glyphBox_.right, top + glyphBox_.bottom};
  r.left = std::max(r.left, 0);
  r.top = std::max(r.top, 0);
  r.right = std::min(r.right, width_);
  r.bottom = std::min(r.bottom, height_);
  return r.left < r.right && r.top < r.bottom ? r : Rect{};
}

void IAeverLiquidIndicator::BuildPicture() {
  ++rebuildCount_;
  const int CW = width_, CH = height_;
  const int IW = indicatorWidth_, IH = indicatorHeight_;

  hasClipRGN_ = transparentMode_ != tmNone;
  if (hasClipRGN_) clipRGN_.Reset(CW, CH);

  blackPolyPoly_.clear();
  grayPOlyPoly_.clear();
  blackVertex_.clear();
  grayVertex_.clear();

  // Cells, each glyph's polygons already moved by the inset E.
  const int E =
      CellInset(indicatorGap_, outerBevel_, outerBevelWidth_, innerBevel_, innerBevelWidth_);
  const Size cell = CellSize(IW, IH, signNumber_, E);
  const GlyphMetrics metrics =
      MakeGlyphMetrics(indicatorKind_, indicatorStyle_, Widened(), cell.width, cell.height);
  for (int k = 0; k < signNumber_; ++k) {
    BuildGlyph(metrics, k * cell.width + E, E, cells_[k], blackPolyPoly_, blackVertex_,
               grayPOlyPoly_, grayVertex_);
    // Every cell has the same segments or dots, lit or not: the first one's box serves all,
    // until the cells' shapes change.
    if (k == 0 && !(metrics == glyphBoxMetrics_)) {
      glyphBox_ = CellBox(blackPolyPoly_, grayPOlyPoly_, {E, E});
      glyphBoxMetrics_ = metrics;
    }
  }
  cellWidth_ = cell.width;
  cellInset_ = E;
  blackN_ = int(blackVertex_.size());
  grayN_ = int(grayVertex_.size());

  const int shiftX = (CW - IW) / 2, shiftY = (CH - IH) / 2;
  const auto place = [&](Point* points, std::size_t count) {
    RotateAbout(points, count, IW / 2, IH / 2, indicatorAngle_);
    if (shiftX == 0 && shiftY == 0) return;
    for (std::size_t i = 0; i < count; ++i) {
      points[i].x += shiftX;
      points[i].y += shiftY;
    }
  };
  place(blackPolyPoly_.data(), blackPolyPoly_.size());
  place(grayPOlyPoly_.data(), grayPOlyPoly_.size());

  // Layers, bottom to top: background, outer frame, inner frame, lit shapes, unlit shapes.
  const bool textured = !backMaterial_.Empty();
  canvasBitmap_.Reset(CW, CH, textured ? 0 : PixelOf(Resolve(backColor_)));
  if (textured) DrawMaterial(canvasBitmap_, backMaterial_, materialMode_);

  const int octant = Octant(indicatorAngle_);
  const Color bevel = Resolve(bevelColor_);
  if (outerBevel_ != bkNone) {
    auto bands = FrameBands(IW, IH, 0, outerBevelWidth_);
    place(bands.data(), bands.size());
    PaintFrame(bands.data(), outerBevel_, octant, bevel);
  }
  if (innerBevel_ != bkNone) {
    const int inset = outerBevel_ == bkNone ? 0 : outerBevelWidth_;
    auto bands = FrameBands(IW, IH, inset, innerBevelWidth_);
    place(bands.data(), bands.size());
    PaintFrame(bands.data(), innerBevel_, octant, bevel);
  }

  if (blackN_ > 0) {
    const bool hover = HoverColor();
    RasterizeEvenOdd(blackPolyPoly_, blackVertex_, CW, CH, scratch_);
    if (hasClipRGN_) clipRGN_.Add(scratch_);
    if (foreMaterial_.Empty() || hover)
      FillCovered(canvasBitmap_, scratch_,
                  PixelOf(Resolve(hover ? numberForeColor1_ : numberForeColor_)));
    else
      DrawMaterial(canvasBitmap_, foreMaterial_, foreMaterialMode_, &scratch_);
  }
  if (grayN_ > 0) {
    RasterizeEvenOdd(grayPOlyPoly_, grayVertex_, CW, CH, scratch_);
    if (transparentMode_ == tmBackOnly) clipRGN_.Add(scratch_);
    if (textured)
      DrawMaterial(canvasBitmap_, backMaterialLD_, materialMode_, &scratch_);
    else
      FillCovered(canvasBitmap_, scratch_, PixelOf(Resolve(numberBackColor_)));
  }
}

void IAeverLiquidIndicator::PaintFrame(const Point* bands, IABevelKind kind, int octant,
                                       Color bevel) {
  // Light falls from the top left of the screen at any angle: the bands that face it are lit
  // on a raised frame and shaded on a sunken one.
  const BandOrder order = FrameBandOrder(octant);
  const bool facingLighter = kind == bkUP;
  const Pixel lighter = PixelOf(LighterColor(bevel)), darker = PixelOf(DarkerColor(bevel));
  for (Band band : order.facing)
    PaintBand(bands + 4 * band, facingLighter, facingLighter ? lighter : darker);
  for (Band band : order.averted)
    PaintBand(bands + 4 * band, !facingLighter, facingLighter ? darker : lighter);
}

void IAeverLiquidIndicator::PaintBand(const Point* quad, bool lighter, Pixel color) {
  RasterizePolygon(quad, 4, width_, height_, scratch_);
  if (hasClipRGN_) clipRGN_.Add(scratch_);
  if (!backMaterial_.Empty())
    DrawMaterial(canvasBitmap_, lighter ? backMaterialL_ : backMaterialD_, materialMode_,
                 &scratch_);
  else
    FillCovered(canvasBitmap_, scratch_, color);
}

}  // namespace quillo::indicator
