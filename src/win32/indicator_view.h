// The window that shows one segment indicator: a thin Win32 host around the portable
// IAeverLiquidIndicator (src/core/indicator), which keeps the state and builds the picture.
//
// Using it from a window:
//   IndicatorView::Register(instance);                   // once per process
//   IndicatorView led;                                   // or std::make_unique<IndicatorView>()
//   led.Create(panel, 7, 44, 137, 19);                   // child of panel; at angle 0 the
//                                                        // picture takes the window's size
//   auto& c = led.Control();                             // every property goes through here
//   c.SetBackColor(0x000000); c.SetIndicatorStyle(quillo::indicator::isThin); ...
//   c.SetSignNumber(10);
//   c.SetIndicatorstring("12345");                       // rebuilds and repaints only on change
//   led.SetBounds(x, y, w, h);                           // move and size the window
//   led.SetOnMouseDown([](IndicatorView&, UINT msg, WPARAM, LPARAM) { ... });
// The picture is c.CanvasBitmap() (0x00RRGGBB, top-down); the window's shape is the rotated
// rectangle c.WindowShape(). Destroying the view destroys its window.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <type_traits>

#include "core/indicator/liquid_indicator.h"

namespace quillo {

inline constexpr wchar_t kIndicatorWindowClass[] = L"TIAeverLiquidIndicator";

class IndicatorView final : private indicator::IndicatorHost {
 public:
  // The control's private "rebuild later" message, posted to its own window.
  static constexpr UINT kRebuildRequest = 0xB065;
  using MouseHandler = std::function<void(IndicatorView&, UINT message, WPARAM, LPARAM)>;

  static bool Register(HINSTANCE instance);

  IndicatorView();
  ~IndicatorView() override;
  IndicatorView(const IndicatorView&) = delete;
  IndicatorView& operator=(const IndicatorView&) = delete;

  // A child of `parent` (or, without one, a borderless pop-up that gets no window shape).
  HWND Create(HWND parent, int x, int y, int width, int height);
  HWND Handle() const { return hwnd_; }
  indicator::IAeverLiquidIndicator& Control() { return control_; }
  const indicator::IAeverLiquidIndicator& Control() const { return control_; }

  void SetBounds(int x, int y, int width, int height);
  // Deferred, a changed text's cells are not repainted through the window's own paint message
  // but kept for PaintPending, so that the parent draws every indicator that changed in one
  // pass (the panel's figures change together at every sample).
  void SetDeferredPainting(bool deferred) { deferred_ = deferred; }
  bool HasPendingPaint() const { return pending_.right > pending_.left; }
  // Draws what is kept into `parentDc`, a DC of the parent that does not clip its children;
  // without one, marks it for the window's own paint message.
  void PaintPending(HDC parentDc);
  // Forgets what is kept: the parent is hidden, and shown again it repaints everything.
  void DropPendingPaint() { pending_ = {}; }
  // Button presses on the indicator, the extra buttons included (the panel drags its window so).
  void SetOnMouseDown(MouseHandler handler) { onMouseDown_ = std::move(handler); }

 private:
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
  void Paint();
  void PaintParentBackground(HDC dc);
  HRGN ClipRegion();

  // IndicatorHost.
  void PostRebuildRequest() override;
  void InvalidateControl() override;
  void InvalidateArea(const indicator::Rect& area) override;
  void UpdateControl() override;
  bool HasParent() const override;
  void ApplyWindowShape(const indicator::Quad& shape) override;
  void SetOpaque(bool opaque) override;
  void ResizeWindow(int width, int height, bool repaint) override;
  void InvalidateParentArea(const indicator::Quad& area) override;
  void RepaintParent() override;
  indicator::Color ResolveSystemColor(int index) const override;

  HWND hwnd_ = nullptr;
  indicator::IAeverLiquidIndicator control_;
  bool opaque_ = true;
  bool tracking_ = false;
  bool deferred_ = false;
  POINT origin_{};           // the window's top left corner in its parent
  indicator::Rect pending_;  // kept for PaintPending, in the control's coordinates
  struct RegionDeleter {
    void operator()(HRGN region) const noexcept { DeleteObject(region); }
  };
  using ScopedRgn = std::unique_ptr<std::remove_pointer_t<HRGN>, RegionDeleter>;
  static ScopedRgn QuadRegion(const indicator::Quad& quad);

  ScopedRgn clip_;  // ClipRGN as a GDI region, for the picture it was made from
  std::uint64_t clipBuild_ = 0;
  MouseHandler onMouseDown_;
};

// Draws what `views` (children of `parent`; null entries are skipped) keep, all in one pass
// into one DC of the parent.
void PaintPendingIn(HWND parent, IndicatorView* const* views, std::size_t count);

}  // namespace quillo
