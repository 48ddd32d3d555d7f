// The segment indicator control: a short text shown as a row of calculator-display digit cells,
// kept as a finished picture that is rebuilt only when something that changes it changes.
//
// The control is portable: it talks to the window that shows it only through IndicatorHost.
// A host creates the control, forwards the window's size changes, pointer enter/leave and the
// queued rebuild request to it, and paints by copying CanvasBitmap() (restricted to ClipRGN()
// when that is present) inside the window shape it is handed. Without a host the control is
// detached: it has no parent (so no window shape), resizing takes effect at once and a queued
// rebuild runs at once.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/indicator/bitmap.h"
#include "core/indicator/cell_layout.h"
#include "core/indicator/colors.h"
#include "core/indicator/geometry.h"
#include "core/indicator/indicator_types.h"

namespace quillo::indicator {

class IAeverLiquidIndicator;

// What the control asks of the window that shows it. Quads are in the control's coordinates.
class IndicatorHost {
 public:
  virtual ~IndicatorHost() = default;
  // Queue a rebuild request behind the window's pending messages; when it comes round, call
  // HandleRebuildRequest().
  virtual void PostRebuildRequest() = 0;
  // Mark the whole control for repainting.
  virtual void InvalidateControl() = 0;
  // Mark a part of it (the cells a new text changed); a host may repaint more.
  virtual void InvalidateArea(const Rect& area) {
    (void)area;
    InvalidateControl();
  }
  // Paint what is marked, now.
  virtual void UpdateControl() = 0;
  virtual bool HasParent() const = 0;
  // Outside the quadrilateral (even-odd) the window neither paints nor takes the pointer.
  virtual void ApplyWindowShape(const Quad& shape) = 0;
  // Opaque: nothing behind the control needs painting. Not opaque: the parent shows through
  // wherever the control does not paint.
  virtual void SetOpaque(bool opaque) = 0;
  // Give the window this size at the same left and top. When the size differs, the platform
  // reports it back through SizeChanged before this returns, as a real window does.
  virtual void ResizeWindow(int width, int height, bool repaint) = 0;
  // Repaint what lay under this part of the control on its parent.
  virtual void InvalidateParentArea(const Quad& area) = 0;
  virtual void RepaintParent() = 0;
  virtual Color ResolveSystemColor(int index) const { return DefaultSystemColor(index); }
};

class IAeverLiquidIndicator {
 public:
  using MouseInOutEvent = std::function<void(IAeverLiquidIndicator& sender)>;

  // A new control as created in code: defaults of csSilver, 172 x 36, ten cells, its window
  // sized to the picture. Construction calls nothing on the host.
  explicit IAeverLiquidIndicator(IndicatorHost* host = nullptr);
  IAeverLiquidIndicator(const IAeverLiquidIndicator&) = delete;
  IAeverLiquidIndicator& operator=(const IAeverLiquidIndicator&) = delete;

  // Loading from a stored form has finished: from now on the control is active, so scheme,
  // picture size and angle writes take full effect; builds everything once.
  void Loaded();
  bool Imloaded() const { return imloaded_; }

  // Property writers. Each ignores a value equal to the current one (SignNumber, the picture
  // size and the bevel widths also ignore values <= 0; ColorScheme and the two textures are
  // always taken). Most rebuild the picture at once and repaint. ColorScheme, IndicatorWidth,
  // IndicatorHeight and IndicatorAngle only record the value until the control is Loaded():
  // a control created in code takes its picture size from its window (SizeChanged) instead.
  void SetColorScheme(IAColorScheme value);
  void SetSignNumber(int value);
  void SetIndicatorWidth(int value);
  void SetIndicatorHeight(int value);
  void SetIndicatorAngle(int value);
  void SetIndicatorGap(int value);
  void SetIndicatorstring(std::string_view utf8);
  void SetIndicatorKind(IAIndicatorKind value);
  void SetInnerBevel(IABevelKind value);
  void SetOuterBevel(IABevelKind value);
  void SetInnerBevelWidth(int value);
  void SetOuterBevelWidth(int value);
  void SetBevelColor(Color value);
  void SetBackColor(Color value);
  void SetNumberForeColor(Color value);
  void SetNumberForeColor1(Color value);
  void SetNumberBackColor(Color value);
  void SetIndicatorStyle(IAIndicatorStyle value);
  void SetMouseAction(IAMouseAction value);
  void SetTransparentMode(IATransparentMode value);
  void SetBackMaterial(const Bitmap& picture);
  void SetForeMaterial(const Bitmap& picture);
  void SetMaterialShadowMode(IAMaterialShadowMode value);
  void SetMaterialMode(IAMaterialMode value);
  void SetForeMaterialMode(IAMaterialMode value);
  void SetOnMouseEnter(MouseInOutEvent handler) { onMouseEnter_ = std::move(handler); }
  void SetOnMouseExit(MouseInOutEvent handler) { onMouseLeave_ = std::move(handler); }
  // Whether entering or leaving changes the picture (the hover colour, width or a lit texture).
  bool HoverAltersPicture() const;

  IAColorScheme ColorScheme() const { return colorScheme_; }
  int SignNumber() const { return signNumber_; }
  int IndicatorWidth() const { return indicatorWidth_; }
  int IndicatorHeight() const { return indicatorHeight_; }
  int IndicatorAngle() const { return indicatorAngle_; }
  int IndicatorGap() const { return indicatorGap_; }
  const std::string& Indicatorstring() const { return indicatorString_; }
  IAIndicatorKind IndicatorKind() const { return indicatorKind_; }
  IABevelKind InnerBevel() const { return innerBevel_; }
  IABevelKind OuterBevel() const { return outerBevel_; }
  int InnerBevelWidth() const { return innerBevelWidth_; }
  int OuterBevelWidth() const { return outerBevelWidth_; }
  Color BevelColor() const { return bevelColor_; }
  Color BackColor() const { return backColor_; }
  Color NumberForeColor() const { return numberForeColor_; }
  Color NumberForeColor1() const { return numberForeColor1_; }
  Color NumberBackColor() const { return numberBackColor_; }
  IAIndicatorStyle IndicatorStyle() const { return indicatorStyle_; }
  IAMouseAction MouseAction() const { return mouseAction_; }
  IATransparentMode TransparentMode() const { return transparentMode_; }
  const Bitmap& BackMaterial() const { return backMaterial_; }
  const Bitmap& ForeMaterial() const { return foreMaterial_; }
  IAMaterialShadowMode MaterialShadowMode() const { return materialShadowMode_; }
  IAMaterialMode MaterialMode() const { return materialMode_; }
  IAMaterialMode ForeMaterialMode() const { return foreMaterialMode_; }

  // The control's own size (its window's), which the picture is centred in.
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Sets the control's size as a caller outside does (the panel sizes its indicators so).
  void SetSize(int width, int height);

  // Window messages, forwarded by the host.
  void SizeChanged(int width, int height);
  void MouseEnter();
  void MouseLeave();
  void HandleRebuildRequest();
  bool Moused() const { return moused_; }
  // Whether the pointer entering and leaving can matter to anyone: the picture changes with it, or
  // someone listens. A host need not track the pointer otherwise.
  bool WantsPointerTracking() const {
    return HoverAltersPicture() || onMouseEnter_ || onMouseLeave_;
  }

  // The picture: the cached bitmap, and in the transparent modes the part of it that is visible
  // (nullptr in tmNone, where all of it is).
  void RebuildImage();
  const Bitmap& CanvasBitmap() const { return canvasBitmap_; }
  const CoverageMask* ClipRGN() const { return hasClipRGN_ ? &clipRGN_ : nullptr; }
  // Grows by one with every RebuildImage.
  std::uint64_t RebuildCount() const { return rebuildCount_; }
  // Where the current picture shows these cells, in the control's coordinates: every pixel that
  // their glyphs can light. The whole control when the picture is turned or see-through.
  Rect CellsArea(CellSpan cells) const;

  // Lit and unlit polygons of the current picture, in canvas coordinates.
  const Points& BlackPolyPoly() const { return blackPolyPoly_; }
  const Integers& BlackVertex() const { return blackVertex_; }
  int BlackN() const { return blackN_; }
  const Points& GrayPOlyPoly() const { return grayPOlyPoly_; }
  const Integers& GrayVertex() const { return grayVertex_; }
  int GrayN() const { return grayN_; }

  // The window's shape as last computed, and its coverage of the control's pixels.
  void UpdateWindowShape();
  const Quad& WindowShape() const { return windowShape_; }
  CoverageMask WindowShapeMask() const;

  // The darker, lighter and shadow copies of the background texture.
  void PrepareMaterials();
  const Bitmap& BackMaterialD() const { return backMaterialD_; }
  const Bitmap& BackMaterialL() const { return backMaterialL_; }
  const Bitmap& BackMaterialLD() const { return backMaterialLD_; }

 private:
  bool Active() const { return imloaded_; }
  bool Widened() const { return moused_ && (mouseAction_ == maWidth || mouseAction_ == maBoth); }
  bool HoverColor() const { return moused_ && (mouseAction_ == maColor || mouseAction_ == maBoth); }
  Color Resolve(Color c) const;
  void RebuildAndRepaint();
  // RebuildImage with the cells already laid out.
  void BuildPicture();
  // Queues a rebuild request; `needed` false when the cause cannot change the picture.
  void PostRebuild(bool needed = true);
  void Resize(int width, int height, bool repaint);
  Quad CoveredArea() const;
  void ResizeToPicture();
  template <typename T>
  void WriteAndRebuild(T& field, T value);
  void PaintFrame(const Point* bands, IABevelKind kind, int octant, Color bevel);
  void PaintBand(const Point* quad, bool lighter, Pixel color);

  IndicatorHost* host_;

  int signNumber_ = 10;
  int indicatorWidth_ = 172;
  int indicatorHeight_ = 36;
  int indicatorAngle_ = 0;
  int indicatorGap_ = 2;
  std::string indicatorString_;
  IAIndicatorKind indicatorKind_ = ik7segment;
  IABevelKind innerBevel_ = bkDown;
  IABevelKind outerBevel_ = bkUP;
  int innerBevelWidth_ = 2;
  int outerBevelWidth_ = 2;
  Color bevelColor_ = 0xDDDDDD;
  Color backColor_ = 0xDDDDDD;
  Color numberForeColor_ = 0x363636;
  Color numberBackColor_ = 0xD3D3D3;
  IAIndicatorStyle indicatorStyle_ = isNormal;
  MouseInOutEvent onMouseEnter_;
  MouseInOutEvent onMouseLeave_;
  Color numberForeColor1_ = 0x0000FF;
  IAMouseAction mouseAction_ = maNone;
  IATransparentMode transparentMode_ = tmNone;
  IAColorScheme colorScheme_ = csSilver;
  Bitmap backMaterial_;
  Bitmap backMaterialD_;
  Bitmap backMaterialL_;
  Bitmap backMaterialLD_;
  Bitmap foreMaterial_;
  IAMaterialShadowMode materialShadowMode_ = msmDark;
  IAMaterialMode materialMode_ = mmStretch;
  IAMaterialMode foreMaterialMode_ = mmStretch;
  bool moused_ = false;
  bool imloaded_ = false;

  int width_ = 0;
  int height_ = 0;
  Quad windowShape_{};
  Quad appliedShape_{};
  bool shapeApplied_ = false;

  Bitmap canvasBitmap_;
  CoverageMask clipRGN_;
  bool hasClipRGN_ = false;
  Points blackPolyPoly_;
  Points grayPOlyPoly_;
  Integers blackVertex_;
  Integers grayVertex_;
  int blackN_ = 0;
  int grayN_ = 0;
  std::uint64_t rebuildCount_ = 0;
  bool rebuildWanted_ = false;  // a queued request that must rebuild

  // Scratch kept between rebuilds so that a rebuild allocates nothing. `cells_` is the layout
  // the picture shows.
  Cells cells_;
  Cells nextCells_;
  int cellWidth_ = 0;
  int cellInset_ = 0;
  Rect glyphBox_;  // what one cell's segments or dots cover, from the cell's top left corner
  GlyphMetrics glyphBoxMetrics_{.w = -1, .dot = {}};  // the cells' shape glyphBox_ was found for
  CoverageMask scratch_;
};

}  // namespace quillo::indicator
